#pragma once

#include "TarvelVersion.h"

// Every text tarvel-check writes of its own. The dialog texts are the engine's, so that a user
// comparing the tool with the editor sees the same words.

namespace CliMessages {

/// A load error, as the "Script Error" box would have shown it.
inline constexpr char kLoadErrorReport[] = "Script Error: %s\n";
/// A load error of one of several files.
inline constexpr char kNamedLoadErrorReport[] = "%s: Script Error: %s\n";
/// One name of a list in the plain report.
inline constexpr char kNameLine[] = "  %s\n";
/// Separates the reports of several files in the plain report.
inline constexpr char kFileHeading[] = "==> %s <==\n";

/// The program's name and version.
inline constexpr char kVersionText[] = "tarvel-check " TARVEL_VERSION "\n";
/// A file that could not be read.
inline constexpr char kCannotRead[] = "tarvel-check: cannot read '%s': %s\n";
/// Why a script longer than the engine takes was not read to its end.
inline constexpr char kScriptTooLong[] = "longer than %zu bytes, the longest script the engine accepts";
/// An argument that is not an option of this program.
inline constexpr char kUnknownOption[] = "unrecognised option '%s'";
/// An option given without the value it needs.
inline constexpr char kMissingValue[] = "option '%s' needs a value";
/// A --format value that names no format.
inline constexpr char kUnknownFormat[] = "unknown format '%s' (choose text, json, gcc or sarif)";
/// A number of jobs that is not a whole number from 1 to 1024.
inline constexpr char kInvalidJobs[] = "invalid number of jobs '%s' (expected 1 to 1024)";
/// A --time-limit that is not a number of seconds above 0.
inline constexpr char kInvalidTimeLimit[] = "invalid time limit '%s' (expected seconds above 0, at most a year)";
/// A --memory-limit that is not a whole number of MiB in range.
inline constexpr char kInvalidMemoryLimit[] = "invalid memory limit '%s' (expected 1 to 1048576 MiB)";
/// A file whose validation ran out of the time it was given; the report shows where it got to.
inline constexpr char kTimeLimitReached[] = "tarvel-check: %s: validation stopped at the time limit of %g seconds\n";
/// A command line without any file.
inline constexpr char kNoInputFiles[] = "no input files";
/// Wraps a usage problem on standard error.
inline constexpr char kUsageProblem[] =
    "tarvel-check: %s\n"
    "Try 'tarvel-check --help' for more information.\n";
/// Anything else that stopped the validation of one file.
inline constexpr char kInternalFailure[] = "tarvel-check: %s: %s\n";

// The SARIF log's own texts.

/// What a file read from standard input is called where a file would be named.
inline constexpr char kStandardInputName[] = "standard input";
/// A file the log has no results for because it could not be read or checked.
inline constexpr char kNotCheckedNotification[] = "the file was not checked: %s";
/// The rules behind the results.
inline constexpr char kLoadErrorRule[] = "The script cannot be loaded: a directive or token is invalid.";
inline constexpr char kRunErrorRule[] = "The script stops with an error when it runs.";
inline constexpr char kExternalVariableRule[] = "The script uses a variable it does not declare.";
inline constexpr char kExternalFunctionRule[] = "The script calls a function that is neither its own nor built in.";
/// A result for one external name at its first use.
inline constexpr char kExternalVariableNote[] = "external variable '%s'";
inline constexpr char kExternalFunctionNote[] = "external function '%s'";

/// The --help text.
inline constexpr char kUsageText[] =
    "Usage: tarvel-check [OPTION]... FILE...\n"
    "Validate C script files the way the editor's Validate command does, and list the\n"
    "external variables and functions each script uses. FILE may be - for standard input.\n"
    "\n"
    "  --format=FORMAT            what to write on standard output for each file:\n"
    "                               text   the result dialog's content (the default)\n"
    "                               json   one JSON object per file, each on one line\n"
    "                               gcc    FILE:LINE:COLUMN: error: MESSAGE for each\n"
    "                                      failing file, nothing for a valid one\n"
    "                               sarif  one SARIF 2.1.0 log for all files\n"
    "  --json                     the same as --format=json\n"
    "  --raw                      hand the bytes to the engine unchanged; by default every\n"
    "                             line break (LF, CR, CR LF) becomes CR LF as in the editor\n"
    "  --continue-on-load-error   answer Yes to the \"Script Error\" question while loading\n"
    "                             and run the script from where the error was found\n"
    "  --no-log                   do not write logfile.txt\n"
    "  -j, --jobs N               validate N files at a time (1 to 1024, default 1); the\n"
    "                             output is the same as with 1, in the order of the files\n"
    "  --time-limit=SECONDS       stop a file's validation once it has run SECONDS (a\n"
    "                             number above 0, fractions allowed; default: no limit)\n"
    "  --memory-limit=MIB         the most memory one validation may hold, in MiB\n"
    "                             (1 to 1048576, default 1024)\n"
    "  --help                     show this help and exit\n"
    "  --version                  show the version and exit\n"
    "\n"
    "A script's text ends at its first NUL byte; nothing after it is read.\n"
    "With the text and json formats, a load error is reported on standard error as\n"
    "\"Script Error: <text>\", after the file's name when several files are given; when\n"
    "it is declined, the text report has nothing else for that file. The gcc and sarif\n"
    "reports carry load errors themselves: an error when declined, a warning when\n"
    "answered Yes. Lines and columns count from 1, columns in bytes. Control characters\n"
    "of a script reach the terminal as \\r or \\xHH, and line breaks in a gcc line as \\n.\n"
    "\n"
    "Errors are logged to logfile.txt in the current directory, which the first entry\n"
    "empties. Nothing is logged when logfile.txt is a symbolic link or anything else but\n"
    "a regular file; such a file and whatever a link points to are left untouched.\n"
    "\n"
    "Exit status:\n"
    "  0  every file validated\n"
    "  1  a file failed validation or a load error was declined\n"
    "  2  a usage error or a file that could not be read\n"
    "  3  a file's validation was stopped at the time limit\n"
    "When files end differently, the highest status is the program's.\n";

}  // namespace CliMessages
