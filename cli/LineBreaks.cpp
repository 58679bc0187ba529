#include "cli/LineBreaks.h"

#include "reader/LineBreaks.h"

namespace {

/// True when every CR of the text is followed by LF and every LF follows a CR: the text is
/// then already as the engine wants it.
bool OnlyCrLfBreaks(std::string_view text) {
    const std::size_t n = text.size();
    if (n == 0) return true;
    const char* const t = text.data();
    if (t[0] == '\n' || t[n - 1] == '\r') return false;
    // Inside the text the rule is that a byte is a CR exactly where the next one is an LF.
    // Checked for every pair without a branch, so the compiler compares many bytes at once:
    // a large script is otherwise looked at line by line before anything else happens.
    unsigned char mismatch = 0;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        mismatch |= static_cast<unsigned char>((t[i] == '\r') ^ (t[i + 1] == '\n'));
    }
    return mismatch == 0;
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
