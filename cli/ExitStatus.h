#pragma once

/// How tarvel-check ends; larger values win when several files end differently.
enum class ExitStatus : int {
    Validated = 0,  ///< every file validated
    Failed = 1,     ///< a file failed validation or a load error was declined
    Trouble = 2,    ///< a usage error or a file that could not be read
    TimeLimit = 3,  ///< a file's validation was stopped at the --time-limit
};

/// The more serious of two statuses.
inline ExitStatus Worse(ExitStatus a, ExitStatus b) { return static_cast<int>(a) >= static_cast<int>(b) ? a : b; }
