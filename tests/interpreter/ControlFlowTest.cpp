#include "interpreter/ScriptOutcome.h"

namespace {

constexpr ValueType Int = ValueType::Int;

// Statements append a digit to `a` (a = a * 10 + d), so the value shows what ran, in order.
constexpr ResultCase kRunOrder[] = {
    {"int a; if (0) a = a * 10 + 1; else a = a * 10 + 2; return a;", Int, 12},
    {"int a; int b; { if (b) { a = a * 10 + 1; } else { a = a * 10 + 2; } a = a * 10 + 3; }; return a;", Int, 123},
    {"int a; int b; for (;;) if (a) a = 1; b = b + 1; return a * 10 + b;", Int, 1},
    {"int x; while (0) x = x + 1; do x++; while (x < 3); return x;", Int, 2},
    {"while (1) { } for (;;) { } return 3;", Int, 3},
    {"int i; int y; for (i = 5; i < 10; i++) y = 1 / 0; return i * 10 + y;", Int, 50},
    {"for (int i = 4; i < 3; i++) { } return i;", Int, 4},
    {"int a; int k; switch (k) { case 1: a = a * 10 + 1; break; case 2: a = a * 10 + 2;"
     " default: a = a * 10 + 3; } return a;", Int, 1233},
    {"int a; int k; switch (k) { default: a = a * 10 + 3; case 1: a = a * 10 + 1; } return a;", Int, 131},
    {"int a; int k; switch (k) { case 1 + 1: a = 4; } return a;", Int, 4},
    {"int a; int k; switch (k) { a = 5; } return a;", Int, 0},
    {"int a; break; continue; exit(1); default: a = 6; return a;", Int, 6},
    {"int f() { while (1) { return 5; } } return f();", Int, 5},
    {"int f() { if (1) { return 1; x = 1 / 0; } return 2; } return f();", Int, 1},
    {"int f() { int a; switch (a) { case 0: return 6; } return 0; } return f();", Int, 6},
    {"void f() { for (;;) while (1) { } } f(); if (undeclared) ; return 1; x = 1 / 0;", Int, 1},
    {"return; x = 1 / 0;", ValueType::Void, 0},
};

TEST(ControlFlow, EveryBranchAndBodyRunsOnceInTextOrder) { ExpectResults(kRunOrder); }

constexpr ErrorCase kRefused[] = {
    {"if (\"x\") ;", "Invalid parameters for 'if' keyword"},
    {"if x;", "Keyword 'if' without paramters"},
    {"int a; int b; int c; int d; if (a) while (b) c; else d;", "Misplaced 'else'"},
    {"int a; int d; if (a) break; else d;", "Misplaced 'else'"},
    {"int a; int b; int c; int d; int e; if (a) if (b) c; else d; else e;", "Misplaced 'else'"},
    {"while x;", "Keyword 'while' without parameters"},
    {"while (\"s\") ;", "Invalid parameters for 'while' keyword"},
    {"int x; do { } until (x);", "'do' without valid 'while'"},
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

TEST(ControlFlow, MalformedStatementsFailWithTheirMessage) { ExpectErrors(kRefused); }

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
};

TEST(ControlFlow, SkippedTextIsCheckedForStructure) { ExpectErrors(kSkippedButChecked); }

}  // namespace
