#include <algorithm>
#include <climits>
#include <cstring>

#include "containers/CharBuffer.h"

// Lives with the values because string concatenation ('+' and '+=') is its only user.
void CharBuffer::Append(const CharBuffer& other) {
    if (other.length < 1) return;
    const int oldLength = length;
    // length is an int; what would not fit is cut, as the constructor cuts an overlong text.
    const int added = std::min(other.length, INT_MAX - 1 - oldLength);
    const bool self = &other == this;
    Resize(oldLength + added);
    // Resize has replaced the array, so a buffer appended to itself copies from its new text.
    const char* source = self ? text : other.text;
    std::memcpy(text + oldLength, source, static_cast<std::size_t>(added));
    text[length] = '\0';
}
