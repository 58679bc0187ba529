// What tarvel-check makes of its command line: each refused argument with its own problem and
// status 2 before any file is read, and the values at the edges of each range accepted.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ToolRunner.h"

namespace {

struct RefusedCase {
    std::vector<std::string> args;
    const char* problem;  ///< the usage problem, or the whole of standard error when not one
    bool usage = true;
};

TEST(Usage, EveryRefusedArgumentIsNamedWithStatusTwo) {
    const RefusedCase cases[] = {
        {{"folder"}, "tarvel-check: cannot read 'folder': Is a directory\n", false},
        {{"--json"}, "no input files"},
        {{"--fast", "good.c"}, "unrecognised option '--fast'"},
        {{"--\x1b[2J", "good.c"}, "unrecognised option '--\\x1b[2J'"},
        {{"--format=xml", "good.c"}, "unknown format 'xml' (choose text, json, gcc or sarif)"},
        {{"good.c", "--format"}, "option '--format' needs a value"},
        {{"--jobs", "0", "good.c"}, "invalid number of jobs '0' (expected 1 to 1024)"},
        {{"good.c", "-j"}, "option '-j' needs a value"},
        {{"good.c", "--jobs"}, "option '--jobs' needs a value"},
        {{"-j", "good.c"}, "invalid number of jobs 'good.c' (expected 1 to 1024)"},
        {{"--jobs=two", "good.c"}, "invalid number of jobs 'two' (expected 1 to 1024)"},
        {{"-j-1", "good.c"}, "invalid number of jobs '-1' (expected 1 to 1024)"},
        {{"-j", "1025", "good.c"}, "invalid number of jobs '1025' (expected 1 to 1024)"},
        {{"-j", "99999999999999999999", "good.c"},
         "invalid number of jobs '99999999999999999999' (expected 1 to 1024)"},
        {{"--time-limit=0", "good.c"}, "invalid time limit '0' (expected seconds above 0, at most a year)"},
        {{"--time-limit", "-1", "good.c"}, "invalid time limit '-1' (expected seconds above 0, at most a year)"},
        {{"--time-limit=1e3", "good.c"}, "invalid time limit '1e3' (expected seconds above 0, at most a year)"},
        {{"--time-limit=1.2.3", "good.c"}, "invalid time limit '1.2.3' (expected seconds above 0, at most a year)"},
        {{"--time-limit=31536001", "good.c"},
         "invalid time limit '31536001' (expected seconds above 0, at most a year)"},
        {{"good.c", "--time-limit"}, "option '--time-limit' needs a value"},
        {{"--memory-limit=1048577", "good.c"}, "invalid memory limit '1048577' (expected 1 to 1048576 MiB)"},
        {{"--memory-limit=", "good.c"}, "invalid memory limit '' (expected 1 to 1048576 MiB)"},
    };
    ScratchDir dir;
    dir.Write("good.c", "int x;");
    std::filesystem::create_directory(dir.path + "/folder");
    for (const RefusedCase& row : cases) {
        const ToolRun run = RunTool(dir, row.args);
        EXPECT_EQ(run.status, 2) << row.problem;
        if (!row.usage) {
            EXPECT_EQ(run.err, row.problem);
            continue;
        }
        EXPECT_EQ(run.err,
                  std::string("tarvel-check: ") + row.problem + "\nTry 'tarvel-check --help' for more information.\n");
        EXPECT_EQ(run.out, "") << row.problem;
    }
}

TEST(Usage, RangeEdgesAndInformationOptionsAreAccepted) {
    ScratchDir dir;
    dir.Write("good.c", "int x;");
    for (const std::vector<std::string>& args : {std::vector<std::string>{"-j4", "good.c"},
                                                 {"--jobs=1024", "good.c"},
                                                 {"--jobs", "1", "good.c"},
                                                 {"--time-limit=0.5", "good.c"},
                                                 {"--time-limit", "31536000", "good.c"},
                                                 {"--memory-limit=1", "good.c"},
                                                 {"--memory-limit", "1048576", "good.c"}}) {
        EXPECT_EQ(RunTool(dir, args).status, 0) << args[0];
    }
    EXPECT_EQ(RunTool(dir, {"--version"}).out, "tarvel-check 1.06\n");
    EXPECT_NE(RunTool(dir, {"--help"}).out.find("-j, --jobs N"), std::string::npos);
}

}  // namespace
