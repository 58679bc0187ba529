#pragma once
#include <string>
#include <vector>

#include "reader/ScriptHost.h"
#include "values/Value.h"

/// What one validation produced: the result dialog's content plus the run's value.
struct FileReport {
    LoadOutcome load = LoadOutcome::Loaded;      ///< how loading ended
    std::string loadError;                       ///< text of the load error; empty without one
    bool ok = false;                             ///< loading and running completed
    std::string message;                         ///< the dialog message
    bool hasError = false;                       ///< an ErrorMsg ended the validation
    std::string errorComponent;                  ///< its component
    std::string errorText;                       ///< its text
    std::vector<std::string> externalVariables;  ///< sorted for display
    std::vector<std::string> externalFunctions;  ///< sorted for display
    Value result;                                ///< what Run returned; Void after a failure
};

/// Runs one script through a fresh engine as the editor's Validate command does.
FileReport ValidateText(const char* text, bool continueOnLoadError);
