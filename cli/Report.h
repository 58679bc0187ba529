#pragma once
#include <string>

#include "Validation.h"

/// The error that ended the file's validation: the run's error, or a load error the host
/// declined; null for a file that validated.
const Diagnostic* FailingError(const ValidationResult& report);

/// A load error as the "Script Error" box would have shown it, made safe for a terminal;
/// `named` puts the file's name first, so that several files' errors can be told apart.
std::string LoadErrorReport(const std::string& file, const Diagnostic& loadError, bool named);

/// The result dialog's content as plain lines, made safe for a terminal; `heading` names the
/// file first.
std::string PlainReport(const std::string& file, const ValidationResult& report, bool heading);

/// The report as one JSON object on one line, newline included.
std::string JsonReport(const std::string& file, const ValidationResult& report);

/// FILE:LINE:COLUMN: error: MESSAGE for a failing file, as compilers write it, so that editors
/// and terminals jump to the place; a warning line for a load error answered Yes; nothing for
/// a file that validated.
std::string GccReport(const std::string& file, const ValidationResult& report);
