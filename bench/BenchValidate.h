#pragma once
// The one way the benchmarks run a script: a fresh engine per iteration, loaded and run as a
// validation does. A failed validation stops the benchmark, since it would time the error path
// instead of the work. The run happens on the engine's worker thread, so only wall-clock time
// means anything.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "diagnostics/Log.h"
#include "reader/ScriptReader.h"

inline void ValidateScript(benchmark::State& state, const std::string& text) {
    // Thousands of runs would otherwise rewrite logfile.txt each time.
    SetLogEnabled(false);
    for (auto _ : state) {
        ScriptReader engine;
        try {
            if (engine.LoadInline(text.c_str()) != LoadOutcome::Loaded) {
                state.SkipWithError("load failed");
                return;
            }
            benchmark::DoNotOptimize(engine.Run());
        } catch (const ErrorMsg& error) {
            state.SkipWithError(error.text);
            return;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.SetComplexityN(state.range(0));
}
