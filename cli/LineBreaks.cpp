#include "cli/LineBreaks.h"

#include "reader/LineBreaks.h"

std::string_view UpToNul(std::string_view bytes) {
    const std::size_t end = bytes.find('\0');
    return end == std::string_view::npos ? bytes : bytes.substr(0, end);
}

std::string ScriptText(std::string_view bytes, bool raw) {
    const std::string_view text = UpToNul(bytes);
    return raw ? std::string(text) : UnifyLineBreaks(text, "\r\n");
}
