#pragma once
#include <cstddef>
#include <string>

/// Reads the bytes of the file, or of standard input for "-", up to its first NUL: the script
/// ends there, so nothing after it is read, which keeps /dev/zero or an endless stream of NULs
/// cheap. False with `problem` set when the file cannot be opened or read, or holds more than
/// `limit` bytes before its first NUL; an endless stream stops there too.
bool ReadInput(const std::string& file, std::size_t limit, std::string& bytes, std::string& problem);

/// The problem of a script longer than `limit` bytes.
std::string TooLongProblem(std::size_t limit);
