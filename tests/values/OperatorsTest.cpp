#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "interpreter/ScriptRun.h"
#include "support/CaseName.h"
#include "values/Operators.h"

namespace {

// The refusal texts are printf formats without arguments; tests compare what the error report
// prints, where "%%" shows as "%".
std::string Printed(std::string text) {
    for (auto at = text.find("%%"); at != std::string::npos; at = text.find("%%", at + 1)) text.erase(at, 1);
    return text;
}

Value I(int32_t v) { return Value::MakeInt(v); }
Value F(double v) { return Value::MakeFloat(v); }
Value S(const char* s) { return Value::MakeString(s); }
const Value V;
const Value X = Value::MakeExternal();
constexpr double kInf = std::numeric_limits<double>::infinity();

enum class Form { Unary, Binary, Assign, Element };

struct Case {
    Form form;
    Op op;
    Value left;      // the single operand of a unary operator, the target of an assignment
    Value right;     // unused by unary operators
    Value expected;  // the left operand afterwards; unused with a refusal
    const char* refusal = nullptr;
};

// Spellings in the order of Op.
constexpr const char* kSpellings[] = {"!",  "~",  "++", "--", "-",  "+",  "*",  "/",  "%",  ">",
                                      "<",  ">=", "<=", "==", "!=", "~=", "&",  "|",  "^",  "&&",
                                      "||", "=",  "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^="};

/// The operator and its operands, as in slash_Int_7_Int_0.
std::string OperatorCaseName(const ::testing::TestParamInfo<Case>& info) {
    const Case& c = info.param;
    std::string name = c.form == Form::Element ? "Element_" : "";
    name += CaseName(kSpellings[static_cast<int>(c.op)]);
    name += "_" + CaseName(Describe(c.left));
    if (c.form != Form::Unary) name += "_" + CaseName(Describe(c.right));
    return name;
}

// Shown for a failing row instead of the bytes of the record.
void PrintTo(const Case& c, std::ostream* out) {
    const char* spelling = kSpellings[static_cast<int>(c.op)];
    switch (c.form) {
    case Form::Unary:
        *out << spelling << " (" << Describe(c.left) << ")";
        break;
    case Form::Element:
        *out << "element ";
        [[fallthrough]];
    default:
        *out << "(" << Describe(c.left) << ") " << spelling << " (" << Describe(c.right) << ")";
    }
}

// The rules on the values as the operators receive them: wrapped Ints, External and Void
// operands, and operand orders the script rows below do not meet; the refusals a script meets
// are the text rows'.
class OperatorRules : public ::testing::TestWithParam<Case> {};

TEST_P(OperatorRules, ComputeOrRefuse) {
    const Case& c = GetParam();
    Value left = c.left;
    const char* refusal = nullptr;
    switch (c.form) {
    case Form::Unary:
        refusal = ApplyUnary(c.op, left);
        break;
    case Form::Binary:
        refusal = ApplyBinary(c.op, left, c.right);
        break;
    case Form::Assign:
        refusal = ApplyAssignment(c.op, left, c.right, false);
        break;
    case Form::Element:
        refusal = ApplyAssignment(c.op, left, c.right, true);
        break;
    }
    if (c.refusal != nullptr) {
        ASSERT_NE(refusal, nullptr);
        EXPECT_EQ(Printed(refusal), c.refusal);
        EXPECT_EQ(Describe(left), Describe(c.left));  // a refusal leaves the operand alone
    } else {
        ASSERT_EQ(refusal, nullptr) << refusal;
        EXPECT_EQ(Describe(left), Describe(c.expected));
    }
}

constexpr Form U = Form::Unary;
constexpr Form B = Form::Binary;
constexpr Form A = Form::Assign;

const Case kUnaryCases[] = {
    {U, Op::Not, F(2.5), V, I(0)},
    {U, Op::Not, F(0.0), V, I(1)},
    {U, Op::Not, X, V, I(0)},
    {U, Op::Complement, X, V, I(0)},
    {U, Op::Minus, I(INT32_MIN), V, I(INT32_MIN)},
    {U, Op::Minus, F(2.5), V, F(-2.5)},
    {U, Op::Plus, F(2.5), V, F(2.5)},
    {U, Op::Increment, I(INT32_MAX), V, I(INT32_MIN)},
    {U, Op::Decrement, I(INT32_MIN), V, I(INT32_MAX)},
};
INSTANTIATE_TEST_SUITE_P(Unary, OperatorRules, ::testing::ValuesIn(kUnaryCases), OperatorCaseName);

const Case kArithmeticCases[] = {
    {B, Op::Multiply, I(65536), I(65536), I(0)},
    {B, Op::Multiply, I(3), F(0.5), F(1.5)},
    {B, Op::Multiply, V, I(1), V, "Operator '*' not applicable on 'String'"},
    {B, Op::Divide, I(-7), I(2), I(-3)},
    {B, Op::Divide, F(7.0), I(2), F(3.5)},
    {B, Op::Divide, F(7.0), I(0), F(kInf)},
    {B, Op::Divide, I(1), S("a"), V, "Operator '/' not applicable on 'String'"},
    {B, Op::Modulo, I(-7), I(3), I(-1)},
    {B, Op::Modulo, I(7), I(-3), I(1)},
    {B, Op::Modulo, V, I(1), V, "Operator '%' not applicable on 'String'"},
    {B, Op::Minus, I(INT32_MIN), I(1), I(INT32_MAX)},
    {B, Op::Minus, F(1.0), I(3), F(-2.0)},
    {B, Op::Minus, I(1), S("a"), V, "Operator '-' not applicable on 'String'"},
    {B, Op::Plus, I(INT32_MAX), I(1), I(INT32_MIN)},
    {B, Op::Plus, I(1), F(2.5), F(3.5)},
    {B, Op::Multiply, X, V, X},  // L is looked at first: an External L is never refused
};
INSTANTIATE_TEST_SUITE_P(Arithmetic, OperatorRules, ::testing::ValuesIn(kArithmeticCases), OperatorCaseName);

const Case kComparisonCases[] = {
    {B, Op::Greater, S("abc"), S("zz"), I(1)},
    {B, Op::Less, S("a"), S("b"), I(0)},
    {B, Op::LessEqual, S("a"), S("b"), I(1)},
    {B, Op::GreaterEqual, S("abc"), S("ABC"), I(1)},
    {B, Op::Greater, I(2), F(1.5), I(1)},
    {B, Op::Less, V, I(5), V,  // a Void L is named a String
     "Operator '<' can not compare 'String' with type other than 'String'"},
    {B, Op::GreaterEqual, I(5), S("a"), V, "Operator '>=' can not compare 'String' with type other than 'String'"},
    {B, Op::Equal, S("abc"), S("ABC"), I(0)},
    {B, Op::NotEqual, S("abc"), S("abd"), I(1)},
    {B, Op::EqualIgnoreCase, I(5), S("a"), V, "Operator '~=' can only compare 'String' with 'String'"},
};
INSTANTIATE_TEST_SUITE_P(Comparison, OperatorRules, ::testing::ValuesIn(kComparisonCases), OperatorCaseName);

const Case kBitwiseAndLogicalCases[] = {
    {B, Op::BitAnd, I(1), F(2.0), V, "Operator '&' can not operate on 'Float'"},
    {B, Op::BitOr, S("a"), I(1), V, "Operator '|' can not operate on 'Float'"},
    {B, Op::LogicalAnd, F(0.5), I(2), I(1)},
    {B, Op::LogicalOr, F(0.0), I(0), I(0)},
    {B, Op::LogicalOr, I(0), F(0.1), I(1)},
    {B, Op::LogicalAnd, I(1), S("a"), V, "Operator '&&' not valid with 'String'"},
    {B, Op::LogicalOr, V, I(1), V, "Operator '||' not valid with 'String'"},
    {B, Op::LogicalAnd, S("a"), X, I(0)},
};
INSTANTIATE_TEST_SUITE_P(BitwiseAndLogical, OperatorRules, ::testing::ValuesIn(kBitwiseAndLogicalCases),
                         OperatorCaseName);

const Case kAssignmentCases[] = {
    {A, Op::Assign, I(7), F(2.9), I(2)},
    {A, Op::Assign, F(1.0), I(3), F(3.0)},
    {Form::Element, Op::Assign, S("abc"), I(65), I(65)},
    {A, Op::Assign, S("abc"), I(65), V, "Operator '=' type mismatch"},
    {A, Op::AddAssign, I(1), F(0.6), I(1)},
    {A, Op::AddAssign, I(1), F(-0.5), I(1)},
    {A, Op::AddAssign, I(INT32_MAX), I(1), I(INT32_MIN)},
    {A, Op::AddAssign, S("a"), I(1), V, "Operator '+=' type mismatch"},
    {A, Op::SubAssign, S("a"), S("b"), V, "Operator '-=' not applicable on 'String'"},
    {A, Op::MulAssign, I(3), F(2.9), I(6)},
    {A, Op::MulAssign, I(1), S("b"), V, "Operator '*=' not applicable on 'String'"},
    {A, Op::DivAssign, F(1.0), I(0), F(kInf)},
    {A, Op::DivAssign, I(7), F(0.5), V, "Integer division by zero"},
    {A, Op::ModAssign, I(-7), I(3), I(-1)},
    {A, Op::ModAssign, F(-7.0), I(3), F(2.0)},
    {A, Op::OrAssign, I(1), S("a"), V, "Operator '|=' not applicable on 'String'"},
};
INSTANTIATE_TEST_SUITE_P(Assignment, OperatorRules, ::testing::ValuesIn(kAssignmentCases), OperatorCaseName);

// The one Int quotient that does not fit: it must neither trap nor be refused (the value it
// gives is free). The sanitizer build turns a trap or signed overflow into a failure here.
TEST(IntDivision, MinimumByMinusOneDoesNotTrap) {
    for (Op op : {Op::Divide, Op::Modulo, Op::DivAssign, Op::ModAssign}) {
        Value left = I(INT32_MIN);
        EXPECT_EQ(op < Op::Assign ? ApplyBinary(op, left, I(-1)) : ApplyAssignment(op, left, I(-1), false), nullptr);
        EXPECT_EQ(left.type, ValueType::Int);
    }
}

// Every spelling names its operator, in the order of the rule table.
TEST(OperatorSpelling, NamesItsOperator) {
    for (int k = 0; k < 30; ++k) {
        Op op{};
        ASSERT_TRUE(FindOperator(kSpellings[k], op)) << kSpellings[k];
        EXPECT_EQ(static_cast<int>(op), k) << kSpellings[k];
    }
    Op op{};
    for (const char* other : {".", "", "+++", "=>", "'", "<>"}) {
        EXPECT_FALSE(FindOperator(other, op)) << other;
    }
}

SCRIPT_TABLE(OperatorScripts, ComputeOrRefuseInScriptText)

// Every operator read from script text, so that the scanner, the pass table and the rules
// meet as they do in a real script.
SCRIPT_ROWS(Compute, OperatorScripts, Gives("return +7 + ~5 * 10 + !0;", "Int -52"),
            Gives("int x = 5; --x; x--; return x;", "Int 3"), Gives("return 7 / 2 * 10 + 7 % 4 - -1;", "Int 34"),
            Gives("return (3 > 2) * 1000 + (3 < 2) * 100 + (2 >= 2) * 10 + (3 <= 2);", "Int 1010"),
            Gives("return (1 == 1.0) * 100 + (1 != 2) * 10 + (\"ab\" ~= \"AB\");", "Int 111"),
            Gives("return (12 & 10) * 100 + (12 | 3) + (6 ^ 3) * 1000;", "Int 5815"),
            Gives("return (2 && 0.5) * 10 + (0 || 0.0);", "Int 10"),
            Gives("int x = 7; x += 3; x -= 1; x *= 2; x /= 4; x %= 3; return x;", "Int 1"),
            Gives("int x = 12; x &= 10; x |= 1; x ^= 3; return x;", "Int 10"),
            Gives("float y = 7.5; y %= 2; y += 1; y -= 0.5; y *= 2; y /= 4; return y;", "Float 1"),
            Gives("string s = \"a\"; s += \"b\"; s = s + \"c\"; return s;", "String abc"),
            Gives("return 0.0 % 3 + -6 % 3.0;", "Float 3"),
            Gives("return (\"[\" ~= \"{\") + (\"@\" ~= \"`\") * 10 + (\"Z\" ~= \"z\") * 100;", "Int 100"),
            Fails("return 1 @ 2;", "Unknown operator '@'"), Fails("return 1 \\ 2;", "Unknown operator '\\'"));

// An undeclared name is never refused and never computed with; comparisons, bitwise and
// logical operators still answer with an Int holding the left operand's integer payload.
SCRIPT_ROWS(ExternalOperands, OperatorScripts, ScriptCase{"return u + 1;", "External", "u", ""},
            ScriptCase{"return 2 * u;", "Int 2", "u", ""}, ScriptCase{"return u > 1;", "Int 0", "u", ""},
            ScriptCase{"return 2 > u;", "Int 2", "u", ""}, ScriptCase{"return 3 == u;", "Int 3", "u", ""},
            ScriptCase{"return 5 & u;", "Int 5", "u", ""}, ScriptCase{"return u || 1;", "Int 0", "u", ""},
            ScriptCase{"return 1 || u;", "Int 1", "u", ""}, ScriptCase{"return 0 && u;", "Int 0", "u", ""},
            ScriptCase{"return !u + ~u;", "Int 0", "u", ""}, ScriptCase{"return -u;", "External", "u", ""},
            ScriptCase{"u++; return +u;", "External", "u", ""},
            ScriptCase{"int x = 4; x += u; x = v; return x;", "Int 4", "u v", ""},
            ScriptCase{"return \"s\" + u;", "String s", "u", ""});

// The refusal texts that follow no pattern, each met where a script meets it.
SCRIPT_ROWS(EveryOtherText, OperatorScripts, Fails("return !;", "No R-value for '!'"),
            Fails("void f() { } return !f();", "Operator '!' not applicable on 'Void'"),
            Fails("return !\"a\";", "Operator '!' not applicable on 'String'"),
            Fails("return ~;", "No R-value for '~'"),
            Fails("void f() { } return ~f();", "Operator '~' not applicable on 'Void'"),
            Fails("return ~1.5;", "Operator '~' not applicable on 'Float'"),
            Fails("return ~\"a\";", "Operator '~' not applicable on 'String'"),
            Fails("++;", "Invalid L-value for '++'"), Fails("void v; v++;", "Operator '++' not applicable on 'Void'"),
            Fails("float y; y++;", "Operator '++' not applicable on 'Float'"),
            Fails("string s; ++ s;", "Operator '++' not applicable on 'String'"),
            Fails("--;", "Invalid L-value for '--'"), Fails("void v; v--;", "Operator '--' not applicable on 'Void'"),
            Fails("float y; y--;", "Operator '--' not applicable on 'Float'"),
            Fails("string s; -- s;", "Operator '--' not applicable on 'String'"),
            Fails("return 1 -;", "No R-value for '-'"),
            Fails("void f() { } return 1 - f();", "Operator '-' not applicable on 'Void'"),
            Fails("return -\"a\";", "Unary operator '-' not applicable on 'String'"),
            Fails("return \"a\" - 1;", "Operator '-' not applicable on 'String'"),
            Fails("return 1 +;", "No R-value for '+'"),
            Fails("void f() { } return 1 + f();", "Operator '+' not applicable on 'Void'"),
            Fails("return +\"a\";", "Unary operator '+' not applicable on 'String'"),
            Fails("return \"a\" + 1;", "String Operator '+' can only operate on 'String'"),
            Fails("return 1 / 0;", "Integer division by zero"), Fails("return 1 % 0;", "Integer division by zero"),
            Fails("int x; x /= 0;", "Integer division by zero"), Fails("int x; x %= 0;", "Integer division by zero"),
            Fails("return 1 ~= 1;", "Operator '~=' can only compare 'String' with 'String'"),
            Fails("int x; x = \"a\";", "Operator '=' type mismatch"),
            Fails("int x; x += \"a\";", "Operator '+=' type mismatch"),
            Fails("int x; x %= 1.5;", "Operator '%=' type mismatch"),
            Fails("float y; y %= \"a\";", "Operator '%=' not applicable on 'String'"));

// The texts an operator shares with the others of its kind, its spelling in place of the "@"
// of the script and the message.
struct TextPattern {
    const char* script;
    const char* message;
};

struct TextFamily {
    std::vector<std::string> operators;
    std::vector<TextPattern> patterns;
};

const TextFamily kTextFamilies[] = {
    {{"*", "/", "%", ">", "<", ">=", "<=", "==", "!=", "~=", "&", "|", "^", "&&", "||"},
     {{"return @ 1;", "No L-value for operator '@'"},
      {"return 1 @;", "No R-value for '@'"},
      {"void f() { } return 1 @ f();", "Operator '@' not applicable on 'Void'"}}},
    {{"*", "/", "%"}, {{"return \"a\" @ 1;", "Operator '@' not applicable on 'String'"}}},
    {{">", "<", ">=", "<=", "==", "!="},
     {{"return \"a\" @ 1;", "Operator '@' can not compare 'String' with type other than 'String'"}}},
    {{"&", "|", "^"},
     {{"return 1.5 @ 1;", "Operator '@' can not operate on 'Float'"},
      {"return 1 @ \"a\";", "Operator '@' can not operate on 'String'"}}},
    {{"&&", "||"}, {{"return \"a\" @ 1;", "Operator '@' not valid with 'String'"}}},
    {{"=", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^="},
     {{"@ 1;", "No L-value for operator '@'"},
      {"int x; x @;", "No R-value for '@'"},
      {"5 @ 3;", "Invalid L-value for '@'"},
      {"void f() { } int x; x @ f();", "Operator '@' not applicable on 'Void'"}}},
    {{"-=", "*=", "/="},
     {{"string s; s @ 1;", "Operator '@' type mismatch"},
      {"float y; y @ \"a\";", "Operator '@' not applicable on 'String'"}}},
    {{"&=", "|=", "^="},
     {{"float y; y @ 1;", "Operator '@' type mismatch"},
      {"int x; x @ 1.5;", "Operator '@' not applicable on 'Float'"},
      {"float y; y @ \"a\";", "Operator '@' not applicable on 'String'"}}},
};

std::string Spelled(std::string pattern, const std::string& spelling) {
    pattern.replace(pattern.find('@'), 1, spelling);
    return pattern;
}

TEST(OperatorTexts, EveryTextOfAKindNamesItsOperator) {
    for (const TextFamily& family : kTextFamilies) {
        for (const std::string& spelling : family.operators) {
            for (const TextPattern& pattern : family.patterns) {
                const std::string script = Spelled(pattern.script, spelling);
                const std::string message = Spelled(pattern.message, spelling);
                SCOPED_TRACE(script);
                ExpectScriptCase(Fails(script.c_str(), message.c_str()));
            }
        }
    }
}

}  // namespace
