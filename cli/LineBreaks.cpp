#include "cli/LineBreaks.h"

std::string_view UpToNul(std::string_view bytes) {
    const std::size_t end = bytes.find('\0');
    return end == std::string_view::npos ? bytes : bytes.substr(0, end);
}

std::string NormaliseLineBreaks(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 16);
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        const char c = bytes[k];
        if (c == '\r') {
            text += "\r\n";
            if (k + 1 < bytes.size() && bytes[k + 1] == '\n') ++k;  // CR LF is one break
        } else if (c == '\n') {
            text += "\r\n";
        } else {
            text += c;
        }
    }
    return text;
}

std::string ScriptText(std::string_view bytes, bool raw) {
    const std::string_view text = UpToNul(bytes);
    return raw ? std::string(text) : NormaliseLineBreaks(text);
}
