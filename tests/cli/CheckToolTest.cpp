// End-to-end runs of the built tarvel-check on files written for each test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ToolRunner.h"

namespace {

const std::string kValidated =
    "Validation successful\n"
    "external variables used:\n"
    "external functions used:\n";

// A directive the precompiler refuses, on the third line, so the reported line number shows
// how the tool handed over the line breaks.
std::string DirectiveOnLineThree(const char* lineBreak) {
    return std::string("a;") + lineBreak + "b;" + lineBreak + "#foo" + lineBreak;
}

struct StatusCase {
    const char* name;
    std::vector<std::string> args;
    int status;
};

TEST(CheckTool, ExitStatusTellsTheWorstOutcome) {
    ScratchDir dir;
    dir.Write("good.c", "int x;\r\nx = 1;\r\n");
    dir.Write("unfinished.c", "int x;\r\nx = 1\r\n");
    dir.Write("directive.c", "#define X\r\n");
    const StatusCase cases[] = {
        {"valid script", {"good.c"}, 0},
        {"run error", {"unfinished.c"}, 1},
        {"declined load error", {"directive.c"}, 1},
        {"failure among valid", {"good.c", "unfinished.c", "good.c"}, 1},
        {"unreadable among failing", {"unfinished.c", "missing.c"}, 2},
        {"no files", {"--json"}, 2},
        {"unknown option", {"--fast", "good.c"}, 2},
        {"version", {"--version", "missing.c"}, 0},
    };
    for (const StatusCase& row : cases) {
        EXPECT_EQ(RunTool(dir, row.args).status, row.status) << row.name;
    }
}

TEST(CheckTool, UnreadableFileIsReportedAndTheOthersStillValidated) {
    ScratchDir dir;
    dir.Write("good.c", "int x;");
    const ToolRun run = RunTool(dir, {"good.c", "missing.c", "-"}, "int y;");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "tarvel-check: cannot read 'missing.c': No such file or directory\n");
    EXPECT_EQ(run.out, "==> good.c <==\n" + kValidated + "\n==> - <==\n" + kValidated);
}

TEST(CheckTool, UsageErrorsAndVersion) {
    ScratchDir dir;
    const ToolRun unknown = RunTool(dir, {"--fast", "x.c"});
    EXPECT_EQ(unknown.err,
              "tarvel-check: unrecognised option '--fast'\n"
              "Try 'tarvel-check --help' for more information.\n");
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(RunTool(dir, {"--version"}).out, "tarvel-check 1.06\n");
}

struct LineBreakCase {
    const char* name;
    const char* lineBreak;
    bool raw;
    const char* report;
};

TEST(CheckTool, LineBreaksReachTheEngineAsTheEditorHoldsThem) {
    const std::string onLineThree =
        "Script Error: file:'*inline*', line: 3: Invalid precompiler command: 'foo'\n\nb;\n#foo\n\n";
    const LineBreakCase cases[] = {
        {"LF", "\n", false, onLineThree.c_str()},
        {"CR", "\r", false, onLineThree.c_str()},
        {"CR LF", "\r\n", false, onLineThree.c_str()},
        {"raw CR", "\r", true, onLineThree.c_str()},
        // A line feed alone is no line break to the engine, so the whole text is one line.
        {"raw LF", "\n", true,
         "Script Error: file:'*inline*', line: 1: Invalid precompiler command: 'foo'\n\n \n"
         "a;\nb;\n#foo\n\n \n"},
    };
    ScratchDir dir;
    for (const LineBreakCase& row : cases) {
        dir.Write("script.c", DirectiveOnLineThree(row.lineBreak));
        std::vector<std::string> args{"script.c"};
        if (row.raw) args.insert(args.begin(), "--raw");
        const ToolRun run = RunTool(dir, args);
        EXPECT_EQ(run.err, row.report) << row.name;
        EXPECT_EQ(run.out, "") << row.name;
    }
}

