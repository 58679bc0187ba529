#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "containers/CharBuffer.h"
#include "containers/DynaMem.h"
#include "containers/SearchTree.h"
#include "diagnostics/ErrorClass.h"
#include "diagnostics/Diagnostic.h"
#include "diagnostics/ErrorMsg.h"
#include "diagnostics/Log.h"
#include "interpreter/CallMemo.h"
#include "interpreter/ExternalNames.h"
#include "interpreter/FunctionRecord.h"
#include "interpreter/RunBudget.h"
#include "interpreter/RunState.h"
#include "interpreter/Variable.h"
#include "interpreter/VariableScope.h"
#include "reader/ScriptHost.h"
#include "values/ExprItem.h"
#include "values/MersenneTwister.h"
#include "values/Value.h"

/// Kinds that ReadToken returns.
enum class TokenKind : int32_t {
    End = -1,       ///< end of text after blanks; the output is left unchanged
    Number = 1,     ///< the number as written
    Operator = 2,   ///< one- or two-character operator or punctuation
    CallName = 3,   ///< name followed (after blanks) by "("
    IndexName = 4,  ///< name followed (after blanks) by "["
    Name = 5,       ///< any other name
    StringLit = 6,  ///< string literal contents, escapes decoded
    Directive = 7,  ///< "#" directive name
};

/// One line of the loaded text: where it starts and which line of which file it is.
struct LineEntry {
    int start = 0;   ///< index in sourceText of the line's first byte
    int line = 0;    ///< 0-based line number in its file, fixed when the table is built
    int fileId = 0;  ///< slot of the file's name in fileNames
};

#if defined(__SANITIZE_ADDRESS__)
#define TARVEL_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARVEL_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef TARVEL_ADDRESS_SANITIZER
#define TARVEL_ADDRESS_SANITIZER 0
#endif

/// The script engine: the whole state of one validation. Construct, LoadInline, Run, read
/// the two external name sets, destroy. Member definitions live in the file of their concern:
/// reader/ (load, run, source store, precompiler, scanner, error report), interpreter/
/// (statements, control flow, functions, variables), values/ (evaluation, built-ins).
class ScriptReader : public ErrorClass {
public:
    /// Deepest recursion of the executor and the skipper within one run of a body: what the
    /// text nests. Function calls start counting again; they have their own limit.
    static constexpr int MaxNesting = 4000;
#if TARVEL_ADDRESS_SANITIZER
    /// Stack of the worker thread. The sanitizer unpoisons the whole stack of a thread that
    /// throws and gives up, with false reports after, on stacks above 64 MiB.
    static constexpr size_t WorkerStackBytes = size_t{64} << 20;
    /// Kept free below the deepest frame for raising the error that stops the nesting.
    static constexpr size_t StackReserveBytes = size_t{4} << 20;
#else
    /// Stack of the worker thread: reserved, used as far as a script nests.
    static constexpr size_t WorkerStackBytes = size_t{256} << 20;
    /// Kept free below the deepest frame for raising the error that stops the nesting.
    static constexpr size_t StackReserveBytes = size_t{2} << 20;
#endif

    /// Builds the members; `host` answers the "Script Error" question (null answers No).
    explicit ScriptReader(ScriptHost* host = nullptr);
    ~ScriptReader() override;
    ScriptReader(const ScriptReader&) = delete;
    ScriptReader& operator=(const ScriptReader&) = delete;

    // ---- load and run (reader/ScriptReader.cpp) ----
    /// Copies the text as "*inline*", builds the line table and precompiles.
    LoadOutcome LoadInline(const char* text);
    /// LoadInline of the bytes before the first NUL of text.
    LoadOutcome LoadInline(std::string_view text);
    /// LoadInline that takes the text over instead of copying it.
    LoadOutcome LoadInline(std::string&& text);
    /// Runs the script on a worker thread and waits; errors come back as ErrorMsg.
    Value Run();
    /// Frees all script state and returns to the initial state.
    void Clear();

