#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "interpreter/ScriptRun.h"
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

class OperatorRules : public ::testing::TestWithParam<Case> {};

TEST_P(OperatorRules, ComputeOrRefuse) {
    const Case& c = GetParam();
    Value left = c.left;
    const char* refusal = nullptr;
    switch (c.form) {
        case Form::Unary: refusal = ApplyUnary(c.op, left); break;
        case Form::Binary: refusal = ApplyBinary(c.op, left, c.right); break;
        case Form::Assign: refusal = ApplyAssignment(c.op, left, c.right, false); break;
        case Form::Element: refusal = ApplyAssignment(c.op, left, c.right, true); break;
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
    {U, Op::Not, I(0), V, I(1)}, {U, Op::Not, F(2.5), V, I(0)}, {U, Op::Not, F(0.0), V, I(1)},
    {U, Op::Not, S("a"), V, V, "Operator '!' not applicable on 'String'"},
    {U, Op::Not, X, V, I(0)},
    {U, Op::Complement, I(0), V, I(-1)}, {U, Op::Complement, X, V, I(0)},
    {U, Op::Complement, F(1.5), V, V, "Operator '~' not applicable on 'Float'"},
    {U, Op::Complement, S("a"), V, V, "Operator '~' not applicable on 'String'"},
    {U, Op::Minus, I(3), V, I(-3)}, {U, Op::Minus, I(INT32_MIN), V, I(INT32_MIN)},
    {U, Op::Minus, F(2.5), V, F(-2.5)}, {U, Op::Minus, X, V, X},
    {U, Op::Minus, S("a"), V, V, "Unary operator '-' not applicable on 'String'"},
    {U, Op::Plus, F(2.5), V, F(2.5)},
    {U, Op::Plus, S("a"), V, V, "Unary operator '+' not applicable on 'String'"},
    {U, Op::Increment, I(INT32_MAX), V, I(INT32_MIN)},
    {U, Op::Decrement, I(INT32_MIN), V, I(INT32_MAX)},
    {U, Op::Increment, F(1.0), V, V, "Operator '++' not applicable on 'Float'"},
    {U, Op::Decrement, S("a"), V, V, "Operator '--' not applicable on 'String'"},
};
INSTANTIATE_TEST_SUITE_P(Unary, OperatorRules, ::testing::ValuesIn(kUnaryCases));

const Case kArithmeticCases[] = {
    {B, Op::Multiply, I(65536), I(65536), I(0)}, {B, Op::Multiply, I(3), F(0.5), F(1.5)},
    {B, Op::Multiply, S("a"), I(1), V, "Operator '*' not applicable on 'String'"},
    {B, Op::Multiply, V, I(1), V, "Operator '*' not applicable on 'String'"},
    {B, Op::Divide, I(7), I(2), I(3)}, {B, Op::Divide, I(-7), I(2), I(-3)},
    {B, Op::Divide, F(7.0), I(2), F(3.5)}, {B, Op::Divide, F(7.0), I(0), F(kInf)},
    {B, Op::Divide, I(7), I(0), V, "Integer division by zero"},
    {B, Op::Divide, I(1), S("a"), V, "Operator '/' not applicable on 'String'"},
    {B, Op::Modulo, I(-7), I(3), I(-1)}, {B, Op::Modulo, I(7), I(-3), I(1)},
    {B, Op::Modulo, I(-7), F(3.0), F(2.0)},
    {B, Op::Modulo, I(7), I(0), V, "Integer division by zero"},
    {B, Op::Modulo, V, I(1), V, "Operator '%' not applicable on 'String'"},
    {B, Op::Minus, I(INT32_MIN), I(1), I(INT32_MAX)}, {B, Op::Minus, F(1.0), I(3), F(-2.0)},
    {B, Op::Minus, I(1), S("a"), V, "Operator '-' not applicable on 'String'"},
    {B, Op::Plus, I(INT32_MAX), I(1), I(INT32_MIN)}, {B, Op::Plus, I(1), F(2.5), F(3.5)},
    {B, Op::Plus, S("ab"), S("cd"), S("abcd")},
    {B, Op::Plus, S("a"), I(1), V, "String Operator '+' can only operate on 'String'"},
    {B, Op::Plus, X, I(1), X}, {B, Op::Plus, I(1), X, I(1)},
    {B, Op::Multiply, X, V, X},  // L is looked at first: an External L is never refused
};
INSTANTIATE_TEST_SUITE_P(Arithmetic, OperatorRules, ::testing::ValuesIn(kArithmeticCases));

const Case kComparisonCases[] = {
    {B, Op::Greater, S("abc"), S("zz"), I(1)}, {B, Op::Less, S("a"), S("b"), I(0)},
    {B, Op::LessEqual, S("a"), S("b"), I(1)}, {B, Op::GreaterEqual, S("abc"), S("ABC"), I(1)},
    {B, Op::Greater, I(2), F(1.5), I(1)},
    {B, Op::Less, V, I(5), V,  // a Void L is named a String
     "Operator '<' can not compare 'String' with type other than 'String'"},
    {B, Op::GreaterEqual, I(5), S("a"), V,
     "Operator '>=' can not compare 'String' with type other than 'String'"},
    {B, Op::Greater, X, I(1), I(0)}, {B, Op::Greater, I(7), X, I(7)},
    {B, Op::Equal, S("abc"), S("ABC"), I(0)}, {B, Op::Equal, I(5), F(5.0), I(1)},
    {B, Op::NotEqual, S("abc"), S("abd"), I(1)}, {B, Op::EqualIgnoreCase, S("abc"), S("ABC"), I(1)},
    {B, Op::EqualIgnoreCase, I(5), S("a"), V,
     "Operator '~=' can only compare 'String' with 'String'"},
};
INSTANTIATE_TEST_SUITE_P(Comparison, OperatorRules, ::testing::ValuesIn(kComparisonCases));

const Case kBitwiseAndLogicalCases[] = {
    {B, Op::BitXor, I(6), I(3), I(5)}, {B, Op::BitAnd, I(6), I(3), I(2)},
    {B, Op::BitOr, I(6), I(3), I(7)},
    {B, Op::BitAnd, F(2.0), I(1), V, "Operator '&' can not operate on 'Float'"},
    {B, Op::BitAnd, I(1), F(2.0), V, "Operator '&' can not operate on 'Float'"},
    {B, Op::BitOr, S("a"), I(1), V, "Operator '|' can not operate on 'Float'"},
    {B, Op::BitXor, I(1), S("a"), V, "Operator '^' can not operate on 'String'"},
    {B, Op::LogicalAnd, F(0.5), I(2), I(1)},
    {B, Op::LogicalOr, F(0.0), I(0), I(0)}, {B, Op::LogicalOr, I(0), F(0.1), I(1)},
    {B, Op::LogicalAnd, I(1), S("a"), V, "Operator '&&' not valid with 'String'"},
    {B, Op::LogicalOr, V, I(1), V, "Operator '||' not valid with 'String'"},
    {B, Op::LogicalAnd, S("a"), X, I(0)},
};
INSTANTIATE_TEST_SUITE_P(BitwiseAndLogical, OperatorRules,
                         ::testing::ValuesIn(kBitwiseAndLogicalCases));

const Case kAssignmentCases[] = {
    {A, Op::Assign, I(7), F(2.9), I(2)}, {A, Op::Assign, F(1.0), I(3), F(3.0)},
    {A, Op::Assign, S("a"), S("bc"), S("bc")}, {Form::Element, Op::Assign, S("abc"), I(65), I(65)},
    {A, Op::Assign, S("abc"), I(65), V, "Operator '=' type mismatch"},
    {A, Op::Assign, I(7), S("a"), V, "Operator '=' type mismatch"},
    {A, Op::Assign, I(7), X, I(7)}, {A, Op::Assign, X, I(5), X},
    {A, Op::AddAssign, I(1), F(0.6), I(1)}, {A, Op::AddAssign, I(1), F(-0.5), I(1)},
    {A, Op::AddAssign, I(INT32_MAX), I(1), I(INT32_MIN)}, {A, Op::AddAssign, F(1.0), I(2), F(3.0)},
    {A, Op::AddAssign, S("a"), S("b"), S("ab")},
    {A, Op::AddAssign, S("a"), I(1), V, "Operator '+=' type mismatch"},
    {A, Op::AddAssign, I(1), S("b"), V, "Operator '+=' type mismatch"},
    {A, Op::SubAssign, S("a"), S("b"), V, "Operator '-=' not applicable on 'String'"},
    {A, Op::MulAssign, I(3), F(2.9), I(6)},
    {A, Op::MulAssign, I(1), S("b"), V, "Operator '*=' not applicable on 'String'"},
    {A, Op::DivAssign, I(7), I(2), I(3)}, {A, Op::DivAssign, F(1.0), I(0), F(kInf)},
    {A, Op::DivAssign, I(7), F(0.5), V, "Integer division by zero"},
    {A, Op::ModAssign, I(-7), I(3), I(-1)}, {A, Op::ModAssign, F(-7.0), I(3), F(2.0)},
    {A, Op::ModAssign, I(7), I(0), V, "Integer division by zero"},
    {A, Op::ModAssign, I(7), F(2.0), V, "Operator '%=' type mismatch"},
    {A, Op::ModAssign, F(7.0), S("a"), V, "Operator '%=' not applicable on 'String'"},
    {A, Op::AndAssign, I(6), I(3), I(2)}, {A, Op::XorAssign, I(6), I(3), I(5)},
    {A, Op::AndAssign, I(7), F(1.0), V, "Operator '&=' not applicable on 'Float'"},
    {A, Op::OrAssign, I(1), S("a"), V, "Operator '|=' not applicable on 'String'"},
};
INSTANTIATE_TEST_SUITE_P(Assignment, OperatorRules, ::testing::ValuesIn(kAssignmentCases));

// The one Int quotient that does not fit: it must neither trap nor be refused (the value it
// gives is free). The sanitizer build turns a trap or signed overflow into a failure here.
TEST(IntDivision, MinimumByMinusOneDoesNotTrap) {
    for (Op op : {Op::Divide, Op::Modulo, Op::DivAssign, Op::ModAssign}) {
        Value left = I(INT32_MIN);
        EXPECT_EQ(op < Op::Assign ? ApplyBinary(op, left, I(-1)) : ApplyAssignment(op, left, I(-1), false), nullptr);
        EXPECT_EQ(left.type, ValueType::Int);
    }
}

// Every spelling names its operator, and the texts of a position, or of a refusal all operators
// of a kind share, follow one pattern.
TEST(OperatorTexts, FollowOnePatternPerRole) {
    const char* spellings[] = {"!", "~", "++", "--", "-", "+", "*", "/", "%", ">", "<", ">=", "<=",
                               "==", "!=", "~=", "&", "|", "^", "&&", "||", "=", "+=", "-=",
                               "*=", "/=", "%=", "&=", "|=", "^="};
    auto text = [](const char* t) { return t != nullptr ? Printed(t) : std::string("(none)"); };
    for (int k = 0; k < 30; ++k) {
        const std::string s = spellings[k];
        Op op{};
        ASSERT_TRUE(FindOperator(s.c_str(), op)) << s;
        ASSERT_EQ(static_cast<int>(op), k) << s;
        const bool binary = k >= static_cast<int>(Op::Multiply);
        const bool step = op == Op::Increment || op == Op::Decrement;
        const bool assignment = k >= static_cast<int>(Op::Assign);
        const OperatorTexts& texts = TextsOf(op);
        EXPECT_EQ(text(texts.missingLeft),
                  binary ? "No L-value for operator '" + s + "'" : "(none)");
        EXPECT_EQ(text(texts.missingRight), step ? "(none)" : "No R-value for '" + s + "'");
        EXPECT_EQ(text(texts.invalidTarget),
                  step || assignment ? "Invalid L-value for '" + s + "'" : "(none)");
        // A Void R is refused whatever L holds: R is looked at first.
        Value operand = binary ? S("a") : V, left = S("a"), target = V;
        const char* onVoid = !binary ? ApplyUnary(op, operand)
                             : assignment ? ApplyAssignment(op, operand, V, false)
                                          : ApplyBinary(op, operand, V);
        EXPECT_EQ(text(onVoid), "Operator '" + s + "' not applicable on 'Void'");
        if (op >= Op::Greater && op <= Op::NotEqual) {
            EXPECT_EQ(text(ApplyBinary(op, left, I(5))),
                      "Operator '" + s + "' can not compare 'String' with type other than 'String'");
        }
        if (assignment) {
            EXPECT_EQ(text(ApplyAssignment(op, target, I(1), false)), "Operator '" + s + "' type mismatch");
        }
    }
    Op op{};
    for (const char* other : {".", "", "+++", "=>", "'", "<>"}) {
        EXPECT_FALSE(FindOperator(other, op)) << other;
    }
}

}  // namespace