TEST(CheckTool, ContinuingAfterALoadErrorRunsFromWhereItWasFound) {
    ScratchDir dir;
    dir.Write("directive.c", "#foo\r\nint x;\r\nx = y;\r\n");
    const ToolRun run = RunTool(dir, {"--continue-on-load-error", "directive.c"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "Script Error: file:'*inline*', line: 1: Invalid precompiler command: 'foo'\n\n \n#foo\nint x;\n");
    EXPECT_EQ(run.out, "Validation successful\nexternal variables used:\n  y\nexternal functions used:\n");
}

TEST(CheckTool, NoLogLeavesNoLogFile) {
    for (const bool noLog : {true, false}) {
        ScratchDir dir;
        dir.Write("directive.c", "#foo\r\n");
        std::vector<std::string> args{"directive.c"};
        if (noLog) args.insert(args.begin(), "--no-log");
        EXPECT_EQ(RunTool(dir, args).status, 1);
        // A load error is always logged, so the file's absence is the switch's doing.
        EXPECT_EQ(dir.Has("logfile.txt"), !noLog) << "--no-log " << noLog;
    }
}

TEST(CheckTool, WorkedRoadListsItsExternals) {
    ScratchDir dir;
    dir.Write("road.c", "int x;\r\nx = y + f(2);\r\n");
    const ToolRun run = RunTool(dir, {"road.c"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Validation successful\nexternal variables used:\n  y\nexternal functions used:\n  f\n");
}

TEST(CheckTool, NameListsAreSortedWithFoldedCase) {
    ScratchDir dir;
    dir.Write("names.c",
              "zeta; _tmp; Alpha; beta; apple; ALPHA;\r\n"
              "zeta(); _tmp(); Alpha(); beta(); apple(); APPLE();\r\n");
    const ToolRun run = RunTool(dir, {"--json", "names.c"});
    const std::string sorted = R"(["Alpha", "apple", "beta", "zeta", "_tmp"])";
    EXPECT_NE(run.out.find(R"("externalVariables": )" + sorted), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(R"("externalFunctions": )" + sorted), std::string::npos) << run.out;
}

struct ResultCase {
    const char* script;
    const char* result;
};

TEST(CheckTool, JsonReportsTheReturnedValue) {
    const ResultCase cases[] = {
        {"return 7 / 2;", R"({"type": "Int", "value": 3})"},
        {"return 2147483647 + 1;", R"({"type": "Int", "value": -2147483648})"},
        {"return -7 % 3.0;", R"({"type": "Float", "value": 2})"},
        {"return \"abc\" > \"zz\";", R"({"type": "Int", "value": 1})"},
        {"return \"\x01\xE9\\\"\\\\\";", R"({"type": "String", "value": "\u0001\u00e9\"\\"})"},
        {"int x;", R"({"type": "Void"})"},
    };
    ScratchDir dir;
    for (const ResultCase& row : cases) {
        dir.Write("result.c", row.script);
        const ToolRun run = RunTool(dir, {"--json", "result.c"});
        EXPECT_EQ(run.out,
                  std::string(R"({"file": "result.c", "ok": true, "message": "Validation successful", )"
                              R"("error": null, "externalVariables": [], "externalFunctions": [], "result": )") +
                      row.result + "}\n")
            << row.script;
    }
}

TEST(CheckTool, JsonReportsTheErrorOfAFailedRun) {
    ScratchDir dir;
    dir.Write("unfinished.c", "int x;\r\nx = 1\r\n");
    const ToolRun run = RunTool(dir, {"--json", "unfinished.c"});
    const std::string text = R"(file:'*inline*', line: 2: Unexpected end of file\u000a\u000aint x;\u000ax = 1\u000a)";
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, R"({"file": "unfinished.c", "ok": false, "message": "ScriptReader: )" + text +
                           R"(", "error": {"component": "ScriptReader", "text": ")" + text +
                           R"("}, "externalVariables": [], "externalFunctions": [], "result": {"type": "Void"}}
)");
}

}  // namespace
