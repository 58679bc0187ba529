#pragma once
#include <cstdarg>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

/// Where the log takes its time, memory figure and directory from; empty members use the system.
struct LogEnvironment {
    std::function<double()> clock;                   ///< seconds on a monotonic scale
    std::function<std::uint64_t()> availableMemory;  ///< available physical memory in bytes
    std::function<std::string()> currentDirectory;   ///< the current directory; empty when unreadable
};

/// Appends one entry to logfile.txt in the directory that was current at the first entry.
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
/// Log with an already started argument list.
void LogV(const char* format, va_list args) __attribute__((format(printf, 1, 0)));
/// Seconds on a monotonic scale with an arbitrary origin.
double Now();
/// Bytes rounded to the nearest whole mebibyte, as the log entries show memory.
int RoundToMebibytes(std::uint64_t bytes);
/// Number of entries written since start (or the last test reset).
int LogEntryCount();
/// Turns the writing of entries on (the default) or off for the rest of the process.
void SetLogEnabled(bool enabled);

/// Entries logged while held back, each complete with its time and memory figure.
struct HeldLogEntries {
    std::vector<std::string> entries;  ///< in the order they were logged
};

/// While it lives, this thread's entries go into `held` instead of the file (null: to the file).
class LogHold {
public:
    explicit LogHold(HeldLogEntries* held);
    ~LogHold();
    LogHold(const LogHold&) = delete;
    LogHold& operator=(const LogHold&) = delete;

private:
    HeldLogEntries* previous;
};

/// Where this thread's entries are held; null when they go straight to the file.
HeldLogEntries* CurrentLogHold();
/// Writes the held entries to the file in their order, each as an entry logged now would be
/// written, and empties the list.
void WriteHeldEntries(HeldLogEntries& held);

/// Test only: replaces the log's environment and starts the log afresh as a new process would.
void SetLogEnvironmentForTesting(LogEnvironment environment);
/// Test only: restores the system environment and starts the log afresh as a new process would.
void ResetLogForTesting();
