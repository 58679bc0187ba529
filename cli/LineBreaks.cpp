#include "cli/LineBreaks.h"

#include <cstring>

#include "reader/LineBreaks.h"

namespace {

/// The first c in [from, end), or null.
const char* FindByte(const char* from, const char* end, char c) {
    return static_cast<const char*>(std::memchr(from, c, static_cast<std::size_t>(end - from)));
}

/// True when every CR of the text is followed by LF and every LF follows a CR: the text is
/// then already as the engine wants it.
bool OnlyCrLfBreaks(std::string_view text) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    for (const char* cr = FindByte(begin, end, '\r'); cr; cr = FindByte(cr + 2, end, '\r')) {
        if (cr + 1 == end || cr[1] != '\n') return false;
    }
    for (const char* lf = FindByte(begin, end, '\n'); lf; lf = FindByte(lf + 1, end, '\n')) {
        if (lf == begin || lf[-1] != '\r') return false;
    }
    return true;
}

}  // namespace

std::string_view UpToNul(std::string_view bytes) {
    const std::size_t end = bytes.find('\0');
    return end == std::string_view::npos ? bytes : bytes.substr(0, end);
}

std::string ScriptText(std::string_view bytes, bool raw) {
    std::string text(bytes);
    MakeScriptText(text, raw);
    return text;
}

void MakeScriptText(std::string& bytes, bool raw) {
    bytes.resize(UpToNul(bytes).size());
    // Files written on the platform the scripts come from need no conversion, and a large
    // script is then held once instead of twice.
    if (raw || OnlyCrLfBreaks(bytes)) return;
    bytes = UnifyLineBreaks(bytes, "\r\n");
}
