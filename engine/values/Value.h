#pragma once
#include <cstdint>

#include "containers/CharBuffer.h"

/// Type code of a script value; the numbers are part of the language's model.
enum class ValueType : int32_t { Void = 0, Int = 1, Float = 2, String = 3, External = 4 };

/// One script datum: literal, variable contents, argument, result or intermediate value.
/// Only the payload that belongs to `type` is meaningful; operators switch `type` in place.
class Value {
public:
    CharBuffer text;                   ///< payload of a String
    double f = 0.0;                    ///< payload of a Float
    int32_t i = 0;                     ///< payload of an Int, and the 0/1 of comparisons
    ValueType type = ValueType::Void;  ///< what the value is

    Value() = default;
    Value(const Value& other) = default;   ///< deep copy
    Value& operator=(const Value& other);  ///< deep copy; text copied only when pointers differ
    Value(Value&& other) noexcept = default;
    Value& operator=(Value&& other) noexcept = default;

    /// Frees the text and returns to a fresh Void value.
    void Clear() {
        text.Clear();
        f = 0.0;
        i = 0;
        type = ValueType::Void;
    }

    /// An Int value.
    static Value MakeInt(int32_t v);
    /// A Float value.
    static Value MakeFloat(double v);
    /// A String value holding a copy of the NUL-terminated text.
    static Value MakeString(const char* s);
    /// An External value: empty text, zero payloads.
    static Value MakeExternal();
};

/// The Float-to-Int rule: truncate toward zero to 64 bits and keep the low 32 bits;
/// magnitudes of 2^63 or more, infinities and NaN give 0.
int32_t FloatToInt(double d);

/// Value of a number token: Float when the text holds '.', 'e' or 'E', otherwise Int.
Value NumberLiteral(const char* token);

/// The remainder of '%' on doubles, shifted by one divisor for negative dividends.
double FloatModulo(double a, double b);

/// Byte equality of two texts up to their NUL, case-sensitive.
bool StringsEqual(const CharBuffer& a, const CharBuffer& b);
/// Equality ignoring the case of the ASCII letters.
bool StringsEqualIgnoreCase(const CharBuffer& a, const CharBuffer& b);
/// Ordering of strings: by their lengths up to the first NUL only (<0, 0, >0).
int CompareStringLengths(const CharBuffer& a, const CharBuffer& b);
