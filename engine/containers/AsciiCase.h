#pragma once

// Comparisons that ignore the case of the ASCII letters only. Other bytes compare by their
// unsigned value, so scripts in any 8-bit encoding behave the same on every locale.

/// The byte with A-Z folded to a-z.
inline unsigned char FoldAsciiCase(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

/// strcmp-style ordering of two NUL-terminated strings with A-Z folded to a-z.
inline int CompareIgnoreAsciiCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const unsigned char x = FoldAsciiCase(*a);
        const unsigned char y = FoldAsciiCase(*b);
        if (x != y || x == 0) return x < y ? -1 : (x > y ? 1 : 0);
    }
}

/// True when the two NUL-terminated strings differ at most in the case of ASCII letters.
inline bool EqualsIgnoreAsciiCase(const char* a, const char* b) { return CompareIgnoreAsciiCase(a, b) == 0; }
