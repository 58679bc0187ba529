#pragma once
#include <cstdint>
#include <utility>

#include "values/ExprItem.h"
#include "values/Value.h"

/// What ends a run of ExecuteStatements.
enum class RunMode : int32_t { Statement = 0, Paren = 1, Block = 2, Index = 3, Argument = 4, CaseLabel = 5 };

/// How a run of ExecuteStatements ended.
enum class Completion : int32_t {
    EndOfText = -1,
    Semicolon = 0,
    CloseParen = 1,
    CloseBrace = 2,
    CloseBracket = 3,
    Comma = 4,
    Colon = 5,
    FunctionDeclared = 6,
    Return = -4,
};

/// What a run declares: the ValueType of that code (0..3), or nothing in an ordinary run.
enum class DeclType : int32_t { Void = 0, Int = 1, Float = 2, String = 3, NoDeclaration = 5 };

/// Keyword codes of ClassifyKeyword; 0 is not a keyword.
enum class Keyword : int32_t {
    None = 0,
    If = 1,
    Else = 2,
    While = 3,
    Continue = 4,
    Break = 5,
    Return = 6,
    Exit = 7,
    Do = 8,
    For = 9,
    Switch = 10,
    Case = 11,
    Default = 12,
    Int = 13,
    Float = 14,
    String = 15,
    Void = 16,
};

/// The state of one run of ExecuteStatements; it lives for that call only, so that its items
/// are freed on every exit, the exceptional one included.
struct RunState {
    RunMode mode = RunMode::Statement;
    Completion* completion = nullptr;             ///< where the caller wants the completion, may be null
    DeclType declType = DeclType::NoDeclaration;  ///< the type being declared, if any
    ItemList items;                               ///< the statement's items
    Value result;                                 ///< value of the last nested body run by a keyword
    bool pendingIf = false;                       ///< the last completed statement of this run was an if
    bool keywordDone = false;                     ///< a keyword statement was completed in this run
    bool firstItem = false;                       ///< the current token's item is the first of its statement
    int tokenStart = 0;                           ///< position before the current token's leading blanks

    RunState(RunMode m, Completion* c, DeclType d, ItemStack& stack)
        : mode(m), completion(c), declType(d), items(stack) {}
};

/// What one token or keyword statement did to a run: completed its part, or ended the run.
struct [[nodiscard]] RunStep {
    bool endsRun = false;  ///< true: the run ends with completion and value
    Completion completion = Completion::Semicolon;
    Value value;

    /// The statement is complete; the run goes on.
    static RunStep Completed() { return {}; }
    /// The run ends with this completion and value.
    static RunStep EndRun(Completion c, Value v) { return {true, c, std::move(v)}; }
};
