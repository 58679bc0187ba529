#include <cstring>

#include "containers/AsciiCase.h"
#include "values/Value.h"

// Script strings end at their first NUL for every comparison: a "\0" escape inside a literal
// cuts its value there, whatever length the buffer records.

bool StringsEqual(const CharBuffer& a, const CharBuffer& b) {
    return std::strcmp(a.CStr(), b.CStr()) == 0;
}

bool StringsEqualIgnoreCase(const CharBuffer& a, const CharBuffer& b) {
    // Only A-Z fold, so the result does not depend on the locale the host runs under.
    return EqualsIgnoreAsciiCase(a.CStr(), b.CStr());
}

int CompareStringLengths(const CharBuffer& a, const CharBuffer& b) {
    const std::size_t lengthA = std::strlen(a.CStr());
    const std::size_t lengthB = std::strlen(b.CStr());
    return lengthA < lengthB ? -1 : (lengthA > lengthB ? 1 : 0);
}
