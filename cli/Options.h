#pragma once
#include <string>
#include <vector>

/// The command line of tarvel-check, parsed.
struct Options {
    bool json = false;                 ///< one JSON object per file instead of the plain report
    bool raw = false;                  ///< hand the bytes over without normalising line breaks
    bool continueOnLoadError = false;  ///< answer Yes to the load-error question
    bool noLog = false;                ///< write no logfile.txt
    bool help = false;                 ///< show the usage text and stop
    bool version = false;              ///< show the version and stop
    std::vector<std::string> files;    ///< the files in command-line order; "-" is standard input
};

/// Parses the arguments after the program name; false with `problem` set on a usage error.
bool ParseOptions(int argc, const char* const* argv, Options& options, std::string& problem);
