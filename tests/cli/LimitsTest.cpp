// --time-limit and --memory-limit: how a file that reaches one ends; their values are in UsageTest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ToolRunner.h"
#include "support/ScriptText.h"

namespace {

TEST(Limits, AFileStoppedAtTheTimeLimitIsNamedAndEndsWithItsOwnStatus) {
    ScratchDir dir;
    dir.Write("chain.c", DoublingChain(40) + "return f40(1);\r\n");
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
