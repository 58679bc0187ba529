#include <gtest/gtest.h>

#include "interpreter/ScriptRun.h"

namespace {

SCRIPT_TABLE(Evaluation, ReducesTheItemList)

// Precedence levels, the direction of each pass, and the grouping that follows from it.
SCRIPT_ROWS(PassOrder, Evaluation, Gives("return 2 + 3 * 4;", "Int 14"), Gives("return (2 + 3) * 4;", "Int 20"),
            Gives("return 10 - 4 - 3;", "Int 3"), Gives("return 2 * 3 % 4;", "Int 2"),
            Gives("return 1 < 2 < 3;", "Int 1"), Gives("return 1 | 2 & 4;", "Int 0"),
            Gives("return 1 + 2 == 3;", "Int 1"), Gives("return 1 || 0 && 0;", "Int 1"),
            Gives("int x; int y; y = x = 7; return x * 10 + y;", "Int 77"),
            // the target is read again after x++ has stored 2
            Gives("int x = 1; return x += x++;", "Int 3"), Gives("return 8 / 4 / 2;", "Int 1"),
            Gives("return 1 == 2 == 0;", "Int 1"));

// Every boundary between two levels, with each operator of a level next to one of the level
// above or below: moved by one level, the operator would group differently and change the result.
SCRIPT_ROWS(
    LevelBoundaries, Evaluation, Gives("return 7 - 6 / 2;", "Int 4"), Gives("return 7 - 5 % 3;", "Int 5"),
    Gives("return 3 > 1 + 1;", "Int 1"), Gives("return 3 > 2 - 1;", "Int 1"), Gives("return 1 > 0 + 5;", "Int 0"),
    Gives("return 5 < 1 + 5;", "Int 1"), Gives("return 1 >= 0 + 5;", "Int 0"), Gives("return 5 <= 0 + 4;", "Int 0"),
    Gives("return 0 == 1 > 2;", "Int 1"), Gives("return 2 == 2 < 3;", "Int 0"), Gives("return 0 == 1 >= 2;", "Int 1"),
    Gives("return 2 == 1 <= 3;", "Int 0"), Gives("return 1 != 1 > 2;", "Int 1"),
    Fails("return \"ab\" ~= \"AB\" > 0;", "Operator '>' can not compare 'String' with type other than 'String'"),
    Gives("return 2 | 1 == 1;", "Int 3"), Gives("return 2 | 1 != 0;", "Int 3"), Gives("return 2 & 2 == 2;", "Int 0"),
    Gives("return 2 ^ 2 == 2;", "Int 3"), Gives("return 2 | \"a\" ~= \"A\";", "Int 3"),
    Gives("return 1 && 2 & 1;", "Int 0"), Gives("return 0 && 0 | 1;", "Int 0"), Gives("return 0 && 1 ^ 1;", "Int 0"),
    Gives("int x; x = 0 || 2; return x;", "Int 1"));

// Prefix and postfix operators, and the unary-or-binary decision by the Void value in front.
SCRIPT_ROWS(UnaryOperators, Evaluation, Gives("int x = 3; return -x;", "Int -3"),
            Gives("int x = 3; -x; return x;", "Int 3"), Gives("return - -3;", "Int 3"),
            Gives("return 2 - -3;", "Int 5"), Gives("return !-5;", "Int 0"), Gives("int x = 5; return x++;", "Int 5"),
            Gives("int x = 5; x++; return x;", "Int 6"), Gives("int x = 5; return ++x;", "Int 6"),
            Gives("int x = 5; return -x++;", "Int -5"), Gives("return +-5;", "Int -5"),
            ScriptCase{"return u - 1;", "External", "u", ""},
            Fails("return 2 * +3;", "Operator '*' not applicable on 'Void'"),
            Fails("return -+5;", "Operator '-' not applicable on 'Void'"),
            Fails("void f() { } return f() - 1;", "Invalid statement. Missing ';' ?"));

// Checks that do not depend on the operand types; each operator's missing operands are among
// the OperatorScripts rows.
SCRIPT_ROWS(Refusals, Evaluation, Fails("return 3 4;", "Invalid statement. Missing ';' ?"),
            Fails("return 5 = 3;", "Invalid L-value for '='"),
            ScriptCase{"a.b;", "Unknown operator '.'", "a b", "", true});

}  // namespace
