#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <memory>
#include <string>
#include <vector>

#include "diagnostics/ErrorMsg.h"
#include "reader/ReaderTestSupport.h"

namespace {

TEST(SourceStore, LinesEndAtCrOrCrLfOnly) {
    const struct {
        const char* text;
        const char* lengths;  // LineLength of every line, joined by ","
    } cases[] = {
        {"", "0"},
        {"ab;\r\ncd;\r\n", "3,3,0"},
        {"a;\nb;\nc;", "8"},
        {"x;\r\r\n", "2,1,0"},
        {"s = \"#x\"; // #y\r/* #z */ t;", "15,11"},  // no directive: the text stays
    };
    for (const auto& c : cases) {
        ScriptReader engine;
        ASSERT_EQ(engine.LoadInline(c.text), LoadOutcome::Loaded) << c.text;
        engine.EnsureLineTable();
        std::string lengths;
        for (int line = 0; line < engine.lineCount; ++line) {
            if (line > 0) lengths += ',';
            lengths += std::to_string(engine.LineLength(line));
            EXPECT_EQ(engine.LineNumberOfLine(line), line);
        }
        EXPECT_EQ(lengths, c.lengths) << c.text;
    }
}

// A text without directives is located by walking it until a line table is built; both must
// give the same lines and columns, whatever order the positions are asked in.
TEST(SourceStore, WalkingTheTextLocatesAsTheLineTableDoes) {
    const char* const pieces[] = {"a;", "\r", "\r\n", "\n", "\r\r\n", "  bc", "\n\r"};
    std::mt19937 random(5);
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int k = static_cast<int>(random() % 16); k > 0; --k) text += pieces[random() % std::size(pieces)];
        text += ";";  // a name may not end the text
        ScriptReader walked;
        ScriptReader tabled;
        ASSERT_EQ(walked.LoadInline(text), LoadOutcome::Loaded);
        ASSERT_EQ(tabled.LoadInline(text), LoadOutcome::Loaded);
        tabled.EnsureLineTable();
        for (int ask = 0; ask < 12; ++ask) {
            const int pos = static_cast<int>(random() % (text.size() + 3));
            int line[2] = {0, 0};
            int column[2] = {0, 0};
            walked.LocateAsWritten(pos, line[0], column[0]);
            tabled.LocateAsWritten(pos, line[1], column[1]);
            ASSERT_EQ(line[0], line[1]) << ::testing::PrintToString(text) << " at " << pos;
            ASSERT_EQ(column[0], column[1]) << ::testing::PrintToString(text) << " at " << pos;
        }
        EXPECT_EQ(walked.lineTable, nullptr);
    }
}

TEST(Precompiler, RemovesIncludesAndKeepsTheLineNumbersAsWritten) {
    ScriptReader engine;
    ASSERT_EQ(engine.LoadInline("a;\r# include  \"x.h\"\rb;"), LoadOutcome::Loaded);
    EXPECT_EQ(engine.sourceText, "a;\r\rb;");
    EXPECT_EQ(engine.position, 0);
    EXPECT_EQ(engine.lineCount, 2);

    engine.SetPosition(5);  // just after the "b" of "b;"
    try {
        engine.ScriptError("bad %s", "b");
    } catch (const ErrorMsg& error) {
        // The removed line's break stays with the line before, so that line shows it.
        EXPECT_EQ(std::string(error.text), Report(3, "bad b", "a;\r", "b;", " "));
    }
}

// The line table a precompiler pass leaves, computed the plain way: every removal looks the
// line up from the start and moves every later entry, directive by directive.
std::vector<LineEntry> PlainRemovals(const std::string& text) {
    ScriptReader engine;
    engine.sourceText = text;
    engine.sourceLength = static_cast<int>(text.size());
    engine.BuildLineTable();
    CharBuffer token;
    int copyStart = 0;
    int outputLength = 0;
    while (!engine.AtEnd()) {
        engine.SkipBlanks();
        const int directiveStart = engine.position;
        if (engine.ReadToken(token) != TokenKind::Directive) continue;
        EXPECT_EQ(engine.ReadToken(token), TokenKind::StringLit);
        const int directiveEnd = engine.position;
        const int line = engine.LineOfPosition(outputLength + (directiveEnd - copyStart));
        if (engine.IsValidLine(line)) {
            for (int i = line; i + 1 < engine.lineCount; ++i) engine.lineTable[i] = engine.lineTable[i + 1];
            --engine.lineCount;
            for (int i = line; i < engine.lineCount; ++i) engine.lineTable[i].start -= directiveEnd - directiveStart;
        }
        outputLength += directiveStart - copyStart;
        copyStart = directiveEnd;
    }
    return {engine.lineTable.get(), engine.lineTable.get() + engine.lineCount};
}

