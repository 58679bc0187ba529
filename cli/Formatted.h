#pragma once
#include <string>

/// A catalogue format filled with its arguments, whatever the length; the attribute lets the
/// compiler check every call's arguments against its format.
std::string Formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));
