#include "interpreter/ScriptOutcome.h"

namespace {

constexpr ValueType Int = ValueType::Int;

constexpr ResultCase kCalls[] = {
    {"int add(int a, int b) { return a + b; } return ADD(2, 3);", Int, 5},
    {"int f(int x) { return 1; } int f(int x, int y) { return 2; } return f(0) * 10 + f(0, 0);", Int, 12},
    {"int f() { return 1; } int f() { return 2; } return f();", Int, 1},
    {"int f(int n) { if (n <= 0) return 0; return f(n - 1); } return f(5) + 3;", Int, 3},
    {"int f(int x) { return x; } return f(undeclared);", Int, 0},
    {"int f(float x) { return x; } return f(2.9);", Int, 2},
    {"int g = 5; int f() { int g = 1; return g; } f(); return g;", Int, 5},
    {"int f(string s) { return strlen(s); } return f(\"abcd\");", Int, 4},
    {"int n; void f() { n = n + 1; return; n = 10; } f(); return n;", Int, 2},
    {"float g(int x) { return x; } return g(3);", ValueType::Float, 3.0},
    {"float g(int x) { return x; } return g(2.5);", ValueType::Float, 2.5},
    {"string s() { return 5; } return s();", ValueType::String, 0, ""},
    {"int f(int x) { return 1; } return f(1, 2);", ValueType::External, 0},
};

TEST(Functions, CallsReachTheBodyOfTheirNameAndArity) { ExpectResults(kCalls); }

constexpr ErrorCase kRefused[] = {
    {"int g() { }", "Invalid return type for function 'g'"},
    {"int g() { return; }", "Invalid return type for function 'g'"},
    {"void h() { return 1; }", "Function 'h' can not return a value"},
    {"int f(int n) { return f(n - 1); }", "Stack overflow: more than 256 function iterations"},
    {"int f(int n) { if (n > 0) return f(n - 1); return 0; }",
     "Stack overflow: more than 256 function iterations"},
    {"int f(int x);", "Function prototypes not supported"},
    {"int f(int a, int a) { return a; }", "Variable 'a' already in stack"},
    {"int f(int a[3]) { return 0; }", "Invalid function declaration"},
    {"int f(x) { return 0; }", "Invalid function declaration"},
    {"int f(int int) { return 0; }", "Invalid function declaration"},
    {"int f(int x; { return 0; }", "Invalid function declaration"},
    {"int f(int x) return 0;", "Invalid function declaration"},
    {"int f(int x ", "unexpected end of file"},
    {"int f() { return 1; } int f() { while (\"s\") ; return 2; }", "Invalid parameters for 'while' keyword"},
    {"int x; x = g(1;", "Invalid block in function call"},
};

TEST(Functions, BadDeclarationsAndResultsFailWithTheirMessage) { ExpectErrors(kRefused); }

TEST(Functions, DeclarationValidatesTheBodyOnce) {
    // g is never called, yet the names its body uses are already recorded.
    ScriptReader engine;
    const ScriptOutcome outcome = RunScript(engine, "void g() { h(); total = 1; }");
    ASSERT_FALSE(outcome.failed) << outcome.message;
    EXPECT_NE(engine.externalFunctions.Find("h"), nullptr);
    EXPECT_NE(engine.externalVariables.Find("total"), nullptr);
}

TEST(Functions, ErrorInsideABodyReportsTheBodysLine) {
    const ScriptOutcome outcome = RunScript("int f(int x) {\r\n  return x - 1;\r\n}\r\nf(\"s\");\r\n");
    ASSERT_TRUE(outcome.failed);
    EXPECT_EQ(outcome.line, 2);
}

}  // namespace
