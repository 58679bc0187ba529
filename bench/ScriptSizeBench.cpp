// Validations at the sizes users report trouble with first: expressions of ten thousand terms,
// scripts of twenty thousand statements that declare and call functions, and nested blocks.
#include <string>

#include "BenchValidate.h"

namespace {

/// x = 1 + 2 - 3 * 4 | 5 ... with n terms.
void TenThousandTerms(benchmark::State& state) {
    static const char* const operators[] = {" + ", " - ", " * ", " | "};
    std::string text = "int x;\r\nx = 1";
    for (int64_t k = 1; k < state.range(0); ++k) {
        text += operators[k % 4];
        text += std::to_string(k % 97 + 1);
    }
    text += ";\r\n";
    ValidateScript(state, text);
}
BENCHMARK(TenThousandTerms)->Arg(10000)->UseRealTime()->Unit(benchmark::kMillisecond);

/// n statements in four shapes: a declaration, an assignment, a function declaration (whose
/// body runs once) and a call of that function next to an external one.
void StatementsWithFunctions(benchmark::State& state) {
    std::string text;
    for (int64_t k = 0; k < state.range(0); ++k) {
        const std::string n = std::to_string(k / 4);
        switch (k % 4) {
        case 0:
            text += "int v" + n + ", w" + n + "[4];\r\n";
            break;
        case 1:
            text += "v" + n + " = " + n + " * 3 + w" + n + "[1] - 7;\r\n";
            break;
        case 2:
            text += "int f" + n + "(int a) { return a + " + n + "; }\r\n";
            break;
        default:
            text += "v" + n + " = f" + n + "(v" + n + ") + g" + n + "(\"s\", 2.5);\r\n";
            break;
        }
    }
    ValidateScript(state, text);
}
BENCHMARK(StatementsWithFunctions)->Arg(2000)->Arg(20000)->UseRealTime()->Unit(benchmark::kMillisecond);

/// n if-blocks nested inside each other around one assignment.
void NestedBlocks(benchmark::State& state) {
    std::string text = "int x;\r\n";
    for (int64_t k = 0; k < state.range(0); ++k) text += "if (x) {\r\n";
    text += "x = 1;\r\n";
    for (int64_t k = 0; k < state.range(0); ++k) text += "}\r\n";
    ValidateScript(state, text);
}
BENCHMARK(NestedBlocks)->Arg(100)->Arg(1000)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
