#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <sstream>

#include "interpreter/ScriptOutcome.h"
#include "values/MersenneTwister.h"

namespace {

/// A built-in call and the value it must give: number for Int and Float, text for String.
struct BuiltinCase {
    const char* call;
    ValueType type;
    double number;
    const char* text;
};

ScriptOutcome Evaluate(const std::string& call) {
    return RunScript("return " + call + ";");
}

const BuiltinCase kResults[] = {
    {"int(3.9)", ValueType::Int, 3, nullptr},
    {"int(-3.9)", ValueType::Int, -3, nullptr},
    {"int(\"42abc\")", ValueType::Int, 42, nullptr},
    {"int(\"abc\")", ValueType::Int, 0, nullptr},
    {"int(undeclared)", ValueType::Int, 0, nullptr},
    {"float(\"2.5e1\")", ValueType::Float, 25.0, nullptr},
    {"float(7)", ValueType::Float, 7.0, nullptr},
    {"string(7)", ValueType::String, 0, "7"},
    {"string(-2147483647 - 1)", ValueType::String, 0, "-2147483648"},
    {"string(0.5)", ValueType::String, 0, "0.5"},
    {"string(1e-5)", ValueType::String, 0, "1e-05"},
    {"string(undeclared)", ValueType::String, 0, ""},
    {"strtrim(\"abcdef\", 1, 3)", ValueType::String, 0, "bcd"},
    {"strtrim(\"abcdef\", -5, 2)", ValueType::String, 0, "abc"},
    {"strtrim(\"abcdef\", 4, 100)", ValueType::String, 0, "ef"},
    {"strtrim(\"abcdef\", 3, 1)", ValueType::String, 0, ""},
    {"strtrim(\"abcdef\", \"x\", 1.9)", ValueType::String, 0, "ab"},
    {"strtrim(\"\", 0, 5)", ValueType::String, 0, ""},
    {"strlen(\"abc\")", ValueType::Int, 3, nullptr},
    {"sqrt(4)", ValueType::Float, 2.0, nullptr},
    {"log(0)", ValueType::Float, -HUGE_VAL, nullptr},
    {"pow(2, 10)", ValueType::Float, 1024.0, nullptr},
    {"pow(10, 0.1)", ValueType::Float, std::pow(10.0, static_cast<double>(0.1f)), nullptr},
    {"pow(\"x\", 2)", ValueType::Float, 0.0, nullptr},
    {"pow(1e300, 1)", ValueType::Float, HUGE_VAL, nullptr},
    {"DEG(1)", ValueType::Float, 57.295780181884766, nullptr},
    {"RAD(180)", ValueType::Float, 3.1415922939777374, nullptr},
    {"DEG(\"x\")", ValueType::Float, 0.0, nullptr},
};

TEST(Builtins, ComputeTheirDocumentedResults) {
    for (const BuiltinCase& c : kResults) {
        SCOPED_TRACE(c.call);
        const ScriptOutcome outcome = Evaluate(c.call);
        ASSERT_FALSE(outcome.failed) << outcome.message;
        ASSERT_EQ(outcome.result.type, c.type);
        switch (c.type) {
        case ValueType::Int: EXPECT_EQ(outcome.result.i, c.number); break;
        case ValueType::Float: EXPECT_EQ(outcome.result.f, c.number); break;
        default: EXPECT_STREQ(outcome.result.text.CStr(), c.text); break;
        }
    }
}

TEST(Builtins, DomainErrorsGiveNotANumber) {
    for (const char* call : {"sqrt(-1)", "log(-1)", "asin(2)", "acos(-2)"}) {
        SCOPED_TRACE(call);
        const ScriptOutcome outcome = Evaluate(call);
        ASSERT_FALSE(outcome.failed) << outcome.message;
        EXPECT_TRUE(std::isnan(outcome.result.f));
    }
}

constexpr ErrorCase kRefused[] = {
    {"return strlen(5);", "Invalid parameters for function 'strlen'"},
    {"return sqrt(\"4\");", "Invalid parameters for function 'sqrt'"},
    {"return sqrt(undeclared);", "Invalid parameters for function 'sqrt'"},
    {"return sin();", "Invalid parameters for function 'sin'"},
    {"return int(1, 2);", "Invalid parameters for function 'int'"},
    {"return pow(1);", "Invalid parameters for function 'pow'"},
    {"return strtrim(1, 2, 3);", "Invalid parameters for function 'strtrim'"},
    {"void f() { } return float(f());", "Can not convert 'Void' to 'Float'"},
    {"void f() { } return int(f());", "Can not convert 'Void' to 'Int'"},
    {"void f() { } return string(f());", "Can not convert 'Void' to 'String'"},
};

TEST(Builtins, WrongArgumentsFailWithTheirMessage) {
    for (const ErrorCase& c : kRefused) {
        SCOPED_TRACE(c.script);
        const ScriptOutcome outcome = RunScript(c.script);
        ASSERT_TRUE(outcome.failed);
        EXPECT_EQ(outcome.message, c.message);
    }
}

TEST(Builtins, UnknownNamesAreExternalFunctionsRecordedOnce) {
    ScriptReader engine;
    const ScriptOutcome outcome = RunScript(engine, "Foo(1); foo(2); Sqrt(4); DEG(1, 2); return FLOAT(1);");
    ASSERT_FALSE(outcome.failed) << outcome.message;
    EXPECT_EQ(outcome.result.type, ValueType::External);
    int names = 0;
    engine.externalFunctions.ResetWalk();
    for (CharBuffer name; engine.externalFunctions.NextEntry(&name);) ++names;
    EXPECT_EQ(names, 4);
    EXPECT_STREQ(engine.externalFunctions.Find("foo")->key.CStr(), "Foo");
    EXPECT_NE(engine.externalFunctions.Find("DEG"), nullptr);
}

TEST(Builtins, UserFunctionHidesTheBuiltinOfItsArity) {
    const ScriptOutcome outcome = RunScript("float sqrt(float x) { return 7; } return sqrt(4) + sqrt();");
    ASSERT_TRUE(outcome.failed);
    EXPECT_EQ(outcome.message, "Invalid parameters for function 'sqrt'");
    const ScriptOutcome hidden = RunScript("float sqrt(float x) { return 7; } return sqrt(4);");
    ASSERT_FALSE(hidden.failed) << hidden.message;
    EXPECT_EQ(hidden.result.f, 7.0);
}

/// First output of MT19937 after the 1998 seeding routine, computed by the standard
/// library's engine from the state that routine produces.
uint32_t ReferenceFirstOutput(uint32_t seed) {
    std::ostringstream state;
    for (int k = 0; k < 624; ++k) {
        uint32_t word = seed & 0xffff0000u;
        seed = 69069u * seed + 1u;
        word |= (seed & 0xffff0000u) >> 16;
        seed = 69069u * seed + 1u;
        state << word << ' ';
    }
    // The index 624 tells the engine that the words are a full, not yet twisted state.
    state << 624;
    std::mt19937 reference;
    std::istringstream(state.str()) >> reference;
    return static_cast<uint32_t>(reference());
}

TEST(Builtins, RandStartsWithTheReferenceSequenceSeededWith4357) {
    MersenneTwister::ResetForTesting();
    const ScriptOutcome first = Evaluate("rand()");
    ASSERT_FALSE(first.failed) << first.message;
    EXPECT_EQ(first.result.type, ValueType::Float);
    EXPECT_EQ(first.result.f, ReferenceFirstOutput(4357) / 4294967295.0);

    // Arguments are ignored, and the state continues across engines.
    MersenneTwister::ResetForTesting();
    EXPECT_EQ(Evaluate("rand(1, 2)").result.f, first.result.f);
    EXPECT_NE(Evaluate("rand()").result.f, first.result.f);
}

}  // namespace
