#include "cli/LineBreaks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct BreakCase {
    std::string bytes;
    bool raw;
    std::string text;
};

TEST(LineBreaks, EveryBreakBecomesCrLfUnlessRaw) {
    const BreakCase cases[] = {
        {"a\nb\n", false, "a\r\nb\r\n"},
        {"a\rb\r", false, "a\r\nb\r\n"},
        {"a\r\nb\r\n", false, "a\r\nb\r\n"},
        {"a\n\rb", false, "a\r\n\r\nb"},  // LF then CR are two breaks, not one
        {"a\r\r\nb", false, "a\r\n\r\nb"},
        {"a\nb\r", true, "a\nb\r"},
        {std::string("a\nb\0c\nd", 7), false, "a\r\nb"},  // the text ends at NUL
        {std::string("a\nb\0c", 5), true, "a\nb"},
        {"", false, ""},
    };
    for (const BreakCase& row : cases) {
        EXPECT_EQ(ScriptText(row.bytes, row.raw), row.text) << testing::PrintToString(row.bytes);
    }
}

}  // namespace
