#include <gtest/gtest.h>

#include "interpreter/ScriptRun.h"

namespace {

SCRIPT_TABLE(Statements, RunAsWritten)

// Each terminator in each run mode: Statement, Paren, Block, Index, Argument, CaseLabel.
SCRIPT_ROWS(Terminators, Statements, ScriptCase{";", "Void", "", ""},
            ScriptCase{"x = 1);", "Encountered invalid ')'", "x", "", true},
            ScriptCase{"x = 1];", "Encountered invalid ']'", "x", "", true},
            ScriptCase{"x = 1 }", "Encountered invalid '}'", "x", "", true},
            ScriptCase{"a ? b : c;", "Encountered invalid ':'", "a b", "", true},
            ScriptCase{"start: return 4;", "Int 4", "start", ""},
            ScriptCase{"int a, b; return (a = 1, b = 2);", "Int 2", "", ""},
            ScriptCase{"return (1;", "Encountered invalid ';'", "", "", true},
            ScriptCase{"return (1 + 2 : 3);", "Encountered invalid ':'", "", "", true},
            ScriptCase{"return (1 ", "Unexpected end of file: Missing ')'", "", "", true},
            ScriptCase{"int x; { x = 1; x = x + 1 } return x;", "Int 2", "", ""},
            ScriptCase{"{ x = 1)", "Encountered invalid ')'", "x", "", true},
            ScriptCase{"{ x = 1 ", "Unexpected end of file: Missing '}'", "x", "", true},
            ScriptCase{"{ a = 1; } b = 2;", "Invalid statement. Missing ';' ?", "a b", "", true},
            ScriptCase{"{ a = 1; }; return 1;", "Int 1", "a", ""},
            ScriptCase{"{ int x }", "Encountered invalid '}'", "", "", true},
            ScriptCase{"{ if (1) while (0) { } } return 3;", "Int 3", "", ""},
            ScriptCase{"int a[3]; a[1;", "Encountered invalid ';'", "", "", true},
            ScriptCase{"int a[3]; a[1, 2];", "Invalid ',' in [] Block", "", "", true},
            ScriptCase{"int a[3]; a[1 ", "Unexpected end of file: Missing ']'", "", "", true},
            ScriptCase{"int a[3]; a[1][2];", "Encountered invalid '['", "", "", true},
            ScriptCase{"f(1;", "Invalid block in function call", "", "", true},
            ScriptCase{"f(1]", "Encountered invalid ']'", "", "", true},
            ScriptCase{"f(1 ", "Unexpected end of file", "", "", true},
            ScriptCase{"int k; switch (k) { case 1 + 1: k = 2; } return k;", "Int 2", "", ""},
            ScriptCase{"switch (1) { case 1; }", "Encountered invalid ';'", "", "", true});

// Undeclared names are recorded once, as first spelled; keywords are case-sensitive.
SCRIPT_ROWS(UndeclaredNames, Statements, ScriptCase{"int x; x = y + f(2); Y = F(y); If (x);", "Void", "y", "f If"});

// Number and string literals as the scanner delimits them.
SCRIPT_ROWS(Literals, Statements, ScriptCase{"return 1e+2 + 2.5E-1;", "Float 100.25", "", ""},
            ScriptCase{"return 2e2e2;", "Invalid statement. Missing ';' ?", "e2", "", true},
            ScriptCase{"return \"a\\Nb\" + \"\\q\";", "String a\nbq", "", ""});

// Declarations, array sizes and indices, and the type keywords.
SCRIPT_ROWS(Declarations, Statements, ScriptCase{"int a, b[10], c = 4; b[9] = 3; return b[9] + c;", "Int 7", "", ""},
            ScriptCase{"int a[0]; a = 5; return a;", "Int 5", "", ""},
            ScriptCase{"int a[3]; a = 7; return a[0];", "Int 7", "", ""},
            ScriptCase{"int a[3]; return a[u];", "Int 0", "u", ""},
            ScriptCase{"int a[3]; return a[-1];", "Index must be positive integer", "", "", true},
            ScriptCase{"int a[3]; return a[1.5];", "Index must be positive integer", "", "", true},
            ScriptCase{"string s = \"ab\"; s[5] = 1; return s + s[0];", "String ab ", "", ""},
            ScriptCase{"int x; int x;", "Variable 'x' already in stack", "", "", true},
            ScriptCase{"(int)x;", "Type conversion only valid as function (missing ';' ?)", "", "", true},
            ScriptCase{"(float)x;", "Type conversion only valid as function", "", "", true},
            ScriptCase{"void (x);", "Invalid 'void'", "", "", true},
            ScriptCase{"int return 1;", "Invalid variable declaration", "", "", true},
            ScriptCase{"x void f() { }", "Invalid position for function decleration", "x", "", true});

TEST(Statements, EndOfTextInsideAStatementNamesItsLine) {
    EXPECT_EQ(RunScript("int x;\r\nx = 1\r\n").result,
              "file:'*inline*', line: 2: Unexpected end of file\n\nint x;\nx = 1\n");
}

}  // namespace
