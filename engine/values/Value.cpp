#include "values/Value.h"

#include <cstring>

#include "containers/AsciiCase.h"

Value& Value::operator=(const Value& other) {
    f = other.f;
    i = other.i;
    type = other.type;
    text.Assign(other.text);
    return *this;
}

Value Value::MakeInt(int32_t v) {
    Value value;
    value.i = v;
    value.type = ValueType::Int;
    return value;
}

Value Value::MakeFloat(double v) {
    Value value;
    value.f = v;
    value.type = ValueType::Float;
    return value;
}

Value Value::MakeString(const char* s) {
    Value value;
    value.text = CharBuffer(s ? s : "");
    value.type = ValueType::String;
    return value;
}

Value Value::MakeExternal() {
    Value value;
    value.type = ValueType::External;
    return value;
}

// Script strings end at their first NUL for every comparison: a "\0" escape inside a literal
// cuts its value there, whatever length the buffer records.

bool StringsEqual(const CharBuffer& a, const CharBuffer& b) { return std::strcmp(a.CStr(), b.CStr()) == 0; }

bool StringsEqualIgnoreCase(const CharBuffer& a, const CharBuffer& b) {
    // Only A-Z fold, so the result does not depend on the locale the host runs under.
    return EqualsIgnoreAsciiCase(a.CStr(), b.CStr());
}

int CompareStringLengths(const CharBuffer& a, const CharBuffer& b) {
    const std::size_t lengthA = std::strlen(a.CStr());
    const std::size_t lengthB = std::strlen(b.CStr());
    return lengthA < lengthB ? -1 : (lengthA > lengthB ? 1 : 0);
}
