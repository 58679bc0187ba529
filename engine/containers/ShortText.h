#pragma once
#include <cstring>
#include <memory>

/// A NUL-terminated copy of a short text, held inside the object when it fits and on the heap
/// only beyond that. Statement items copy the token they stand for; nearly every token is a
/// name or an operator of a few bytes, which then costs no allocation.
class ShortText {
public:
    static constexpr int kInlineBytes = 32;

    ShortText() { inlineText[0] = '\0'; }
    ShortText(const ShortText&) = delete;
    ShortText& operator=(const ShortText&) = delete;

    /// Copies n bytes and terminates them.
    void Assign(const char* bytes, int n) {
        char* target = inlineText;
        if (n >= kInlineBytes) {
            if (n >= heapBytes) {
                heap = std::make_unique<char[]>(static_cast<std::size_t>(n) + 1);
                heapBytes = n + 1;
            }
            target = heap.get();
        }
        std::memcpy(target, bytes, static_cast<std::size_t>(n));
        target[n] = '\0';
        text = target;
        length = n;
    }

    /// The text; "" until something is assigned.
    const char* CStr() const { return text; }
    int Length() const { return length; }

private:
    char inlineText[kInlineBytes];
    std::unique_ptr<char[]> heap;  ///< the text when it does not fit inline; kept for reuse
    int heapBytes = 0;
    int length = 0;
    const char* text = inlineText;
};
