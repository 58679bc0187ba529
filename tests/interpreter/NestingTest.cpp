#include <gtest/gtest.h>

#include <string>

#include "interpreter/ScriptRun.h"
#include "support/ScriptText.h"

namespace {

// Each shape nests the executor (or the skipper) depth levels below the top-level
// statement run, which is one level itself. Chained ifs need the most stack per level.
std::string Parentheses(int depth) { return Repeat("(", depth) + "1" + Repeat(")", depth) + "; return 1;"; }
std::string Braces(int depth) { return Repeat("{", depth) + Repeat("}", depth) + "; return 1;"; }
std::string IfChain(int depth) { return Repeat("if (1) ", depth) + "; return 1;"; }
std::string SkippedBraces(int depth) { return "for (;;) " + Repeat("{", depth) + Repeat("}", depth) + " return 1;"; }

using Shape = std::string (*)(int);
constexpr Shape kShapes[] = {Parentheses, Braces, IfChain, SkippedBraces};

TEST(Nesting, DeepestAllowedRunsWithinTheWorkerStackAndDeeperFailsWithTheNestingError) {
    const std::string start = "file:'*inline*', line: 1: Too many nested blocks (more than " +
                              std::to_string(ScriptReader::MaxNesting) + ")\n\n";
    for (const Shape shape : kShapes) {
        EXPECT_EQ(RunScript(shape(ScriptReader::MaxNesting - 1).c_str()).result, "Int 1");
        for (const int depth : {ScriptReader::MaxNesting, 100000}) {
            const std::string result = RunScript(shape(depth).c_str()).result;
            EXPECT_EQ(result.substr(0, start.size()), start) << depth;
        }
    }
}

TEST(Nesting, FunctionDepthLimitComesFirstForRecursionThroughBlocks) {
    // The blocks count per call: 256 calls of 15 levels are nowhere near the nesting limit.
    const std::string script = "int f(int n) { " + Repeat("{ ", 13) + "return f(n - 1); " + Repeat("} ", 13) + "}";
    EXPECT_EQ(RunScript(script.c_str()).result,
              OneLineError(script, "Stack overflow: more than 256 function iterations"));
}

TEST(Nesting, IsCountedPerFunctionBodyNotAcrossCalls) {
    // Fourteen brackets around a recursive call: the recursion is the fault, not the brackets.
    const std::string recursion = "int f(int n) { return " + Repeat("(", 14) + "f(n)" + Repeat(")", 14) + "; }";
    EXPECT_EQ(RunScript(recursion.c_str()).result,
              OneLineError(recursion, "Stack overflow: more than 256 function iterations"));

    // Calls sixty deep with seventy brackets in each body: valid.
    std::string chain = "int g0(int n) { return n; }\r\n";
    for (int k = 1; k <= 60; ++k) {
        chain += "int g" + std::to_string(k) + "(int n) { return " + Repeat("(", 70) + "g" + std::to_string(k - 1) +
                 "(n)" + Repeat(")", 70) + "; }\r\n";
    }
    chain += "return g60(7);";
    EXPECT_EQ(RunScript(chain.c_str()).result, "Int 7");
}

TEST(Nesting, DeepBodiesInDeepRecursionStopBeforeTheStackRunsOut) {
    // Each body nests as deep as a body may; 256 such calls would need far more stack than
    // the worker has, so the frames themselves are what stops it, with a message of its own.
    const std::string script = "int f(int n) { return " + Repeat("(", 3990) + "f(n)" + Repeat(")", 3990) + "; }";
    const std::string result = RunScript(script.c_str()).result;
    const std::string start = "file:'*inline*', line: 1: Stack exhausted: blocks nested too deeply inside ";
    EXPECT_EQ(result.substr(0, start.size()), start);
}

}  // namespace
