// A validation stops where its caller's limits say: a cancel flag, a time limit, a memory
// limit. The hostile scripts are generated here; each would otherwise run for hours or take
// gigabytes.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
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

TEST(MemoryLimit, CountsWhatIsHeldNotWhatWasEverAllocated) {
    // Each call's array is freed at its return, so ten calls need no more than one.
    const std::string script = "void f() { int a[100000]; }\r\n" + Repeat("f();\r\n", 10) + "string s; s = \"" +
                               std::string(1000, 'x') + "\";\r\n" + Repeat("s = s + \"y\";\r\n", 2000);
    ValidationOptions options;
    options.memoryLimitBytes = std::size_t{6} << 20;
    const ValidationResult result = Validate(script, options);
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.stop, StopReason::None);
}

// An element costs its payload alone: each of these would need ten times the limit if it
// were held as a whole value.
TEST(MemoryLimit, AnArrayElementCostsItsPayload) {
    const struct {
        const char* script;
        const char* result;
    } rows[] = {{"int a[400000]; a[399999] = 7; return a[399999] + a[0];", "Int 7"},
                {"float a[200000]; a[5] = 2.5; return a[5];", "Float 2.5"},
                {"string a[60000]; a[1] = \"xy\"; return a[1] + a[0];", "String xy"}};
    for (const auto& row : rows) {
        ValidationOptions options;
        options.memoryLimitBytes = std::size_t{2} << 20;
        const ValidationResult result = Validate(row.script, options);
        EXPECT_TRUE(result.ok) << row.script << ": " << result.message;
        EXPECT_EQ(Describe(result.result), row.result);
    }
}

TEST(MemoryLimit, ZeroMeansNone) {
    ValidationOptions options;
    options.memoryLimitBytes = 0;
    const ValidationResult result = Validate("int a[100000]; string s; s = \"abc\"; s = s + s;\r\n", options);
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.stop, StopReason::None);
}

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

TEST(TimeLimit, LeavesAScriptWithinItAlone) {
    ValidationOptions options;
    options.timeLimitSeconds = 60;
    const ValidationResult result = Validate(DoublingChain(3) + "return f3(1);", options);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.stop, StopReason::None);
    EXPECT_EQ(result.result.i, 8);
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

TEST(Cancel, AnUnsetFlagChangesNothing) {
    const std::atomic<bool> cancel{false};
    ValidationOptions options;
    options.cancel = &cancel;
    const ValidationResult result = Validate("int x; x = y + f(2);", options);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.message, "Validation successful");
    ASSERT_EQ(result.externalVariables.size(), 1u);
    EXPECT_EQ(result.externalVariables[0].name, "y");
}

}  // namespace
