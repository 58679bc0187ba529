#include "reader/LineBreaks.h"

std::string UnifyLineBreaks(std::string_view bytes, std::string_view lineBreak) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 16);
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        const char c = bytes[k];
        if (c == '\r') {
            text += lineBreak;
            if (k + 1 < bytes.size() && bytes[k + 1] == '\n') ++k;  // CR LF is one break
        } else if (c == '\n') {
            text += lineBreak;
        } else {
            text += c;
        }
    }
    return text;
}
