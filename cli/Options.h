#pragma once
#include <cstddef>
#include <string>
#include <vector>

/// What tarvel-check writes on standard output for each file.
enum class OutputFormat {
    Text,   ///< the result dialog's content as plain lines
    Json,   ///< one JSON object per file, each on one line
    Gcc,    ///< one FILE:LINE:COLUMN line per failing file, as compilers write them
    Sarif,  ///< one SARIF 2.1.0 log for all files
};

/// The engine's own memory limit, in the unit of --memory-limit.
inline constexpr std::size_t kDefaultMemoryLimitMiB = 1024;
/// The largest --memory-limit: far beyond any machine that runs the tool, small enough that
/// its bytes fit any size_t of 64 bits.
inline constexpr std::size_t kMostMemoryLimitMiB = std::size_t{1} << 20;

/// The command line of tarvel-check, parsed.
struct Options {
    OutputFormat format = OutputFormat::Text;             ///< the report written on standard output
    bool raw = false;                                     ///< hand the bytes over without normalising line breaks
    bool continueOnLoadError = false;                     ///< answer Yes to the load-error question
    bool noLog = false;                                   ///< write no logfile.txt
    bool help = false;                                    ///< show the usage text and stop
    bool version = false;                                 ///< show the version and stop
    unsigned jobs = 1;                                    ///< files validated at the same time
    double timeLimitSeconds = 0;                          ///< the longest one file's validation may run; 0: no limit
    std::size_t memoryLimitMiB = kDefaultMemoryLimitMiB;  ///< the most one validation may hold
    std::vector<std::string> files;                       ///< the files in command-line order; "-" is standard input
};

/// Parses the arguments after the program name; false with `problem` set on a usage error.
bool ParseOptions(int argc, const char* const* argv, Options& options, std::string& problem);
