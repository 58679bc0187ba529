#include "cli/TerminalText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SafeCase {
    std::string bytes;
    LineBreakUse lineBreaks;
    std::string written;
};

TEST(TerminalText, ControlCharactersBecomeVisibleEscapes) {
    const SafeCase cases[] = {
        {"plain ASCII, tab\tand 'quotes'", LineBreakUse::Escape, "plain ASCII, tab\tand 'quotes'"},
        {"two\nlines\n", LineBreakUse::Keep, "two\nlines\n"},
        {"two\nlines\n", LineBreakUse::Escape, "two\\nlines\\n"},
        {"over\rwrite", LineBreakUse::Keep, "over\\rwrite"},
        {"\x1b[2J\x07\x7f", LineBreakUse::Keep, "\\x1b[2J\\x07\\x7f"},
        {std::string("nul\0byte", 8), LineBreakUse::Keep, "nul\\x00byte"},
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", LineBreakUse::Keep, "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"},
        {"\xc2\x9b"
         "31m and \xc2\x85",
         LineBreakUse::Keep, "\\xc2\\x9b31m and \\xc2\\x85"},      // C1 as UTF-8
        {"\xc2\xa0 stays", LineBreakUse::Keep, "\xc2\xa0 stays"},  // U+00A0 is no control
        {"Latin-1 caf\xe9 \x9b"
         "31m",
         LineBreakUse::Keep, "Latin-1 caf\xe9 \\x9b31m"},  // stray C1 byte
        {"cut short \xe2\x82", LineBreakUse::Keep, "cut short \xe2\\x82"},
    };
    for (const SafeCase& row : cases) {
        EXPECT_EQ(TerminalSafe(row.bytes, row.lineBreaks), row.written) << testing::PrintToString(row.bytes);
    }
}

}  // namespace
