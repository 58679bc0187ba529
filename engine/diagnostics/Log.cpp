#include "diagnostics/Log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <string>
#include <utility>

#include "diagnostics/DiagnosticMessages.h"

using namespace DiagnosticMessages;

namespace {

constexpr int kMaximumEntries = 4024;

// Process-wide, as the file is: validations on several threads log through the one mutex,
// which keeps each entry's count, time and write together.
struct LogState {
    LogEnvironment environment;
    std::string directory;  // fixed by the first entry; later directory changes do not move the log
    int entryCount = 0;
    double startTime = 0.0;
    bool clockStartedForHeld = false;  // a held entry took the start time before any was written
};

std::mutex mutex;
LogState state;
std::atomic<bool> enabled = true;
thread_local HeldLogEntries* heldEntries = nullptr;

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
    return state.environment.availableMemory ? state.environment.availableMemory() : SystemAvailableMemory();
}

std::string CurrentDirectory() {
    return state.environment.currentDirectory ? state.environment.currentDirectory() : SystemCurrentDirectory();
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd(fd) {}
    ~FileDescriptor() {
        if (fd >= 0) close(fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int fd;
};

// A symbolic link under the log's name must not lead the writes, or the truncation, to a file
// of the link's choosing; a FIFO would block the open until someone read it; a device is no
// log. So only a regular file reached without following a link is written, and it is
// truncated only once it is known to be one.
bool OpenLogFile(const std::string& path, bool truncate, FileDescriptor& file) {
    file.fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (file.fd < 0) return false;
    struct stat status {};
    if (fstat(file.fd, &status) != 0 || !S_ISREG(status.st_mode)) return false;
    return !truncate || ftruncate(file.fd, 0) == 0;
}

// One write per entry on a file opened for appending: the kernel puts each at the end as a
// whole, so entries of other threads and of other processes never land inside it.
void WriteEntry(const std::string& entry) {
    if (state.entryCount >= kMaximumEntries) return;
    if (state.directory.empty()) return;
    FileDescriptor file(-1);
    if (!OpenLogFile(state.directory + "/" + kLogFileName, state.entryCount == 0, file)) return;

    ++state.entryCount;
    std::string text = entry;
    if (state.entryCount == kMaximumEntries) text += kMaximumLogEntries;
    // A short write (a full disk) loses the rest of the entry, as a failed open loses all of it.
    (void)!write(file.fd, text.data(), text.size());
}

}  // namespace

double Now() { return state.environment.clock ? state.environment.clock() : SystemClock(); }

int RoundToMebibytes(std::uint64_t bytes) {
    const std::uint64_t mebibytes = (bytes + 524288) >> 20;
    return mebibytes > INT_MAX ? INT_MAX : static_cast<int>(mebibytes);
}

int LogEntryCount() {
    const std::lock_guard<std::mutex> lock(mutex);
    return state.entryCount;
}

void Log(const char* format, ...) {
    va_list args;
    va_start(args, format);
    LogV(format, args);
    va_end(args);
}

void LogV(const char* format, va_list args) {
    if (!enabled.load()) return;
    HeldLogEntries* const held = heldEntries;
    const std::lock_guard<std::mutex> lock(mutex);
    if (state.entryCount >= kMaximumEntries) return;
    // Held entries are written later; the first of them starts the clock as a written one would.
    if (state.entryCount == 0 && !(held != nullptr && state.clockStartedForHeld)) {
        state.startTime = Now();
        state.clockStartedForHeld = held != nullptr;
    }
    const int freeMebibytes = RoundToMebibytes(AvailableMemory());
    // Opened by full path: changing the current directory would race with a thread resolving
    // relative paths. An unreadable directory or unopenable file loses the entry silently.
    if (state.directory.empty()) state.directory = CurrentDirectory();

    char message[1024];
    std::vsnprintf(message, sizeof message, format, args);
    char suffix[96];
    std::snprintf(suffix, sizeof suffix, kLogEntrySuffix, Now() - state.startTime, freeMebibytes);
    std::string entry = std::string(message) + " " + suffix;

    if (held != nullptr) {
        held->entries.push_back(std::move(entry));
    } else {
        WriteEntry(entry);
    }
}

LogHold::LogHold(HeldLogEntries* held) : previous(heldEntries) { heldEntries = held; }

LogHold::~LogHold() { heldEntries = previous; }

HeldLogEntries* CurrentLogHold() { return heldEntries; }

void WriteHeldEntries(HeldLogEntries& held) {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        for (const std::string& entry : held.entries) WriteEntry(entry);
    }
    held.entries.clear();
}

void SetLogEnabled(bool enable) { enabled.store(enable); }

void SetLogEnvironmentForTesting(LogEnvironment environment) {
    const std::lock_guard<std::mutex> lock(mutex);
    state = LogState{};
    state.environment = std::move(environment);
}

void ResetLogForTesting() {
    const std::lock_guard<std::mutex> lock(mutex);
    state = LogState{};
    enabled.store(true);
}
