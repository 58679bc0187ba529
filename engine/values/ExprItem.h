#pragma once
#include <cstdint>

#include "containers/CharBuffer.h"
#include "values/Value.h"

/// Kinds of an expression item as the evaluator receives them.
enum class ItemKind : int32_t {
    Computed = 0,  ///< call result, parenthesised or braced sub-result, operator result
    Number = 1,    ///< number literal
    Operator = 2,  ///< operator token; carries a Void value
    Keyword = 3,   ///< a keyword statement's own item, removed before anything evaluates it
    Variable = 4,  ///< assignable operand: a name, optionally with `index`
    String = 6,    ///< string literal
};

/// One element of a statement's flat item list.
struct ExprItem {
    CharBuffer text;  ///< operator spelling, variable name or token text
    ItemKind kind = ItemKind::Computed;
    int32_t index = -1;  ///< element index of a variable item, -1 without brackets
    int32_t start = 0;   ///< first byte of its token in the text
    Value value;         ///< operand value; Void for operators
};
