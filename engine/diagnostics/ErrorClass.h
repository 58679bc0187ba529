#pragma once
#include <cstdarg>

#include "diagnostics/ErrorMsg.h"

/// Base of every engine component: a short name plus the error and warning reports.
class ErrorClass {
public:
    /// Names the component "Undefined" and resets the shared last-error text and repeat count.
    ErrorClass();
    /// Constructs as the default constructor does, then takes over the other's name.
    ErrorClass(const ErrorClass& other);
    /// Takes over the other's name; the flags stay this component's own.
    ErrorClass& operator=(const ErrorClass& other);
    /// Flushes a pending warning repeat with the warning "end".
    virtual ~ErrorClass();

    /// Keeps at most 31 characters of n as the component name.
    void SetName(const char* n);
    /// The component name.
    const char* GetName() const;

    /// Formats the message, logs "Error:<name>: <message>" and throws it as an ErrorMsg.
    [[noreturn]] void Error(const char* format, ...) __attribute__((format(printf, 2, 3)));
    /// Formats and logs "Warning:<name>: <message>", folding identical consecutive warnings.
    void Warning(const char* format, ...) __attribute__((format(printf, 2, 3)));

    int errorFlag = 0;  ///< set once Error was raised on this component
    char name[32];      ///< component name, NUL-terminated
};

/// The staging record that the last Error or Warning of this thread formatted into.
const ErrorMsg& LastError();
/// Number of distinct warnings written to the log since start (or the last test reset).
unsigned WarningCount();
/// How often the last written warning has been repeated since it was written.
unsigned WarningRepeatCount();
/// The complete log line of the last written warning; empty after the first warning.
const char* LastWarningLine();
/// Test only: sets the warning counters, so limits can be reached without a long loop.
void SetWarningCountersForTesting(unsigned warnings, unsigned repeats);
/// Test only: restores the process-wide diagnostics state of a fresh process.
void ResetDiagnosticsForTesting();
