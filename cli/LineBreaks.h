#pragma once
#include <string>
#include <string_view>

/// The bytes before the first NUL, where a NUL-terminated text would end.
std::string_view UpToNul(std::string_view bytes);

/// The text the engine gets from a file's bytes: cut at NUL, then every line break written as
/// CR LF the way the editor holds its text, unless raw.
std::string ScriptText(std::string_view bytes, bool raw);

/// ScriptText in place: the bytes become the text the engine gets.
void MakeScriptText(std::string& bytes, bool raw);
