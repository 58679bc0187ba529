#pragma once
#include <functional>

#include "DocumentText.h"
#include "reader/ScriptHost.h"

/// Answers the engine's question while loading with a modal Yes/No message box.
class MessageBoxHost : public ScriptHost {
public:
    /// The engine's texts quote the script, so they are read in the script's encoding, which
    /// encoding tells when the question comes (a file's run may start before it is decoded).
    explicit MessageBoxHost(std::function<TextFormat::Encoding()> encoding);

    /// The "Script Error" Yes/No box with no owner window, shown on the user-interface thread
    /// whichever thread asks; true for Yes.
    bool AskToContinue(const Diagnostic& loadError) override;

private:
    std::function<TextFormat::Encoding()> encoding;
};
