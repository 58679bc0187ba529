#pragma once
#include "values/Value.h"

/// The thirty operators of the language.
enum class Op {
    Not,
    Complement,
    Increment,
    Decrement,
    Minus,
    Plus,  // unary (and +/- binary)
    Multiply,
    Divide,
    Modulo,  // pass 2
    Greater,
    Less,
    GreaterEqual,
    LessEqual,  // pass 4
    Equal,
    NotEqual,
    EqualIgnoreCase,  // pass 5
    BitAnd,
    BitOr,
    BitXor,  // pass 6
    LogicalAnd,
    LogicalOr,  // passes 7, 8
    Assign,
    AddAssign,
    SubAssign,
    MulAssign,
    DivAssign,
    ModAssign,  // pass 9
    AndAssign,
    OrAssign,
    XorAssign,
};

/// The operator spelled exactly as text, or false when no operator is spelled so.
bool FindOperator(const char* text, Op& op);

/// The position-dependent texts of an operator; null where the operator has no such check.
struct OperatorTexts {
    const char* missingLeft;    ///< e.g. "No L-value for operator '*'"
    const char* missingRight;   ///< e.g. "No R-value for '*'"
    const char* invalidTarget;  ///< e.g. "Invalid L-value for '='"
};
/// Texts of one operator (printf formats without arguments: "%%" prints one '%').
const OperatorTexts& TextsOf(Op op);

// The Apply functions compute in place and return null, or return the refusal message
// (a printf format without arguments) and leave the operands as they are.

/// ! ~ unary - unary + ++ -- on their single operand (++/-- compute the new value only).
[[nodiscard]] const char* ApplyUnary(Op op, Value& operand);
/// A binary operator of passes 2-8; the result is written into left.
[[nodiscard]] const char* ApplyBinary(Op op, Value& left, const Value& right);
/// An assignment operator on the re-read target; elementTarget: the target names an element.
[[nodiscard]] const char* ApplyAssignment(Op op, Value& target, const Value& right, bool elementTarget);