    // ---- source store (reader/SourceStore.cpp) ----
    /// Replaces the line table from the current sourceText.
    void BuildLineTable();
    /// Builds the line table unless it is built. A run that ends without an error and a text
    /// without directives never need it: for them it is not built at all.
    void EnsureLineTable() {
        if (!lineTable) BuildLineTable();
    }
    /// True for 0 <= line < lineCount.
    bool IsValidLine(int line) const;
    /// Index of the line holding the position.
    int LineOfPosition(int pos) const;
    /// File name of a line; "Invalid line: %i" / "Invalid file ID %i in line: %i".
    const char* FileNameOfLine(int line);
    /// 0-based number of a line in its file; "Invalid line: %i".
    int LineNumberOfLine(int line);
    /// Bytes of a line's text without its line break.
    int LineLength(int line) const;
    /// Where a position of the loaded text stands in the script as written, #include lines
    /// and all. Without a line table the text is walked instead, on from the last position
    /// asked for when this one is not before it: ask in rising order to walk it only once.
    void LocateAsWritten(int pos, int& line, int& column) const;
    /// Moves lineWalk to the line that holds a position of a text without line table.
    void WalkToLine(int written) const;

    // ---- precompiler (reader/Precompiler.cpp) ----
    /// Removes every #include directive, keeping the line numbers of the text as written.
    void Precompile(int depth);
    /// Writes the line-table edits of a precompiler pass under way into lineTable.
    void SettleLineTable();

    // ---- scanner (reader/Scanner.cpp) ----
    /// 1 when position >= sourceLength.
    int AtEnd() const { return position >= sourceLength ? 1 : 0; }
    /// Moves the cursor; no check.
    void SetPosition(int pos) { position = pos; }
    /// Moves the cursor to the next token's first byte, past blanks and comments.
    void SkipBlanks() {
        // Most calls find the cursor on a token already (a byte above 32 that is no '/'), and
        // most of the others on the one space between two tokens.
        const auto startsToken = [](char c) { return static_cast<signed char>(c) > 32 && c != '/'; };
        if (position < sourceLength) {
            const char c = sourceText[static_cast<std::size_t>(position)];
            if (startsToken(c)) return;
            if (c == ' ' && position + 1 < sourceLength &&
                startsToken(sourceText[static_cast<std::size_t>(position) + 1])) {
                ++position;
                return;
            }
        }
        SkipBlanksAndComments();
    }
    /// SkipBlanks when the cursor may stand on a blank or a comment.
    void SkipBlanksAndComments();
    /// Reads one token into out; returns its kind.
    TokenKind ReadToken(CharBuffer& out) { return ScanToken(&out, out); }
    /// ReadToken for a pass that looks for directives alone: the same walk and the same
    /// errors, but only a directive's name is copied out.
    TokenKind PassToken(CharBuffer& directiveName) { return ScanToken(nullptr, directiveName); }
    /// Reads one token, copying it into out unless out is null, and a directive's name into
    /// directiveName; returns its kind.
    TokenKind ScanToken(CharBuffer* out, CharBuffer& directiveName);
    /// Reads one token as ReadToken does, with the same errors and the same growth of room,
    /// but leaves a name or an operator uncopied: it stays readable in the text at tokenStart.
    TokenKind SkimToken(CharBuffer& room);
    /// The kind of the name just read: steps past the blanks behind it to the bracket of a
    /// call or an index.
    TokenKind KindOfNameRead() {
        SkipBlanks();
        if (AtEnd()) return TokenKind::Name;
        // The bracket stays unread: it is the next token of whoever handles the call or index.
        const char next = sourceText[static_cast<std::size_t>(position)];
        if (next == '(') return TokenKind::CallName;
        if (next == '[') return TokenKind::IndexName;
        return TokenKind::Name;
    }
    /// True when the precompiler's walk would find neither a directive nor a fault in the text:
    /// no "#" and no refused character outside strings and comments, every string and comment
    /// closed, and a last byte behind which no name or number can be cut off. Decided byte by
    /// byte without reading tokens; where in doubt it says false and the walk decides.
    bool NothingToPrecompile() const;
    /// Passes tokens as PassToken does, with the same errors, up to the "#" of the next
    /// directive (left unread; true) or the end of the text (false).
    bool SeekDirective(CharBuffer& scratch);
    /// Reads a number at the cursor into out unless out is null.
    void ReadNumber(CharBuffer* out);
    /// Reads name characters at the cursor into out unless out is null.
    void ReadName(CharBuffer* out);
    /// Moves the cursor just past the next occurrence of s; "Missing '%s'".
    void SkipPast(const char* s);
    /// Next top-level name of a "{" block (its kind), nothing past the "}", End at the end.
    std::optional<TokenKind> FindBlockLabel(CharBuffer& out);
    /// Consumes one character; "unexpected end of file" at the end.
    char ReadChar();
    /// The next character, not consumed; "unexpected end of file" at the end.
    char PeekChar();

