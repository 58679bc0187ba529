#pragma once
#include <cstdio>
#include <string>

#include "Validation.h"

/// The result dialog's content as plain lines; `heading` names the file first.
void WritePlainReport(std::FILE* out, const std::string& file, const ValidationResult& report, bool heading);

/// The report as one JSON object on one line, newline included.
std::string JsonReport(const std::string& file, const ValidationResult& report);
