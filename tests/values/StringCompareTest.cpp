#include <gtest/gtest.h>

#include <cstring>

#include "containers/CharBuffer.h"
#include "values/Value.h"

namespace {

struct CompareCase {
    const char* a;  // null: an empty buffer without text
    const char* b;
    bool equal;
    bool equalIgnoreCase;
    int lengthOrder;
};

class StringComparisons : public ::testing::TestWithParam<CompareCase> {};

TEST_P(StringComparisons, EqualityAndLengthOrdering) {
    const CompareCase& c = GetParam();
    const CharBuffer a(c.a);
    const CharBuffer b(c.b);
    EXPECT_EQ(StringsEqual(a, b), c.equal);
    EXPECT_EQ(StringsEqualIgnoreCase(a, b), c.equalIgnoreCase);
    EXPECT_EQ(CompareStringLengths(a, b), c.lengthOrder);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, StringComparisons,
    ::testing::Values(CompareCase{"abc", "ABC", false, true, 0},
                      CompareCase{"abc", "zz", false, false, 1},
                      CompareCase{"a", "b", false, false, 0},
                      CompareCase{"zz", "abc", false, false, -1},
                      CompareCase{"same", "same", true, true, 0},
                      CompareCase{"", nullptr, true, true, 0},
                      // only ASCII letters fold: 0xC4 and 0xE4 stay different
                      CompareCase{"\xC4", "\xE4", false, false, 0},
                      CompareCase{"[", "{", false, false, 0}));

TEST(StringComparisons, StopAtTheFirstNul) {
    CharBuffer cut("ab");
    cut.Resize(4);  // "ab\0\0" with length 4
    const CharBuffer plain("ab");
    EXPECT_TRUE(StringsEqual(cut, plain));
    EXPECT_EQ(CompareStringLengths(cut, plain), 0);
}

struct AppendCase {
    const char* start;
    const char* added;
    const char* expected;
};

class CharBufferAppend : public ::testing::TestWithParam<AppendCase> {};

TEST_P(CharBufferAppend, ConcatenatesWithLength) {
    CharBuffer buffer(GetParam().start);
    buffer.Append(CharBuffer(GetParam().added));
    EXPECT_STREQ(buffer.CStr(), GetParam().expected);
    EXPECT_EQ(buffer.length, static_cast<int>(std::strlen(GetParam().expected)));
}

INSTANTIATE_TEST_SUITE_P(Pairs, CharBufferAppend,
                         ::testing::Values(AppendCase{"ab", "cd", "abcd"},
                                           AppendCase{"ab", "", "ab"},
                                           AppendCase{"ab", nullptr, "ab"},
                                           AppendCase{nullptr, "cd", "cd"}));

TEST(CharBufferAppend, EmptyOtherKeepsAnEmptyBufferWithoutText) {
    CharBuffer buffer;
    buffer.Append(CharBuffer(""));
    EXPECT_EQ(buffer.text, nullptr);
    EXPECT_EQ(buffer.length, 0);
}

TEST(CharBufferAppend, ToItself) {
    CharBuffer buffer("ab");
    buffer.Append(buffer);
    EXPECT_STREQ(buffer.CStr(), "abab");
    EXPECT_EQ(buffer.length, 4);
}

}  // namespace
