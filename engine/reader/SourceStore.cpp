#include <algorithm>
#include <cstring>
#include <memory>

#include "reader/ReaderMessages.h"
#include "reader/ScriptReader.h"

using namespace ReaderMessages;

// Lines end with CR or CR LF. A lone LF is no line break: scripts come from an editor that
// writes CR LF, and an LF of its own is just a blank to the scanner.

void ScriptReader::BuildLineTable() {
    // Counted up to the first NUL, as every reader of the text stops there.
    const char* text = sourceText.data();
    const char* nul = static_cast<const char*>(std::memchr(text, '\0', static_cast<size_t>(sourceLength)));
    const char* end = nul != nullptr ? nul : text + sourceLength;
    int count = 1;
    for (const char* p = text;
         (p = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(end - p)))) != nullptr; ++p) {
        ++count;
    }
    lineTable = std::make_unique<LineEntry[]>(static_cast<size_t>(count));
    lineCount = count;

    int k = 1;
    const char* last = text + sourceLength;
    for (const char* p = text; k < count; ++p) {
        p = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(last - p)));
        if (p + 1 < last && p[1] == '\n') ++p;  // CR LF is one break
        lineTable[k] = LineEntry{static_cast<int>(p - text) + 1, k, 0};
        ++k;
    }
}

bool ScriptReader::IsValidLine(int line) const { return line >= 0 && line < lineCount; }

int ScriptReader::LineOfPosition(int pos) const {
    if (lineCount - 1 < 1) return lineCount - 1;
    // Linear: tables are small and the lookup only runs when an error is reported.
    for (int i = 0; i < lineCount - 1; ++i) {
        if (lineTable[i].start <= pos && pos < lineTable[i + 1].start) return i;
    }
    return lineCount - 1;
}

const char* ScriptReader::FileNameOfLine(int line) {
    if (!IsValidLine(line)) Error(kInvalidLine, line);
    const int fileId = lineTable[line].fileId;
    const CharBuffer* fileName = fileId >= 0 && fileId < fileNames.GetCapacity() ? fileNames.GetSlot(fileId) : nullptr;
    if (fileName == nullptr) Error(kInvalidFileId, fileId, line);
    return fileName->CStr();
}

int ScriptReader::LineNumberOfLine(int line) {
    if (!IsValidLine(line)) Error(kInvalidLine, line);
    return lineTable[line].line;
}

int ScriptReader::LineLength(int line) const {
    if (!IsValidLine(line)) return 0;
    const int start = lineTable[line].start;
    int n = 0;
    if (line + 1 < lineCount) {
        n = lineTable[line + 1].start - start - 1;
        // An empty CR LF line keeps its CR: only a break of two bytes on a longer span is
        // taken off whole.
        const int lastByte = start + n;
        // A precompiler pass under way may leave a start the rebuilt text does not reach.
        if (n >= 2 && lastByte >= 0 && lastByte < sourceLength && sourceText[lastByte] == '\n') --n;
    } else {
        n = sourceLength - start;
    }
    return n < 0 ? 0 : n;
}

void ScriptReader::LocateAsWritten(int pos, int& line, int& column) const {
    int written = std::max(pos, 0);
    // Undo the passes from the last one back: each moved the text after its directives.
    for (auto pass = removedDirectives.rbegin(); pass != removedDirectives.rend(); ++pass) {
        const auto after = std::upper_bound(pass->begin(), pass->end(), written,
                                            [](int p, const RemovedDirective& removed) { return p < removed.at; });
        if (after != pass->begin()) written += std::prev(after)->removedUpTo;
    }
    // The byte after a CR of a CR LF still belongs to the line that break ends, as in the table.
    // Without a directive the line table itself is still the text as written.
    const auto located = [&](const auto& startOf, int count) {
        int low = 0;  // the last line starting at or before written
        for (int high = count; high - low > 1;) {
            const int mid = low + (high - low) / 2;
            (startOf(mid) <= written ? low : high) = mid;
        }
        line = low + 1;
        return count == 0 ? 0 : startOf(low);
    };
    if (!lineTable && writtenLineStarts.empty()) {
        WalkToLine(written);
        line = lineWalk.line;
        column = written - lineWalk.start + 1;
        return;
    }
    const int start = writtenLineStarts.empty()
                          ? located([this](int k) { return lineTable[k].start; }, lineCount)
                          : located([this](int k) { return writtenLineStarts[static_cast<size_t>(k)]; },
                                    static_cast<int>(writtenLineStarts.size()));
    column = written - start + 1;
}

void ScriptReader::WalkToLine(int written) const {
    if (written < lineWalk.start) lineWalk = LineWalk{};
    // The breaks the table would hold, found as BuildLineTable finds them.
    const char* text = sourceText.data();
    const char* last = text + sourceLength;
    for (;;) {
        const char* p = static_cast<const char*>(
            std::memchr(text + lineWalk.start, '\r', static_cast<size_t>(last - (text + lineWalk.start))));
        if (p == nullptr) return;
        if (p + 1 < last && p[1] == '\n') ++p;
        const int next = static_cast<int>(p - text) + 1;
        if (next > written) return;
        lineWalk.start = next;
        ++lineWalk.line;
    }
}
