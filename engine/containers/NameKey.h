#pragma once
#include <cstring>
#include <memory>

#include "containers/CharBuffer.h"

/// The key of a name-tree entry. Names of up to 15 bytes, nearly every name a script
/// declares, are held in the entry itself; a longer one is a CharBuffer, counted like any
/// other string of the script, kept apart so that the short ones pay no room for it.
class NameKey {
public:
    static constexpr int kInlineBytes = 16;

    NameKey() = default;
    NameKey(const NameKey&) = delete;
    NameKey& operator=(const NameKey&) = delete;

    /// Copies n bytes, which hold no NUL, and terminates them.
    void Assign(const char* bytes, int n) {
        char* target = inlineText;
        if (n >= kInlineBytes) {
            if (!longText) longText = std::make_unique<CharBuffer>();
            target = longText->Overwrite(n);
        }
        std::memcpy(target, bytes, static_cast<std::size_t>(n));
        target[n] = '\0';
        length = n;
    }

    /// The name, NUL-terminated.
    const char* CStr() const { return length >= kInlineBytes ? longText->text : inlineText; }

    int length = 0;  ///< bytes before the terminating NUL

private:
    char inlineText[kInlineBytes] = {};
    std::unique_ptr<CharBuffer> longText;
};
