// The scanner measures runs of blanks several bytes at a time; a run may end on any byte of
// such a step, be made of any blank byte (up to space, and every byte from 0x80 up), and end at
// the first byte that is not one, whatever it is.
#include <gtest/gtest.h>

#include <string>

#include "reader/ScriptReader.h"

namespace {

// The bytes a run is built from, and the bytes that end one: the edges of both classes.
constexpr unsigned char kBlanks[] = {' ', '\t', '\n', 0x01, 0x1F, 0x80, 0xA0, 0xFF};
constexpr unsigned char kTokenStarts[] = {'!', 'a', 'Z', '_', '0', '~', '}', ';'};

// Where the token after a run starts, read independently of the scanner: the first byte
// that reads as above 32 when taken as signed.
int FirstNonBlank(const std::string& text) {
    for (size_t k = 0; k < text.size(); ++k) {
        if (static_cast<signed char>(text[k]) > 32) return static_cast<int>(k);
    }
    return static_cast<int>(text.size());
}

TEST(BlankRun, EveryRunLengthEndsAtTheFirstTokenByte) {
    for (int lead = 0; lead < 3; ++lead) {
        for (int length = 0; length <= 25; ++length) {
            for (const unsigned char first : kTokenStarts) {
                // Mixed runs, so that each step of the scanner meets several kinds of blank;
                // the token is followed by more text so that no end-of-text rule applies.
                std::string text(static_cast<size_t>(lead), 'x');
                text += ' ';
                for (int k = 0; k < length; ++k) text += static_cast<char>(kBlanks[(k + length) % std::size(kBlanks)]);
                text += static_cast<char>(first);
                text += " ;";
                ScriptReader engine;
                engine.sourceText = text;
                engine.sourceLength = static_cast<int>(text.size());
                engine.SetPosition(lead);
                engine.SkipBlanks();
                EXPECT_EQ(engine.position, FirstNonBlank(text.substr(static_cast<size_t>(lead))) + lead)
                    << "lead " << lead << ", run of " << length << " before '" << first << "'";
            }
        }
    }
}

TEST(BlankRun, ARunToTheEndOfTheTextLeavesTheCursorThere) {
    for (int length = 1; length <= 20; ++length) {
        const std::string text = "a" + std::string(static_cast<size_t>(length), '\x80');
        ScriptReader engine;
        engine.sourceText = text;
        engine.sourceLength = static_cast<int>(text.size());
        engine.SetPosition(1);
        engine.SkipBlanks();
        EXPECT_EQ(engine.position, engine.sourceLength) << length;
    }
}

TEST(BlankRun, CommentsBehindLongRunsAreStillSkipped) {
    // The comment starts inside the eight bytes in which the run ends.
    const std::string text = "          /* c */         // d\r  \t  x;";
    ScriptReader engine;
    ASSERT_EQ(engine.LoadInline(text), LoadOutcome::Loaded);
    engine.SetPosition(0);
    engine.SkipBlanks();
    EXPECT_EQ(engine.position, static_cast<int>(text.find('x')));
}

}  // namespace
