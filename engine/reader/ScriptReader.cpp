#include "reader/ScriptReader.h"

#include <pthread.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <new>

#include "diagnostics/Log.h"
#include "interpreter/InterpreterMessages.h"
#include "reader/ReaderMessages.h"

using namespace InterpreterMessages;
using namespace ReaderMessages;

namespace {

// Logs a load error and lets the host decide whether the half-loaded script is still run.
LoadOutcome AskToContinue(ScriptReader& engine, const ErrorMsg& error) {
    Log(kScriptErrorLog, error.text);
    // Without anyone to ask, continuing would run a script whose load has already failed.
    const bool yes = engine.host != nullptr && engine.host->AskToContinue(engine.Locate(error, ErrorPhase::Load));
    return yes ? LoadOutcome::Continued : LoadOutcome::Declined;
}

// Turns an exception that is not an ErrorMsg into the stored error of the run, so that it
// leaves Run like every other failure instead of ending the process at the thread's edge.
void StoreUnknownError(ScriptReader& engine) {
    try {
        engine.Error(kUnknownErrorType);
    } catch (const ErrorMsg& error) {
        engine.threadError = error;
    } catch (...) {
        // Even logging failed (out of memory); the fixed texts still describe what happened.
        std::snprintf(engine.threadError.component, sizeof engine.threadError.component, "%s", engine.GetName());
        std::snprintf(engine.threadError.text, sizeof engine.threadError.text, "%s", kUnknownErrorType);
    }
}

// An allocation the system refused ends the run like a script error at the place the run had
// got to, so that the user learns what ran out and where.
void StoreOutOfMemory(ScriptReader& engine) {
    engine.budget.NoteOutOfMemory();
    try {
        engine.ScriptError("%s", kOutOfMemory);
    } catch (const ErrorMsg& error) {
        engine.threadError = error;
    } catch (...) {
        std::snprintf(engine.threadError.component, sizeof engine.threadError.component, "%s", engine.GetName());
        std::snprintf(engine.threadError.text, sizeof engine.threadError.text, "%s", kOutOfMemory);
    }
}

// The worker thread's procedure: nothing may escape it, so every failure is stored for Run.
void* RunWorker(void* parameter) {
    auto& engine = *static_cast<ScriptReader*>(parameter);
    // The worker logs where the thread that started it logs.
    const LogHold hold(engine.callerLogHold);
    try {
        // The script's strings are counted for as long as it runs on this thread.
        const MemoryBudget::Scope counted(engine.budget);
        // The nesting limit holds per function body, and 256 calls of the deepest body would
        // need far more stack than is reserved; the frames themselves are what is measured.
        const auto top = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
        engine.stackLimit = top - (ScriptReader::WorkerStackBytes - ScriptReader::StackReserveBytes);
        (void)engine.RunTopLevel();
    } catch (const ErrorMsg& error) {
        engine.threadError = error;
        engine.failed = 1;
    } catch (const std::bad_alloc&) {
        StoreOutOfMemory(engine);
        engine.failed = 1;
    } catch (...) {
        StoreUnknownError(engine);
        engine.failed = 1;
    }
    // Written last: everything above must be complete once a reader sees the run ended.
    engine.finished.store(1);
    return nullptr;
}

}  // namespace

ScriptReader::ScriptReader(ScriptHost* host) : host(host) {
    SetName(kScriptReaderComponent);
    Clear();
}

ScriptReader::~ScriptReader() { Clear(); }

void ScriptReader::Clear() {
    sourceText = std::string();
    lineTable.reset();
    scopes.Clear();
    globals.Reset();
    functions.Reset();
    externalVariables.Reset();
    externalFunctions.Reset();

    sourceLength = 0;
    position = 0;
    tokenStart = 0;
    errorStart = -1;
    writtenLineStarts.clear();
    lineWalk = LineWalk{};
    lineTableEdit = LineTableEdit{};
    blockSpans.clear();
    removedDirectives.clear();
    raisedScriptError = false;
    scriptErrorMessage.clear();
    finished.store(0);
    failed = 0;
    lineCount = 0;
    randomDraws = 0;
    callMemo.Clear();
    outsideLookups = 0;
    deepestScopes = 0;
    fileNames.Clear();
    globals.engine = this;
}

LoadOutcome ScriptReader::LoadInline(const char* text) { return LoadInline(std::string_view(text)); }

LoadOutcome ScriptReader::LoadInline(std::string_view text) {
    Clear();
    // The editor hands over a NUL-terminated text, so nothing after a NUL is ever script.
    const size_t length = std::min(text.find('\0'), text.size());
    // Positions are ints throughout the scanner; a longer text could not be addressed.
    if (length >= INT_MAX) Error(kScriptTextTooLong, length);
    std::string copy;
    try {
        copy.assign(text.data(), length);
    } catch (const std::bad_alloc&) {
        budget.NoteOutOfMemory();
        Error(kOutOfMemoryLoading, length);
    }
    return LoadInline(std::move(copy));
}

LoadOutcome ScriptReader::LoadInline(std::string&& text) {
    Clear();
    text.resize(std::min(text.find('\0'), text.size()));
    const size_t length = text.size();
    // Positions are ints throughout the scanner; a longer text could not be addressed.
    if (length >= INT_MAX) Error(kScriptTextTooLong, length);

    try {
        sourceText = std::move(text);
        sourceLength = static_cast<int>(length);
        const CharBuffer inlineName(kInlineFileName);
        fileNames.Add(&inlineName);
        Precompile(0);
    } catch (const ErrorMsg& error) {
        // The state stays as the error left it: on Yes the run starts where loading stopped.
        return AskToContinue(*this, error);
    } catch (const std::bad_alloc&) {
        budget.NoteOutOfMemory();
        Error(kOutOfMemoryLoading, length);
    } catch (...) {
        Error(kUnknownErrorType);
    }
    return LoadOutcome::Loaded;
}

Value ScriptReader::Run() {
    finished.store(0);
    failed = 0;
    raisedScriptError = false;
    errorStart = -1;
    callerLogHold = CurrentLogHold();

    // The executor recurses once per nested block; the default stack of a thread would not
    // hold the deepest nesting the engine accepts.
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    int status = pthread_attr_setstacksize(&attributes, WorkerStackBytes);
    pthread_t thread{};
    if (status == 0) status = pthread_create(&thread, &attributes, RunWorker, this);
    pthread_attr_destroy(&attributes);
    if (status != 0) {
        char code[16];
        std::snprintf(code, sizeof code, "%d", status);
        ScriptError(kCannotCreateThread, code);
    }

    pthread_join(thread, nullptr);
    stackLimit = 0;

    if (failed == 1) Error(kRaiseStoredError, threadError.text);
    return result;
}

void LentTokenBuffer::AddBuffer(ScriptReader& engine) { engine.tokenBuffers.push_back(std::make_unique<CharBuffer>()); }

NestingGuard::NestingGuard(ScriptReader& engine) : engine(engine) {
    // Checked before counting: a guard that throws is never destroyed, so it must not count.
    if (engine.nestingDepth >= ScriptReader::MaxNesting) {
        engine.ScriptError(kTooManyNestedBlocks, ScriptReader::MaxNesting);
    }
    const auto frame = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    if (frame < engine.stackLimit) engine.ScriptError(kStackExhausted, engine.scopes.GetCount());
    ++engine.nestingDepth;
}
