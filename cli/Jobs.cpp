#include "cli/Jobs.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "diagnostics/Log.h"

// Checked one after the other, the files of a run share one rand sequence: each script
// continues where the one before stopped. Side by side, every file starts from a fresh
// generator instead. Most scripts never call rand, so their result cannot depend on it; the
// first file that draws really does start fresh. Any later file that drew is checked again,
// in its turn, with the generator the files before it left behind. Log entries are held back
// per file and written in argument order, so a file checked twice is logged once.

namespace {

/// How a worker's check of one file ended.
struct Speculation {
    HeldLogEntries logEntries;
    uint64_t draws = 0;
    std::optional<MersenneTwister> random;  // the generator after its draws; kept only if it drew
    std::exception_ptr failure;
    bool done = false;
    bool inTurn = false;  // left for the writing thread to check in its turn
};

class Scheduler {
public:
    Scheduler(size_t count, const CheckOne& check, const WriteOne& write, const ReadOnce& readOnce)
        : count(count), check(check), write(write), readOnce(readOnce), speculations(count) {}

    /// Takes the next unchecked file until none is left.
    void Work() {
        for (size_t k = nextFile++; k < count; k = nextFile++) {
            Speculation result;
            if (readOnce(k)) {
                result.inTurn = true;
            } else {
                MersenneTwister fresh;
                try {
                    const LogHold hold(&result.logEntries);
                    result.draws = check(k, &fresh);
                } catch (...) {
                    result.failure = std::current_exception();
                }
                if (result.draws > 0) result.random = fresh;
            }
            Publish(k, std::move(result));
        }
    }

    /// Writes every file in order as it becomes available.
    void WriteInOrder() {
        MersenneTwister sequence;
        for (size_t k = 0; k < count; ++k) {
            Speculation result = Await(k);
            const bool drew = result.draws > 0;
            if (result.inTurn || (drew && !sequence.IsFresh())) {
                result = Speculation{};
                try {
                    const LogHold hold(&result.logEntries);
                    (void)check(k, &sequence);
                } catch (...) {
                    result.failure = std::current_exception();
                }
            } else if (drew) {
                sequence = *result.random;
            }
            if (result.failure) std::rethrow_exception(result.failure);
            WriteHeldEntries(result.logEntries);
            write(k);
        }
    }

private:
    void Publish(size_t k, Speculation result) {
        result.done = true;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            speculations[k] = std::move(result);
        }
        finishedOne.notify_all();
    }

    Speculation Await(size_t k) {
        std::unique_lock<std::mutex> lock(mutex);
        finishedOne.wait(lock, [&] { return speculations[k].done; });
        return std::move(speculations[k]);
    }

    size_t count;
    const CheckOne& check;
    const WriteOne& write;
    const ReadOnce& readOnce;
    std::atomic<size_t> nextFile = 0;
    std::mutex mutex;
    std::condition_variable finishedOne;
    std::vector<Speculation> speculations;
};

/// Joins the workers on every way out, the exceptional one included.
class Workers {
public:
    Workers(unsigned count, Scheduler& scheduler) {
        for (unsigned k = 0; k < count; ++k) threads.emplace_back([&scheduler] { scheduler.Work(); });
    }
    ~Workers() {
        for (std::thread& thread : threads) thread.join();
    }
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;

private:
    std::vector<std::thread> threads;
};

}  // namespace

void CheckInOrder(size_t count, unsigned jobs, const CheckOne& check, const WriteOne& write, const ReadOnce& readOnce) {
    if (jobs <= 1) {
        for (size_t k = 0; k < count; ++k) {
            (void)check(k, nullptr);
            write(k);
        }
        return;
    }
    Scheduler scheduler(count, check, write, readOnce);
    const Workers workers(static_cast<unsigned>(std::min<size_t>(jobs, count)), scheduler);
    scheduler.WriteInOrder();
}
