#pragma once
#include <string>

/// Reads all bytes of the file, or of standard input for "-"; false with `problem` set when
/// the file cannot be opened or read.
bool ReadInput(const std::string& file, std::string& bytes, std::string& problem);
