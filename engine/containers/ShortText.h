#pragma once
#include <cstring>
#include <string_view>

#include "containers/CharBuffer.h"

/// A NUL-terminated copy of a short text, held inside the object when it fits. Statement
/// items copy the token they stand for, and nearly every token is a name or an operator of a
/// few bytes, which then costs no allocation. A longer text is a CharBuffer, counted like any
/// other string of the script.
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
            target = longText.Overwrite(n);
        } else if (longText.text != nullptr) {
            longText.Clear();
        }
        std::memcpy(target, bytes, static_cast<std::size_t>(n));
        target[n] = '\0';
        text = target;
        length = n;
    }

    /// Assign of a buffer's text, whose whole array may be read.
    void Assign(const CharBuffer& source) {
        if (source.length < kInlineBytes && longText.text == nullptr) {
            CopyShort(inlineText, kInlineBytes, source.CStr(), source.Capacity(), source.length);
            inlineText[source.length] = '\0';
            text = inlineText;
            length = source.length;
            return;
        }
        Assign(source.CStr(), source.length);
    }

    /// Frees a long text; the short one costs nothing to keep.
    void Release() {
        if (longText.text == nullptr) return;
        longText.Clear();
        inlineText[0] = '\0';
        text = inlineText;
        length = 0;
    }

    /// The text; "" until something is assigned.
    const char* CStr() const { return text; }
    /// The text with its length, which a name's lookup then need not count.
    std::string_view View() const { return {text, static_cast<std::size_t>(length)}; }

private:
    char inlineText[kInlineBytes];
    CharBuffer longText;
    const char* text = inlineText;
    int length = 0;
};
