#include "values/Operators.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "values/IntArithmetic.h"
#include "values/ValueMessages.h"

using namespace ValueMessages;

namespace {

// What an operator answers besides its result; null where it has no such refusal.
struct OperatorRules {
    const char* spelling;
    OperatorTexts texts;     // missing left, missing right, invalid target
    const char* onVoid;      // R, or the single operand, is Void
    const char* onFloat;     // a Float where only an Int is taken
    const char* onString;    // a String where none is taken ('-' and '+': their binary form)
    const char* onMismatch;  // every other refused pairing
};

// ORDER Op: one row per enumerator, in the enumeration's order.
constexpr OperatorRules kRules[] = {
    {"!", {nullptr, kNotNoRValue, nullptr}, kNotOnVoid, nullptr, kNotOnString, nullptr},
    {"~", {nullptr, kComplementNoRValue, nullptr}, kComplementOnVoid, kComplementOnFloat, kComplementOnString, nullptr},
    {"++",
     {nullptr, nullptr, kIncrementInvalidLValue},
     kIncrementOnVoid,
     kIncrementOnFloat,
     kIncrementOnString,
     nullptr},
    {"--",
     {nullptr, nullptr, kDecrementInvalidLValue},
     kDecrementOnVoid,
     kDecrementOnFloat,
     kDecrementOnString,
     nullptr},
    {"-", {nullptr, kMinusNoRValue, nullptr}, kMinusOnVoid, nullptr, kMinusOnString, nullptr},
    {"+", {nullptr, kPlusNoRValue, nullptr}, kPlusOnVoid, nullptr, kPlusOnlyStrings, nullptr},
    {"*", {kMultiplyNoLValue, kMultiplyNoRValue, nullptr}, kMultiplyOnVoid, nullptr, kMultiplyOnString, nullptr},
    {"/", {kDivideNoLValue, kDivideNoRValue, nullptr}, kDivideOnVoid, nullptr, kDivideOnString, nullptr},
    {"%", {kModuloNoLValue, kModuloNoRValue, nullptr}, kModuloOnVoid, nullptr, kModuloOnString, nullptr},
    {">", {kGreaterNoLValue, kGreaterNoRValue, nullptr}, kGreaterOnVoid, nullptr, nullptr, kGreaterCannotCompare},
    {"<", {kLessNoLValue, kLessNoRValue, nullptr}, kLessOnVoid, nullptr, nullptr, kLessCannotCompare},
    {">=",
     {kGreaterEqualNoLValue, kGreaterEqualNoRValue, nullptr},
     kGreaterEqualOnVoid,
     nullptr,
     nullptr,
     kGreaterEqualCannotCompare},
    {"<=",
     {kLessEqualNoLValue, kLessEqualNoRValue, nullptr},
     kLessEqualOnVoid,
     nullptr,
     nullptr,
     kLessEqualCannotCompare},
    {"==", {kEqualNoLValue, kEqualNoRValue, nullptr}, kEqualOnVoid, nullptr, nullptr, kEqualCannotCompare},
    {"!=", {kNotEqualNoLValue, kNotEqualNoRValue, nullptr}, kNotEqualOnVoid, nullptr, nullptr, kNotEqualCannotCompare},
    {"~=",
     {kEqualIgnoreCaseNoLValue, kEqualIgnoreCaseNoRValue, nullptr},
     kEqualIgnoreCaseOnVoid,
     nullptr,
     nullptr,
     kEqualIgnoreCaseOnlyStrings},
    {"&", {kBitAndNoLValue, kBitAndNoRValue, nullptr}, kBitAndOnVoid, kBitAndOnFloat, kBitAndOnString, nullptr},
    {"|", {kBitOrNoLValue, kBitOrNoRValue, nullptr}, kBitOrOnVoid, kBitOrOnFloat, kBitOrOnString, nullptr},
    {"^", {kBitXorNoLValue, kBitXorNoRValue, nullptr}, kBitXorOnVoid, kBitXorOnFloat, kBitXorOnString, nullptr},
    {"&&",
     {kLogicalAndNoLValue, kLogicalAndNoRValue, nullptr},
     kLogicalAndOnVoid,
     nullptr,
     kLogicalAndNotValid,
     nullptr},
    {"||", {kLogicalOrNoLValue, kLogicalOrNoRValue, nullptr}, kLogicalOrOnVoid, nullptr, kLogicalOrNotValid, nullptr},
    {"=",
     {kAssignNoLValue, kAssignNoRValue, kAssignInvalidLValue},
     kAssignOnVoid,
     nullptr,
     nullptr,
     kAssignTypeMismatch},
    {"+=",
     {kAddAssignNoLValue, kAddAssignNoRValue, kAddAssignInvalidLValue},
     kAddAssignOnVoid,
     nullptr,
     nullptr,
     kAddAssignTypeMismatch},
    {"-=",
     {kSubAssignNoLValue, kSubAssignNoRValue, kSubAssignInvalidLValue},
     kSubAssignOnVoid,
     nullptr,
     kSubAssignOnString,
     kSubAssignTypeMismatch},
    {"*=",
     {kMulAssignNoLValue, kMulAssignNoRValue, kMulAssignInvalidLValue},
     kMulAssignOnVoid,
     nullptr,
     kMulAssignOnString,
     kMulAssignTypeMismatch},
    {"/=",
     {kDivAssignNoLValue, kDivAssignNoRValue, kDivAssignInvalidLValue},
     kDivAssignOnVoid,
     nullptr,
     kDivAssignOnString,
     kDivAssignTypeMismatch},
    {"%=",
     {kModAssignNoLValue, kModAssignNoRValue, kModAssignInvalidLValue},
     kModAssignOnVoid,
     nullptr,
     kModAssignOnString,
     kModAssignTypeMismatch},
    {"&=",
     {kAndAssignNoLValue, kAndAssignNoRValue, kAndAssignInvalidLValue},
     kAndAssignOnVoid,
     kAndAssignOnFloat,
     kAndAssignOnString,
     kAndAssignTypeMismatch},
    {"|=",
     {kOrAssignNoLValue, kOrAssignNoRValue, kOrAssignInvalidLValue},
     kOrAssignOnVoid,
     kOrAssignOnFloat,
     kOrAssignOnString,
     kOrAssignTypeMismatch},
    {"^=",
     {kXorAssignNoLValue, kXorAssignNoRValue, kXorAssignInvalidLValue},
     kXorAssignOnVoid,
     kXorAssignOnFloat,
     kXorAssignOnString,
     kXorAssignTypeMismatch},
};
static_assert(std::size(kRules) == static_cast<std::size_t>(Op::XorAssign) + 1, "one row of rules per operator");

const OperatorRules& RulesOf(Op op) { return kRules[static_cast<std::size_t>(op)]; }

bool IsNumber(const Value& v) { return v.type == ValueType::Int || v.type == ValueType::Float; }

// An Int meeting a Float is computed as a double; the conversion is exact.
double AsDouble(const Value& v) { return v.type == ValueType::Int ? static_cast<double>(v.i) : v.f; }

bool IsTrue(const Value& v) { return v.type == ValueType::Int ? v.i != 0 : v.f != 0.0; }

// Results of comparisons and logical operators. The payloads of the old type are left as
// they are; nothing reads them once the type has changed.
void SetTruth(Value& v, bool holds) {
    v.i = holds ? 1 : 0;
    v.type = ValueType::Int;
}

// Comparisons, equality, bitwise and logical operators answer with an Int even where an
// External keeps them from computing, so a condition on an undeclared name still reads as one.
bool YieldsInt(Op op) { return op >= Op::Greater && op <= Op::LogicalOr; }

// The binary operator that a compound assignment applies.
Op BaseOf(Op op) {
    switch (op) {
    case Op::AddAssign:
        return Op::Plus;
    case Op::SubAssign:
        return Op::Minus;
    case Op::MulAssign:
        return Op::Multiply;
    case Op::DivAssign:
        return Op::Divide;
    case Op::ModAssign:
        return Op::Modulo;
    case Op::AndAssign:
        return Op::BitAnd;
    case Op::OrAssign:
        return Op::BitOr;
    case Op::XorAssign:
        return Op::BitXor;
    default:
        return op;
    }
}

// Int arithmetic and bit operations; a refused division leaves a as it was.
const char* ComputeInt(Op base, int32_t& a, int32_t b) {
    switch (base) {
    case Op::Plus:
        a = WrapAdd(a, b);
        break;
    case Op::Minus:
        a = WrapSubtract(a, b);
        break;
    case Op::Multiply:
        a = WrapMultiply(a, b);
        break;
    case Op::Divide:
        if (b == 0) return kIntegerDivisionByZero;
        a = WrapDivide(a, b);
        break;
    case Op::Modulo:
        if (b == 0) return kIntegerDivisionByZero;
        a = WrapRemainder(a, b);
        break;
    case Op::BitAnd:
        a &= b;
        break;
    case Op::BitOr:
        a |= b;
        break;
    case Op::BitXor:
        a ^= b;
        break;
    default:
        break;
    }
    return nullptr;
}

// Double arithmetic. A zero divisor is no error here: scripts get the IEEE infinity or NaN.
double ComputeFloat(Op base, double a, double b) {
    switch (base) {
    case Op::Plus:
        return a + b;
    case Op::Minus:
        return a - b;
    case Op::Multiply:
        return a * b;
    case Op::Divide:
        return a / b;
    case Op::Modulo:
        return FloatModulo(a, b);
    default:
        return a;
    }
}

// '*', '/', '%', '+' and binary '-'. Two Ints stay Int; any Float makes the result Float.
const char* Arithmetic(Op op, Value& left, const Value& right) {
    if (op == Op::Plus && left.type == ValueType::String && right.type == ValueType::String) {
        left.text.Append(right.text);
        return nullptr;
    }
    if (!IsNumber(left) || !IsNumber(right)) return RulesOf(op).onString;
    if (left.type == ValueType::Int && right.type == ValueType::Int) {
        return ComputeInt(op, left.i, right.i);
    }
    left.f = ComputeFloat(op, AsDouble(left), AsDouble(right));
    left.type = ValueType::Float;
    return nullptr;
}

template <typename T>
bool Holds(Op op, T a, T b) {
    switch (op) {
    case Op::Greater:
        return a > b;
    case Op::Less:
        return a < b;
    case Op::GreaterEqual:
        return a >= b;
    case Op::LessEqual:
        return a <= b;
    case Op::Equal:
        return a == b;
    case Op::NotEqual:
        return a != b;
    default:
        return false;
    }
}

// Ordering and equality. Two strings become an order against 0: by their bytes for equality,
// by their lengths alone for the orderings.
const char* Compare(Op op, Value& left, const Value& right) {
    bool holds = false;
    if (left.type == ValueType::String && right.type == ValueType::String) {
        const int order = (op == Op::Equal || op == Op::NotEqual) ? (StringsEqual(left.text, right.text) ? 0 : 1)
                                                                  : CompareStringLengths(left.text, right.text);
        holds = Holds(op, order, 0);
    } else if (left.type == ValueType::Int && right.type == ValueType::Int) {
        holds = Holds(op, left.i, right.i);
    } else if (IsNumber(left) && IsNumber(right)) {
        holds = Holds(op, AsDouble(left), AsDouble(right));
    } else {
        return RulesOf(op).onMismatch;
    }
    SetTruth(left, holds);
    return nullptr;
}

const char* CompareIgnoringCase(Value& left, const Value& right) {
    if (left.type != ValueType::String || right.type != ValueType::String) {
        return kEqualIgnoreCaseOnlyStrings;
    }
    SetTruth(left, StringsEqualIgnoreCase(left.text, right.text));
    return nullptr;
}

const char* Bitwise(Op op, Value& left, const Value& right) {
    const OperatorRules& rules = RulesOf(op);
    if (right.type == ValueType::String) return rules.onString;
    // An L that is not an Int gets the Float text whatever it is, a String L included.
    if (right.type != ValueType::Int || left.type != ValueType::Int) return rules.onFloat;
    return ComputeInt(op, left.i, right.i);
}

// '&&' and '||'. Both operands were evaluated before: there is no short circuit to honour.
const char* Logical(Op op, Value& left, const Value& right) {
    if (!IsNumber(left) || !IsNumber(right)) return RulesOf(op).onString;
    const bool holds = op == Op::LogicalAnd ? IsTrue(left) && IsTrue(right) : IsTrue(left) || IsTrue(right);
    SetTruth(left, holds);
    return nullptr;
}

const char* AssignValue(Value& target, const Value& right, bool elementTarget) {
    switch (target.type) {
    case ValueType::Int:
        if (!IsNumber(right)) break;
        target.i = right.type == ValueType::Int ? right.i : FloatToInt(right.f);
        return nullptr;
    case ValueType::Float:
        if (!IsNumber(right)) break;
        target.f = AsDouble(right);
        return nullptr;
    case ValueType::String:
        if (right.type == ValueType::String) {
            target.text.Assign(right.text);
            return nullptr;
        }
        // A character of a string is set by its code: the item turns Int and the store
        // into the element decides what the string receives.
        if (right.type == ValueType::Int && elementTarget) {
            target.i = right.i;
            target.type = ValueType::Int;
            return nullptr;
        }
        break;
    default:
        break;
    }
    return kAssignTypeMismatch;
}

// '+=', '-=', '*=', '/=' and '%='.
const char* ArithmeticAssign(Op op, Value& target, const Value& right) {
    const OperatorRules& rules = RulesOf(op);
    if (right.type == ValueType::String) {
        if (op != Op::AddAssign) return rules.onString;
        if (target.type != ValueType::String) return rules.onMismatch;
        target.text.Append(right.text);
        return nullptr;
    }
    if (target.type == ValueType::Int) {
        if (op == Op::ModAssign && right.type == ValueType::Float) return rules.onMismatch;
        // The operand is truncated before the operation, unlike x = x + 0.6, which truncates
        // only the sum: x += 0.6 leaves x as it was.
        const int32_t operand = right.type == ValueType::Int ? right.i : FloatToInt(right.f);
        return ComputeInt(BaseOf(op), target.i, operand);
    }
    if (target.type == ValueType::Float) {
        target.f = ComputeFloat(BaseOf(op), target.f, AsDouble(right));
        return nullptr;
    }
    return rules.onMismatch;
}

// '&=', '|=' and '^='.
const char* BitwiseAssign(Op op, Value& target, const Value& right) {
    const OperatorRules& rules = RulesOf(op);
    if (right.type == ValueType::Float) return rules.onFloat;
    if (right.type == ValueType::String) return rules.onString;
    if (target.type != ValueType::Int) return rules.onMismatch;
    return ComputeInt(BaseOf(op), target.i, right.i);
}

}  // namespace

