#include <gtest/gtest.h>

#include <string>

#include "interpreter/ScriptRun.h"

namespace {

SCRIPT_TABLE(Functions, CallAndReturnAsDeclared)

SCRIPT_ROWS(Calls, Functions,
            // a declaration alone runs the body once and records what it uses
            ScriptCase{"void g() { h(); total = 1; }", "Void", "total", "h"},
            Gives("int add(int a, int b) { return a + b; } return ADD(2, 3);", "Int 5"),
            Gives("int f(int x) { return 1; } int f(int x, int y) { return 2; } return f(0) * 10 + f(0, 0);", "Int 12"),
            ScriptCase{"int f(int x) { return 1; } return f(1, 2);", "External", "", "f"},
            Gives("int f() { return 1; } int f() { return 2; } return f();", "Int 1"),
            Gives("int f(int n) { if (n <= 0) return 0; return f(n - 1); } return f(5) + 3;", "Int 3"),
            ScriptCase{"int f(int x) { return x; } return f(u);", "Int 0", "u", ""},
            Gives("int f(float x) { return x; } return f(2.9);", "Int 2"),
            Gives("int g = 5; int f() { int g = 1; return g; } f(); return g;", "Int 5"),
            Gives("int f(string s) { return strlen(s); } return f(\"abcd\");", "Int 4"),
            Gives("int n; void f() { n = n + 1; return; n = 10; } f(); return n;", "Int 2"),
            Gives("float g(int x) { return x; } return g(3) + g(2.5) * 10;", "Float 28"),
            Gives("string s() { return 5; } return s() + \"|\";", "String |"));

// A body without a return, a prototype and endless recursion are met in examples/mistakes.
SCRIPT_ROWS(Refused, Functions, Fails("int g() { return; }", "Invalid return type for function 'g'"),
            Fails("void h() { return 1; }", "Function 'h' can not return a value"),
            Fails("int f(int a, int a) { return a; }", "Variable 'a' already in stack"),
            Fails("int f(int a[3]) { return 0; }", "Invalid function declaration"),
            Fails("int f(x) { return 0; }", "Invalid function declaration"),
            Fails("int f(int int) { return 0; }", "Invalid function declaration"),
            Fails("int f(int x; { return 0; }", "Invalid function declaration"),
            Fails("int f(int x) return 0;", "Invalid function declaration"),
            Fails("int f(int x ", "unexpected end of file"),
            Fails("int f() { return 1; } int f() { while (\"s\") ; return 2; }",
                  "Invalid parameters for 'while' keyword"));

// f1 calls f2 and so on up to the last, which is declared first: declaring f1 runs the whole
// chain, one nested run per function, and so does the call behind it.
std::string Chain(int functions) {
    std::string script = "int f" + std::to_string(functions) + "() { return 1; }";
    for (int k = functions - 1; k >= 1; --k) {
        script += "\r\nint f" + std::to_string(k) + "() { return f" + std::to_string(k + 1) + "(); }";
    }
    return script + "\r\nreturn f1();";
}

TEST(FunctionCall, At256NestedRunsOfDistinctFunctionsTheNextOneOverflows) {
    const ScriptOutcome deepest = RunScript(Chain(256).c_str());
    EXPECT_EQ(deepest.result, "Int 1");
    EXPECT_TRUE(deepest.externalFunctions.empty());
    // The 257th run would start in the body of f257, on the first line.
    EXPECT_EQ(RunScript(Chain(257).c_str()).result,
              "file:'*inline*', line: 1: Stack overflow: more than 256 function iterations\n\n \n"
              "int f257() { return 1; }\nint f256() { return f257(); }");
}

TEST(FunctionDeclaration, ErrorInACallReportsTheBodysLine) {
    EXPECT_EQ(RunScript("int f(int x) {\r\n  return x - 1;\r\n}\r\nf(\"s\");\r\n").result,
              "file:'*inline*', line: 2: Operator '-' not applicable on 'String'\n\n"
              "int f(int x) {\n  return x - 1;\n}");
}

TEST(FunctionDeclaration, OverloadsOfAVeryLongNameStayApart) {
    // The key name@count must keep its count however long the name is.
    for (const int length : {4093, 4094, 4095, 5000}) {
        const std::string name(static_cast<size_t>(length), 'q');
        const std::string script = "int " + name + "(int a) { return 1; }\r\nint " + name +
                                   "(int a, int b) { return 2; }\r\nreturn " + name + "(1) + " + name + "(1, 2) * 10;";
        EXPECT_EQ(RunScript(script.c_str()).result, "Int 21") << length;
    }
}

}  // namespace
