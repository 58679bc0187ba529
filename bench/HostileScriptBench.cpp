// Scripts whose cost grew faster than their size: many #include lines, switch statements
// nested in each other, and blocks nested inside recursive calls.
#include <string>

#include "BenchValidate.h"

namespace {

/// n #include lines, each followed by a statement.
void IncludeLines(benchmark::State& state) {
    std::string text;
    for (int64_t k = 0; k < state.range(0); ++k) text += "#include \"part.h\"\r\nint v" + std::to_string(k) + ";\r\n";
    ValidateScript(state, text);
}
BENCHMARK(IncludeLines)->Arg(10000)->Arg(100000)->UseRealTime()->Unit(benchmark::kMillisecond);

/// n switch statements, each the only case of the one around it.
void NestedSwitches(benchmark::State& state) {
    std::string text = "int x;\r\n";
    for (int64_t k = 0; k < state.range(0); ++k) text += "switch (x) { case 1:\r\n";
    text += "x = 1;\r\n";
    for (int64_t k = 0; k < state.range(0); ++k) text += "}\r\n";
    ValidateScript(state, text);
}
BENCHMARK(NestedSwitches)->Arg(1000)->Arg(3990)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