namespace {

/// A spelling of one or two bytes as one number, so that a lookup compares numbers.
constexpr std::uint16_t SpellingKey(const char* s) {
    const auto first = static_cast<unsigned char>(s[0]);
    const auto second = first == 0 ? 0u : static_cast<unsigned char>(s[1]);
    return static_cast<std::uint16_t>(first | second << 8);
}

constexpr bool SpellingsAreShort() {
    for (const OperatorRules& rules : kRules) {
        if (rules.spelling[0] == '\0' || (rules.spelling[1] != '\0' && rules.spelling[2] != '\0')) return false;
    }
    return true;
}
static_assert(SpellingsAreShort(), "every spelling has one or two bytes");

/// The operators by spelling key, hashed: every operator item of every expression is looked
/// up, and a search through all spellings cost more than applying most operators.
struct SpellingSlot {
    std::uint16_t key = 0;  ///< 0: free
    std::int8_t op = -1;
};
constexpr std::size_t kSpellingSlots = 64;

constexpr std::size_t SpellingSlotOf(std::uint16_t key) { return (key * 40503u >> 7) % kSpellingSlots; }

constexpr auto kSpellingTable = [] {
    static_assert(2 * std::size(kRules) <= kSpellingSlots, "half free keeps probes short");
    std::array<SpellingSlot, kSpellingSlots> slots{};
    for (std::size_t k = 0; k < std::size(kRules); ++k) {
        const std::uint16_t key = SpellingKey(kRules[k].spelling);
        std::size_t at = SpellingSlotOf(key);
        while (slots[at].key != 0) at = (at + 1) % kSpellingSlots;
        slots[at] = {key, static_cast<std::int8_t>(k)};
    }
    return slots;
}();

}  // namespace

