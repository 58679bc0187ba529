#include "containers/CharBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

TEST(CharBuffer, NullGivesNoTextButAnEmptySourceGivesATerminator) {
    EXPECT_EQ(CharBuffer(nullptr).text, nullptr);
    EXPECT_STREQ(CharBuffer(nullptr).CStr(), "");
    ASSERT_NE(CharBuffer("").text, nullptr);

    CharBuffer target("text");
    target.Assign(CharBuffer());
    ASSERT_NE(target.text, nullptr);
    EXPECT_EQ(target.length, 0);
    EXPECT_EQ(target.text[0], '\0');
}

TEST(CharBuffer, ResizeCutsOrPadsAndKeepsTheTerminatorAtLength) {
    CharBuffer buffer("abcd");
    buffer.Resize(2);
    EXPECT_EQ(buffer.length, 2);
    EXPECT_STREQ(buffer.text, "ab");
    buffer.Resize(6);
    EXPECT_EQ(buffer.length, 6);
    EXPECT_EQ(std::string(buffer.text, 7), std::string("ab\0\0\0\0\0", 7));
}

TEST(CharBuffer, ReserveAllocatesOnlyWhenItMustGrow) {
    CharBuffer buffer;
    ASSERT_NE(buffer.Reserve(0), nullptr);
    buffer = CharBuffer("abcd");
    EXPECT_EQ(buffer.Reserve(2), buffer.text);
    EXPECT_EQ(buffer.length, 4);
    EXPECT_STREQ(buffer.Reserve(8), "abcd");
    EXPECT_EQ(buffer.length, 8);
}

// The scanner refills one buffer with every token: a shorter token and then one as long as
// the longest so far must reuse the array; only a longer one may replace it.
TEST(CharBuffer, OverwriteKeepsTheArrayWhileTheTextFits) {
    CharBuffer buffer;
    char* first = buffer.Overwrite(5);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(buffer.length, 5);
    EXPECT_EQ(first[5], '\0');
    for (const int n : {2, 0, 5}) {
        EXPECT_EQ(buffer.Overwrite(n), first) << n;
        EXPECT_EQ(buffer.length, n);
        EXPECT_EQ(buffer.text[n], '\0');
    }
    char* grown = buffer.Overwrite(9);
    EXPECT_EQ(buffer.length, 9);
    EXPECT_EQ(grown[9], '\0');
    std::memcpy(grown, "123456789", 9);
    EXPECT_STREQ(buffer.CStr(), "123456789");
    const CharBuffer copy(buffer);
    EXPECT_EQ(copy.length, 9);
    EXPECT_STREQ(copy.text, "123456789");
}

TEST(CharBuffer, FormatCutsAt4095CharactersAndMayReadItsOwnText) {
    CharBuffer buffer;
    const std::string longText(5000, 'z');
    buffer.Format("%s", longText.c_str());
    EXPECT_EQ(buffer.length, 4095);
    EXPECT_EQ(std::string(buffer.text), longText.substr(0, 4095));

    buffer = CharBuffer("x");
    buffer.Format("%s=%s%%", buffer.text, buffer.text);
    EXPECT_STREQ(buffer.text, "x=x%");
    EXPECT_EQ(buffer.length, 4);
}

TEST(CharBuffer, AppendConcatenatesAndKeepsTheLength) {
    const struct {
        const char* start;
        const char* added;
        const char* expected;
    } cases[] = {{"ab", "cd", "abcd"}, {"ab", "", "ab"}, {"ab", nullptr, "ab"}, {nullptr, "cd", "cd"}};
    for (const auto& c : cases) {
        CharBuffer buffer(c.start);
        buffer.Append(CharBuffer(c.added));
        EXPECT_STREQ(buffer.CStr(), c.expected);
        EXPECT_EQ(buffer.length, static_cast<int>(std::strlen(c.expected)));
    }
    CharBuffer empty;
    empty.Append(CharBuffer(""));
    EXPECT_EQ(empty.text, nullptr);
    CharBuffer self("ab");
    self.Append(self);
    EXPECT_STREQ(self.CStr(), "abab");
    EXPECT_EQ(self.length, 4);
}

// Texts up to seven characters are kept inside the buffer and longer ones outside: every way a
// text moves between buffers must carry it whole, whichever kind of room either side has, and
// leave no text pointing into a buffer that has since gone.
TEST(CharBuffer, TextsMoveBetweenShortAndLongRoom) {
    const char* const texts[] = {"", "abcdefg", "abcdefgh", "abcdefghijklmnopqrstuvwxyz"};
    for (const char* from : texts) {
        for (const char* into : texts) {
            const std::string context = std::string(from) + " into " + into;
            auto source = std::make_unique<CharBuffer>(from);
            CharBuffer target(into);
            target = std::move(*source);
            EXPECT_EQ(source->text, nullptr) << context;
            source = std::make_unique<CharBuffer>("overwritten after the move");
            source.reset();
            EXPECT_STREQ(target.text, from) << context;
            EXPECT_EQ(target.length, static_cast<int>(std::strlen(from))) << context;

            CharBuffer assigned(into);
            assigned.Assign(target);
            target.Overwrite(0);
            EXPECT_STREQ(assigned.text, from) << context;

            CharBuffer constructed(std::move(assigned));
            assigned = CharBuffer(into);
            EXPECT_STREQ(constructed.text, from) << context;
        }
        CharBuffer grown(from);
        const std::string twice = std::string(from) + from;
        grown.Append(grown);
        EXPECT_STREQ(grown.text, twice.c_str()) << from;
        grown.Resize(3);
        grown.Resize(20);
        EXPECT_EQ(std::string(grown.text, 21), (twice + std::string(21, '\0')).substr(0, 3) + std::string(18, '\0'))
            << from;
    }
}

}  // namespace
