// The reserved words of the language and their codes.
#include <cstring>

#include "reader/ScriptReader.h"

namespace {

struct KeywordSpelling {
    const char* word;
    Keyword code;
};

constexpr KeywordSpelling kKeywords[] = {
    {"if", Keyword::If},         {"else", Keyword::Else},     {"while", Keyword::While},
    {"continue", Keyword::Continue}, {"break", Keyword::Break}, {"return", Keyword::Return},
    {"exit", Keyword::Exit},     {"do", Keyword::Do},         {"for", Keyword::For},
    {"switch", Keyword::Switch}, {"case", Keyword::Case},     {"default", Keyword::Default},
    {"int", Keyword::Int},       {"float", Keyword::Float},   {"string", Keyword::String},
    {"void", Keyword::Void},
};

}  // namespace

Keyword ScriptReader::ClassifyKeyword(const char* word) {
    // Every name of the script passes through here; the first letter rules out most words
    // before any full comparison.
    for (const KeywordSpelling& keyword : kKeywords) {
        if (keyword.word[0] == word[0] && std::strcmp(keyword.word, word) == 0) return keyword.code;
    }
    return Keyword::None;
}
