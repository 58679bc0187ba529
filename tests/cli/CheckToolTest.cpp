// End-to-end runs of the built tarvel-check on files written for each test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "ToolRunner.h"

namespace {

const std::string kValidated =
    "Validation successful\n"
    "external variables used:\n"
    "external functions used:\n";

// The status of each single outcome is met by the tests of its report; here an unreadable file
// outweighs a failed validation before it, and --version reads no file.
TEST(CheckTool, ExitStatusTellsTheWorstOutcome) {
    ScratchDir dir;
    dir.Write("unfinished.c", "int x;\r\nx = 1\r\n");
    EXPECT_EQ(RunTool(dir, {"unfinished.c", "missing.c"}).status, 2);
    EXPECT_EQ(RunTool(dir, {"--version", "missing.c"}).status, 0);
    EXPECT_TRUE(std::filesystem::exists(dir.path + "/logfile.txt"));  // errors are logged by default
}

TEST(CheckTool, UnreadableFileIsReportedAndTheOthersStillValidated) {
    ScratchDir dir;
    dir.Write("good.c", "int x;");
    const ToolRun run = RunTool(dir, {"good.c", "missing.c", "-"}, "int y;");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "tarvel-check: cannot read 'missing.c': No such file or directory\n");
    EXPECT_EQ(run.out, "==> good.c <==\n" + kValidated + "\n==> - <==\n" + kValidated);
}

// A directive the precompiler refuses on the third line: the reported line shows how the tool
// handed over the line breaks. Each kind of break is converted in LineBreaksTest.
TEST(CheckTool, LineBreaksReachTheEngineAsTheEditorHoldsThem) {
    ScratchDir dir;
    dir.Write("script.c", "a;\nb;\n#foo\n");
    ToolRun run = RunTool(dir, {"script.c"});
    EXPECT_EQ(run.err, "Script Error: file:'*inline*', line: 3: Invalid precompiler command: 'foo'\n\nb;\n#foo\n\n");
    EXPECT_EQ(run.out, "");
    // A line feed alone is no line break to the engine, so the whole text is one line.
    run = RunTool(dir, {"--raw", "script.c"});
    EXPECT_EQ(run.err,
              "Script Error: file:'*inline*', line: 1: Invalid precompiler command: 'foo'\n\n \n"
              "a;\nb;\n#foo\n\n \n");
}

TEST(CheckTool, ContinuedLoadRunsFromTheErrorAndNoLogLeavesNoLogFile) {
    ScratchDir dir;
    dir.Write("directive.c", "#foo\r\nint x;\r\nx = y + f(2);\r\n");
    const ToolRun run = RunTool(dir, {"--continue-on-load-error", "--no-log", "directive.c"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "Script Error: file:'*inline*', line: 1: Invalid precompiler command: 'foo'\n\n \n#foo\nint x;\n");
    EXPECT_EQ(run.out, "Validation successful\nexternal variables used:\n  y\nexternal functions used:\n  f\n");
    // A load error is always logged, so the file's absence is the switch's doing.
    EXPECT_FALSE(std::filesystem::exists(dir.path + "/logfile.txt"));
}

TEST(CheckTool, JsonReportsTheReturnedValue) {
    const struct {
        const char* script;
        const char* result;
    } cases[] = {
        {"return 2147483647 + 1;", R"({"type": "Int", "value": -2147483648})"},
        {"return -7 % 3.0;", R"({"type": "Float", "value": 2})"},
        {"return \"\x01\xE9\\\"\\\\\";", R"({"type": "String", "value": "\u0001\u00e9\"\\"})"},
    };
    ScratchDir dir;
    for (const auto& row : cases) {
        dir.Write("result.c", row.script);
        const ToolRun run = RunTool(dir, {"--json", "result.c"});
        EXPECT_EQ(run.out,
                  std::string(R"({"file": "result.c", "ok": true, "message": "Validation successful", )"
                              R"("error": null, "externalVariables": [], "externalFunctions": [], "result": )") +
                      row.result + R"(, "loadError": null, "externals": []})" + "\n")
            << row.script;
    }
}

// The names met before the error are listed in display order, not in the order of the name
// sets, which keep "yak" before "y".
TEST(CheckTool, JsonReportsTheErrorAndTheSortedNamesOfAFailedRun) {
    ScratchDir dir;
    dir.Write("unfinished.c", "int x;\r\nx = yak + y + f(2)\r\n");
    const ToolRun run = RunTool(dir, {"--json", "unfinished.c"});
    const std::string text =
        R"(file:'*inline*', line: 2: Unexpected end of file\u000a\u000aint x;\u000ax = yak + y + f(2)\u000a)";
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              R"({"file": "unfinished.c", "ok": false, "message": "ScriptReader: )" + text +
                  R"(", "error": {"component": "ScriptReader", "text": ")" + text +
                  R"(", "line": 2, "column": 18, "message": "Unexpected end of file", "phase": "run"}, )"
                  R"("externalVariables": ["y", "yak"], "externalFunctions": ["f"], "result": {"type": "Void"}, )"
                  R"("loadError": null, "externals": [{"name": "y", "kind": "variable", "line": 2, "column": 11}, )"
                  R"({"name": "yak", "kind": "variable", "line": 2, "column": 5}, )"
                  R"({"name": "f", "kind": "function", "line": 2, "column": 15}]}
)");
}

// The manual page is written by hand; an option added to --help must reach it too.
TEST(CheckTool, ManualPageDescribesEveryOptionOfTheHelp) {
    ScratchDir dir;
    const std::string help = RunTool(dir, {"--help"}).out;
    std::ostringstream manual;
    manual << std::ifstream(TARVEL_MANUAL_PATH).rdbuf();
    const std::regex option("--[a-z-]+");
    int options = 0;
    for (std::sregex_iterator it(help.begin(), help.end(), option), end; it != end; ++it, ++options) {
        // roff writes each dash of an option as \-
        const std::string roff = std::regex_replace(it->str(), std::regex("-"), "\\-");
        EXPECT_NE(manual.str().find(roff), std::string::npos) << it->str();
    }
    EXPECT_GE(options, 7);
}

}  // namespace