    // ---- script error report (reader/ScriptErrorReport.cpp) ----
    /// Formats the message with file, line and context lines and raises it.
    [[noreturn]] void ScriptError(const char* format, ...) __attribute__((format(printf, 2, 3)));
    /// The error as tools need it: located where the engine stands now, the bare message
    /// split off when ScriptError raised it.
    Diagnostic Locate(const ErrorMsg& error, ErrorPhase phase) const;

    // ---- statement executor (interpreter/ExecuteStatements.cpp) ----
    /// Runs text from position until the mode's terminator; see RunMode and Completion.
    [[nodiscard]] Value ExecuteStatements(RunMode mode, Completion* completion, DeclType declType);
    /// The statement loop of a whole script.
    Completion RunTopLevel();
    /// Keyword code of the name at word, case-sensitive; Keyword::None for other names. The
    /// name ends at its first character that cannot continue a name, so it may be read in
    /// place in the text as well as from a token.
    static Keyword ClassifyKeyword(const char* word);

    // ---- blocks and control flow (interpreter/ControlFlow.cpp, interpreter/SkipUnit.cpp) ----
    /// Runs the handler of a control-flow keyword (if .. default) for the current run.
    RunStep HandleControlKeyword(Keyword keyword, RunState& run);
    /// Passes over text without running it, checking its bracket structure.
    void SkipUnit(RunMode mode);
    /// Passes over the body of an if, else or for: a braced block or one statement.
    void SkipBody();

    // ---- user functions (interpreter/Functions.cpp) ----
    /// Reads a declaration after its "(", files the function and validates its body once;
    /// nameStart is where the declared name stands.
    void DeclareFunction(const char* name, ValueType returnType, int nameStart);
    /// Evaluates the arguments after "(" and dispatches the call; nameStart is where the
    /// call's name stands.
    Value CallFunction(const char* name, int nameStart);
    /// Calls the user function name@count if it exists; false otherwise.
    bool CallUserFunction(const char* name, Value* arguments, int count, Value& result);
    /// Runs one call of a function whose parameters already hold their values.
    Value ExecuteFunction(FunctionRecord& record);
    /// Converts a function's raw result to its declared type.
    static void ConvertResult(Value& target, const Value& source);

    // ---- variables (interpreter/Variables.cpp) ----
    /// The variable in the top function scope, then (unless currentScopeOnly) the globals.
    /// A name here is the view of a NUL-terminated name: its length spares every lookup a
    /// count, and the messages print it whole.
    Variable* FindVariable(std::string_view name, bool currentScopeOnly);
    /// Declares a variable at the current level.
    Variable* DefineVariable(const char* name, ValueType type, int arraySize);
    /// Declares (declType 0..3) or reads (NoDeclaration) a variable or element; nameStart is
    /// where the name stands, kept for an external name's first use.
    Value AccessVariable(std::string_view name, int index, DeclType declType, int nameStart);
    /// Stores a value into a variable or element, converting to its declared type.
    void SetVariable(std::string_view name, int index, const Value& value, int nameStart);

