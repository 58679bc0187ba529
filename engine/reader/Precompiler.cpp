#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "reader/ReaderMessages.h"
#include "reader/ScriptReader.h"

using namespace ReaderMessages;

namespace {

// Included files are never opened, so only a pass over a rebuilt text recurses; the limit
// guards against a rebuild that would never settle.
constexpr int kMaxIncludeDepth = 16;

}  // namespace

// A pass removes one line entry per directive and moves every entry after it up by the
// directive's length. Done on the array itself that costs the whole rest of the table per
// directive; here the entries before the last removal are kept as they now stand and those
// after it still as built, with the one shift they all share. An error report settles the
// table first, so it always sees the table as the removals so far have left it.

int ScriptReader::LineTableEdit::Count(const ScriptReader& engine) const {
    return static_cast<int>(settled.size()) + (engine.lineCount - next);
}

int ScriptReader::LineTableEdit::Start(const ScriptReader& engine, int index) const {
    const int kept = static_cast<int>(settled.size());
    if (index < kept) return settled[static_cast<size_t>(index)].start;
    return engine.lineTable[next + (index - kept)].start - shift;
}

int ScriptReader::LineTableEdit::LineOf(const ScriptReader& engine, int pos) const {
    const int count = Count(engine);
    if (count - 1 < 1) return count - 1;
    if (!ordered) {
        // The first entry whose range holds the position, as the plain lookup finds it.
        for (int i = 0; i < count - 1; ++i) {
            if (Start(engine, i) <= pos && pos < Start(engine, i + 1)) return i;
        }
        return count - 1;
    }
    // Starts never decrease, so the only range that can hold pos is the one of the last
    // entry starting at or before it; none such, and the lookup's answer is the last line.
    int low = 0;
    int high = count;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (Start(engine, middle) <= pos) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low == 0 ? count - 1 : low - 1;
}

void ScriptReader::LineTableEdit::Remove(const ScriptReader& engine, int index, int removedBytes) {
    if (index < 0 || index >= Count(engine)) return;
    const int kept = static_cast<int>(settled.size());
    if (index >= kept) {
        // Entries up to the removed one keep their places; they are settled as they stand.
        for (int i = kept; i < index; ++i) {
            LineEntry entry = engine.lineTable[next];
            entry.start -= shift;
            settled.push_back(entry);
            ++next;
        }
        ++next;
    } else {
        for (int i = index + 1; i < kept; ++i) settled[static_cast<size_t>(i)].start -= removedBytes;
        settled.erase(settled.begin() + index);
    }
    shift += removedBytes;
    // Only the two entries that are now neighbours can have come out of order.
    if (index > 0 && index < Count(engine) && Start(engine, index - 1) > Start(engine, index)) {
        ordered = false;
    }
}

void ScriptReader::SettleLineTable() {
    if (!lineTableEdit.active) return;
    LineTableEdit& edit = lineTableEdit;
    const int kept = static_cast<int>(edit.settled.size());
    // Written in place from the front: an entry never moves to a later index.
    std::copy(edit.settled.begin(), edit.settled.end(), lineTable.get());
    for (int i = edit.next; i < lineCount; ++i) {
        LineEntry entry = lineTable[i];
        entry.start -= edit.shift;
        lineTable[kept + (i - edit.next)] = entry;
    }
    lineCount = kept + (lineCount - edit.next);
    edit = LineTableEdit{};
}

void ScriptReader::Precompile(int depth) {
    if (depth > kMaxIncludeDepth) ScriptError(kTooManyIncludeLevels);
    // Most scripts have no directive and no fault for the walk to find: they are told by a
    // plain look at their bytes, which costs a fraction of walking their tokens.
    if (NothingToPrecompile()) {
        position = 0;
        return;
    }

    std::string output;                     // the text without its directives, built up to the current one
    std::vector<RemovedDirective> removed;  // how the output maps back onto this pass's text
    int copyStart = 0;
    bool changed = false;
    CharBuffer token;

    lineTableEdit = LineTableEdit{};
    lineTableEdit.active = true;
    for (int i = 0; i + 1 < lineCount; ++i) {
        if (lineTable[i].start > lineTable[i + 1].start) lineTableEdit.ordered = false;
    }

    while (SeekDirective(token)) {
        // Built from the text as loaded: a pass that finds a directive is the first to change it.
        EnsureLineTable();
        const int directiveStart = position;
        static_cast<void>(PassToken(token));
        if (std::strcmp(token.CStr(), kIncludeDirective) != 0) {
            ScriptError(kInvalidPrecompilerCommand, token.CStr());
        }
        if (PassToken(token) != TokenKind::StringLit) ScriptError(kInvalidIncludeCommand);

        const int directiveEnd = position;
        const int outputLength = static_cast<int>(output.size());
        // The table already follows the output text, so the directive's end is looked up in
        // the coordinates it will have there.
        const int line = lineTableEdit.LineOf(*this, outputLength + (directiveEnd - copyStart));
        // The table is the text as written until its first edit; only a script with a directive
        // needs those line starts kept apart.
        if (depth == 0 && writtenLineStarts.empty()) {
            writtenLineStarts.reserve(static_cast<size_t>(lineCount));
            for (int k = 0; k < lineCount; ++k) writtenLineStarts.push_back(lineTable[k].start);
        }
        lineTableEdit.Remove(*this, line, directiveEnd - directiveStart);

        output.append(sourceText, static_cast<size_t>(copyStart), static_cast<size_t>(directiveStart - copyStart));
        const int removedBefore = removed.empty() ? 0 : removed.back().removedUpTo;
        removed.push_back({static_cast<int>(output.size()), removedBefore + (directiveEnd - directiveStart)});
        copyStart = directiveEnd;
        changed = true;
    }
    SettleLineTable();

    position = 0;
    if (!changed) return;

    // Installed only now: a pass that fails leaves the text as it was loaded.
    output.append(sourceText, static_cast<size_t>(copyStart), static_cast<size_t>(sourceLength - copyStart));
    sourceLength = static_cast<int>(output.size());
    sourceText = std::move(output);
    removedDirectives.push_back(std::move(removed));
    Precompile(depth + 1);
}
