// The writers that turn one validation into gcc lines and SARIF locations, on results built
// by hand for the cases no script reaches today.
#include "cli/Report.h"
#include "cli/SarifLog.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Diagnostic RunError(const std::string& message, int line, int column) {
    return {"ScriptReader", "file:'*inline*', line: ...", message, line, column, ErrorPhase::Run};
}

// One line per failing file is what lets a tool read the report line by line, so a line break
// inside a message is written as \n and a message can never start a line of its own.
TEST(GccReport, ALineBreakInAMessageStaysOnTheLine) {
    ValidationResult report;
    report.error = RunError("first\nsecond.c:9:9: error: forged", 4, 2);
    EXPECT_EQ(GccReport("a.c", report), "a.c:4:2: error: first\\nsecond.c:9:9: error: forged\n");
}

TEST(GccReport, AFileNameWithALineBreakStaysOnTheLine) {
    ValidationResult report;
    report.error = RunError("m", 1, 1);
    EXPECT_EQ(GccReport("odd\nname.c", report), "odd\\nname.c:1:1: error: m\n");
}

TEST(GccReport, NothingForAValidatedFile) {
    ValidationResult report;
    report.ok = true;
    EXPECT_EQ(GccReport("a.c", report), "");
}

TEST(SarifLog, FileUrisStayRelativeAndEncodeWhatAUriCannotHold) {
    const struct {
        const char* file;
        const char* uri;
    } cases[] = {
        {"road.c", "road.c"},
        {"examples/mistakes/run-error.c", "examples/mistakes/run-error.c"},
        {"../up/a_b~c.c", "../up/a_b~c.c"},
        {"/abs/path.c", "/abs/path.c"},
        {"my file#1?.c", "my%20file%231%3F.c"},
        {"c:drive.c", "c%3Adrive.c"},  // would read as a scheme otherwise
        {"100%.c", "100%25.c"},
        {"caf\xc3\xa9.c", "caf%C3%A9.c"},
        {"back\\slash.c", "back%5Cslash.c"},
    };
    for (const auto& row : cases) EXPECT_EQ(FileUri(row.file), row.uri) << row.file;
}

}  // namespace
