#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "diagnostics/ErrorMsg.h"
#include "reader/ReaderTestSupport.h"
#include "support/CaseName.h"

namespace {

struct TokenCase {
    const char* text;
    const char* tokens;  // "kind:text" of every token, joined by "|"
};

void PrintTo(const TokenCase& c, std::ostream* out) { *out << ::testing::PrintToString(std::string(c.text)); }

class TokenSequence : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenSequence, ReadsTokensAsWritten) {
    ScriptReader engine;
    ASSERT_EQ(engine.LoadInline(GetParam().text), LoadOutcome::Loaded);
    std::string tokens;
    CharBuffer out;
    for (TokenKind kind = engine.ReadToken(out); kind != TokenKind::End; kind = engine.ReadToken(out)) {
        if (!tokens.empty()) tokens += "|";
        tokens += std::to_string(static_cast<int>(kind)) + ":" + out.CStr();
    }
    EXPECT_EQ(tokens, GetParam().tokens);
}

// Skipped text is skimmed: the walk, its kinds and the growth of the token buffer (which is
// what memory is charged for) must be those of reading it.
TEST_P(TokenSequence, SkimsAsItReads) {
    ScriptReader reading;
    ScriptReader skimming;
    ASSERT_EQ(reading.LoadInline(GetParam().text), LoadOutcome::Loaded);
    ASSERT_EQ(skimming.LoadInline(GetParam().text), LoadOutcome::Loaded);
    CharBuffer out;
    CharBuffer room;
    for (;;) {
        const TokenKind kind = reading.ReadToken(out);
        ASSERT_EQ(skimming.SkimToken(room), kind);
        ASSERT_EQ(skimming.position, reading.position);
        ASSERT_EQ(skimming.tokenStart, reading.tokenStart);
        ASSERT_EQ(room.Capacity(), out.Capacity()) << out.CStr();
        if (kind == TokenKind::End) break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Scanner, TokenSequence,
    ::testing::Values(TokenCase{"a>=b=-c+++d~=~e;", "5:a|2:>=|5:b|2:=|2:-|5:c|2:++|2:+|5:d|2:~=|2:~|5:e|2:;"},
                      TokenCase{"a&&b||c==d!=e%=f;", "5:a|2:&&|5:b|2:|||5:c|2:==|5:d|2:!=|5:e|2:%=|5:f|2:;"},
                      TokenCase{"foo (1) v [2];", "3:foo|2:(|1:1|2:)|4:v|2:[|1:2|2:]|2:;"},
                      TokenCase{"1.5e-3+2 1.2.3 1e5e;", "1:1.5e-3|2:+|1:2|1:1.2.3|1:1e5|5:e|2:;"},
                      TokenCase{"/*/ x /* a */y;", "5:x|5:y|2:;"}, TokenCase{"a // b /* \n c\r\nd;", "5:a|5:d|2:;"},
                      TokenCase{"a\xA0\x80"
                                "b;",
                                "5:a|5:b|2:;"},
                      TokenCase{"\"a\\tb\" \"q\\\"\\\\\\n\\N\" \"ab\\0cd\" \"\";", "6:atb|6:q\"\\\n\n|6:ab|6:|2:;"},
                      TokenCase{"x ", "5:x"},
                      TokenCase{
                          "a <= b0123456789abcdefghijklmnopqrstuvwxyz (x_0123456789abcdefghijklmnopqrstuvwxyz_y);",
                          "5:a|2:<=|3:b0123456789abcdefghijklmnopqrstuvwxyz|2:(|"
                          "5:x_0123456789abcdefghijklmnopqrstuvwxyz_y|2:)|2:;"}),
    [](const ::testing::TestParamInfo<TokenCase>& row) { return CaseName(row.param.text); });

TEST(Scanner, FindBlockLabelReturnsTopLevelNamesAndChecksBrackets) {
    const struct {
        const char* text;               // read from just inside a "{"
        bool raises;                    // an error is raised
        std::optional<TokenKind> kind;  // nothing: the block's "}" was passed
        const char* label;              // the last token read, or the error's message
    } cases[] = {
        {"(a) [b] {c;} case 1: x; }", false, TokenKind::Name, "case"},
        {"{x;} f(1); }", false, TokenKind::CallName, "f"},
        {"1 + 2; } y ", false, std::nullopt, "}"},
        {"1 + (2);", false, TokenKind::End, ";"},
        {"1) }", true, std::nullopt, "Invalid () block found"},
        {"[1 }", true, std::nullopt, "Invalid [] block found"},
    };
    for (const auto& c : cases) {
        ScriptReader engine;
        ASSERT_EQ(engine.LoadInline(c.text), LoadOutcome::Loaded);
        CharBuffer out;
        try {
            EXPECT_EQ(engine.FindBlockLabel(out), c.kind) << c.text;
            EXPECT_FALSE(c.raises) << c.text;
            EXPECT_STREQ(out.CStr(), c.label) << c.text;
        } catch (const ErrorMsg& error) {
            EXPECT_TRUE(c.raises) << c.text;
            EXPECT_EQ(std::string(error.text), Report(1, c.label, " ", c.text, " "));
        }
    }
}

}  // namespace
