#include <gtest/gtest.h>

#include "reader/ScriptReader.h"

namespace {

struct KeywordRow {
    const char* word;
    Keyword code;
};

// Every keyword, and words that share a first letter, a prefix or a length with one: the
// classification must not take any of those for the keyword they resemble.
constexpr KeywordRow kRows[] = {
    {"if", Keyword::If},         {"else", Keyword::Else},
    {"while", Keyword::While},   {"continue", Keyword::Continue},
    {"break", Keyword::Break},   {"return", Keyword::Return},
    {"exit", Keyword::Exit},     {"do", Keyword::Do},
    {"for", Keyword::For},       {"switch", Keyword::Switch},
    {"case", Keyword::Case},     {"default", Keyword::Default},
    {"int", Keyword::Int},       {"float", Keyword::Float},
    {"string", Keyword::String}, {"void", Keyword::Void},
    {"", Keyword::None},         {"i", Keyword::None},
    {"in", Keyword::None},       {"ints", Keyword::None},
    {"iff", Keyword::None},      {"If", Keyword::None},
    {"INT", Keyword::None},      {"d", Keyword::None},
    {"dox", Keyword::None},      {"def", Keyword::None},
    {"defaults", Keyword::None}, {"c", Keyword::None},
    {"cas", Keyword::None},      {"cont", Keyword::None},
    {"ca", Keyword::None},       {"el", Keyword::None},
    {"ex", Keyword::None},       {"exits", Keyword::None},
    {"fo", Keyword::None},       {"floats", Keyword::None},
    {"format", Keyword::None},   {"result", Keyword::None},
    {"returns", Keyword::None},  {"s", Keyword::None},
    {"sw", Keyword::None},       {"strings", Keyword::None},
    {"str", Keyword::None},      {"voids", Keyword::None},
    {"vo", Keyword::None},       {"whilst", Keyword::None},
    {"breaks", Keyword::None},   {"b", Keyword::None},
    {"x", Keyword::None},        {"_if", Keyword::None},
    {"if2", Keyword::None},      {"Switch", Keyword::None},
};

class ClassifyKeyword : public testing::TestWithParam<KeywordRow> {};

TEST_P(ClassifyKeyword, NamesExactlyTheSixteenReservedWords) {
    EXPECT_EQ(ScriptReader::ClassifyKeyword(GetParam().word), GetParam().code) << GetParam().word;
}

INSTANTIATE_TEST_SUITE_P(Words, ClassifyKeyword, testing::ValuesIn(kRows));

}  // namespace
