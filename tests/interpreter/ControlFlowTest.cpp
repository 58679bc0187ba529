#include <gtest/gtest.h>

#include "interpreter/ScriptRun.h"

namespace {

SCRIPT_TABLE(ControlFlow, RunsEveryBranchOnce)

// Statements append a digit to `a` (a = a * 10 + d), so the value shows what ran, in order.
SCRIPT_ROWS(RunOrder, ControlFlow, Gives("int a; if (0) a = a * 10 + 1; else a = a * 10 + 2; return a;", "Int 12"),
            Gives("int a; { if (a) { a = a * 10 + 1; } else { a = a * 10 + 2; } a = a * 10 + 3; }; return a;",
                  "Int 123"),
            Gives("int a; int b; for (;;) if (a) a = 1; b = b + 1; return a * 10 + b;", "Int 1"),
            Gives("int x; while (0) x = x + 1; do x++; while (x < 3); return x;", "Int 2"),
            Gives("while (1) { } for (;;) { } return 3;", "Int 3"),
            Gives("int i; int y; for (i = 5; i < 10; i++) y = 1 / 0; return i * 10 + y;", "Int 50"),
            Gives("for (int i = 4; i < 3; i++) { } return i;", "Int 4"),
            Gives("int a; int k; switch (k) { case 1: a = a * 10 + 1; break; case 2: a = a * 10 + 2;"
                  " default: a = a * 10 + 3; } return a;",
                  "Int 1233"),
            Gives("int a; int k; switch (k) { default: a = a * 10 + 3; case 1: a = a * 10 + 1; } return a;", "Int 131"),
            Gives("int a; int k; switch (k) { a = 5; } return a;", "Int 0"),
            Gives("int a; break; continue; exit(1); default: a = 6; return a;", "Int 6"),
            Gives("int f() { while (1) { return 5; } } return f();", "Int 5"),
            Gives("int f() { if (1) { return 1; x = 1 / 0; } return 2; } return f();", "Int 1"),
            Gives("int f() { int a; switch (a) { case 0: return 6; } return 0; } return f();", "Int 6"),
            ScriptCase{"void f() { for (;;) while (1) { } } f(); if (u) ; return 1; x = 1 / 0;", "Int 1", "u", ""},
            Gives("return; x = 1 / 0;", "Void"),
            // Labels are found at the top level of the block only.
            Gives("int k; switch (k) { { case 1: k = 5; } } return k;", "Int 0"),
            Gives("int k; switch (k) { case 1, 2: k = 3; } return k;", "Int 3"),
            // A skipped body may start with an else: it could be the body of an if passed over.
            Gives("for (;;) else x; return 1;", "Int 1"), Gives("for (;;) { else x; } return 1;", "Int 1"));

// A string condition and an else after a loop body are met in examples/mistakes.
SCRIPT_ROWS(Refused, ControlFlow, Fails("if x;", "Keyword 'if' without paramters"),
            Fails("int a; if (a) break; else a;", "Misplaced 'else'"),
            Fails("int a; if (a) if (a) a; else a; else a;", "Misplaced 'else'"),
            Fails("while x;", "Keyword 'while' without parameters"),
            Fails("while (\"s\") ;", "Invalid parameters for 'while' keyword"),
            Fails("int x; do { } until (x);", "'do' without valid 'while'"),
            Fails("do ; while (\"s\");", "Invalid parameters for 'while' keyword"),
            Fails("for x;", "'for' without parameters"),
            Fails("for (; \"s\";) { }", "Invalid condition argument in 'for'"),
            Fails("int x; x = switch (x) { }", "Invalid 'switch'"),
            Fails("int k; switch k;", "'switch' without parameter block"),
            Fails("int k; switch (k) k;", "Invalid 'switch' block - '{' not found"),
            Fails("int k; switch (k) { case 1: k = 1; case 1 + 1: k = 2; }", "Invalid 'case' keyword"),
            Fails("int k; switch (k) { default k; }", "Invalid 'default' keyword"),
            Fails("int k; switch (k) { k = 1;", "End of file reached in switch block"),
            Fails("int k; switch (k) { case ", "Invalid 'case' argument"),
            Fails("int x; break x;", "Invalid break statement"), Fails("continue 1;", "Invalid continue statement"),
            Fails("int x; { return x }", "Encountered invalid '}'"));

// Text that is passed over is not run, but its structure is still checked.
SCRIPT_ROWS(SkippedButChecked, ControlFlow, Fails("for (;;) { ) }", "Encountered invalid ')'"),
            Fails("for (;;) ]", "Encountered invalid ']'"), Fails("for (;;) x }", "Encountered invalid '}'"),
            Fails("for (;;) { x;", "Unexpected end of file: Missing '}'"),
            Fails("for (;; i++ ", "Unexpected end of file: Missing ')'"),
            Fails("for (;;) x[1;", "Unexpected end of file: Missing ']'"),
            Fails("for (;;) { x; else y; }", "Misplaced 'else'"),
            Fails("for (;;) if x;", "Keyword 'if' without paramters"),
            Fails("for (;;) { else x; else y; }", "Misplaced 'else'"),
            Fails("if (1) { return 1; ) }", "Encountered invalid ')'"),
            Fails("{ for (;;) x } return 1;", "Encountered invalid '}'"),
            // what a return leaves of a braced if body is passed over, not ignored
            Fails("int f() { if (1) { return 1; ) } return 2; } return f();", "Encountered invalid ')'"));

}  // namespace
