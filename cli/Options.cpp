#include "cli/Options.h"

#include <cstdio>
#include <cstring>

#include "cli/CliMessages.h"

namespace {

struct Flag {
    const char* name;
    bool Options::*field;
};

constexpr Flag kFlags[] = {
    {"--json", &Options::json},
    {"--raw", &Options::raw},
    {"--continue-on-load-error", &Options::continueOnLoadError},
    {"--no-log", &Options::noLog},
    {"--help", &Options::help},
    {"-h", &Options::help},
    {"--version", &Options::version},
};

bool SetFlag(const char* argument, Options& options) {
    for (const Flag& flag : kFlags) {
        if (std::strcmp(argument, flag.name) == 0) {
            options.*flag.field = true;
            return true;
        }
    }
    return false;
}

}  // namespace

bool ParseOptions(int argc, const char* const* argv, Options& options, std::string& problem) {
    bool optionsEnded = false;
    for (int k = 1; k < argc; ++k) {
        const char* argument = argv[k];
        // "--" lets a script whose name starts with a dash be checked; "-" alone is stdin.
        if (optionsEnded || argument[0] != '-' || std::strcmp(argument, "-") == 0) {
            options.files.emplace_back(argument);
        } else if (std::strcmp(argument, "--") == 0) {
            optionsEnded = true;
        } else if (!SetFlag(argument, options)) {
            char text[512];
            std::snprintf(text, sizeof text, kUnknownOption, argument);
            problem = text;
            return false;
        }
    }
    if (options.files.empty() && !options.help && !options.version) {
        problem = kNoInputFiles;
        return false;
    }
    return true;
}
