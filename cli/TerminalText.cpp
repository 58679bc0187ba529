#include "cli/TerminalText.h"

#include <cstddef>

namespace {

void AppendHex(std::string& out, unsigned char byte) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0f];
}

bool IsContinuation(unsigned char byte) { return (byte & 0xc0) == 0x80; }

/// The length of the well-formed UTF-8 sequence at `at`, or 0 when none starts there.
std::size_t Utf8Length(std::string_view bytes, std::size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    std::size_t length = 0;
    if (lead >= 0xc2 && lead <= 0xdf) length = 2;
    else if (lead >= 0xe0 && lead <= 0xef) length = 3;
    else if (lead >= 0xf0 && lead <= 0xf4) length = 4;
    if (length == 0 || at + length > bytes.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if (!IsContinuation(static_cast<unsigned char>(bytes[at + k]))) return 0;
    }
    return length;
}

/// C1 controls (U+0080 to U+009F) are read as escape sequences by some terminals, ESC [ among
/// them, so they are as unsafe as the C0 ones.
bool IsC1InUtf8(std::string_view sequence) {
    return sequence.size() == 2 && static_cast<unsigned char>(sequence[0]) == 0xc2 &&
           static_cast<unsigned char>(sequence[1]) <= 0x9f;
}

}  // namespace

std::string TerminalSafe(std::string_view bytes, LineBreakUse lineBreaks) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte == '\n') {
            out += lineBreaks == LineBreakUse::Keep ? "\n" : "\\n";
        } else if (byte == '\r') {
            // A lone CR would move the cursor back and let the rest of the line overwrite it.
            out += "\\r";
        } else if (byte == '\t' || (byte >= 0x20 && byte < 0x7f)) {
            out += static_cast<char>(byte);
        } else if (byte >= 0x80) {
            const std::size_t length = Utf8Length(bytes, at);
            const std::string_view sequence = bytes.substr(at, length);
            if (length == 0) {
                // A byte of a text that is not UTF-8, Latin-1 say: only 0x80-0x9F are controls.
                if (byte <= 0x9f) AppendHex(out, byte);
                else out += static_cast<char>(byte);
            } else if (IsC1InUtf8(sequence)) {
                for (const char c : sequence) AppendHex(out, static_cast<unsigned char>(c));
                at += length;
                continue;
            } else {
                out += sequence;
                at += length;
                continue;
            }
        } else {
            AppendHex(out, byte);
        }
        ++at;
    }
    return out;
}
