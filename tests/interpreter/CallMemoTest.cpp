// Calls answered from an earlier identical call: fast where nothing can tell, and run again
// wherever running would show, so that every result, message and name stays as it was.
#include <gtest/gtest.h>

#include <string>

#include "Validation.h"
#include "interpreter/CallMemo.h"

namespace {

std::string Chain(const std::string& prefix, int count, const std::string& last) {
    std::string text;
    for (int k = 0; k < count; ++k) {
        const std::string next = k + 1 < count ? prefix + std::to_string(k + 1) + "(n)" : last;
        text += "int " + prefix + std::to_string(k) + "(int n) { return " + next + "; }\r\n";
    }
    return text;
}

TEST(CallMemo, APureDoublingChainOfFortyLevelsFinishes) {
    std::string script = "int f0(int n) { return n; }\r\n";
    for (int k = 1; k <= 40; ++k) {
        const std::string below = "f" + std::to_string(k - 1) + "(n)";
        script += "int f" + std::to_string(k) + "(int n) { return " + below + " + " + below + "; }\r\n";
    }
    ValidationOptions options;
    options.timeLimitSeconds = 60;  // 2^40 calls if each ran
    const ValidationResult result = Validate(script + "return f40(1) + f30(1);\r\n", options);
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.result.i, 1 << 30);  // 2^40 wraps to 0
}

CallMemo::Outcome OutcomeOf(int n) {
    CallMemo::Outcome outcome;
    outcome.result = Value::MakeInt(n);
    outcome.deeperCalls = n;
    return outcome;
}

// The memo's own table: a call is found only under its function and every argument's type and
// bytes, thousands of calls in a row find their own outcomes, and past its room it starts over.
TEST(CallMemo, FindsEachCallUnderItsWholeKeyAndStartsOverWhenFull) {
    CallMemo memo;
    const int functions[2] = {};
    const Value one[] = {Value::MakeInt(1)};
    const Value oneAsFloat[] = {Value::MakeFloat(1.0)};
    const Value zero[] = {Value::MakeFloat(0.0)};
    const Value minusZero[] = {Value::MakeFloat(-0.0)};
    EXPECT_EQ(memo.Find(&functions[0], one, 1), nullptr);
    memo.Add(&functions[0], one, 1, OutcomeOf(1));
    memo.Add(&functions[0], zero, 1, OutcomeOf(2));
    memo.Add(&functions[0], one, 1, OutcomeOf(3));  // the same call again: its outcome is replaced
    ASSERT_NE(memo.Find(&functions[0], one, 1), nullptr);
    EXPECT_EQ(memo.Find(&functions[0], one, 1)->result.i, 3);
    EXPECT_EQ(memo.Find(&functions[0], zero, 1)->result.i, 2);
    EXPECT_EQ(memo.Find(&functions[1], one, 1), nullptr);
    EXPECT_EQ(memo.Find(&functions[0], oneAsFloat, 1), nullptr);
    EXPECT_EQ(memo.Find(&functions[0], minusZero, 1), nullptr);
    EXPECT_EQ(memo.Find(&functions[0], one, 0), nullptr);

    // 4,096 calls fill it, counting the two above; the next one starts it over.
    constexpr int kRoom = 4096;
    for (int n = 0; n < kRoom - 2; ++n) {
        const Value arguments[] = {Value::MakeInt(n), Value::MakeInt(n * 7)};
        memo.Add(&functions[1], arguments, 2, OutcomeOf(n));
    }
    for (int n = 0; n < kRoom - 2; ++n) {
        const Value arguments[] = {Value::MakeInt(n), Value::MakeInt(n * 7)};
        const CallMemo::Outcome* found = memo.Find(&functions[1], arguments, 2);
        ASSERT_NE(found, nullptr) << n;
        EXPECT_EQ(found->deeperCalls, n);
    }
    EXPECT_NE(memo.Find(&functions[0], one, 1), nullptr);
    const Value last[] = {Value::MakeInt(-1)};
    memo.Add(&functions[1], last, 1, OutcomeOf(9));
    EXPECT_EQ(memo.Find(&functions[0], one, 1), nullptr);
    EXPECT_EQ(memo.Find(&functions[1], one, 1), nullptr);
    ASSERT_NE(memo.Find(&functions[1], last, 1), nullptr);
    memo.Clear();
    EXPECT_EQ(memo.Find(&functions[1], last, 1), nullptr);
}

struct RunAgainCase {
    const char* name;
    std::string script;
    int line;             ///< where the error must be found, 0 for none
    const char* message;  ///< the bare message, or the result's Int when line is 0
};

std::ostream& operator<<(std::ostream& out, const RunAgainCase& c) { return out << c.name; }

class RunAgain : public ::testing::TestWithParam<RunAgainCase> {};

