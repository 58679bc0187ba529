#include <gtest/gtest.h>

#include "interpreter/ScriptRun.h"

namespace {

SCRIPT_TABLE(Evaluation, ReducesTheItemList)

// Precedence levels, the direction of each pass, and the grouping that follows from it.
SCRIPT_ROWS(PassOrder, Evaluation, ScriptCase{"return 2 + 3 * 4;", "Int 14", "", ""},
            ScriptCase{"return (2 + 3) * 4;", "Int 20", "", ""}, ScriptCase{"return 10 - 4 - 3;", "Int 3", "", ""},
            ScriptCase{"return 2 * 3 % 4;", "Int 2", "", ""}, ScriptCase{"return 1 < 2 < 3;", "Int 1", "", ""},
            ScriptCase{"return 1 | 2 & 4;", "Int 0", "", ""}, ScriptCase{"return 1 + 2 == 3;", "Int 1", "", ""},
            ScriptCase{"return 1 || 0 && 0;", "Int 1", "", ""},
            ScriptCase{"int x; int y; y = x = 7; return x * 10 + y;", "Int 77", "", ""},
            // the target is read again after x++ has stored 2
            ScriptCase{"int x = 1; return x += x++;", "Int 3", "", ""},
            ScriptCase{"return 8 / 4 / 2;", "Int 1", "", ""}, ScriptCase{"return 1 == 2 == 0;", "Int 1", "", ""});

// Every boundary between two levels, with each operator of a level next to one of the level
// above or below: moved by one level, the operator would group differently and change the result.
SCRIPT_ROWS(LevelBoundaries, Evaluation, ScriptCase{"return 7 - 6 / 2;", "Int 4", "", ""},
            ScriptCase{"return 7 - 5 % 3;", "Int 5", "", ""}, ScriptCase{"return 3 > 1 + 1;", "Int 1", "", ""},
            ScriptCase{"return 3 > 2 - 1;", "Int 1", "", ""}, ScriptCase{"return 1 > 0 + 5;", "Int 0", "", ""},
            ScriptCase{"return 5 < 1 + 5;", "Int 1", "", ""}, ScriptCase{"return 1 >= 0 + 5;", "Int 0", "", ""},
            ScriptCase{"return 5 <= 0 + 4;", "Int 0", "", ""}, ScriptCase{"return 0 == 1 > 2;", "Int 1", "", ""},
            ScriptCase{"return 2 == 2 < 3;", "Int 0", "", ""}, ScriptCase{"return 0 == 1 >= 2;", "Int 1", "", ""},
            ScriptCase{"return 2 == 1 <= 3;", "Int 0", "", ""}, ScriptCase{"return 1 != 1 > 2;", "Int 1", "", ""},
            ScriptCase{"return \"ab\" ~= \"AB\" > 0;",
                       "Operator '>' can not compare 'String' with type other than 'String'", "", "", true},
            ScriptCase{"return 2 | 1 == 1;", "Int 3", "", ""}, ScriptCase{"return 2 | 1 != 0;", "Int 3", "", ""},
            ScriptCase{"return 2 & 2 == 2;", "Int 0", "", ""}, ScriptCase{"return 2 ^ 2 == 2;", "Int 3", "", ""},
            ScriptCase{"return 2 | \"a\" ~= \"A\";", "Int 3", "", ""},
            ScriptCase{"return 1 && 2 & 1;", "Int 0", "", ""}, ScriptCase{"return 0 && 0 | 1;", "Int 0", "", ""},
            ScriptCase{"return 0 && 1 ^ 1;", "Int 0", "", ""},
            ScriptCase{"int x; x = 0 || 2; return x;", "Int 1", "", ""});

// Prefix and postfix operators, and the unary-or-binary decision by the Void value in front.
SCRIPT_ROWS(UnaryOperators, Evaluation, ScriptCase{"int x = 3; return -x;", "Int -3", "", ""},
            ScriptCase{"int x = 3; -x; return x;", "Int 3", "", ""}, ScriptCase{"return - -3;", "Int 3", "", ""},
            ScriptCase{"return 2 - -3;", "Int 5", "", ""}, ScriptCase{"return !-5;", "Int 0", "", ""},
            ScriptCase{"int x = 5; return x++;", "Int 5", "", ""},
            ScriptCase{"int x = 5; x++; return x;", "Int 6", "", ""},
            ScriptCase{"int x = 5; return ++x;", "Int 6", "", ""},
            ScriptCase{"int x = 5; return -x++;", "Int -5", "", ""}, ScriptCase{"return +-5;", "Int -5", "", ""},
            ScriptCase{"return u - 1;", "External", "u", ""},
            ScriptCase{"return 2 * +3;", "Operator '*' not applicable on 'Void'", "", "", true},
            ScriptCase{"return -+5;", "Operator '-' not applicable on 'Void'", "", "", true},
            ScriptCase{"void f() { } return f() - 1;", "Invalid statement. Missing ';' ?", "", "", true},
            ScriptCase{"++;", "Invalid L-value for '++'", "", "", true},
            ScriptCase{"return !;", "No R-value for '!'", "", "", true},
            ScriptCase{"return 1 -;", "No R-value for '-'", "", "", true});

// Checks that do not depend on the operand types.
SCRIPT_ROWS(Refusals, Evaluation, ScriptCase{"return 3 4;", "Invalid statement. Missing ';' ?", "", "", true},
            ScriptCase{"return 5 = 3;", "Invalid L-value for '='", "", "", true},
            ScriptCase{"= 3;", "No L-value for operator '='", "", "", true},
            ScriptCase{"int x; x = ;", "No R-value for '='", "", "", true},
            ScriptCase{"return % 5;", "No L-value for operator '%'", "", "", true},
            ScriptCase{"a.b;", "Unknown operator '.'", "a b", "", true});

}  // namespace
