#pragma once
#include <cstdint>

#include "containers/CharBuffer.h"
#include "values/Value.h"

/// Kinds of an expression item as the evaluator receives them.
namespace ItemKind {
constexpr int32_t Computed = 0;  ///< call result, parenthesised or braced sub-result, operator result
constexpr int32_t Number = 1;    ///< number literal
constexpr int32_t Operator = 2;  ///< operator token; carries a Void value
constexpr int32_t Variable = 4;  ///< assignable operand: a name, optionally with `index`
constexpr int32_t String = 6;    ///< string literal
}  // namespace ItemKind

/// One element of a statement's flat item list.
struct ExprItem {
    CharBuffer text;     ///< operator spelling, variable name or token text
    int32_t kind = -1;   ///< ItemKind, or a scanner token kind while the item is being built
    int32_t index = -1;  ///< element index of a variable item, -1 without brackets
    int32_t start = 0;   ///< first byte of its token in the text
    Value value;         ///< operand value; Void for operators
};
