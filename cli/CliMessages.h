#pragma once

// Every text tarvel-check writes of its own. The dialog texts are the engine's, so that a user
// comparing the tool with the editor sees the same words.

/// A load error, as the "Script Error" box would have shown it.
constexpr const char kLoadErrorReport[] = "Script Error: %s\n";
/// One name of a list in the plain report.
constexpr const char kNameLine[] = "  %s\n";
/// Separates the reports of several files in the plain report.
constexpr const char kFileHeading[] = "==> %s <==\n";

/// The program's name and version.
constexpr const char kVersionText[] = "tarvel-check 1.06\n";
/// A file that could not be read.
constexpr const char kCannotRead[] = "tarvel-check: cannot read '%s': %s\n";
/// An argument that is not an option of this program.
constexpr const char kUnknownOption[] = "unrecognised option '%s'";
/// A command line without any file.
constexpr const char kNoInputFiles[] = "no input files";
/// Wraps a usage problem on standard error.
constexpr const char kUsageProblem[] =
    "tarvel-check: %s\n"
    "Try 'tarvel-check --help' for more information.\n";
/// Anything else that stopped the validation of one file.
constexpr const char kInternalFailure[] = "tarvel-check: %s: %s\n";

/// The --help text.
constexpr const char kUsageText[] =
    "Usage: tarvel-check [--json] [--raw] [--continue-on-load-error] [--no-log] FILE...\n"
    "Validate C script files the way the editor's Validate command does, and list the\n"
    "external variables and functions each script uses. FILE may be - for standard input.\n"
    "\n"
    "  --json                     write one JSON object per file, each on one line\n"
    "  --raw                      hand the bytes to the engine unchanged; by default every\n"
    "                             line break (LF, CR, CR LF) becomes CR LF as in the editor\n"
    "  --continue-on-load-error   answer Yes to the \"Script Error\" question while loading\n"
    "                             and run the script from where the error was found\n"
    "  --no-log                   do not write logfile.txt\n"
    "  --help                     show this help and exit\n"
    "  --version                  show the version and exit\n"
    "\n"
    "A script's text ends at its first NUL byte. A load error is reported on standard\n"
    "error as \"Script Error: <text>\"; when it is declined, nothing else is written for\n"
    "that file.\n"
    "\n"
    "Exit status:\n"
    "  0  every file validated\n"
    "  1  a file failed validation or a load error was declined\n"
    "  2  a usage error or a file that could not be read\n";
