#include <gtest/gtest.h>

#include <string>

#include "interpreter/ScriptRun.h"

namespace {

std::string Repeat(const std::string& part, int count) {
    std::string text;
    for (int k = 0; k < count; ++k) text += part;
    return text;
}

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
    // 256 calls of 15 levels each, plus the declaration's two, stay below the nesting limit;
    // this is the deepest stack a script reaches through function calls.
    const std::string script =
        "int f(int n) { " + Repeat("{ ", 13) + "return f(n - 1); " + Repeat("} ", 13) + "}";
    EXPECT_EQ(RunScript(script.c_str()).result,
              OneLineError(script, "Stack overflow: more than 256 function iterations"));
}

}  // namespace
