#pragma once
#include "containers/CharBuffer.h"
#include "containers/DynaMem.h"
#include "interpreter/Variable.h"
#include "values/Value.h"

/// A user function: where its body starts, its typed parameters and its result type.
struct FunctionRecord {
    int bodyPos = 0;                         ///< position just after the body's "{"
    CharBuffer name;                         ///< the name as declared
    DynaMem<Variable> params{8};             ///< parameters in order; value.type is the declared type
    ValueType returnType = ValueType::Void;  ///< type of the result
    int nameStart = 0;                       ///< first byte of the name in the declaration
    int bodyEnd = 0;                         ///< position just after the body's "}"
};
