#pragma once
#include <array>

/// The characters that may continue a name: ASCII letters, digits and "_". Looked up rather
/// than tested, as names are the bytes the scanner walks most.
inline constexpr auto kNameChars = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[static_cast<std::size_t>(c)] =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || (c >= '0' && c <= '9');
    }
    return table;
}();

inline bool IsNameChar(char c) { return kNameChars[static_cast<unsigned char>(c)]; }
