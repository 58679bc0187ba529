#include <gtest/gtest.h>

#include "interpreter/ScriptRun.h"

namespace {

SCRIPT_TABLE(ControlFlow, RunsEveryBranchOnce)

// Statements append a digit to `a` (a = a * 10 + d), so the value shows what ran, in order.
SCRIPT_ROWS(RunOrder, ControlFlow,
            ScriptCase{"int a; if (0) a = a * 10 + 1; else a = a * 10 + 2; return a;", "Int 12", "", ""},
            ScriptCase{"int a; { if (a) { a = a * 10 + 1; } else { a = a * 10 + 2; } a = a * 10 + 3; }; return a;",
                       "Int 123", "", ""},
            ScriptCase{"int a; int b; for (;;) if (a) a = 1; b = b + 1; return a * 10 + b;", "Int 1", "", ""},
            ScriptCase{"int x; while (0) x = x + 1; do x++; while (x < 3); return x;", "Int 2", "", ""},
            ScriptCase{"while (1) { } for (;;) { } return 3;", "Int 3", "", ""},
            ScriptCase{"int i; int y; for (i = 5; i < 10; i++) y = 1 / 0; return i * 10 + y;", "Int 50", "", ""},
            ScriptCase{"for (int i = 4; i < 3; i++) { } return i;", "Int 4", "", ""},
            ScriptCase{"int a; int k; switch (k) { case 1: a = a * 10 + 1; break; case 2: a = a * 10 + 2;"
                       " default: a = a * 10 + 3; } return a;",
                       "Int 1233", "", ""},
            ScriptCase{"int a; int k; switch (k) { default: a = a * 10 + 3; case 1: a = a * 10 + 1; } return a;",
                       "Int 131", "", ""},
            ScriptCase{"int a; int k; switch (k) { a = 5; } return a;", "Int 0", "", ""},
            ScriptCase{"int a; break; continue; exit(1); default: a = 6; return a;", "Int 6", "", ""},
            ScriptCase{"int f() { while (1) { return 5; } } return f();", "Int 5", "", ""},
            ScriptCase{"int f() { if (1) { return 1; x = 1 / 0; } return 2; } return f();", "Int 1", "", ""},
            ScriptCase{"int f() { int a; switch (a) { case 0: return 6; } return 0; } return f();", "Int 6", "", ""},
            ScriptCase{"void f() { for (;;) while (1) { } } f(); if (u) ; return 1; x = 1 / 0;", "Int 1", "u", ""},
            ScriptCase{"return; x = 1 / 0;", "Void", "", ""},
            // Labels are found at the top level of the block only.
            ScriptCase{"int k; switch (k) { { case 1: k = 5; } } return k;", "Int 0", "", ""},
            ScriptCase{"int k; switch (k) { case 1, 2: k = 3; } return k;", "Int 3", "", ""},
            // A skipped body may start with an else: it could be the body of an if passed over.
            ScriptCase{"for (;;) else x; return 1;", "Int 1", "", ""},
            ScriptCase{"for (;;) { else x; } return 1;", "Int 1", "", ""});

// A string condition and an else after a loop body are met in examples/mistakes.
SCRIPT_ROWS(Refused, ControlFlow, ScriptCase{"if x;", "Keyword 'if' without paramters", "", "", true},
            ScriptCase{"int a; if (a) break; else a;", "Misplaced 'else'", "", "", true},
            ScriptCase{"int a; if (a) if (a) a; else a; else a;", "Misplaced 'else'", "", "", true},
            ScriptCase{"while x;", "Keyword 'while' without parameters", "", "", true},
            ScriptCase{"while (\"s\") ;", "Invalid parameters for 'while' keyword", "", "", true},
            ScriptCase{"int x; do { } until (x);", "'do' without valid 'while'", "", "", true},
            ScriptCase{"do ; while (\"s\");", "Invalid parameters for 'while' keyword", "", "", true},
            ScriptCase{"for x;", "'for' without parameters", "", "", true},
            ScriptCase{"for (; \"s\";) { }", "Invalid condition argument in 'for'", "", "", true},
            ScriptCase{"int x; x = switch (x) { }", "Invalid 'switch'", "", "", true},
            ScriptCase{"int k; switch k;", "'switch' without parameter block", "", "", true},
            ScriptCase{"int k; switch (k) k;", "Invalid 'switch' block - '{' not found", "", "", true},
            ScriptCase{"int k; switch (k) { case 1: k = 1; case 1 + 1: k = 2; }", "Invalid 'case' keyword", "", "",
                       true},
            ScriptCase{"int k; switch (k) { default k; }", "Invalid 'default' keyword", "", "", true},
            ScriptCase{"int k; switch (k) { k = 1;", "End of file reached in switch block", "", "", true},
            ScriptCase{"int k; switch (k) { case ", "Invalid 'case' argument", "", "", true},
            ScriptCase{"int x; break x;", "Invalid break statement", "", "", true},
            ScriptCase{"continue 1;", "Invalid continue statement", "", "", true},
            ScriptCase{"int x; { return x }", "Encountered invalid '}'", "", "", true});

// Text that is passed over is not run, but its structure is still checked.
SCRIPT_ROWS(SkippedButChecked, ControlFlow, ScriptCase{"for (;;) { ) }", "Encountered invalid ')'", "", "", true},
            ScriptCase{"for (;;) ]", "Encountered invalid ']'", "", "", true},
            ScriptCase{"for (;;) x }", "Encountered invalid '}'", "", "", true},
            ScriptCase{"for (;;) { x;", "Unexpected end of file: Missing '}'", "", "", true},
            ScriptCase{"for (;; i++ ", "Unexpected end of file: Missing ')'", "", "", true},
            ScriptCase{"for (;;) x[1;", "Unexpected end of file: Missing ']'", "", "", true},
            ScriptCase{"for (;;) { x; else y; }", "Misplaced 'else'", "", "", true},
            ScriptCase{"for (;;) if x;", "Keyword 'if' without paramters", "", "", true},
            ScriptCase{"for (;;) { else x; else y; }", "Misplaced 'else'", "", "", true},
            ScriptCase{"if (1) { return 1; ) }", "Encountered invalid ')'", "", "", true},
            ScriptCase{"{ for (;;) x } return 1;", "Encountered invalid '}'", "", "", true},
            // what a return leaves of a braced if body is passed over, not ignored
            ScriptCase{"int f() { if (1) { return 1; ) } return 2; } return f();", "Encountered invalid ')'", "", "",
                       true});

}  // namespace
