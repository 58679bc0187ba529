#include "diagnostics/ErrorClass.h"

#include <cstdio>
#include <cstring>

#include "diagnostics/DiagnosticMessages.h"
#include "diagnostics/Log.h"

using namespace DiagnosticMessages;

namespace {

// Repeats beyond this are no longer counted; the repeat line then reports ">" the cap.
constexpr unsigned kRepeatCap = 0x0FFFFFFF;
constexpr unsigned kWarningLimit = 65536;

// Process-wide: the host thread waits while the worker runs, so one thread at a time uses it.
struct DiagnosticsState {
    ErrorMsg lastError{{}, "No error"};
    unsigned warningCount = 0;
    unsigned repeatCount = 0;
    char lastWarning[2048] = {};
};

DiagnosticsState state;

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
    char message[sizeof state.lastError.text];
    std::vsnprintf(message, sizeof message, format, args);
    std::memcpy(state.lastError.text, message, sizeof message);
    CopyText(state.lastError.component, componentName);
}

[[noreturn]] void RaiseLastError(ErrorClass& component) {
    component.errorFlag = 1;
    Log("Error:%s: %s", component.name, state.lastError.text);
    throw ErrorMsg(state.lastError);
}

}  // namespace

ErrorClass::ErrorClass() {
    CopyText(name, kUndefinedComponent);
    CopyText(state.lastError.text, kNoError);
    state.repeatCount = 0;
}

ErrorClass::ErrorClass(const ErrorClass& other) : ErrorClass() {
    CopyText(name, other.name);
}

ErrorClass& ErrorClass::operator=(const ErrorClass& other) {
    if (this != &other) CopyText(name, other.name);
    return *this;
}

ErrorClass::~ErrorClass() {
    if (state.repeatCount != 0) Warning(kEndWarning);
}

void ErrorClass::SetName(const char* n) {
    CopyText(name, n);
}

const char* ErrorClass::GetName() const {
    return name;
}

void ErrorClass::Error(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatIntoLastError(name, format, args);
    va_end(args);
    RaiseLastError(*this);
}

void ErrorClass::Warning(const char* format, ...) {
    if (state.warningCount >= kWarningLimit) return;

    va_list args;
    va_start(args, format);
    FormatIntoLastError(name, format, args);
    va_end(args);

    char line[sizeof state.lastWarning];
    std::snprintf(line, sizeof line, "Warning:%s: %s", name, state.lastError.text);
    if (std::strcmp(line, state.lastWarning) == 0) {
        if (state.repeatCount < kRepeatCap) ++state.repeatCount;
        return;
    }
    std::memcpy(state.lastWarning, line, sizeof line);
    // The very first warning is never folded into the one after it.
    if (state.warningCount == 0) state.lastWarning[0] = '\0';

    if (state.repeatCount > 0) {
        const bool capped = state.repeatCount >= kRepeatCap;
        Log(capped ? kWarningRepeatCapped : kWarningRepeat, static_cast<int>(state.repeatCount));
    }
    ++state.warningCount;
    state.repeatCount = 0;
    Log("%s", line);
    if (state.warningCount == kWarningLimit) Log("%s", kMaximumWarnings);
}

const ErrorMsg& LastError() {
    return state.lastError;
}

unsigned WarningCount() {
    return state.warningCount;
}

unsigned WarningRepeatCount() {
    return state.repeatCount;
}

const char* LastWarningLine() {
    return state.lastWarning;
}

void SetWarningCountersForTesting(unsigned warnings, unsigned repeats) {
    state.warningCount = warnings;
    state.repeatCount = repeats;
}

void ResetDiagnosticsForTesting() {
    state = DiagnosticsState{};
}
