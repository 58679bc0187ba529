#pragma once
#include <string>
#include <string_view>

/// Every line break of the bytes (LF, CR, or CR LF) written as lineBreak. Safe on UTF-8 and
/// Latin-1 alike: neither encoding uses the bytes of CR or LF inside another character.
std::string UnifyLineBreaks(std::string_view bytes, std::string_view lineBreak);
