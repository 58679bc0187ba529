// Whole validations of generated scripts, so that changes to the executor and the evaluator
// can be measured: long expressions, long scripts of statements, and deep bracket nesting.
#include <string>

#include "BenchValidate.h"

namespace {

/// One statement of n operands under every binary level: x = 1 + 2 * 3 - 4 ...;
void LongExpression(benchmark::State& state) {
    static const char* const operators[] = {" + ", " * ", " - ", " < ", " == ", " | ", " && "};
    std::string text = "int x; x = 1";
    for (int64_t k = 1; k < state.range(0); ++k) {
        text += operators[k % 7];
        text += std::to_string(k % 9 + 1);
    }
    text += ";\r\n";
    ValidateScript(state, text);
}
// Up to 65536 operands: an evaluator that is quadratic in the item count shows only at
// tens of thousands of terms.
BENCHMARK(LongExpression)->RangeMultiplier(4)->Range(16, 65536)->UseRealTime()->Complexity();

/// n short statements of declarations, assignments, compound operators and externals.
void LongScript(benchmark::State& state) {
    std::string text;
    for (int64_t k = 0; k < state.range(0); ++k) {
        const std::string n = std::to_string(k);
        text += "int v" + n + "[4], w" + n + " = " + n + ";\r\n";
        text += "v" + n + "[2] = w" + n + " * 3 + external" + n + ";\r\n";
        text += "w" + n + " += -v" + n + "[2] % 7; w" + n + "++;\r\n";
    }
    ValidateScript(state, text);
}
BENCHMARK(LongScript)->RangeMultiplier(4)->Range(16, 4096)->UseRealTime()->Complexity();

/// One expression nested n brackets deep: each level is a recursive run of the executor.
void DeepNesting(benchmark::State& state) {
    const auto depth = static_cast<size_t>(state.range(0));
    const std::string text = "int x; x = " + std::string(depth, '(') + "1" + std::string(depth, ')') + ";\r\n";
    ValidateScript(state, text);
}
BENCHMARK(DeepNesting)->RangeMultiplier(4)->Range(16, 2048)->UseRealTime()->Complexity();

}  // namespace
