#pragma once
#include <atomic>
#include <chrono>
#include <cstddef>

#include "containers/MemoryBudget.h"

class ScriptReader;

/// Why a validation ended before the script did.
enum class StopReason { None, Cancelled, TimeLimit, MemoryLimit };

/// Memory a validation may hold at once unless its caller says otherwise.
inline constexpr std::size_t kDefaultMemoryLimitBytes = std::size_t{1} << 30;

/// The bounds of one validation.
struct RunLimits {
    const std::atomic<bool>* cancel = nullptr;                ///< set by another thread to stop; null: none
    double timeLimitSeconds = 0;                              ///< 0: no limit
    std::size_t memoryLimitBytes = kDefaultMemoryLimitBytes;  ///< 0: no limit
};

/// Holds a run to its limits. The executor polls it once per token; a limit that is reached
/// ends the run with a script error at the place the run had got to.
class RunBudget : public MemoryBudget {
public:
    explicit RunBudget(ScriptReader& engine);

    /// Takes the limits and starts the clock.
    void Start(const RunLimits& limits);

    /// The per-token check: the flag every time, the clock every few thousand tokens.
    void Poll() {
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) Stop(StopReason::Cancelled);
        if (--untilClock <= 0) CheckClock();
    }

    /// Raises the memory error naming the array unless its elements fit.
    void CheckArray(const char* name, int elements, std::size_t bytes);

    /// Records that the system refused an allocation; the caller raises the error.
    void NoteOutOfMemory() { stop = StopReason::MemoryLimit; }

    StopReason stop = StopReason::None;  ///< why the run was stopped

private:
    [[noreturn]] void Overrun(std::size_t bytes) override;
    void LargeCharge() override;
    [[noreturn]] void Stop(StopReason reason);
    void CheckClock();

    ScriptReader& engine;
    const std::atomic<bool>* cancel = nullptr;
    double timeLimitSeconds = 0;
    std::chrono::steady_clock::time_point deadline;
    int untilClock = 0;
};
