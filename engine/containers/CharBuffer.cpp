#include "containers/CharBuffer.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <utility>

#include "containers/MemoryBudget.h"

namespace {

// Format's work area: longer output is cut to this many characters.
constexpr int kFormatLimit = 4095;

}  // namespace

// Counted before the room exists: a string past the validation's memory limit is never
// allocated. Zero-filled, so the terminator is in place before anything is copied.
void CharBuffer::Replace(int n, const char* source, int kept) {
    const std::size_t bytes = static_cast<std::size_t>(n) + 1;
    MemoryBudget::ChargeCurrent(bytes);
    if (bytes <= kInlineBytes) {
        // Built aside first: source may be this buffer's inline text.
        char fresh[kInlineBytes] = {};
        if (kept > 0) std::memcpy(fresh, source, static_cast<std::size_t>(kept));
        if (text != nullptr) Free();
        std::memcpy(inlineBytes, fresh, kInlineBytes);
        text = inlineBytes;
    } else {
        auto fresh = std::make_unique<char[]>(bytes);
        if (kept > 0) std::memcpy(fresh.get(), source, static_cast<std::size_t>(kept));
        if (text != nullptr) Free();
        heapBytes = fresh.release();
        text = heapBytes;
    }
    length = n;
    allocated = n + 1;
}

void CharBuffer::Free() {
    MemoryBudget::ReleaseCurrent(static_cast<std::size_t>(allocated));
    // The one place an array is given back: it is held as a plain pointer because it shares
    // its bytes with the inline text, and the pointer is the one in use only for a text that
    // is not inline.
    if (text != inlineBytes) delete[] heapBytes;
    text = nullptr;
    allocated = 0;
}

CharBuffer::CharBuffer(const char* source) {
    if (source == nullptr) return;
    // length is an int; a longer text than that cannot be held, so it is cut.
    const std::size_t size = std::min<std::size_t>(std::strlen(source), INT_MAX - 1);
    const int n = static_cast<int>(size);
    Replace(n, source, n);
}

void CharBuffer::CopyText(const CharBuffer& other) { Replace(other.length, other.text, other.length + 1); }

CharBuffer& CharBuffer::operator=(const CharBuffer& other) {
    Assign(other);
    return *this;
}

void CharBuffer::Allocate(int n) {
    Clear();
    if (n < 0) return;
    Replace(n, nullptr, 0);
}

void CharBuffer::Resize(int n) {
    if (n < 0) return;
    Replace(n, text, text != nullptr ? std::min(length, n) : 0);
}

char* CharBuffer::Reserve(int n) {
    if (text == nullptr) {
        if (n >= 0) Replace(n, nullptr, 0);
        return text;
    }
    if (n > length) Resize(n);
    return text;
}

char* CharBuffer::OverwriteGrowing(int n) {
    if (n < 0) return text;
    // One buffer refilled token after token then allocates only for a token longer than
    // every one before it, instead of for each that is longer than the one just before.
    if (text == nullptr || n >= allocated) Replace(n, nullptr, 0);
    text[n] = '\0';
    length = n;
    return text;
}

void CharBuffer::Assign(const CharBuffer& other) {
    if (text == other.text) return;
    Replace(other.length, other.text, other.text != nullptr ? other.length + 1 : 0);
}

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

void CharBuffer::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CharBuffer::FormatV(const char* format, va_list args) {
    // Formatted into a work array first, so the buffer's own text may be one of the arguments.
    char work[kFormatLimit + 1];
    const int printed = std::vsnprintf(work, sizeof work, format, args);
    const int n = std::clamp(printed, 0, kFormatLimit);
    Replace(n, work, n);
}
