#pragma once
#include <utility>

#include "containers/DynaMem.h"
#include "interpreter/RunMode.h"
#include "values/ExprItem.h"
#include "values/Value.h"

/// The state of one run of ExecuteStatements; it lives for that call only, so that its items
/// are freed on every exit, the exceptional one included.
struct RunState {
    RunMode mode = RunMode::Statement;
    Completion* completion = nullptr;  ///< where the caller wants the completion, may be null
    DeclType declType = DeclType::NoDeclaration;  ///< the type being declared, if any
    DynaMem<ExprItem> items{32};       ///< the statement's items
    Value result;                      ///< value of the last nested body run by a keyword
    bool pendingIf = false;            ///< the last completed statement of this run was an if
    bool keywordDone = false;          ///< a keyword statement was completed in this run
    bool firstItem = false;            ///< the current token's item is the first of its statement
    int tokenStart = 0;                ///< position before the current token's leading blanks

    explicit RunState(RunMode m, Completion* c, DeclType d) : mode(m), completion(c), declType(d) {}
};

/// What one token or keyword statement did to a run: completed its part, or ended the run.
struct [[nodiscard]] RunStep {
    bool endsRun = false;                       ///< true: the run ends with completion and value
    Completion completion = Completion::Semicolon;
    Value value;

    /// The statement is complete; the run goes on.
    static RunStep Completed() { return {}; }
    /// The run ends with this completion and value.
    static RunStep EndRun(Completion c, Value v) { return {true, c, std::move(v)}; }
};
