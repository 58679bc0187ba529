#pragma once

/// What the engine asks of the program that hosts it. The engine has no user interface;
/// the one question it asks while loading goes through here.
class ScriptHost {
public:
    virtual ~ScriptHost() = default;
    /// A modal Yes/No question; returns true for Yes.
    virtual bool AskYesNo(const char* title, const char* message) = 0;
};

/// How LoadInline ended.
enum class LoadOutcome {
    Loaded,     ///< the text loaded without error
    Continued,  ///< a load error was shown and the host answered Yes
    Declined,   ///< a load error was shown and the host answered No (or there is no host)
};