    // ---- expression evaluation (values/Evaluate.cpp) ----
    /// Reduces an item list in the nine precedence passes to one value.
    Value Evaluate(ItemList& items);

    // ---- built-in functions (values/Builtins.cpp) ----
    /// User functions first, then the built-ins, else an external function.
    Value CallBuiltin(const char* name, Value* arguments, int count, int nameStart);
    /// True when a user function of this name would take calls meant for a built-in: user
    /// functions are looked up first, in any case.
    static bool ShadowsBuiltin(const char* name);

    // ---- members, in construction order ----
    /// The run's limits; first, so that everything charged to it is gone before it is.
    RunBudget budget{*this};
    std::string sourceText;                                 ///< the text the scanner reads, NUL-terminated
    int sourceLength = 0;                                   ///< bytes of sourceText without the terminator
    DynaMem<CharBuffer> fileNames{32};                      ///< file names; the slot is the file id
    SearchTree<FunctionRecord> functions{0};                ///< user functions keyed name@arity, any case
    std::unique_ptr<LineEntry[]> lineTable;                 ///< one entry per line, null until needed
    int lineCount = 0;                                      ///< entries of lineTable
    int position = 0;                                       ///< scan cursor
    int tokenStart = 0;                                     ///< first byte of the token ReadToken read last
    int errorStart = -1;                                    ///< where an error about an earlier token points
    std::atomic<int> finished{0};                           ///< 1 once the run body has ended
    int failed = 0;                                         ///< 1 when the worker caught an ErrorMsg
    ErrorMsg threadError{};                                 ///< the error that ended the worker
    HeldLogEntries* callerLogHold = nullptr;                ///< where Run's caller holds its log entries
    Value result;                                           ///< the value the top-level run ended with
    VariableScope globals;                                  ///< global variables
    DynaMem<VariableScope> scopes{8};                       ///< one scope per running user-function call
    std::vector<VariableScope::Leaves> spareScopeLeaves;    ///< left by ended calls, for the next
    ExternalNameSet externalVariables{0};                   ///< undeclared variables used, any case
    ExternalNameSet externalFunctions{0};                   ///< unknown functions called, any case
    CallMemo callMemo;                                      ///< calls that need not run again
    ItemStack statementItems;                               ///< the items of every run under way
    std::vector<std::unique_ptr<CharBuffer>> tokenBuffers;  ///< one per run under way, kept for the next
    int tokenBuffersLent = 0;                               ///< those lent to runs under way
    std::vector<ExprItem*> evaluationView;                  ///< kept for Evaluate's next reduction
    std::vector<ExprItem*> evaluationOut;                   ///< kept for Evaluate's next reduction
    std::uint64_t outsideLookups = 0;                       ///< global, external and random uses so far
    int deepestScopes = 0;                                  ///< most scopes stacked since the call began

    ScriptHost* host = nullptr;         ///< answers the load-error question
    MersenneTwister* random = nullptr;  ///< what rand draws from; null: the process-wide generator
    uint64_t randomDraws = 0;           ///< how often rand has drawn since the last Clear
    int nestingDepth = 0;               ///< current recursion of executor and skipper in this body
    /// Lowest frame address the worker may reach (stacks grow down); 0 outside a run.
    std::uintptr_t stackLimit = 0;

    /// One #include directive a precompiler pass removed, in the coordinates of its output.
    struct RemovedDirective {
        int at = 0;           ///< where the directive stood in the pass's output
        int removedUpTo = 0;  ///< bytes the pass removed up to and including this directive
    };
    /// The line-table edits of a precompiler pass under way (reader/Precompiler.cpp).
    struct LineTableEdit {
        std::vector<LineEntry> settled;  ///< the entries before `next`, as they now stand
        int next = 0;                    ///< first entry of lineTable not yet settled
        int shift = 0;                   ///< bytes removed in front of the unsettled entries
        bool active = false;             ///< a pass is under way
        bool ordered = true;             ///< the starts never decrease

