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

// A zero-filled array of n + 1 bytes, so the terminator is in place before anything is copied.
// Counted before it exists: a string past the validation's memory limit is never allocated.
std::unique_ptr<char[]> NewText(int n) {
    const std::size_t bytes = static_cast<std::size_t>(n) + 1;
    MemoryBudget::ChargeCurrent(bytes);
    return std::make_unique<char[]>(bytes);
}

}  // namespace

CharBuffer::CharBuffer(const char* source) {
    if (source == nullptr) return;
    // length is an int; a longer text than that cannot be held, so it is cut.
    const std::size_t size = std::min<std::size_t>(std::strlen(source), INT_MAX - 1);
    const int n = static_cast<int>(size);
    auto bytes = NewText(n);
    std::memcpy(bytes.get(), source, static_cast<std::size_t>(n));
    Adopt(std::move(bytes), n);
}

void CharBuffer::CopyText(const CharBuffer& other) {
    auto bytes = NewText(other.length);
    std::memcpy(bytes.get(), other.text, static_cast<std::size_t>(other.length) + 1);
    Adopt(std::move(bytes), other.length);
}

CharBuffer& CharBuffer::operator=(const CharBuffer& other) {
    Assign(other);
    return *this;
}

void CharBuffer::Free() {
    if (storage) MemoryBudget::ReleaseCurrent(static_cast<std::size_t>(allocated));
    storage.reset();
    allocated = 0;
}

void CharBuffer::Adopt(std::unique_ptr<char[]> bytes, int n) {
    Free();
    storage = std::move(bytes);
    text = storage.get();
    length = n;
    allocated = n + 1;
}

void CharBuffer::Allocate(int n) {
    Clear();
    if (n < 0) return;
    Adopt(NewText(n), n);
}

void CharBuffer::Resize(int n) {
    if (n < 0) return;
    auto bytes = NewText(n);
    if (text != nullptr) {
        const int kept = std::min(length, n);
        std::memcpy(bytes.get(), text, static_cast<std::size_t>(kept));
    }
    Adopt(std::move(bytes), n);
}

char* CharBuffer::Reserve(int n) {
    if (text == nullptr) {
        if (n >= 0) Adopt(NewText(n), n);
        return text;
    }
    if (n > length) Resize(n);
    return text;
}

char* CharBuffer::OverwriteGrowing(int n) {
    if (n < 0) return text;
    // One buffer refilled token after token then allocates only for a token longer than
    // every one before it, instead of for each that is longer than the one just before.
    if (storage == nullptr || n >= allocated) Adopt(NewText(n), n);
    text[n] = '\0';
    length = n;
    return text;
}

void CharBuffer::Assign(const CharBuffer& other) {
    if (text == other.text) return;
    auto bytes = NewText(other.length);
    if (other.text != nullptr) {
        std::memcpy(bytes.get(), other.text, static_cast<std::size_t>(other.length) + 1);
    }
    Adopt(std::move(bytes), other.length);
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
    auto bytes = NewText(n);
    std::memcpy(bytes.get(), work, static_cast<std::size_t>(n));
    Adopt(std::move(bytes), n);
}
