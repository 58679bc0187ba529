#include "TextPositions.h"

#include <algorithm>
#include <numeric>

namespace {

/// Bytes of the UTF-8 sequence led by the byte; 1 for a byte that leads none.
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2) return 2;
    return 1;
}

}  // namespace

int Utf16Length(std::string_view utf8) {
    int units = 0;
    for (std::size_t k = 0; k < utf8.size();) {
        const std::size_t length = std::min(SequenceLength(static_cast<unsigned char>(utf8[k])), utf8.size() - k);
        // Characters beyond the basic plane take a surrogate pair.
        units += length == 4 ? 2 : 1;
        k += length;
    }
    return units;
}

std::size_t BytesOfUtf16Units(std::string_view utf8, int units) {
    std::size_t k = 0;
    while (k < utf8.size() && units > 0) {
        const std::size_t length = std::min(SequenceLength(static_cast<unsigned char>(utf8[k])), utf8.size() - k);
        units -= length == 4 ? 2 : 1;
        k += length;
    }
    return k;
}

LineIndex::LineIndex(std::string_view text) : text(text) {
    starts.push_back(0);
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (c == '\n') {
            starts.push_back(k + 1);
        } else if (c == '\r') {
            if (k + 1 < text.size() && text[k + 1] == '\n') ++k;
            starts.push_back(k + 1);
        }
    }
}

std::size_t LineIndex::LineEnd(int line) const {
    const auto next = static_cast<std::size_t>(line) + 1;
    if (next >= starts.size()) return text.size();
    std::size_t end = starts[next];
    // Step back over the line break: LF, CR or CR LF.
    if (end > 0 && text[end - 1] == '\n') --end;
    if (end > starts[static_cast<std::size_t>(line)] && text[end - 1] == '\r') --end;
    return end;
}

int LineIndex::LineOf(std::size_t offset) const {
    const auto next = std::upper_bound(starts.begin(), starts.end(), offset);
    return static_cast<int>(next - starts.begin()) - 1;
}

std::size_t LineIndex::ToOffset(Position position) const {
    if (position.line < 0) return 0;
    if (position.line >= LineCount()) return text.size();
    const std::size_t start = LineStart(position.line);
    const std::string_view line = text.substr(start, LineEnd(position.line) - start);
    return start + BytesOfUtf16Units(line, std::max(position.character, 0));
}

Position LineIndex::ToPosition(std::size_t offset) const {
    offset = std::min(offset, text.size());
    const int line = LineOf(offset);
    const std::size_t start = LineStart(line);
    // An offset inside a line break stands at the end of its line.
    const std::size_t within = std::min(offset, LineEnd(line));
    return {line, Utf16Length(text.substr(start, within - start))};
}

std::vector<Position> LineIndex::ToPositions(const std::vector<std::size_t>& offsets) const {
    std::vector<std::size_t> order(offsets.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return offsets[a] < offsets[b]; });

    std::vector<Position> positions(offsets.size());
    int line = -1;
    std::size_t at = 0;  // byte reached on the line, counted in units so far
    int units = 0;
    for (const std::size_t k : order) {
        const std::size_t offset = std::min(offsets[k], text.size());
        const int offsetLine = LineOf(offset);
        if (offsetLine != line) {
            line = offsetLine;
            at = LineStart(line);
            units = 0;
        }
        const std::size_t target = std::min(offset, LineEnd(line));
        if (target > at) {
            units += Utf16Length(text.substr(at, target - at));
            at = target;
        }
        positions[k] = {line, units};
    }
    return positions;
}
