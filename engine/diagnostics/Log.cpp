#include "diagnostics/Log.h"

#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <utility>

#include "diagnostics/DiagnosticMessages.h"

using namespace DiagnosticMessages;

namespace {

constexpr int kMaximumEntries = 4024;

// Process-wide: the host thread waits while the worker runs, so one thread at a time uses it.
struct LogState {
    LogEnvironment environment;
    std::string directory;  // fixed by the first entry; later directory changes do not move the log
    int entryCount = 0;
    double startTime = 0.0;
    bool enabled = true;
};

LogState state;

double SystemClock() {
    const auto sinceOrigin = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(sinceOrigin).count();
}

// The kernel's estimate of memory available to new work without swapping, in bytes; 0 if unknown.
std::uint64_t SystemAvailableMemory() {
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kibibytes = 0;
    std::string unit;
    while (meminfo >> key >> kibibytes >> unit) {
        if (key == "MemAvailable:") return kibibytes * 1024;
    }
    return 0;
}

std::string SystemCurrentDirectory() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

std::uint64_t AvailableMemory() {
    return state.environment.availableMemory ? state.environment.availableMemory()
                                             : SystemAvailableMemory();
}

std::string CurrentDirectory() {
    return state.environment.currentDirectory ? state.environment.currentDirectory()
                                              : SystemCurrentDirectory();
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

double Now() {
    return state.environment.clock ? state.environment.clock() : SystemClock();
}

int RoundToMebibytes(std::uint64_t bytes) {
    const std::uint64_t mebibytes = (bytes + 524288) >> 20;
    return mebibytes > INT_MAX ? INT_MAX : static_cast<int>(mebibytes);
}

int LogEntryCount() {
    return state.entryCount;
}

void Log(const char* format, ...) {
    va_list args;
    va_start(args, format);
    LogV(format, args);
    va_end(args);
}

void LogV(const char* format, va_list args) {
    if (!state.enabled) return;
    if (state.entryCount >= kMaximumEntries) return;
    if (state.entryCount == 0) state.startTime = Now();
    const int freeMebibytes = RoundToMebibytes(AvailableMemory());
    if (state.directory.empty()) state.directory = CurrentDirectory();

    char message[1024];
    std::vsnprintf(message, sizeof message, format, args);

    // Opened by full path: changing the current directory would race with a thread resolving
    // relative paths. An unreadable directory or unopenable file loses the entry silently.
    if (state.directory.empty()) return;
    const std::string path = state.directory + "/" + kLogFileName;
    std::unique_ptr<std::FILE, FileCloser> file(
        std::fopen(path.c_str(), state.entryCount == 0 ? "w+" : "a+"));
    if (!file) return;

    ++state.entryCount;
    std::fprintf(file.get(), "%s ", message);
    std::fprintf(file.get(), kLogEntrySuffix, Now() - state.startTime, freeMebibytes);
    if (state.entryCount == kMaximumEntries) std::fputs(kMaximumLogEntries, file.get());
}

void SetLogEnabled(bool enabled) {
    state.enabled = enabled;
}

void SetLogEnvironmentForTesting(LogEnvironment environment) {
    state = LogState{};
    state.environment = std::move(environment);
}

void ResetLogForTesting() {
    state = LogState{};
}
