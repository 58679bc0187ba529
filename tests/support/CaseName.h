#pragma once
#include <cctype>
#include <cstdio>
#include <string>
#include <string_view>

/// A test name that says what a row holds: words and numbers kept, the characters that make
/// operators spelled out, line breaks and other bytes named, all joined by "_". Test names
/// may hold only letters, digits and "_", and a failure should name its row at a glance.
inline std::string CaseName(std::string_view text, std::size_t limit = 64) {
    static constexpr struct {
        char c;
        const char* word;
    } kSpelled[] = {
        {'+', "plus"},     {'-', "minus"}, {'*', "star"},       {'/', "slash"},  {'%', "percent"},
        {'=', "eq"},       {'<', "lt"},    {'>', "gt"},         {'!', "bang"},   {'~', "tilde"},
        {'&', "amp"},      {'|', "bar"},   {'^', "caret"},      {'$', "dollar"}, {'#', "hash"},
        {'`', "backtick"}, {'"', "quote"}, {'\\', "backslash"}, {'\r', "CR"},    {'\n', "LF"},
    };
    std::string name;
    bool inWord = false;
    auto addWord = [&](const std::string& word) {
        if (!name.empty()) name += '_';
        name += word;
        inWord = false;
    };
    for (const char c : text) {
        if (name.size() >= limit) break;
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) && byte < 0x80) {
            if (!inWord && !name.empty()) name += '_';
            name += c;
            inWord = true;
            continue;
        }
        const char* word = nullptr;
        for (const auto& spelled : kSpelled) {
            if (spelled.c == c) word = spelled.word;
        }
        if (word != nullptr) {
            addWord(word);
        } else if (byte < 0x20 || byte >= 0x7f) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "x%02X", byte);
            addWord(hex);
        } else {
            inWord = false;  // blanks and brackets only separate
        }
    }
    return name.empty() ? "empty" : name;
}
