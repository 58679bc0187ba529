// The server's parts that work without a process: position conversion, framing and tokens.
#include <gtest/gtest.h>

#include <ostream>
#include <sstream>

#include "ScriptTokens.h"
#include "TextPositions.h"
#include "Transport.h"

namespace {

struct PositionCase {
    const char* name;
    std::string text;
    std::size_t offset;
    Position position;
};

void PrintTo(const PositionCase& c, std::ostream* out) { *out << c.name; }

class Positions : public ::testing::TestWithParam<PositionCase> {};

TEST_P(Positions, ConvertBothWays) {
    const PositionCase& c = GetParam();
    const LineIndex lines(c.text);
    EXPECT_EQ(lines.ToPosition(c.offset), c.position);
    EXPECT_EQ(lines.ToOffset(c.position), c.offset);
    EXPECT_EQ(lines.ToPositions({c.offset, 0})[0], c.position);
}

INSTANTIATE_TEST_SUITE_P(Cases, Positions,
                         ::testing::Values(PositionCase{"Start", "abc", 0, {0, 0}},
                                           PositionCase{"AfterLf", "ab\ncd", 4, {1, 1}},
                                           PositionCase{"AfterCrLf", "ab\r\ncd", 5, {1, 1}},
                                           PositionCase{"AfterLoneCr", "ab\rcd", 4, {1, 1}},
                                           PositionCase{"EmptyLastLine", "ab\n", 3, {1, 0}},
                                           PositionCase{"AfterTwoByteLetter", "\xC3\xA9x", 2, {0, 1}},
                                           PositionCase{"AfterThreeByteSign", "\xE2\x82\xAC=", 3, {0, 1}},
                                           PositionCase{"AfterSurrogatePair", "\xF0\x9F\x98\x80;", 4, {0, 2}},
                                           PositionCase{"EndOfText", "a\r\nb", 4, {1, 1}}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Positions, OutOfRangeIsMovedOntoTheEndOfTheLineOrText) {
    const std::string text = "ab\r\ncd";
    const LineIndex lines(text);
    EXPECT_EQ(lines.ToOffset({0, 99}), 2u);
    EXPECT_EQ(lines.ToOffset({7, 0}), text.size());
    EXPECT_EQ(lines.ToOffset({-1, -1}), 0u);
    EXPECT_EQ(lines.ToPosition(3), (Position{0, 2})) << "inside the CR LF";
}

struct FrameCase {
    const char* name;
    std::string bytes;
    ReadStatus status;
    std::string body;
};

void PrintTo(const FrameCase& c, std::ostream* out) { *out << c.name; }

class Frames : public ::testing::TestWithParam<FrameCase> {};

TEST_P(Frames, AreReadOrRefused) {
    std::istringstream in(GetParam().bytes);
    MessageReader reader(in);
    std::string body;
    EXPECT_EQ(reader.Read(body), GetParam().status);
    if (GetParam().status == ReadStatus::Message) {
        EXPECT_EQ(body, GetParam().body);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Frames,
    ::testing::Values(FrameCase{"Plain", "Content-Length: 2\r\n\r\n{}", ReadStatus::Message, "{}"},
                      FrameCase{"AnyCaseAndContentType", "content-length:3\r\nContent-Type: x\r\n\r\nabc",
                                ReadStatus::Message, "abc"},
                      FrameCase{"BareLineFeeds", "Content-Length: 1\n\nz", ReadStatus::Message, "z"},
                      FrameCase{"NoLength", "Content-Type: x\r\n\r\n", ReadStatus::BadHeader, ""},
                      FrameCase{"NegativeLength", "Content-Length: -4\r\n\r\n", ReadStatus::BadHeader, ""},
                      FrameCase{"LengthWithJunk", "Content-Length: 4x\r\n\r\n", ReadStatus::BadHeader, ""},
                      FrameCase{"HugeNumber", "Content-Length: 99999999999999999999999\r\n\r\n", ReadStatus::BadHeader,
                                ""},
                      FrameCase{"BodyCutShort", "Content-Length: 10\r\n\r\nabc", ReadStatus::End, ""},
                      FrameCase{"NothingAtAll", "", ReadStatus::End, ""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Frames, WrittenWithTheirLength) {
    std::ostringstream out;
    MessageWriter writer(out);
    writer.Write("{\"a\":\"\xC3\xA9\"}");
    EXPECT_EQ(out.str(), "Content-Length: 10\r\n\r\n{\"a\":\"\xC3\xA9\"}");
}

TEST(Tokens, FollowTheScannersClassesAndNeverFail) {
    const std::string text = "int f(x) { while (a1 < 2e-3) s = \"q\\\"\" $ `; } # include y /* open";
    std::vector<std::pair<std::string, TokenClass>> names;
    for (const ScriptToken& token : Tokenize(text)) {
        if (token.kind == TokenClass::Operator) continue;
        names.emplace_back(text.substr(token.offset, token.length), token.kind);
    }
    const std::vector<std::pair<std::string, TokenClass>> expected = {
        {"int", TokenClass::Type},      {"f", TokenClass::Function},       {"x", TokenClass::Variable},
        {"while", TokenClass::Keyword}, {"a1", TokenClass::Variable},      {"2e-3", TokenClass::Number},
        {"s", TokenClass::Variable},    {"\"q\\\"\"", TokenClass::String}, {"# include", TokenClass::Keyword},
        {"y", TokenClass::Variable},    {"/* open", TokenClass::Comment},
    };
    EXPECT_EQ(names, expected);
}

TEST(Tokens, TheNameAtACursorIncludesOneJustBehindIt) {
    const std::string text = "abc(de) ;";
    const auto tokens = Tokenize(text);
    const auto word = [&](std::size_t offset) {
        const ScriptToken* token = NameTokenAt(tokens, offset);
        return token ? text.substr(token->offset, token->length) : std::string("-");
    };
    EXPECT_EQ(word(0), "abc");
    EXPECT_EQ(word(3), "abc");
    EXPECT_EQ(word(4), "de");
    EXPECT_EQ(word(6), "de");
    EXPECT_EQ(word(8), "-");
}

}  // namespace