TEST_P(RunAgain, WhereTheRunWouldShow) {
    const RunAgainCase& c = GetParam();
    ValidationOptions options;
    options.memoryLimitBytes = std::size_t{2} << 20;
    const ValidationResult result = Validate(c.script, options);
    if (c.line == 0) {
        EXPECT_TRUE(result.ok) << result.message;
        EXPECT_EQ(result.result.i, std::stoi(c.message));
        return;
    }
    ASSERT_TRUE(result.error.has_value()) << result.message;
    EXPECT_EQ(result.error->message, c.message);
    EXPECT_EQ(result.error->line, c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, RunAgain,
    ::testing::Values(
        // c0(1) needs 200 calls on the stack; under 60 more it would need 260.
        RunAgainCase{"DeeperThanTheFirstTime", Chain("c", 200, "n") + Chain("w", 60, "c0(n)") + "c0(1);\r\nw0(1);\r\n",
                     196, "Stack overflow: more than 256 function iterations"},
        // g's array fits alone, not on top of h's.
        RunAgainCase{"WithLessMemoryLeftThanTheFirstTime",
                     "int g(int n) {\r\n int a[200000];\r\n return n;\r\n}\r\n"
                     "int h(int n) {\r\n int b[350000];\r\n return g(n);\r\n}\r\ng(1);\r\nh(1);\r\n",
                     2, "Memory limit exceeded: array 'a' of 200000 elements does not fit in 2097152 bytes"},
        RunAgainCase{
            "ThatCountsInAGlobal",
            "int calls;\r\nint f(int n) { calls = calls + 1; return n; }\r\nf(1); f(1); f(1);\r\nreturn calls;", 0,
            "4"},  // three calls and the declaration's own pass
        // x(1) ran with c0(1) answered from memory, yet it needs 201 calls: 61 deep it must run
        // again, and so must c0.
        RunAgainCase{"DeeperThanAPartRememberedBefore",
                     Chain("c", 200, "n") + "int x(int n) { return c0(n); }\r\n" + Chain("w", 60, "x(n)") +
                         "c0(1);\r\nx(1);\r\nw0(1);\r\n",
                     195, "Stack overflow: more than 256 function iterations"},
        // The same with memory: x(1) ran with g(1) answered from memory, yet holds g's array,
        // which does not fit beside h(1)'s (h's own declaration pass declares a scalar).
        RunAgainCase{"WithLessMemoryLeftThanAPartRememberedBefore",
                     "int g(int n) {\r\n int a[200000];\r\n return n;\r\n}\r\nint x(int n) { return g(n); }\r\n"
                     "int h(int n) {\r\n int b[n * 350000];\r\n return x(n);\r\n}\r\ng(1);\r\nx(1);\r\nh(1);\r\n",
                     2, "Memory limit exceeded: array 'a' of 200000 elements does not fit in 2097152 bytes"},
        // g's sqrt goes to the SQRT declared after g's first call, which must run g again.
        RunAgainCase{"AfterAFunctionTakesTheCallsOfABuiltIn",
                     "int g(int n) { return sqrt(n); }\r\nint a;\r\na = g(16);\r\n"
                     "int SQRT(int n) { return 7; }\r\nreturn a * 100 + g(16);",
                     0, "407"},
        RunAgainCase{"ThatReadsAGlobalWhichChanged",
                     "int base;\r\nint f(int n) { return base + n; }\r\nbase = 1; int a; a = f(1);\r\n"
                     "base = 10; return a + f(1);",
                     0, "13"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CallMemo, ARandomDrawIsDrawnOnEveryCall) {
    const ValidationResult result = Validate("float r(int n) { return rand(); }\r\nr(1); r(1); r(1);\r\n");
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.randomDraws, 4u);  // the declaration's own pass draws once too
}

// An error just behind a call points where it would have pointed had the call run.
TEST(CallMemo, AnErrorBehindARememberedCallIsPlacedAsBehindARunOne) {
    const std::string declare = "int f(int n) { return n * 2; }\r\nint x;\r\nx = f(3);\r\n";
    for (const char* behind : {" * \"a\";", " y;", ");", " +;"}) {
        const ValidationResult remembered = Validate(declare + "x = f(3)" + behind + "\r\n");
        const ValidationResult run = Validate(declare + "x = f(4)" + behind + "\r\n");
        ASSERT_TRUE(run.error.has_value()) << behind;
        ASSERT_TRUE(remembered.error.has_value()) << behind;
        EXPECT_EQ(remembered.error->message, run.error->message) << behind;
        EXPECT_EQ(remembered.error->line, run.error->line) << behind;
        EXPECT_EQ(remembered.error->column, run.error->column) << behind;
        std::string message = run.message;
        message.replace(message.rfind("f(4)"), 4, "f(3)");  // the context line shows the call
        EXPECT_EQ(remembered.message, message) << behind;
    }
}

}  // namespace