        /// Entries of the table as it now stands.
        int Count(const ScriptReader& engine) const;
        /// Start of an entry of the table as it now stands.
        int Start(const ScriptReader& engine, int index) const;
        /// LineOfPosition on the table as it now stands.
        int LineOf(const ScriptReader& engine, int pos) const;
        /// Drops an entry; every entry after it moves up by removedBytes. No entry: nothing.
        void Remove(const ScriptReader& engine, int index, int removedBytes);
    };
    LineTableEdit lineTableEdit;

    /// Where a nested block that FindBlockLabel passed over once ends, and what it does to
    /// the bracket counts, so that the next pass over it can step over it whole.
    struct BlockSpan {
        int end = 0;         ///< position behind its "}"
        int closeStart = 0;  ///< where its "}" stands
        int parens = 0;      ///< change of the "(" count across the block
        int squares = 0;     ///< change of the "[" count across the block
        int lowParens = 0;   ///< lowest "(" count inside, relative to the count at its "{"
        int lowSquares = 0;  ///< lowest "[" count inside, relative to the count at its "{"
    };
    std::unordered_map<int, BlockSpan> blockSpans;  ///< by the position of the block's "{"

    std::vector<int> writtenLineStarts;  ///< line starts of the text as loaded, once a directive is removed
    /// Where LocateAsWritten's walk of a text without line table has got to.
    struct LineWalk {
        int start = 0;  ///< first byte of the line reached
        int line = 1;   ///< its 1-based number
    };
    mutable LineWalk lineWalk;
    std::vector<std::vector<RemovedDirective>> removedDirectives;  ///< per installed pass
    bool raisedScriptError = false;                                ///< the last error came from ScriptError
    std::string scriptErrorMessage;                                ///< its bare message
};

/// The token buffer of one run of the executor or the skipper, lent from the engine for the
/// run: runs nest, each keeps its token while the runs it starts read theirs, and a buffer
/// that has grown to the script's longer tokens serves the next run as it is.
class LentTokenBuffer {
public:
    // Inline: every statement, block and bracket lends one.
    explicit LentTokenBuffer(ScriptReader& engine) : buffer(Take(engine)), engine(engine) {}
    ~LentTokenBuffer() {
        // The memory a script holds stays what its runs under way need.
        if (buffer.Capacity() > kKeptBytes) buffer.Clear();
        --engine.tokenBuffersLent;
    }
    LentTokenBuffer(const LentTokenBuffer&) = delete;
    LentTokenBuffer& operator=(const LentTokenBuffer&) = delete;

    CharBuffer& buffer;

private:
    /// A buffer that a longer literal grew past this is freed when its run ends, not kept.
    static constexpr int kKeptBytes = 256;

    ScriptReader& engine;
    static CharBuffer& Take(ScriptReader& engine) {
        if (engine.tokenBuffersLent == static_cast<int>(engine.tokenBuffers.size())) AddBuffer(engine);
        return *engine.tokenBuffers[static_cast<std::size_t>(engine.tokenBuffersLent++)];
    }
    /// One buffer more, for a run nested deeper than any before.
    static void AddBuffer(ScriptReader& engine);
};

/// Counts one level of executor/skipper recursion for its scope; raises
/// "Too many nested blocks (more than %i)" past ScriptReader::MaxNesting, and stops a
/// nesting that function calls multiply before it overflows the worker's stack.
class NestingGuard {
public:
    explicit NestingGuard(ScriptReader& engine);
    ~NestingGuard() { --engine.nestingDepth; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

private:
    ScriptReader& engine;
};
