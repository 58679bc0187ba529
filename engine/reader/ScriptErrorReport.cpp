#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "reader/ReaderMessages.h"
#include "reader/ScriptReader.h"

namespace {

// The text of a line without its break; a line the table does not have shows as one blank,
// so that the report always has its three context lines.
std::string ContextLine(const ScriptReader& engine, int line) {
    if (!engine.IsValidLine(line)) return kMissingContextLine;
    // Clamped to the text: while a precompiler pass is under way the table already follows
    // the rebuilt text, which is never longer than the one being read.
    const int start = std::clamp(engine.lineTable[line].start, 0, engine.sourceLength);
    const int length = std::min(engine.LineLength(line), engine.sourceLength - start);
    return std::string(engine.sourceText.get() + start, static_cast<size_t>(length));
}

}  // namespace

void ScriptReader::ScriptError(const char* format, ...) {
    char message[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);

    // The line of the last byte consumed: an error met just after a line break belongs to the
    // line that break ended.
    const int line = LineOfPosition(position - 1);
    const std::string previous = ContextLine(*this, line - 1);
    const std::string current = ContextLine(*this, line);
    const std::string next = ContextLine(*this, line + 1);
    const char* fileName = FileNameOfLine(line);
    const int lineNumber = LineNumberOfLine(line) + 1;
    Error(kScriptErrorReport, fileName, lineNumber, message, previous.c_str(), current.c_str(),
          next.c_str());
}
