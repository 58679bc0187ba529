#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "reader/ReaderMessages.h"
#include "reader/ScriptReader.h"
#include "reader/TokenKind.h"

using namespace ReaderMessages;

namespace {

// Included files are never opened, so only a pass over a rebuilt text recurses; the limit
// guards against a rebuild that would never settle.
constexpr int kMaxIncludeDepth = 16;

// Drops the entry of a removed directive's line; the lines after it move up by its length.
void RemoveLine(ScriptReader& engine, int line, int removedBytes) {
    if (!engine.IsValidLine(line)) return;
    for (int i = line; i + 1 < engine.lineCount; ++i) engine.lineTable[i] = engine.lineTable[i + 1];
    --engine.lineCount;
    for (int i = line; i < engine.lineCount; ++i) engine.lineTable[i].start -= removedBytes;
}

}  // namespace

void ScriptReader::Precompile(int depth) {
    if (depth > kMaxIncludeDepth) ScriptError(kTooManyIncludeLevels);

    std::string output;  // the text without its directives, built up to the current one
    std::vector<RemovedDirective> removed;  // how the output maps back onto this pass's text
    int copyStart = 0;
    bool changed = false;
    CharBuffer token;

    while (!AtEnd()) {
        SkipBlanks();
        const int directiveStart = position;
        if (ReadToken(token) != TokenKind::Directive) continue;
        if (std::strcmp(token.CStr(), kIncludeDirective) != 0) {
            ScriptError(kInvalidPrecompilerCommand, token.CStr());
        }
        if (ReadToken(token) != TokenKind::StringLit) ScriptError(kInvalidIncludeCommand);

        const int directiveEnd = position;
        const int outputLength = static_cast<int>(output.size());
        // The table already follows the output text, so the directive's end is looked up in
        // the coordinates it will have there.
        const int line = LineOfPosition(outputLength + (directiveEnd - copyStart));
        RemoveLine(*this, line, directiveEnd - directiveStart);

        output.append(sourceText.get() + copyStart,
                      static_cast<size_t>(directiveStart - copyStart));
        const int removedBefore = removed.empty() ? 0 : removed.back().removedUpTo;
        removed.push_back({static_cast<int>(output.size()),
                           removedBefore + (directiveEnd - directiveStart)});
        copyStart = directiveEnd;
        changed = true;
    }

    position = 0;
    if (!changed) return;

    // Installed only now: a pass that fails leaves the text as it was loaded.
    output.append(sourceText.get() + copyStart, static_cast<size_t>(sourceLength - copyStart));
    auto rebuilt = std::make_unique<char[]>(output.size() + 1);
    std::memcpy(rebuilt.get(), output.c_str(), output.size() + 1);
    sourceText = std::move(rebuilt);
    sourceLength = static_cast<int>(output.size());
    removedDirectives.push_back(std::move(removed));
    Precompile(depth + 1);
}
