#include "cli/Options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "cli/CliMessages.h"
#include "cli/Formatted.h"

using namespace CliMessages;

namespace {

struct Flag {
    const char* name;
    bool Options::*field;
};

constexpr Flag kFlags[] = {
    {"--raw", &Options::raw},      {"--continue-on-load-error", &Options::continueOnLoadError},
    {"--no-log", &Options::noLog}, {"--help", &Options::help},
    {"-h", &Options::help},        {"--version", &Options::version},
};

struct FormatName {
    const char* name;
    OutputFormat format;
};

constexpr FormatName kFormats[] = {
    {"text", OutputFormat::Text},
    {"json", OutputFormat::Json},
    {"gcc", OutputFormat::Gcc},
    {"sarif", OutputFormat::Sarif},
};

/// Reads the value of an option that takes one; false with `problem` set when it is invalid.
/// A usage problem, cut at 511 bytes so that a huge argument still gives a readable line.
std::string Problem(const std::string& text) { return text.substr(0, 511); }

using ValueParser = bool (*)(const char* value, Options& options, std::string& problem);

struct ValuedOption {
    const char* name;
    ValueParser parse;
};

bool ParseFormat(const char* value, Options& options, std::string& problem) {
    for (const FormatName& known : kFormats) {
        if (std::strcmp(value, known.name) == 0) {
            options.format = known.format;
            return true;
        }
    }
    problem = Problem(Formatted(kUnknownFormat, value));
    return false;
}

constexpr unsigned kMostJobs = 1024;
constexpr double kMostTimeLimitSeconds = 365.0 * 24 * 60 * 60;

/// Reads a whole number from 1 to most; anything else, a sign or a mistyped digit included, is
/// refused rather than quietly becoming some other number.
bool WholeNumberInRange(const char* value, std::size_t most, std::size_t& number) {
    std::size_t read = 0;
    bool valid = *value != '\0';
    for (const char* digit = value; valid && *digit != '\0'; ++digit) {
        valid = *digit >= '0' && *digit <= '9' && read <= most;  // checked first: no overflow
        if (valid) read = read * 10 + static_cast<std::size_t>(*digit - '0');
    }
    if (!valid || read < 1 || read > most) return false;
    number = read;
    return true;
}

bool ParseJobs(const char* value, Options& options, std::string& problem) {
    std::size_t count = 0;
    if (!WholeNumberInRange(value, kMostJobs, count)) {
        problem = Problem(Formatted(kInvalidJobs, value));
        return false;
    }
    options.jobs = static_cast<unsigned>(count);
    return true;
}

// A decimal number of seconds above zero; what strtod reads beyond that (hex, infinity, NaN)
// is refused, as is anything past a year, which no validation should be allowed to take.
bool ParseTimeLimit(const char* value, Options& options, std::string& problem) {
    bool plain = *value != '\0';
    for (const char* c = value; plain && *c != '\0'; ++c) plain = (*c >= '0' && *c <= '9') || *c == '.';
    char* end = nullptr;
    const double seconds = plain ? std::strtod(value, &end) : 0;
    if (!plain || *end != '\0' || !(seconds > 0) || seconds > kMostTimeLimitSeconds) {
        problem = Problem(Formatted(kInvalidTimeLimit, value));
        return false;
    }
    options.timeLimitSeconds = seconds;
    return true;
}

bool ParseMemoryLimit(const char* value, Options& options, std::string& problem) {
    if (!WholeNumberInRange(value, kMostMemoryLimitMiB, options.memoryLimitMiB)) {
        problem = Problem(Formatted(kInvalidMemoryLimit, value));
        return false;
    }
    return true;
}

constexpr ValuedOption kValuedOptions[] = {
    {"--format", &ParseFormat},
    {"--time-limit", &ParseTimeLimit},
    {"--memory-limit", &ParseMemoryLimit},
    {"--jobs", &ParseJobs},
    {"-j", &ParseJobs},
};

bool SetFlag(const char* argument, Options& options) {
    // --json came before --format and stays its short form.
    if (std::strcmp(argument, "--json") == 0) {
        options.format = OutputFormat::Json;
        return true;
    }
    for (const Flag& flag : kFlags) {
        if (std::strcmp(argument, flag.name) == 0) {
            options.*flag.field = true;
            return true;
        }
    }
    return false;
}

/// Handles an option that takes a value, written "--name=value" or "--name value"; `k` moves
/// past a value taken from the next argument. False when the argument names no such option.
bool SetValuedOption(int argc, const char* const* argv, int& k, Options& options, std::string& problem, bool& valid) {
    const std::string_view argument = argv[k];
    for (const ValuedOption& option : kValuedOptions) {
        const std::string_view name = option.name;
        if (argument.substr(0, name.size()) != name) continue;
        const std::string_view rest = argument.substr(name.size());
        const char* value = nullptr;
        if (rest.empty()) {
            if (k + 1 >= argc) {
                problem = Problem(Formatted(kMissingValue, option.name));
                valid = false;
                return true;
            }
            value = argv[++k];
        } else if (rest[0] == '=') {
            value = argv[k] + name.size() + 1;
        } else if (name.size() == 2) {
            value = argv[k] + 2;  // a one-letter option takes its value attached, as -j4
        } else {
            continue;  // a longer option that only starts with this name
        }
        valid = option.parse(value, options, problem);
        return true;
    }
    return false;
}

}  // namespace

bool ParseOptions(int argc, const char* const* argv, Options& options, std::string& problem) {
    bool optionsEnded = false;
    for (int k = 1; k < argc; ++k) {
        const char* argument = argv[k];
        bool valid = true;
        // "--" lets a script whose name starts with a dash be checked; "-" alone is stdin.
        if (optionsEnded || argument[0] != '-' || std::strcmp(argument, "-") == 0) {
            options.files.emplace_back(argument);
        } else if (std::strcmp(argument, "--") == 0) {
            optionsEnded = true;
        } else if (SetValuedOption(argc, argv, k, options, problem, valid)) {
            if (!valid) return false;
        } else if (!SetFlag(argument, options)) {
            problem = Problem(Formatted(kUnknownOption, argument));
            return false;
        }
    }
    if (options.files.empty() && !options.help && !options.version) {
        problem = kNoInputFiles;
        return false;
    }
    return true;
}
