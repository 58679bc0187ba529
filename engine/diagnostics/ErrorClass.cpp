#include "diagnostics/ErrorClass.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "diagnostics/DiagnosticMessages.h"
#include "diagnostics/Log.h"

using namespace DiagnosticMessages;

namespace {

// Repeats beyond this are no longer counted; the repeat line then reports ">" the cap.
constexpr unsigned kRepeatCap = 0x0FFFFFFF;
constexpr unsigned kWarningLimit = 65536;

// The staging record is formatted into and thrown on the same thread, so each thread keeps its
// own: validations running side by side never see each other's half-formatted message.
thread_local ErrorMsg lastError{{}, "No error"};

// The folding of warnings is process-wide, as the log it writes to is; the mutex keeps the
// comparison, the counters and the written line one step. The repeat count is also reset by
// every component's constructor, far too often for a lock, hence atomic on its own.
struct WarningState {
    std::mutex mutex;
    unsigned warningCount = 0;
    std::atomic<unsigned> repeatCount = 0;
    char lastWarning[2048] = {};
};

WarningState state;

// Every tree node is a component, and a function call builds 96 of them at once: a plain
// bounded copy keeps that cheap where a formatted print would dominate the whole run.
template <std::size_t N>
void CopyText(char (&target)[N], const char* source) {
    const std::size_t n = source ? strnlen(source, N - 1) : 0;
    if (n > 0) std::memcpy(target, source, n);
    target[n] = '\0';
}

// Formats into a scratch array first: an argument may well be LastError().text itself.
void FormatIntoLastError(const char* componentName, const char* format, va_list args) {
    char message[sizeof lastError.text];
    std::vsnprintf(message, sizeof message, format, args);
    std::memcpy(lastError.text, message, sizeof message);
    CopyText(lastError.component, componentName);
}

[[noreturn]] void RaiseLastError(ErrorClass& component) {
    component.errorFlag = 1;
    Log("Error:%s: %s", component.name, lastError.text);
    throw ErrorMsg(lastError);
}

}  // namespace

ErrorClass::ErrorClass() {
    CopyText(name, kUndefinedComponent);
    CopyText(lastError.text, kNoError);
    state.repeatCount.store(0, std::memory_order_relaxed);
}

ErrorClass::ErrorClass(const ErrorClass& other) : ErrorClass() { CopyText(name, other.name); }

ErrorClass& ErrorClass::operator=(const ErrorClass& other) {
    if (this != &other) CopyText(name, other.name);
    return *this;
}

ErrorClass::~ErrorClass() {
    if (state.repeatCount.load(std::memory_order_relaxed) != 0) Warning(kEndWarning);
}

void ErrorClass::SetName(const char* n) { CopyText(name, n); }

const char* ErrorClass::GetName() const { return name; }

void ErrorClass::Error(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatIntoLastError(name, format, args);
    va_end(args);
    RaiseLastError(*this);
}

void ErrorClass::Warning(const char* format, ...) {
    const std::lock_guard<std::mutex> lock(state.mutex);
    if (state.warningCount >= kWarningLimit) return;

    va_list args;
    va_start(args, format);
    FormatIntoLastError(name, format, args);
    va_end(args);

    char line[sizeof state.lastWarning];
    std::snprintf(line, sizeof line, "Warning:%s: %s", name, lastError.text);
    const unsigned repeats = state.repeatCount.load(std::memory_order_relaxed);
    if (std::strcmp(line, state.lastWarning) == 0) {
        if (repeats < kRepeatCap) state.repeatCount.store(repeats + 1, std::memory_order_relaxed);
        return;
    }
    std::memcpy(state.lastWarning, line, sizeof line);
    // The very first warning is never folded into the one after it.
    if (state.warningCount == 0) state.lastWarning[0] = '\0';

    if (repeats > 0) {
        const bool capped = repeats >= kRepeatCap;
        Log(capped ? kWarningRepeatCapped : kWarningRepeat, static_cast<int>(repeats));
    }
    ++state.warningCount;
    state.repeatCount.store(0, std::memory_order_relaxed);
    Log("%s", line);
    if (state.warningCount == kWarningLimit) Log("%s", kMaximumWarnings);
}

const ErrorMsg& LastError() { return lastError; }

unsigned WarningCount() {
    const std::lock_guard<std::mutex> lock(state.mutex);
    return state.warningCount;
}

unsigned WarningRepeatCount() { return state.repeatCount.load(std::memory_order_relaxed); }

const char* LastWarningLine() { return state.lastWarning; }

void SetWarningCountersForTesting(unsigned warnings, unsigned repeats) {
    const std::lock_guard<std::mutex> lock(state.mutex);
    state.warningCount = warnings;
    state.repeatCount.store(repeats, std::memory_order_relaxed);
}

void ResetDiagnosticsForTesting() {
    const std::lock_guard<std::mutex> lock(state.mutex);
    lastError = ErrorMsg{{}, "No error"};
    state.warningCount = 0;
    state.repeatCount.store(0, std::memory_order_relaxed);
    state.lastWarning[0] = '\0';
}
