#pragma once
#include <string>
#include <string_view>

/// The bytes before the first NUL, where a NUL-terminated text would end.
std::string_view UpToNul(std::string_view bytes);

/// Every line break (LF, CR, or CR LF) written as CR LF, the way the editor holds its text.
std::string NormaliseLineBreaks(std::string_view bytes);

/// The text the engine gets from a file's bytes: cut at NUL, then normalised unless raw.
std::string ScriptText(std::string_view bytes, bool raw);
