#pragma once
#include <gtest/gtest.h>

#include <string>

/// The part written count times over.
inline std::string Repeat(const std::string& part, int count) {
    std::string text;
    for (int k = 0; k < count; ++k) text += part;
    return text;
}

/// Functions f0 to f<depth>, each calling the one below twice, so 2^depth calls, one line
/// each after a first line that declares the global every call counts in: no call can be
/// answered from an earlier identical one, and at depth 40 the checking pass never ends.
inline std::string DoublingChain(int depth) {
    std::string text = "int calls;\r\nint f0(int n) { calls = calls + 1; return n; }\r\n";
    for (int k = 1; k <= depth; ++k) {
        const std::string below = "f" + std::to_string(k - 1) + "(n)";
        text += "int f" + std::to_string(k) + "(int n) { return " + below + " + " + below + "; }\r\n";
    }
    return text;
}

/// A 1-based line and byte column.
struct Place {
    int line = 1;
    int column = 1;
};

/// Where the last occurrence of marker stands, found in the text by the test itself so that a
/// fault in the engine's own position arithmetic cannot cancel out. Lines end at CR or CR LF;
/// a lone LF is an ordinary byte, as for the engine's users.
inline Place PlaceOf(const std::string& script, const std::string& marker) {
    const std::size_t at = script.rfind(marker);
    EXPECT_NE(at, std::string::npos) << marker;
    Place place;
    std::size_t lineStart = 0;
    for (std::size_t k = 0; k < at; ++k) {
        if (script[k] != '\r') continue;
        ++place.line;
        lineStart = k + 1 < script.size() && script[k + 1] == '\n' ? k + 2 : k + 1;
    }
    place.column = static_cast<int>(at - lineStart) + 1;
    return place;
}
