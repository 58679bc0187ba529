#include <gtest/gtest.h>

#include "interpreter/ScriptOutcome.h"

namespace {

// Each statement appends a digit to `a` (a = a * 10 + d), so the value shows what ran and
// in which order.
constexpr IntCase kRunOrder[] = {
    {"int a; if (0) a = a * 10 + 1; else a = a * 10 + 2; return a;", 12},
    {"int a; if (1) { a = a * 10 + 1; } else { a = a * 10 + 2; } a = a * 10 + 3; return a;", 123},
    {"int a; int b; { if (b) { a = 1; } else { a = 2; } }; return a;", 2},
    {"int a; if (0) a = 1; a = a * 10 + 5; return a;", 15},
    {"int x; while (0) x = x + 1; return x;", 1},
    {"while (1) { } return 7;", 7},
    {"int x; do x++; while (x < 3); return x;", 1},
    {"int x; do { x = x + 1; } while (x); return x;", 1},
    {"int i; int y; for (i = 5; i < 10; i++) y = 1 / 0; return i * 10 + y;", 50},
    {"for (;;) { } return 3;", 3},
    {"for (int i = 4; i < 3; i++) { } return i;", 4},
    {"int a; for (;;) if (a) a = 1; else a = 2; return a + 9;", 9},
    {"int a; int k; switch (k) { case 1: a = a * 10 + 1; break; case 2: a = a * 10 + 2;"
     " default: a = a * 10 + 3; } return a;", 1233},
    {"int a; int k; switch (k) { default: a = a * 10 + 3; case 1: a = a * 10 + 1; } return a;",
     131},
    {"int a; int k; switch (k) { case 1 + 1: a = 4; } return a;", 4},
    {"int a; int k; switch (k) { a = 5; } return a;", 0},
    {"int a; break; continue; a = 6; return a;", 6},
    {"exit(1); return 4;", 4},
    {"default: return 8;", 8},
    {"int f() { while (1) { return 5; } } return f();", 5},
    {"int f() { if (1) { return 1; x = 1 / 0; } return 2; } return f();", 1},
    {"int f() { int a; switch (a) { case 0: return 6; } return 0; } return f();", 6},
    {"int a = 2; return a; a = 1 / 0;", 2},
    {"void f() { for (;;) while (1) { } } f(); return 1;", 1},
    {"if (undeclared) ; return 1;", 1},
};

TEST(ControlFlow, EveryBranchAndBodyRunsOnceInTextOrder) {
    for (const IntCase& c : kRunOrder) {
        SCOPED_TRACE(c.script);
        const ScriptOutcome outcome = RunScript(c.script);
        ASSERT_FALSE(outcome.failed) << outcome.message;
        EXPECT_EQ(outcome.result.type, ValueType::Int);
        EXPECT_EQ(outcome.result.i, c.expected);
    }
}

constexpr ErrorCase kRefused[] = {
    {"if (\"x\") ;", "Invalid parameters for 'if' keyword"},
    {"if x;", "Keyword 'if' without paramters"},
    {"int a; int b; int c; int d; if (a) while (b) c; else d;", "Misplaced 'else'"},
    {"int a; int d; if (a) break; else d;", "Misplaced 'else'"},
    {"int a; int b; int c; int d; int e; if (a) if (b) c; else d; else e;", "Misplaced 'else'"},
    {"int a; else a = 1;", "Misplaced 'else'"},
    {"while x;", "Keyword 'while' without parameters"},
    {"while (\"s\") ;", "Invalid parameters for 'while' keyword"},
    {"int x; do { } until (x);", "'do' without valid 'while'"},
    {"int x; do { } while x;", "'do' without valid 'while'"},
    {"do ; while (\"s\");", "Invalid parameters for 'while' keyword"},
    {"for x;", "'for' without parameters"},
    {"for (; \"s\";) { }", "Invalid condition argument in 'for'"},
    {"int x; int k; x = switch (k) { }", "Invalid 'switch'"},
    {"int k; switch k;", "'switch' without parameter block"},
    {"int k; switch (k) k;", "Invalid 'switch' block - '{' not found"},
    {"int k; int a; switch (k) { case 1: a = 1; case 1 + 1: a = 2; }", "Invalid 'case' keyword"},
    {"int k; switch (k) { default a; }", "Invalid 'default' keyword"},
    {"int k; int a; switch (k) { a = 1;", "End of file reached in switch block"},
    {"int k; switch (k) { case ", "Invalid 'case' argument"},
    {"int x; break x;", "Invalid break statement"},
    {"continue 1;", "Invalid continue statement"},
    {"int x; { return x }", "Encountered invalid '}'"},
};

TEST(ControlFlow, MalformedStatementsFailWithTheirMessage) {
    for (const ErrorCase& c : kRefused) {
        SCOPED_TRACE(c.script);
        const ScriptOutcome outcome = RunScript(c.script);
        ASSERT_TRUE(outcome.failed);
        EXPECT_EQ(outcome.message, c.message);
    }
}

// Text that is passed over is not run, but its structure is still checked.
constexpr ErrorCase kSkippedButChecked[] = {
    {"for (;;) { ) }", "Encountered invalid ')'"},
    {"for (;;) ]", "Encountered invalid ']'"},
    {"for (;;) x }", "Encountered invalid '}'"},
    {"for (;;) { x;", "Unexpected end of file: Missing '}'"},
    {"for (;; i++ ", "Unexpected end of file: Missing ')'"},
    {"for (;;) x[1;", "Unexpected end of file: Missing ']'"},
    {"for (;;) { x; else y; }", "Misplaced 'else'"},
    {"for (;;) if x;", "Keyword 'if' without paramters"},
    {"for (;;) { $ }", "Encountered invalid character: $ (36)"},
};

TEST(ControlFlow, SkippedTextIsCheckedForStructure) {
    for (const ErrorCase& c : kSkippedButChecked) {
        SCOPED_TRACE(c.script);
        const ScriptOutcome outcome = RunScript(c.script);
        ASSERT_TRUE(outcome.failed);
        EXPECT_EQ(outcome.message, c.message);
    }
}

TEST(ControlFlow, SkippedStatementEndsInFrontOfTheNextStatementAfterAnIf) {
    // The for body is "if (a) b = 1;"; the next statement must run, once.
    const ScriptOutcome outcome = RunScript("int a; int b; int c; for (;;) if (a) b = 1; c = c + 1; return b * 10 + c;");
    ASSERT_FALSE(outcome.failed) << outcome.message;
    EXPECT_EQ(outcome.result.i, 1);
}

TEST(ControlFlow, BareReturnEndsTheScriptWithVoid) {
    const ScriptOutcome outcome = RunScript("return; x = 1 / 0;");
    ASSERT_FALSE(outcome.failed) << outcome.message;
    EXPECT_EQ(outcome.result.type, ValueType::Void);
}

TEST(ControlFlow, ErrorInAnElseBranchReportsItsLine) {
    const ScriptOutcome outcome = RunScript("int a;\r\nif (a) a = 1;\r\nelse a = \"s\";\r\n");
    ASSERT_TRUE(outcome.failed);
    EXPECT_EQ(outcome.line, 3);
}

}  // namespace