bool FindOperator(const char* text, Op& op) {
    // Every operator of every expression is looked up here. No spelling is longer than two
    // bytes, so a longer text is none, and the rest compare as one number each.
    if (text[0] != '\0' && text[1] != '\0' && text[2] != '\0') return false;
    const std::uint16_t key = SpellingKey(text);
    if (key == 0) return false;
    for (std::size_t at = SpellingSlotOf(key);; at = (at + 1) % kSpellingSlots) {
        const SpellingSlot& slot = kSpellingTable[at];
        if (slot.key == 0) return false;
        if (slot.key == key) {
            op = static_cast<Op>(slot.op);
            return true;
        }
    }
}

const OperatorTexts& TextsOf(Op op) { return RulesOf(op).texts; }

const char* ApplyUnary(Op op, Value& operand) {
    const OperatorRules& rules = RulesOf(op);
    switch (operand.type) {
    case ValueType::External:
        // Nothing is known to compute with; '!' and '~' still answer with an Int.
        if (op == Op::Not || op == Op::Complement) operand.type = ValueType::Int;
        return nullptr;
    case ValueType::Void:
        return rules.onVoid;
    case ValueType::String:
        if (op == Op::Minus) return kMinusUnaryOnString;
        if (op == Op::Plus) return kPlusUnaryOnString;
        return rules.onString;
    case ValueType::Float:
        if (rules.onFloat != nullptr) return rules.onFloat;
        break;
    case ValueType::Int:
        break;
    }
    switch (op) {
    case Op::Not:
        SetTruth(operand, !IsTrue(operand));
        break;
    case Op::Complement:
        operand.i = ~operand.i;
        break;
    // The evaluator stores the new value and, for a postfix use, steps the item back.
    case Op::Increment:
        operand.i = WrapAdd(operand.i, 1);
        break;
    case Op::Decrement:
        operand.i = WrapSubtract(operand.i, 1);
        break;
    case Op::Minus:
        if (operand.type == ValueType::Int) {
            operand.i = WrapNegate(operand.i);
        } else {
            operand.f = -operand.f;
        }
        break;
    default:
        break;  // unary '+' only checks its operand
    }
    return nullptr;
}

