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
    } catch (const ErrorMsg& error) {
        EXPECT_STREQ(error.component, "ScriptReader");
        EXPECT_STREQ(error.text, "Unknown name 'x' in line 3");
    }
    EXPECT_EQ(component.errorFlag, 1);
    EXPECT_EQ(log.Contents(), LogCapture::Entries({"Error:ScriptReader: Unknown name 'x' in line 3"}));

    const std::string longText(1500, 'q');
    EXPECT_THROW(component.Error("%s", longText.c_str()), ErrorMsg);
    EXPECT_EQ(std::string(LastError().text), longText.substr(0, 1023));
}

TEST(Warning, FirstIsNeverFoldedRepeatsAreCountedAndADestroyedComponentFlushesThemWithEnd) {
    LogCapture log;
    {
        ErrorClass component;
        for (int i = 0; i < 3; ++i) component.Warning("same %d", 1);
        EXPECT_EQ(WarningCount(), 2u);
        EXPECT_EQ(WarningRepeatCount(), 1u);
        for (int i = 0; i < 3; ++i) component.Warning("other");
    }
    EXPECT_EQ(log.Contents(),
              LogCapture::Entries({"Warning:Undefined: same 1", "Warning:Undefined: same 1", "Warning Repeat: 1",
                                   "Warning:Undefined: other", "Warning Repeat: 2", "Warning:Undefined: end"}));
}

TEST(Warning, RepeatLineShowsTheCountOrTheCap) {
    const struct {
        int repeats;             // identical warnings issued after 268435453 were counted
        const char* repeatLine;  // what the next different warning writes first
    } cases[] = {
        {1, "Warning Repeat: 268435454"}, {2, "Warning Repeat: >268435455"}, {5, "Warning Repeat: >268435455"}};
    for (const auto& c : cases) {
        LogCapture log;
        ErrorClass component;
        component.Warning("first");
        component.Warning("same");
        SetWarningCountersForTesting(WarningCount(), 268435453);
        for (int i = 0; i < c.repeats; ++i) component.Warning("same");
        component.Warning("next");
        EXPECT_TRUE(EndsWith(log.Contents(), LogCapture::Entries({c.repeatLine, "Warning:Undefined: next"})));
    }
}

TEST(Warning, StopsForGoodAfter65536Warnings) {
    LogCapture log;
    ErrorClass component;
    SetWarningCountersForTesting(65534, 0);
    for (const char* text : {"w1", "w2", "w3"}) component.Warning("%s", text);
    EXPECT_EQ(WarningCount(), 65536u);
    EXPECT_EQ(log.Contents(), LogCapture::Entries({"Warning:Undefined: w1", "Warning:Undefined: w2",
                                                   "ErrorClass: Maximum number of warnings reached!"}));
}

}  // namespace
