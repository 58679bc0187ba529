// --time-limit and --memory-limit: what they accept, and how a file that reaches one ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ToolRunner.h"

namespace {

// Forty functions, each calling the one below twice and counting in a global, so that no call
// can be answered from an earlier one: a checking pass that never ends.
std::string DoublingChain() {
    std::string text = "int calls;\r\nint f0(int n) { calls = calls + 1; return n; }\r\n";
    for (int k = 1; k <= 40; ++k) {
        const std::string below = "f" + std::to_string(k - 1) + "(n)";
        text += "int f" + std::to_string(k) + "(int n) { return " + below + " + " + below + "; }\r\n";
    }
    return text + "return f40(1);\r\n";
}

TEST(Limits, ValuesOutsideTheirRangeAreUsageErrors) {
    ScratchDir dir;
    dir.Write("good.c", "int x;");
    const struct {
        std::vector<std::string> args;
        const char* problem;
    } cases[] = {
        {{"--time-limit=0", "good.c"}, "invalid time limit '0' (expected seconds above 0, at most a year)"},
        {{"--time-limit", "-1", "good.c"}, "invalid time limit '-1' (expected seconds above 0, at most a year)"},
        {{"--time-limit=1e3", "good.c"}, "invalid time limit '1e3' (expected seconds above 0, at most a year)"},
        {{"--time-limit=inf", "good.c"}, "invalid time limit 'inf' (expected seconds above 0, at most a year)"},
        {{"--time-limit=0x10", "good.c"}, "invalid time limit '0x10' (expected seconds above 0, at most a year)"},
        {{"--time-limit=1.2.3", "good.c"}, "invalid time limit '1.2.3' (expected seconds above 0, at most a year)"},
        {{"--time-limit=31536001", "good.c"},
         "invalid time limit '31536001' (expected seconds above 0, at most a year)"},
        {{"good.c", "--time-limit"}, "option '--time-limit' needs a value"},
        {{"--memory-limit=0", "good.c"}, "invalid memory limit '0' (expected 1 to 1048576 MiB)"},
        {{"--memory-limit=1048577", "good.c"}, "invalid memory limit '1048577' (expected 1 to 1048576 MiB)"},
        {{"--memory-limit=99999999999999999999999", "good.c"},
         "invalid memory limit '99999999999999999999999' (expected 1 to 1048576 MiB)"},
        {{"--memory-limit=1.5", "good.c"}, "invalid memory limit '1.5' (expected 1 to 1048576 MiB)"},
        {{"--memory-limit=", "good.c"}, "invalid memory limit '' (expected 1 to 1048576 MiB)"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool(dir, c.args);
        EXPECT_EQ(run.status, 2) << c.problem;
        EXPECT_EQ(run.err,
                  std::string("tarvel-check: ") + c.problem + "\nTry 'tarvel-check --help' for more information.\n");
    }
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--time-limit=0.5", "good.c"},
                                                 {"--time-limit", "31536000", "good.c"},
                                                 {"--memory-limit=1", "good.c"},
                                                 {"--memory-limit", "1048576", "good.c"}}) {
        EXPECT_EQ(RunTool(dir, args).status, 0) << args[0];
    }
}

TEST(Limits, AFileStoppedAtTheTimeLimitIsNamedAndEndsWithItsOwnStatus) {
    ScratchDir dir;
    dir.Write("chain.c", DoublingChain());
    dir.Write("bad.c", "int x;\r\nx = 1\r\n");
    const ToolRun run = RunTool(dir, {"--time-limit=0.2", "bad.c", "chain.c"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, "tarvel-check: chain.c: validation stopped at the time limit of 0.2 seconds\n");
    // The report shows where the run had got to, as any run error does.
    const std::string heading = "==> chain.c <==\nScriptReader: file:'*inline*', line: ";
    const std::size_t at = run.out.find(heading);
    ASSERT_NE(at, std::string::npos) << run.out;
    EXPECT_NE(run.out.find(": Time limit exceeded: the validation ran longer than 0.2 seconds\n", at),
              std::string::npos)
        << run.out;

    const ToolRun json = RunTool(dir, {"--json", "--time-limit", "0.2", "chain.c"});
    EXPECT_EQ(json.status, 3);
    EXPECT_NE(json.out.find("\"message\": \"Time limit exceeded: the validation ran longer than 0.2 seconds\""),
              std::string::npos)
        << json.out;
}

TEST(Limits, TheMemoryLimitEndsAGreedyScriptAtItsLine) {
    ScratchDir dir;
    dir.Write("big.c", "int x;\r\nint a[300000];\r\n");
    const ToolRun limited = RunTool(dir, {"--memory-limit=1", "big.c"});
    EXPECT_EQ(limited.status, 1);
    EXPECT_EQ(limited.out.rfind("ScriptReader: file:'*inline*', line: 2: Memory limit exceeded: array 'a' of "
                                "300000 elements does not fit in 1048576 bytes\n",
                                0),
              0u)
        << limited.out;
    EXPECT_EQ(RunTool(dir, {"big.c"}).status, 0);
}

}  // namespace
