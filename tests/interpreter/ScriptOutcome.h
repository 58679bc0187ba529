#pragma once
#include <cstdlib>
#include <cstring>
#include <string>

#include "reader/ScriptReader.h"

/// How one validation of a script ended: the value it returned, or the error that stopped it.
struct ScriptOutcome {
    bool failed = false;
    std::string message;  ///< the bare message, without file, line and context lines
    int line = 0;         ///< 1-based line of the error
    Value result;         ///< the value of the top-level return (Void without one)
};

/// Answers No to the load-error question and keeps the report it was asked about.
class DecliningHost : public ScriptHost {
public:
    bool AskYesNo(const char*, const char* message) override {
        report = message;
        return false;
    }
    std::string report;
};

/// Splits "file:'<name>', line: <n>: <message>\n\n<context lines>" into the outcome.
inline void ParseReport(const char* report, ScriptOutcome& outcome) {
    outcome.failed = true;
    const char* line = std::strstr(report, "line: ");
    if (!line) {
        outcome.message = report;
        return;
    }
    char* rest = nullptr;
    outcome.line = static_cast<int>(std::strtol(line + 6, &rest, 10));
    const std::string tail = rest + 2;
    outcome.message = tail.substr(0, tail.find("\n\n"));
}

/// Loads and runs the script on the engine; a load error or a run error fails the outcome.
inline ScriptOutcome RunScript(ScriptReader& engine, const std::string& text) {
    ScriptOutcome outcome;
    DecliningHost host;
    engine.host = &host;
    try {
        if (engine.LoadInline(text.c_str()) != LoadOutcome::Loaded) {
            ParseReport(host.report.c_str(), outcome);
        } else {
            outcome.result = engine.Run();
        }
    } catch (const ErrorMsg& error) {
        ParseReport(error.text, outcome);
    }
    engine.host = nullptr;
    return outcome;
}

/// RunScript on a fresh engine.
inline ScriptOutcome RunScript(const std::string& text) {
    ScriptReader engine;
    return RunScript(engine, text);
}

/// Scripts that must validate and return an Int.
struct IntCase {
    const char* script;
    int32_t expected;
};

/// Scripts that must fail with a message.
struct ErrorCase {
    const char* script;
    const char* message;
};
