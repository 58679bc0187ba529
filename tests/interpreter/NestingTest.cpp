#include <string>

#include "interpreter/ScriptOutcome.h"

namespace {

std::string Repeat(const std::string& part, int count) {
    std::string text;
    text.reserve(part.size() * static_cast<size_t>(count));
    for (int k = 0; k < count; ++k) text += part;
    return text;
}

// Each generator nests the executor (or the skipper) depth levels below the top-level
// statement run, which is one level itself.
std::string Parentheses(int depth) { return "int x; x = " + Repeat("(", depth) + "1" + Repeat(")", depth) + ";"; }
std::string Braces(int depth) { return Repeat("{", depth) + Repeat("}", depth) + ";"; }
std::string IfChain(int depth) { return Repeat("if (1) ", depth) + ";"; }
std::string SkippedBraces(int depth) { return "for (;;) " + Repeat("{", depth) + Repeat("}", depth); }

/// A recursive function whose body nests `blocks` braces around its recursive return.
std::string NestedRecursion(int blocks) {
    return "int f(int n) { " + Repeat("{ ", blocks) + "return f(n - 1); " + Repeat("} ", blocks) + "}";
}

using Generator = std::string (*)(int);

struct Shape {
    const char* name;
    Generator generate;
};

constexpr Shape kShapes[] = {
    {"parentheses", Parentheses},
    {"braces", Braces},
    {"if statements", IfChain},
    {"skipped braces", SkippedBraces},
};

std::string NestingMessage() {
    return "Too many nested blocks (more than " + std::to_string(ScriptReader::MaxNesting) + ")";
}

TEST(Nesting, DeepestAllowedNestingRuns) {
    for (const Shape& shape : kShapes) {
        SCOPED_TRACE(shape.name);
        const ScriptOutcome outcome = RunScript(shape.generate(ScriptReader::MaxNesting - 1));
        EXPECT_FALSE(outcome.failed) << outcome.message;
    }
}

TEST(Nesting, OneLevelMoreFailsWithTheNestingError) {
    for (const Shape& shape : kShapes) {
        SCOPED_TRACE(shape.name);
        for (const int depth : {ScriptReader::MaxNesting, 100000}) {
            const ScriptOutcome outcome = RunScript(shape.generate(depth));
            ASSERT_TRUE(outcome.failed);
            EXPECT_EQ(outcome.message, NestingMessage());
        }
    }
}

TEST(Nesting, FunctionDepthLimitComesFirstForRecursionThroughBlocks) {
    // 256 calls of 15 levels each, plus the declaration's two, stay below the nesting limit
    // and use the deepest stack a script can reach through function calls.
    const ScriptOutcome outcome = RunScript(NestedRecursion(13));
    ASSERT_TRUE(outcome.failed);
    EXPECT_EQ(outcome.message, "Stack overflow: more than 256 function iterations");
}

}  // namespace
