#pragma once
// The one way the benchmarks run a script: a whole validation per iteration. A failed
// validation stops the benchmark, since it would time the error path instead of the work. The
// run happens on the engine's worker thread, so only wall-clock time means anything.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "Validation.h"
#include "diagnostics/Log.h"

inline void ValidateScript(benchmark::State& state, const std::string& text) {
    // Thousands of runs would otherwise rewrite logfile.txt each time.
    SetLogEnabled(false);
    for (auto _ : state) {
        const ValidationResult result = Validate(text);
        if (!result.ok) {
            state.SkipWithError(result.error ? result.error->text.c_str() : "load failed");
            return;
        }
        benchmark::DoNotOptimize(result.result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    state.SetComplexityN(state.range(0));
}
