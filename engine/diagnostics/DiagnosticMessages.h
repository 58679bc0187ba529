#pragma once

// Texts of the diagnostics subsystem, byte for byte as they appear in the log.

namespace DiagnosticMessages {

inline constexpr char kUndefinedComponent[] = "Undefined";
inline constexpr char kNoError[] = "No error";
inline constexpr char kEndWarning[] = "end";
inline constexpr char kWarningRepeat[] = "Warning Repeat: %i";
inline constexpr char kWarningRepeatCapped[] = "Warning Repeat: >%i";
inline constexpr char kMaximumWarnings[] = "ErrorClass: Maximum number of warnings reached!";

inline constexpr char kLogFileName[] = "logfile.txt";
inline constexpr char kLogEntrySuffix[] = "(Time:%.2f, free sysmem:%i)\n";
inline constexpr char kMaximumLogEntries[] = "Maximum number of log entries reached!\n";

}  // namespace DiagnosticMessages
