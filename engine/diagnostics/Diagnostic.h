#pragma once
#include <string>

/// Which step of a validation raised an error.
enum class ErrorPhase {
    Load,  ///< the precompiler or the scanner while loading: the "Script Error" question
    Run,   ///< the run of the script
};

/// One error of a validation, located so that editors and tools can jump to it.
struct Diagnostic {
    std::string component;  ///< the component that raised it, "ScriptReader" for script errors
    std::string text;       ///< the error's text exactly, file, line and context lines included
    std::string message;    ///< the bare message, without the location prefix or context lines
    int line = 1;           ///< 1-based line in the script as written
    int column = 1;         ///< 1-based column in bytes
    ErrorPhase phase = ErrorPhase::Run;
};
