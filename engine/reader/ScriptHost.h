#pragma once
#include "diagnostics/Diagnostic.h"

/// What the engine asks of the program that hosts it. The engine has no user interface; the
/// one question it asks while loading, whether to run a script whose load failed, goes through
/// here. The host shows it with kScriptErrorTitle and kContinueQuestion as it sees fit.
class ScriptHost {
public:
    virtual ~ScriptHost() = default;
    /// The load error just met (phase Load); true answers Yes: the run starts where loading stopped.
    virtual bool AskToContinue(const Diagnostic& loadError) = 0;
};

/// How LoadInline ended.
enum class LoadOutcome {
    Loaded,     ///< the text loaded without error
    Continued,  ///< a load error was shown and the host answered Yes
    Declined,   ///< a load error was shown and the host answered No (or there is no host)
};
