#pragma once
#include <memory>

#include "containers/CharBuffer.h"
#include "containers/MemoryBudget.h"
#include "values/Value.h"

/// One declared variable; a scalar, or an array whose elements all carry the declared type.
struct Variable {
    Value value;                      ///< scalar value; its type is the declared type
    std::unique_ptr<Value[]> elements;  ///< arraySize elements, null for a scalar
    CharBuffer name;                  ///< the name as declared
    int arraySize = 0;                ///< 0 for a scalar
    int declaredAt = -1;              ///< first byte of the name where it was declared
    MemoryCharge elementsCharge;      ///< the elements' share of the validation's memory

    Variable() = default;
    Variable(const Variable& other);             ///< copies value, name, size and every element
    Variable& operator=(const Variable& other);  ///< same, replacing what was held
};
