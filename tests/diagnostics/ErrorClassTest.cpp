#include "diagnostics/ErrorClass.h"

#include <gtest/gtest.h>

#include <string>

#include "support/LogCapture.h"

namespace {

TEST(ErrorClass, StartsUndefinedAndKeepsThirtyOneCharactersOfAName) {
    ErrorClass component;
    EXPECT_STREQ(component.GetName(), "Undefined");
    component.SetName("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn");
    EXPECT_STREQ(component.GetName(), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcde");
}

TEST(ErrorClass, ErrorLogsRecordsAndThrowsTheMessage) {
    LogCapture log;
    ErrorClass component;
    component.SetName("ScriptReader");
    try {
        component.Error("Unknown name '%s' in line %i", "x", 3);
        FAIL() << "Error returned";
    } catch (const ErrorMsg& error) {
        EXPECT_STREQ(error.component, "ScriptReader");
        EXPECT_STREQ(error.text, "Unknown name 'x' in line 3");
    }
    EXPECT_EQ(component.errorFlag, 1);
    EXPECT_STREQ(LastError().text, "Unknown name 'x' in line 3");
    EXPECT_EQ(log.Contents(), LogCapture::Entry("Error:ScriptReader: Unknown name 'x' in line 3"));
}

TEST(ErrorClass, ErrorTextIsCutTo1023Characters) {
    LogCapture log;
    ErrorClass component;
    const std::string longText(1500, 'q');
    try {
        component.Error("%s", longText.c_str());
    } catch (const ErrorMsg& error) {
        EXPECT_EQ(std::string(error.text), longText.substr(0, 1023));
    }
}

TEST(Warning, FirstWarningIsNeverFoldedAndRepeatsAreCounted) {
    LogCapture log;
    ErrorClass component;
    for (int i = 0; i < 3; ++i) component.Warning("same %d", 1);
    EXPECT_EQ(WarningCount(), 2u);
    EXPECT_EQ(WarningRepeatCount(), 1u);

    component.Warning("other");
    EXPECT_EQ(log.Contents(), LogCapture::Entry("Warning:Undefined: same 1") +
                                  LogCapture::Entry("Warning:Undefined: same 1") +
                                  LogCapture::Entry("Warning Repeat: 1") +
                                  LogCapture::Entry("Warning:Undefined: other"));
}

TEST(Warning, DestroyedComponentFlushesPendingRepeatsWithEnd) {
    LogCapture log;
    {
        ErrorClass component;
        component.SetName("DynaMem");
        for (int i = 0; i < 4; ++i) component.Warning("Invalid entry found");
    }
    EXPECT_EQ(log.Contents(), LogCapture::Entry("Warning:DynaMem: Invalid entry found") +
                                  LogCapture::Entry("Warning:DynaMem: Invalid entry found") +
                                  LogCapture::Entry("Warning Repeat: 2") +
                                  LogCapture::Entry("Warning:DynaMem: end"));
}

struct RepeatCase {
    unsigned preset;        // repeat count reached before the last repeats
    int repeats;            // identical warnings issued after that
    const char* repeatLine; // what the next different warning writes first
};

class WarningRepeatLine : public ::testing::TestWithParam<RepeatCase> {};

TEST_P(WarningRepeatLine, ShowsTheCountOrTheCap) {
    LogCapture log;
    ErrorClass component;
    component.Warning("first");
    component.Warning("same");
    SetWarningCountersForTesting(WarningCount(), GetParam().preset);
    for (int i = 0; i < GetParam().repeats; ++i) component.Warning("same");
    component.Warning("next");
    const std::string tail = LogCapture::Entry(GetParam().repeatLine) +
                             LogCapture::Entry("Warning:Undefined: next");
    const std::string contents = log.Contents();
    ASSERT_GE(contents.size(), tail.size());
    EXPECT_EQ(contents.substr(contents.size() - tail.size()), tail);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, WarningRepeatLine,
    ::testing::Values(RepeatCase{0, 1, "Warning Repeat: 1"},
                      RepeatCase{268435453, 1, "Warning Repeat: 268435454"},
                      RepeatCase{268435453, 2, "Warning Repeat: >268435455"},
                      RepeatCase{268435453, 5, "Warning Repeat: >268435455"}));

TEST(Warning, StopsForGoodAfter65536Warnings) {
    LogCapture log;
    ErrorClass component;
    SetWarningCountersForTesting(65534, 0);
    component.Warning("w1");
    component.Warning("w2");
    component.Warning("w3");
    EXPECT_EQ(WarningCount(), 65536u);
    EXPECT_EQ(log.Contents(), LogCapture::Entry("Warning:Undefined: w1") +
                                  LogCapture::Entry("Warning:Undefined: w2") +
                                  LogCapture::Entry("ErrorClass: Maximum number of warnings reached!"));
}

}  // namespace
