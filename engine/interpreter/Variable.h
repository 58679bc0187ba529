#pragma once
#include "containers/CharBuffer.h"
#include "values/ArrayElements.h"
#include "values/Value.h"

/// One declared variable; a scalar, or an array whose elements all carry the declared type.
struct Variable {
    Value value;             ///< scalar value; its type is the declared type
    ArrayElements elements;  ///< arraySize elements with their memory charge, none for a scalar
    CharBuffer name;         ///< a parameter's name; a scope's variables are named by their key
    int arraySize = 0;       ///< 0 for a scalar
    int declaredAt = -1;     ///< first byte of the name where it was declared
};
