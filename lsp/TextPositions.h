#pragma once
// The one place where byte offsets of a document's UTF-8 text and the protocol's positions
// (line, UTF-16 code units) are converted into each other. Everything inside the server works
// on byte offsets; only the protocol layer speaks in Position.
#include <cstddef>
#include <string_view>
#include <vector>

/// A place as the protocol gives it: 0-based line and 0-based UTF-16 column.
struct Position {
    int line = 0;
    int character = 0;
    friend bool operator==(const Position&, const Position&) = default;
};

/// A stretch of text from start up to, not including, end.
struct Range {
    Position start;
    Position end;
    friend bool operator==(const Range&, const Range&) = default;
};

/// The line starts of one text. Lines end at LF, CR LF or CR, as the protocol and the engine
/// (after its line-break conversion) both count them.
class LineIndex {
public:
    explicit LineIndex(std::string_view text);

    /// Number of lines; a text ending in a line break has an empty last line.
    int LineCount() const { return static_cast<int>(starts.size()); }
    /// Byte offset of a 0-based line's first byte.
    std::size_t LineStart(int line) const { return starts[static_cast<std::size_t>(line)]; }
    /// Byte offset just past a line's last character, before its line break.
    std::size_t LineEnd(int line) const;
    /// The 0-based line holding the byte offset.
    int LineOf(std::size_t offset) const;

    /// The byte offset of a protocol position; positions past a line's end or past the last
    /// line are moved back onto the end, as the protocol asks.
    std::size_t ToOffset(Position position) const;
    /// The protocol position of a byte offset (clamped to the text).
    Position ToPosition(std::size_t offset) const;

    /// The protocol positions of many byte offsets, given in any order, in one forward pass:
    /// one by one, offsets deep into a long line would each walk that line from its start.
    std::vector<Position> ToPositions(const std::vector<std::size_t>& offsets) const;

private:
    std::string_view text;
    std::vector<std::size_t> starts;
};

/// UTF-16 code units of the UTF-8 bytes; a malformed byte counts as one unit.
int Utf16Length(std::string_view utf8);
/// Bytes of the UTF-8 text covered by the first units UTF-16 code units; a unit inside a
/// four-byte character counts as the whole character.
std::size_t BytesOfUtf16Units(std::string_view utf8, int units);
