#include "cli/LineBreaks.h"

#include "reader/LineBreaks.h"

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
        {"\r\n", false, "\r\n"},
        {"\nab", false, "\r\nab"},  // an LF in front of everything has no CR to pair with
        {"ab\r", false, "ab\r\n"},  // nor a CR at the very end an LF
        {"a\r\n\nb", false, "a\r\n\r\nb"},
        {"a\r\nb\rc\r\n", false, "a\r\nb\r\nc\r\n"},
        {std::string("a\r\nb\0\n", 6), false, "a\r\nb"},
    };
    for (const BreakCase& row : cases) {
        EXPECT_EQ(ScriptText(row.bytes, row.raw), row.text) << testing::PrintToString(row.bytes);
        std::string inPlace = row.bytes;
        MakeScriptText(inPlace, row.raw);
        EXPECT_EQ(inPlace, row.text) << testing::PrintToString(row.bytes);
    }
}

// A text already in CR LF is handed over as it is, and only then. The look that decides so
// takes many bytes at a time, so a lone CR or LF is tried at every place of a longer text.
TEST(LineBreaks, ALoneBreakAnywhereInALongTextIsConverted) {
    std::string crLf;
    for (int line = 0; line < 20; ++line) crLf += "ab\r\n";
    for (std::size_t at = 0; at < crLf.size(); ++at) {
        for (const char lone : {'\r', '\n', 'x'}) {
            std::string bytes = crLf;
            bytes[at] = lone;
            std::string inPlace = bytes;
            MakeScriptText(inPlace, false);
            EXPECT_EQ(inPlace, UnifyLineBreaks(bytes, "\r\n")) << at << ' ' << static_cast<int>(lone);
        }
    }
}

}  // namespace
