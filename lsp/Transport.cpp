#include "Transport.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {

constexpr std::string_view kContentLength = "content-length:";
/// A header line longer than this is not a header; it cannot be a message's frame.
constexpr std::size_t kMaxHeaderLine = 4096;

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(a) == lower(b);
    });
}

/// The length a "Content-Length: N" line gives; nothing for any other line or a bad number.
std::optional<std::size_t> ContentLength(std::string_view line) {
    if (!StartsWithIgnoringCase(line, kContentLength)) return std::nullopt;
    std::string_view number = line.substr(kContentLength.size());
    while (!number.empty() && (number.front() == ' ' || number.front() == '\t')) number.remove_prefix(1);
    while (!number.empty() && (number.back() == ' ' || number.back() == '\t')) number.remove_suffix(1);
    std::size_t length = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), length);
    if (error != std::errc() || end != number.data() + number.size() || number.empty()) return std::nullopt;
    return length;
}

}  // namespace

bool MessageReader::ReadHeaderLine(std::string& line) {
    line.clear();
    for (;;) {
        const int c = in.get();
        if (c == std::char_traits<char>::eof()) return false;
        if (c == '\n') break;
        // Over-long lines are cut rather than collected: they only have to be recognised as bad.
        if (line.size() < kMaxHeaderLine) line.push_back(static_cast<char>(c));
    }
    // Clients end header lines with CR LF; a bare LF is accepted as well.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

ReadStatus MessageReader::Read(std::string& body) {
    std::optional<std::size_t> length;
    bool badLine = false;
    std::string line;
    bool sawHeader = false;
    for (;;) {
        if (!ReadHeaderLine(line)) return ReadStatus::End;
        if (line.empty()) {
            // Blank lines between messages are noise, not an empty header block.
            if (!sawHeader) continue;
            break;
        }
        sawHeader = true;
        if (auto value = ContentLength(line)) {
            length = value;
        } else if (StartsWithIgnoringCase(line, kContentLength) || line.find(':') == std::string::npos) {
            badLine = true;
        }
    }
    if (!length || badLine) return ReadStatus::BadHeader;

    if (*length > MaxBodyBytes) {
        char scratch[65536];
        std::size_t left = *length;
        while (left > 0) {
            const std::size_t chunk = std::min(left, sizeof scratch);
            in.read(scratch, static_cast<std::streamsize>(chunk));
            if (static_cast<std::size_t>(in.gcount()) != chunk) return ReadStatus::End;
            left -= chunk;
        }
        return ReadStatus::TooLarge;
    }
    body.resize(*length);
    in.read(body.data(), static_cast<std::streamsize>(*length));
    if (static_cast<std::size_t>(in.gcount()) != *length) return ReadStatus::End;
    return ReadStatus::Message;
}

void MessageWriter::Write(std::string_view body) {
    const std::lock_guard lock(mutex);
    out << "Content-Length: " << body.size() << "\r\n\r\n";
    out.write(body.data(), static_cast<std::streamsize>(body.size()));
    out.flush();
}