TEST(Precompiler, LeavesTheLineTableThatPlainRemovalsLeave) {
    // Directives alone on their lines, several on one line, split over lines by blanks and
    // comments, and at the start and the end of the text: split ones leave the table out of
    // order, which the lookups must then take as it is.
    const char* const pieces[] = {
        "a;",
        "#include \"x\"",
        "#include \"verylongname.h\" #include \"y\"",
        "x;#\r\ninclude\r\n\"z\"",
        "# /* c\r\n */ include \"w\"",
        "b = 1;",
        "",
        "#\rinclude\r\n\"v\" c;",
    };
    const char* const breaks[] = {"\r\n", "\r", "\n"};
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int lines = static_cast<int>(random() % 12);
        for (int k = 0; k < lines; ++k) {
            text += pieces[random() % std::size(pieces)];
            text += breaks[random() % std::size(breaks)];
        }
        if (random() % 2 == 0) text += pieces[random() % std::size(pieces)];
        const std::vector<LineEntry> expected = PlainRemovals(text);

        ScriptReader engine;
        ASSERT_EQ(engine.LoadInline(text), LoadOutcome::Loaded) << text;
        engine.EnsureLineTable();
        ASSERT_EQ(engine.lineCount, static_cast<int>(expected.size())) << text;
        for (int i = 0; i < engine.lineCount; ++i) {
            EXPECT_EQ(engine.lineTable[i].start, expected[static_cast<size_t>(i)].start) << text << " " << i;
            EXPECT_EQ(engine.lineTable[i].line, expected[static_cast<size_t>(i)].line) << text << " " << i;
        }
    }
}

// Loading skips the precompiler's walk when a plain look at the bytes finds nothing for it: the
// look must never pass a text in which the walk would meet a directive or refuse something.
TEST(Precompiler, APlainLookPassesOnlyWhatTheWalkPasses) {
    const char* const pieces[] = {"a",  "1",    "1e", "e+",   ".",    " ",  "\r", "\n",  "\"",
                                  "\\", "\\\"", "/",  "*",    "//",   "/*", "*/", "/*/", "\"x\"",
                                  "#",  "$",    "`",  "\x7f", "\x80", ";",  "}",  ")",   "+="};
    std::mt19937 random(3);
    int passed = 0;
    for (int round = 0; round < 50000; ++round) {
        std::string text;
        for (int k = static_cast<int>(random() % 8); k > 0; --k) text += pieces[random() % std::size(pieces)];
        ScriptReader engine;
        engine.sourceText = text;
        engine.sourceLength = static_cast<int>(text.size());
        if (!engine.NothingToPrecompile()) continue;
        ++passed;
        CharBuffer scratch;
        bool directive = false;
        try {
            directive = engine.SeekDirective(scratch);
        } catch (const ErrorMsg& error) {
            FAIL() << ::testing::PrintToString(text) << " passed the look, the walk refused it: " << error.text;
        }
        ASSERT_FALSE(directive) << ::testing::PrintToString(text);
    }
    EXPECT_GT(passed, 5000);  // texts that are plain pass
}

TEST(Precompiler, AnErrorAfterManyRemovalsReportsTheLineAsWritten) {
    std::string text;
    for (int k = 0; k < 5000; ++k) text += "#include \"part.h\"\r\nint v" + std::to_string(k) + ";\r\n";
    text += "#define X\r\n";
    FakeHost no(false);
    ScriptReader engine(&no);
    EXPECT_EQ(engine.LoadInline(text), LoadOutcome::Declined);
    EXPECT_EQ(no.asked.message, "Invalid precompiler command: 'define'");
    EXPECT_EQ(no.asked.line, 10001);
}

}  // namespace
