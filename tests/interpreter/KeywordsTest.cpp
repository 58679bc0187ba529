#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "reader/ScriptReader.h"

namespace {

struct KeywordRow {
    std::string word;
    Keyword code;
};

void PrintTo(const KeywordRow& row, std::ostream* out) { *out << '"' << row.word << '"'; }

// Every keyword, and words that share a first letter, a prefix or a length with one: the
// classification must not take any of those for the keyword they resemble.
std::vector<KeywordRow> Rows() {
    std::vector<KeywordRow> rows = {
        {"if", Keyword::If},         {"else", Keyword::Else},
        {"while", Keyword::While},   {"continue", Keyword::Continue},
        {"break", Keyword::Break},   {"return", Keyword::Return},
        {"exit", Keyword::Exit},     {"do", Keyword::Do},
        {"for", Keyword::For},       {"switch", Keyword::Switch},
        {"case", Keyword::Case},     {"default", Keyword::Default},
        {"int", Keyword::Int},       {"float", Keyword::Float},
        {"string", Keyword::String}, {"void", Keyword::Void},
        {"", Keyword::None},
    };
    std::istringstream others(
        "i in ints iff If INT d dox def defaults c cas cont ca el ex exits fo floats format result returns s sw "
        "strings str voids vo whilst breaks b x _if if2 Switch");
    for (std::string word; others >> word;) rows.push_back({word, Keyword::None});
    // Read in place in the text, a name ends at the first character that cannot go on.
    rows.insert(rows.end(), {{"if(", Keyword::If},
                             {"else{", Keyword::Else},
                             {"return;", Keyword::Return},
                             {"int[", Keyword::Int},
                             {"ifs(", Keyword::None},
                             {"do_(", Keyword::None}});
    return rows;
}

class ClassifyKeyword : public testing::TestWithParam<KeywordRow> {};

TEST_P(ClassifyKeyword, NamesExactlyTheSixteenReservedWords) {
    EXPECT_EQ(ScriptReader::ClassifyKeyword(GetParam().word.c_str()), GetParam().code) << GetParam().word;
}

INSTANTIATE_TEST_SUITE_P(Words, ClassifyKeyword, testing::ValuesIn(Rows()));

}  // namespace
