#include <gtest/gtest.h>

#include "interpreter/ScriptRun.h"

namespace {

SCRIPT_TABLE(Statements, RunAsWritten)

// Each terminator in each run mode: Statement, Paren, Block, Index, Argument, CaseLabel.
SCRIPT_ROWS(Terminators, Statements, Gives(";", "Void"),
            ScriptCase{"x = 1);", "Encountered invalid ')'", "x", "", true},
            ScriptCase{"x = 1];", "Encountered invalid ']'", "x", "", true},
            ScriptCase{"x = 1 }", "Encountered invalid '}'", "x", "", true},
            ScriptCase{"a ? b : c;", "Encountered invalid ':'", "a b", "", true},
            ScriptCase{"start: return 4;", "Int 4", "start", ""}, Gives("int a, b; return (a = 1, b = 2);", "Int 2"),
            Fails("return (1;", "Encountered invalid ';'"), Fails("return (1 + 2 : 3);", "Encountered invalid ':'"),
            Fails("return (1 ", "Unexpected end of file: Missing ')'"),
            Gives("int x; { x = 1; x = x + 1 } return x;", "Int 2"),
            ScriptCase{"{ x = 1)", "Encountered invalid ')'", "x", "", true},
            ScriptCase{"{ x = 1 ", "Unexpected end of file: Missing '}'", "x", "", true},
            ScriptCase{"{ a = 1; } b = 2;", "Invalid statement. Missing ';' ?", "a b", "", true},
            ScriptCase{"{ a = 1; }; return 1;", "Int 1", "a", ""}, Fails("{ int x }", "Encountered invalid '}'"),
            Gives("{ if (1) while (0) { } } return 3;", "Int 3"), Fails("int a[3]; a[1;", "Encountered invalid ';'"),
            Fails("int a[3]; a[1, 2];", "Invalid ',' in [] Block"),
            Fails("int a[3]; a[1 ", "Unexpected end of file: Missing ']'"),
            Fails("int a[3]; a[1][2];", "Encountered invalid '['"), Fails("f(1;", "Invalid block in function call"),
            Fails("f(1]", "Encountered invalid ']'"), Fails("f(1 ", "Unexpected end of file"),
            Gives("int k; switch (k) { case 1 + 1: k = 2; } return k;", "Int 2"),
            Fails("switch (1) { case 1; }", "Encountered invalid ';'"));

// Undeclared names are recorded once, as first spelled; keywords are case-sensitive.
SCRIPT_ROWS(UndeclaredNames, Statements, ScriptCase{"int x; x = y + f(2); Y = F(y); If (x);", "Void", "y", "f If"});

// Number and string literals as the scanner delimits them.
SCRIPT_ROWS(Literals, Statements, Gives("return 1e+2 + 2.5E-1;", "Float 100.25"),
            ScriptCase{"return 2e2e2;", "Invalid statement. Missing ';' ?", "e2", "", true},
            Gives("return \"a\\Nb\" + \"\\q\";", "String a\nbq"));

// Declarations, array sizes and indices, and the type keywords.
SCRIPT_ROWS(Declarations, Statements, Gives("int a, b[10], c = 4; b[9] = 3; return b[9] + c;", "Int 7"),
            Gives("int a[0]; a = 5; return a;", "Int 5"), Gives("int a[3]; a = 7; return a[0];", "Int 7"),
            ScriptCase{"int a[3]; return a[u];", "Int 0", "u", ""},
            Fails("int a[3]; return a[-1];", "Index must be positive integer"),
            Fails("int a[3]; return a[1.5];", "Index must be positive integer"),
            Gives("string s = \"ab\"; s[5] = 1; return s + s[0];", "String ab "),
            Fails("int x; int x;", "Variable 'x' already in stack"),
            Fails("(int)x;", "Type conversion only valid as function (missing ';' ?)"),
            Fails("(float)x;", "Type conversion only valid as function"), Fails("void (x);", "Invalid 'void'"),
            Fails("int return 1;", "Invalid variable declaration"),
            ScriptCase{"x void f() { }", "Invalid position for function decleration", "x", "", true});

TEST(Statements, EndOfTextInsideAStatementNamesItsLine) {
    EXPECT_EQ(RunScript("int x;\r\nx = 1\r\n").result,
              "file:'*inline*', line: 2: Unexpected end of file\n\nint x;\nx = 1\n");
}

}  // namespace
