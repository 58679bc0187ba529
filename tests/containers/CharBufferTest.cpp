#include "containers/CharBuffer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CharBuffer, NullGivesNoTextButEmptyStringGivesATerminator) {
    const CharBuffer none(nullptr);
    EXPECT_EQ(none.text, nullptr);
    EXPECT_STREQ(none.CStr(), "");

    const CharBuffer empty("");
    ASSERT_NE(empty.text, nullptr);
    EXPECT_EQ(empty.length, 0);
    EXPECT_EQ(empty.text[0], '\0');
}

TEST(CharBuffer, ResizeCutsOrPadsAndKeepsTheTerminatorAtLength) {
    CharBuffer buffer("abcd");
    buffer.Resize(2);
    EXPECT_EQ(buffer.length, 2);
    EXPECT_STREQ(buffer.text, "ab");

    buffer.Resize(6);
    EXPECT_EQ(buffer.length, 6);
    EXPECT_EQ(std::string(buffer.text, 7), std::string("ab\0\0\0\0\0", 7));

    buffer.Resize(-1);
    EXPECT_EQ(buffer.length, 6);
}

TEST(CharBuffer, ReserveAllocatesOnlyWhenItMustGrow) {
    CharBuffer buffer;
    char* fresh = buffer.Reserve(0);
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh[0], '\0');

    buffer = CharBuffer("abcd");
    EXPECT_EQ(buffer.Reserve(2), buffer.text);
    EXPECT_EQ(buffer.length, 4);
    EXPECT_STREQ(buffer.Reserve(8), "abcd");
    EXPECT_EQ(buffer.length, 8);
}

TEST(CharBuffer, AllocateLeavesRoomForTheCallerOrNothing) {
    CharBuffer buffer("old");
    buffer.Allocate(5);
    EXPECT_EQ(buffer.length, 5);
    EXPECT_EQ(buffer.text[0], '\0');
    buffer.Allocate(-1);
    EXPECT_EQ(buffer.text, nullptr);
    EXPECT_EQ(buffer.length, 0);
}

TEST(CharBuffer, AssignFromAnEmptySourceStillGivesATerminator) {
    CharBuffer target("text");
    target.Assign(CharBuffer());
    ASSERT_NE(target.text, nullptr);
    EXPECT_EQ(target.length, 0);
    EXPECT_STREQ(target.text, "");
}

TEST(CharBuffer, CopiesAreIndependent) {
    CharBuffer original("name");
    CharBuffer copy(original);
    copy.text[0] = 'N';
    EXPECT_STREQ(original.text, "name");

    CharBuffer moved(std::move(copy));
    EXPECT_STREQ(moved.text, "Name");
    EXPECT_EQ(copy.text, nullptr);
}

TEST(CharBuffer, FormatCutsAt4095Characters) {
    CharBuffer buffer;
    const std::string longText(5000, 'z');
    buffer.Format("%s", longText.c_str());
    EXPECT_EQ(buffer.length, 4095);
    EXPECT_EQ(std::string(buffer.text), longText.substr(0, 4095));
}

TEST(CharBuffer, FormatMayReadItsOwnText) {
    CharBuffer buffer("x");
    buffer.Format("%s=%s%%", buffer.text, buffer.text);
    EXPECT_STREQ(buffer.text, "x=x%");
    EXPECT_EQ(buffer.length, 4);
}

}  // namespace
