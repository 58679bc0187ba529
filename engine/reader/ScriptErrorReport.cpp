#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "reader/ReaderMessages.h"
#include "reader/ScriptReader.h"

using namespace ReaderMessages;

namespace {

// The text of a line without its break; a line the table does not have shows as one blank,
// so that the report always has its three context lines.
std::string ContextLine(const ScriptReader& engine, int line) {
    if (!engine.IsValidLine(line)) return kMissingContextLine;
    // Clamped to the text: while a precompiler pass is under way the table already follows
    // the rebuilt text, which is never longer than the one being read.
    const int start = std::clamp(engine.lineTable[line].start, 0, engine.sourceLength);
    const int length = std::min(engine.LineLength(line), engine.sourceLength - start);
    return std::string(engine.sourceText.data() + start, static_cast<size_t>(length));
}

}  // namespace

void ScriptReader::ScriptError(const char* format, ...) {
    char message[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);

    EnsureLineTable();
    SettleLineTable();
    // The line of the last byte consumed: an error met just after a line break belongs to the
    // line that break ended.
    const int line = LineOfPosition(position - 1);
    const std::string previous = ContextLine(*this, line - 1);
    const std::string current = ContextLine(*this, line);
    const std::string next = ContextLine(*this, line + 1);
    const char* fileName = FileNameOfLine(line);
    const int lineNumber = LineNumberOfLine(line) + 1;
    // Set last, so that an error raised while building the report is not mistaken for it.
    raisedScriptError = true;
    scriptErrorMessage = message;
    Error(kScriptErrorReport, fileName, lineNumber, message, previous.c_str(), current.c_str(), next.c_str());
}

Diagnostic ScriptReader::Locate(const ErrorMsg& error, ErrorPhase phase) const {
    Diagnostic diagnostic;
    diagnostic.component = error.component;
    diagnostic.text = error.text;
    diagnostic.message = raisedScriptError ? scriptErrorMessage : std::string(error.text);
    diagnostic.phase = phase;
    // An operator the evaluator refused, else the token being read when the error was
    // raised; a cursor moved back in front of that (an if that gives its last word back)
    // stands at the next token to read.
    int at = tokenStart <= position ? tokenStart : position;
    if (errorStart >= 0) at = errorStart;
    LocateAsWritten(at, diagnostic.line, diagnostic.column);
    return diagnostic;
}
