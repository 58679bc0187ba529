#include "interpreter/RunBudget.h"

#include <cstdint>

#include "interpreter/InterpreterMessages.h"
#include "reader/ScriptReader.h"

using namespace InterpreterMessages;

namespace {

// Reading the clock costs as much as a few hundred tokens; this keeps it out of the profile
// while a limit is still noticed within a millisecond or so.
constexpr int kTokensPerClockRead = 4096;

}  // namespace

RunBudget::RunBudget(ScriptReader& engine) : MemoryBudget(kDefaultMemoryLimitBytes), engine(engine) {}

void RunBudget::Start(const RunLimits& limits) {
    cancel = limits.cancel;
    timeLimitSeconds = limits.timeLimitSeconds;
    // Without a limit the system's refusal is what ends a greedy script.
    SetLimit(limits.memoryLimitBytes == 0 ? SIZE_MAX : limits.memoryLimitBytes);
    stop = StopReason::None;
    untilClock = kTokensPerClockRead;
    if (timeLimitSeconds > 0) {
        const auto span = std::chrono::duration<double>(timeLimitSeconds);
        // A limit beyond what the clock can represent is no limit.
        if (span < std::chrono::hours(24 * 365)) {
            deadline = std::chrono::steady_clock::now() +
                       std::chrono::duration_cast<std::chrono::steady_clock::duration>(span);
        } else {
            timeLimitSeconds = 0;
        }
    }
}

void RunBudget::CheckClock() {
    untilClock = kTokensPerClockRead;
    if (timeLimitSeconds > 0 && std::chrono::steady_clock::now() >= deadline) {
        Stop(StopReason::TimeLimit);
    }
}

void RunBudget::Stop(StopReason reason) {
    stop = reason;
    // Nothing more to poll: the unwinding must not stop a second time.
    cancel = nullptr;
    const double seconds = timeLimitSeconds;
    timeLimitSeconds = 0;
    if (reason == StopReason::Cancelled) engine.ScriptError("%s", kValidationCancelled);
    engine.ScriptError(kTimeLimitExceeded, seconds);
}

void RunBudget::CheckArray(const char* name, int elements, std::size_t bytes) {
    if (Fits(bytes)) return;
    stop = StopReason::MemoryLimit;
    engine.ScriptError(kArrayExceedsMemoryLimit, name, elements, Limit());
}

void RunBudget::LargeCharge() {
    untilClock = 0;
    Poll();
}

void RunBudget::Overrun(std::size_t) {
    stop = StopReason::MemoryLimit;
    engine.ScriptError(kMemoryLimitExceeded, Limit());
}
