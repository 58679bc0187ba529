// A validation stops where its caller's limits say: a cancel flag, a time limit, a memory
// limit; a run within them ends as it would without them. The hostile scripts are generated
// here; each would otherwise run for hours or take gigabytes.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <ostream>
#include <string>
#include <thread>

#include "Validation.h"
#include "interpreter/ScriptRun.h"
#include "support/ScriptText.h"

namespace {

struct StopCase {
    const char* name;
    std::string script;
    std::size_t memoryLimitBytes;
    int line;             ///< 1-based line the error must name
    const char* message;  ///< the bare message
};

std::ostream& operator<<(std::ostream& out, const StopCase& c) { return out << c.name; }

class MemoryLimit : public ::testing::TestWithParam<StopCase> {};

TEST_P(MemoryLimit, EndsTheRunWithALocatedMessage) {
    const StopCase& c = GetParam();
    ValidationOptions options;
    options.memoryLimitBytes = c.memoryLimitBytes;
    const ValidationResult result = Validate(c.script, options);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.stop, StopReason::MemoryLimit);
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->message, c.message);
    EXPECT_EQ(result.error->line, c.line);
    EXPECT_EQ(result.error->component, "ScriptReader");
    EXPECT_EQ(
        result.error->text.rfind("file:'*inline*', line: " + std::to_string(c.line) + ": " + c.message + "\n\n", 0),
        0u);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, MemoryLimit,
    ::testing::Values(
        StopCase{"ThreeHundredMillionElements", "int x;\r\nint a[300000000];\r\n", kDefaultMemoryLimitBytes, 2,
                 "Memory limit exceeded: array 'a' of 300000000 elements does not fit in 1073741824 bytes"},
        StopCase{"LargestIndex", "int a[2147483647];", kDefaultMemoryLimitBytes, 1,
                 "Memory limit exceeded: array 'a' of 2147483647 elements does not fit in 1073741824 bytes"},
        StopCase{"StringDoubledThirtyTimes",
                 "string s;\r\ns = \"abcdefghijklmnop\";\r\n" + Repeat("s = s + s;\r\n", 30), std::size_t{1} << 20,
                 2 + 14, "Memory limit exceeded: the validation needs more than 1048576 bytes"},
        StopCase{"LocalArrayInRecursion", "int f(int n) {\r\n  int a[100000];\r\n  return f(n);\r\n}",
                 std::size_t{16} << 20, 2,
                 "Memory limit exceeded: array 'a' of 100000 elements does not fit in 16777216 bytes"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(TimeLimit, StopsADoublingChainWithALocatedMessage) {
    const std::string script = DoublingChain(40) + "return f40(1);\r\n";
    ValidationOptions options;
    options.timeLimitSeconds = 0.2;
    const ValidationResult result = Validate(script, options);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.stop, StopReason::TimeLimit);
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->message, "Time limit exceeded: the validation ran longer than 0.2 seconds");
    EXPECT_GE(result.error->line, 1);
    EXPECT_LE(result.error->line, 43);
    EXPECT_EQ(result.message.rfind("ScriptReader: file:'*inline*', line: ", 0), 0u);
}

TEST(Cancel, AFlagSetBeforehandStopsAtTheFirstToken) {
    const std::atomic<bool> cancel{true};
    ValidationOptions options;
    options.cancel = &cancel;
    const ValidationResult result = Validate("int a;\r\na = 1;", options);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.stop, StopReason::Cancelled);
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->message, "Validation cancelled");
    EXPECT_EQ(result.error->line, 1);
    EXPECT_EQ(result.error->column, 1);
    EXPECT_TRUE(result.externalVariables.empty());
}

TEST(Cancel, AnotherThreadStopsARunThatWouldNeverEnd) {
    std::atomic<bool> cancel{false};
    std::thread canceller([&cancel] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        cancel.store(true);
    });
    ValidationOptions options;
    options.cancel = &cancel;
    const ValidationResult result = Validate(DoublingChain(40) + "f40(1);", options);
    canceller.join();
    EXPECT_EQ(result.stop, StopReason::Cancelled);
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->message, "Validation cancelled");
}

struct WithinCase {
    const char* name;
    std::string script;
    std::size_t memoryLimitBytes;
    double timeLimitSeconds;
    bool cancelFlag;        ///< an unset cancel flag is handed over
    const char* result;     ///< as Describe writes it
    const char* variables;  ///< the external variables, blank-separated
};

std::ostream& operator<<(std::ostream& out, const WithinCase& c) { return out << c.name; }

class WithinLimits : public ::testing::TestWithParam<WithinCase> {};

TEST_P(WithinLimits, ARunThatKeepsToThemEndsAsWithoutThem) {
    const WithinCase& c = GetParam();
    const std::atomic<bool> cancel{false};
    ValidationOptions options;
    options.memoryLimitBytes = c.memoryLimitBytes;
    options.timeLimitSeconds = c.timeLimitSeconds;
    if (c.cancelFlag) options.cancel = &cancel;
    const ValidationResult result = Validate(c.script, options);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.message, "Validation successful");
    EXPECT_EQ(result.stop, StopReason::None);
    EXPECT_EQ(Describe(result.result), c.result);
    EXPECT_EQ(Joined(Names(result.externalVariables)), c.variables);
}

constexpr std::size_t kMiB = std::size_t{1} << 20;

INSTANTIATE_TEST_SUITE_P(
    Scripts, WithinLimits,
    ::testing::Values(
        // Each call's array is freed at its return, so ten calls need no more than one.
        WithinCase{"WhatIsHeldNotWhatWasEverAllocatedCounts",
                   "void f() { int a[100000]; }\r\n" + Repeat("f();\r\n", 10) + "string s; s = \"" +
                       std::string(1000, 'x') + "\";\r\n" + Repeat("s = s + \"y\";\r\n", 2000),
                   6 * kMiB, 0, false, "Void", ""},
        // An element costs its payload alone: each of these would need ten times the limit if
        // it were held as a whole value.
        WithinCase{"AnIntElementCostsItsPayload", "int a[400000]; a[399999] = 7; return a[399999] + a[0];", 2 * kMiB, 0,
                   false, "Int 7", ""},
        WithinCase{"AFloatElementCostsItsPayload", "float a[200000]; a[5] = 2.5; return a[5];", 2 * kMiB, 0, false,
                   "Float 2.5", ""},
        WithinCase{"AStringElementCostsItsPayload", "string a[60000]; a[1] = \"xy\"; return a[1] + a[0];", 2 * kMiB, 0,
                   false, "String xy", ""},
        WithinCase{"ZeroMemoryLimitMeansNone", "int a[100000]; string s; s = \"abc\"; s = s + s;\r\n", 0, 0, false,
                   "Void", ""},
        WithinCase{"WithinTheTimeLimit", DoublingChain(3) + "return f3(1);", kDefaultMemoryLimitBytes, 60, false,
                   "Int 8", ""},
        WithinCase{"AnUnsetCancelFlag", "int x; x = y + f(2);", kDefaultMemoryLimitBytes, 0, true, "Void", "y"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
