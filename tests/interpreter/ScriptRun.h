#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "Validation.h"
#include "reader/ScriptReader.h"
#include "support/CaseName.h"

/// What a whole script gave: the result or the error, and the external names it recorded.
struct ScriptOutcome {
    std::string result;  ///< "Int 3", "Float 2", "String ab", "Void", "External", or the error text
    std::vector<std::string> externalVariables;  ///< in display order
    std::vector<std::string> externalFunctions;
};

/// A value as the tests write it.
inline std::string Describe(const Value& value) {
    char number[64];
    switch (value.type) {
    case ValueType::Int:
        return "Int " + std::to_string(value.i);
    case ValueType::Float:
        std::snprintf(number, sizeof number, "%.17g", value.f);
        return std::string("Float ") + number;
    case ValueType::String:
        return std::string("String ") + value.text.CStr();
    case ValueType::External:
        return "External";
    default:
        return "Void";
    }
}

/// The names of a validation's list.
inline std::vector<std::string> Names(const std::vector<ExternalName>& names) {
    std::vector<std::string> out;
    for (const ExternalName& name : names) out.push_back(name.name);
    return out;
}

/// A whole validation of the text, as the editor runs it; a load error is declined.
inline ScriptOutcome RunScript(const char* text) {
    ScriptOutcome outcome;
    const ValidationResult validation = Validate(text);
    if (validation.load != LoadOutcome::Loaded) {
        outcome.result = "load failed";
        return outcome;
    }
    outcome.result = validation.error ? validation.error->text : Describe(validation.result);
    outcome.externalVariables = Names(validation.externalVariables);
    outcome.externalFunctions = Names(validation.externalFunctions);
    return outcome;
}

/// The report of an error on the only line of a one-line script.
inline std::string OneLineError(const std::string& script, const std::string& message) {
    return "file:'*inline*', line: 1: " + message + "\n\n \n" + script + "\n ";
}

/// The names of a list joined by blanks, as a table row states them.
inline std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : " ") + name;
    return text;
}

/// A script, what it gives and the external names it records; `error` set: `expected` is the
/// message it fails with on its only line.
struct ScriptCase {
    const char* script;
    const char* expected;
    const char* variables = nullptr;  ///< external variables in display order, blank-separated
    const char* functions = nullptr;  ///< external functions in display order, blank-separated
    bool error = false;

    std::string Expected() const { return error ? OneLineError(script, expected) : expected; }
};

/// A row whose script gives the result and records no external name.
constexpr ScriptCase Gives(const char* script, const char* result) { return {script, result, "", ""}; }

/// A row whose script fails with the message on its only line and records no external name.
constexpr ScriptCase Fails(const char* script, const char* message) { return {script, message, "", "", true}; }

inline std::ostream& operator<<(std::ostream& out, const ScriptCase& c) { return out << c.script; }

/// A test name made of the row number and the gist of the script, operators spelled out.
inline std::string ScriptCaseName(const ::testing::TestParamInfo<ScriptCase>& info) {
    return std::to_string(info.index) + "_" + CaseName(info.param.script, 40);
}

/// Checks a whole validation against a row: the result or error and both name lists.
inline void ExpectScriptCase(const ScriptCase& c) {
    ASSERT_TRUE(c.variables != nullptr && c.functions != nullptr) << "the row states no external names";
    const ScriptOutcome outcome = RunScript(c.script);
    EXPECT_EQ(outcome.result, c.Expected());
    EXPECT_EQ(Joined(outcome.externalVariables), c.variables) << "external variables";
    EXPECT_EQ(Joined(outcome.externalFunctions), c.functions) << "external functions";
}

/// Declares a table of ScriptCase rows, run by a test named for the behaviour they share.
#define SCRIPT_TABLE(Suite, Behaviour)                            \
    class Suite : public ::testing::TestWithParam<ScriptCase> {}; \
    TEST_P(Suite, Behaviour) { ExpectScriptCase(GetParam()); }

/// Instantiates a SCRIPT_TABLE with rows, each test named after its script.
#define SCRIPT_ROWS(Group, Suite, ...) \
    INSTANTIATE_TEST_SUITE_P(Group, Suite, ::testing::Values(__VA_ARGS__), ScriptCaseName)
