#include <gtest/gtest.h>

#include <string>

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
        std::string lengths;
        for (int line = 0; line < engine.lineCount; ++line) {
            if (line > 0) lengths += ',';
            lengths += std::to_string(engine.LineLength(line));
            EXPECT_EQ(engine.LineNumberOfLine(line), line);
        }
        EXPECT_EQ(lengths, c.lengths) << c.text;
    }
}

TEST(Precompiler, RemovesIncludesAndKeepsTheLineNumbersAsWritten) {
    ScriptReader engine;
    ASSERT_EQ(engine.LoadInline("a;\r# include  \"x.h\"\rb;"), LoadOutcome::Loaded);
    EXPECT_EQ(std::string(engine.sourceText.get(), engine.sourceLength), "a;\r\rb;");
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

}  // namespace