const char* ApplyBinary(Op op, Value& left, const Value& right) {
    // An External is a value the checker cannot know: nothing is computed with it and nothing
    // is refused, so an undeclared name never ends a validation by itself.
    if (left.type == ValueType::External) {
        if (YieldsInt(op)) left.type = ValueType::Int;
        return nullptr;
    }
    // R is looked at before L: a missing value on the right is reported whatever L holds.
    if (right.type == ValueType::Void) return RulesOf(op).onVoid;
    if (right.type == ValueType::External) {
        if (YieldsInt(op)) left.type = ValueType::Int;
        return nullptr;
    }
    switch (op) {
    case Op::Minus:
    case Op::Plus:
    case Op::Multiply:
    case Op::Divide:
    case Op::Modulo:
        return Arithmetic(op, left, right);
    case Op::Greater:
    case Op::Less:
    case Op::GreaterEqual:
    case Op::LessEqual:
    case Op::Equal:
    case Op::NotEqual:
        return Compare(op, left, right);
    case Op::EqualIgnoreCase:
        return CompareIgnoringCase(left, right);
    case Op::BitAnd:
    case Op::BitOr:
    case Op::BitXor:
        return Bitwise(op, left, right);
    case Op::LogicalAnd:
    case Op::LogicalOr:
        return Logical(op, left, right);
    default:
        return nullptr;  // unary and assignment operators have their own entries
    }
}

const char* ApplyAssignment(Op op, Value& target, const Value& right, bool elementTarget) {
    // An undeclared target: the store that follows records nothing, so there is nothing to do.
    if (target.type == ValueType::External) return nullptr;
    if (right.type == ValueType::Void) return RulesOf(op).onVoid;
    // An unknown value leaves the variable as it was.
    if (right.type == ValueType::External) return nullptr;
    switch (op) {
    case Op::Assign:
        return AssignValue(target, right, elementTarget);
    case Op::AddAssign:
    case Op::SubAssign:
    case Op::MulAssign:
    case Op::DivAssign:
    case Op::ModAssign:
        return ArithmeticAssign(op, target, right);
    case Op::AndAssign:
    case Op::OrAssign:
    case Op::XorAssign:
        return BitwiseAssign(op, target, right);
    default:
        return nullptr;  // only the assignment operators are applied here
    }
}
