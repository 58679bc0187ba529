#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

#include "reader/ScriptReader.h"

/// How one validation ended: the value of its top-level return, or the error that stopped it.
struct ScriptOutcome {
    bool failed = false;
    std::string message;  ///< the bare message, without file, line and context lines
    int line = 0;         ///< 1-based line of the error
    Value result;
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
    char* rest = nullptr;
    outcome.line = line ? static_cast<int>(std::strtol(line + 6, &rest, 10)) : 0;
    const std::string tail = rest ? rest + 2 : report;
    outcome.message = tail.substr(0, tail.find("\n\n"));
}

/// Loads and runs the script; a load error fails the outcome as a run error does.
inline ScriptOutcome RunScript(ScriptReader& engine, const std::string& text) {
    ScriptOutcome outcome;
    DecliningHost host;
    engine.host = &host;
    try {
        if (engine.LoadInline(text.c_str()) == LoadOutcome::Loaded) {
            outcome.result = engine.Run();
        } else {
            ParseReport(host.report.c_str(), outcome);
        }
    } catch (const ErrorMsg& error) {
        ParseReport(error.text, outcome);
    }
    engine.host = nullptr;
    return outcome;
}

inline ScriptOutcome RunScript(const std::string& text) {
    ScriptReader engine;
    return RunScript(engine, text);
}

/// A script that must validate and return a value: number for Int and Float, else text.
struct ResultCase {
    const char* script;
    ValueType type;
    double number;
    const char* text = "";
};

/// A script that must fail with exactly this message.
struct ErrorCase {
    const char* script;
    const char* message;
};

inline void ExpectResults(std::span<const ResultCase> cases) {
    for (const ResultCase& c : cases) {
        SCOPED_TRACE(c.script);
        const ScriptOutcome outcome = RunScript(c.script);
        ASSERT_FALSE(outcome.failed) << outcome.message;
        ASSERT_EQ(outcome.result.type, c.type);
        switch (c.type) {
        case ValueType::Int: EXPECT_EQ(outcome.result.i, c.number); break;
        case ValueType::Float: EXPECT_EQ(outcome.result.f, c.number); break;
        default: EXPECT_STREQ(outcome.result.text.CStr(), c.text); break;
        }
    }
}

inline void ExpectErrors(std::span<const ErrorCase> cases) {
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.script);
        const ScriptOutcome outcome = RunScript(c.script);
        ASSERT_TRUE(outcome.failed);
        EXPECT_EQ(outcome.message, c.message);
    }
}
