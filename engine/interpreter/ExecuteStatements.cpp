// The statement executor. It works on the script text itself: tokens are read from the shared
// cursor, one expression's items are collected and handed to Evaluate at the terminator of
// the run's mode, and every nested construct (condition, block, index, argument) is a
// recursive run over the same text. Nothing is compiled; a statement's items live only until
// it has been evaluated.
#include <cstdint>
#include <utility>

#include "interpreter/InterpreterMessages.h"
#include "reader/ReaderMessages.h"
#include "reader/ScriptReader.h"

using namespace InterpreterMessages;
using namespace ReaderMessages;

namespace {

/// What a terminator does in one run mode.
enum class TerminatorAction : uint8_t {
    Finish,       ///< evaluate; the run ends with the row's completion and the value
    Refuse,       ///< the row's "Encountered invalid" text
    GoOn,         ///< evaluate, drop the value, clear the items and read on
    EndBlock,     ///< evaluate, drop the value; the run ends with CloseBrace and Void
    LeaveBrace,   ///< after a keyword statement the "}" is the enclosing block's; else refuse
    RefuseComma,  ///< "Invalid ',' in [] Block"
    DropLabel,    ///< a lone item before ":" is dropped unevaluated; else refuse
};

constexpr int kModeCount = 6;

struct TerminatorRule {
    char token;
    Completion completion;                ///< the completion of Finish
    const char* refusal;                  ///< the text of Refuse
    TerminatorAction action[kModeCount];  ///< by RunMode, in the order of its values
};

using enum TerminatorAction;

// The terminator table. Columns: Statement, Paren, Block, Index, Argument, CaseLabel.
constexpr TerminatorRule kTerminators[] = {
    {';', Completion::Semicolon, kInvalidSemicolon, {Finish, Refuse, GoOn, Refuse, Finish, Refuse}},
    {')', Completion::CloseParen, kInvalidCloseParen, {Refuse, Finish, Refuse, Refuse, Finish, Refuse}},
    {'}', Completion::CloseBrace, kInvalidCloseBrace, {LeaveBrace, Refuse, EndBlock, Refuse, Refuse, Refuse}},
    {']', Completion::CloseBracket, kInvalidCloseBracket, {Refuse, Refuse, Refuse, Finish, Refuse, Refuse}},
    {',', Completion::Comma, nullptr, {GoOn, GoOn, GoOn, RefuseComma, Finish, GoOn}},
    {':', Completion::Colon, kInvalidColon, {DropLabel, DropLabel, DropLabel, DropLabel, DropLabel, Finish}},
};

const TerminatorRule* FindTerminator(char c) {
    for (const TerminatorRule& rule : kTerminators) {
        if (rule.token == c) return &rule;
    }
    return nullptr;
}

bool IsTypeKeyword(Keyword code) {
    return code == Keyword::Int || code == Keyword::Float || code == Keyword::String || code == Keyword::Void;
}

DeclType DeclaredType(Keyword code) {
    switch (code) {
    case Keyword::Int:
        return DeclType::Int;
    case Keyword::Float:
        return DeclType::Float;
    case Keyword::String:
        return DeclType::String;
    default:
        return DeclType::Void;
    }
}

/// The helpers of one run of ExecuteStatements, each handling one kind of token.
class Executor {
public:
    Executor(ScriptReader& engine, RunState& run) : lent(engine), token(lent.buffer), engine(engine), run(run) {}

    LentTokenBuffer lent;
    CharBuffer& token;  ///< the token being handled; reused for every token of the run

    /// Ends the run: the completion goes to the caller, the items die with the run.
    Value End(Completion completion, Value value) {
        if (run.completion != nullptr) *run.completion = completion;
        return value;
    }

    /// The text has ended where the run is waiting for its terminator or next statement.
    Value EndOfText() {
        if (run.completion != nullptr) *run.completion = Completion::EndOfText;
        switch (run.mode) {
        case RunMode::Statement:
            if (run.items.GetCount() > 0) engine.ScriptError(kEndOfFileInStatement);
            return Value();
        case RunMode::Paren:
            engine.ScriptError(kEndOfFileMissingParen);
        case RunMode::Block:
            engine.ScriptError(kEndOfFileMissingBrace);
        case RunMode::Index:
            engine.ScriptError(kEndOfFileMissingBracket);
        case RunMode::Argument:
            engine.ScriptError(kEndOfFileInStatement);
        case RunMode::CaseLabel:
            break;  // the switch statement reports the missing label
        }
        return Value();
    }

    /// A name: a keyword statement, a conversion call, or an operand.
    RunStep Word(TokenKind kind) {
        const Keyword code = ScriptReader::ClassifyKeyword(token.CStr());
        if (run.pendingIf && run.mode == RunMode::Statement && code != Keyword::Else) {
            // An if without else is complete; the word belongs to the next statement, which
            // the enclosing run reads.
            engine.SetPosition(run.tokenStart);
            return RunStep::EndRun(Completion::Semicolon, run.result);
        }
        if (code != Keyword::None && !(IsTypeKeyword(code) && IsConversionCall(code, kind))) {
            return KeywordStatement(code);
        }
        run.pendingIf = false;
        switch (kind) {
        case TokenKind::CallName:
            return Call();
        case TokenKind::IndexName:
            return IndexedName();
        default:
            return PlainName();
        }
    }

    RunStep Number() {
        NewItem(ItemKind::Number).value = NumberLiteral(token.CStr());
        return RunStep::Completed();
    }

    RunStep StringLiteral() {
        NewItem(ItemKind::String).value = Value::MakeString(token.CStr());
        return RunStep::Completed();
    }

    /// Brackets and terminators are the executor's; every other operator is the evaluator's.
    RunStep OperatorToken() {
        if (token.length == 1) {
            const char c = token.text[0];
            if (c == '(') return SubRun(RunMode::Paren);
            if (c == '{') return SubRun(RunMode::Block);
            // An index must follow its name directly, and arrays have one dimension.
            if (c == '[') engine.ScriptError(kInvalidOpenBracket);
            if (const TerminatorRule* rule = FindTerminator(c)) return Terminator(*rule);
        }
        NewItem(ItemKind::Operator);
        return RunStep::Completed();
    }

private:
    /// Adds an item holding the token; returns its slot.
    ExprItem& NewItem(ItemKind kind) {
        ExprItem& item = run.items.Add();
        item.text.Assign(token);
        item.kind = kind;
        item.start = engine.tokenStart;
        return item;
    }

    /// A declaration names its variable in the first item of each statement; every other
    /// name is read.
    DeclType DeclTypeOfItem() const { return run.firstItem ? run.declType : DeclType::NoDeclaration; }

    RunStep PlainName() {
        ExprItem& item = NewItem(ItemKind::Variable);
        item.value = engine.AccessVariable(item.text.View(), -1, DeclTypeOfItem(), item.start);
        return RunStep::Completed();
    }

    RunStep IndexedName() {
        ExprItem& item = NewItem(ItemKind::Variable);
        static_cast<void>(engine.ReadChar());  // the "["
        // In a declaration the number in the brackets is the array size.
        item.index = ReadIndex();
        item.value = engine.AccessVariable(item.text.View(), item.index, DeclTypeOfItem(), item.start);
        return RunStep::Completed();
    }

    int ReadIndex() {
        const Value index = engine.ExecuteStatements(RunMode::Index, nullptr, DeclType::NoDeclaration);
        // An External index cannot be known; it is taken as 0 rather than refused.
        const bool valid = (index.type == ValueType::Int && index.i >= 0) || index.type == ValueType::External;
        if (!valid) engine.ScriptError(kIndexMustBePositive);
        return index.i;
    }

    /// A name followed by "(": a call, or the function that a declaration run declares.
    RunStep Call() {
        ExprItem& item = NewItem(ItemKind::Computed);
        static_cast<void>(engine.ReadChar());  // the "("
        if (run.declType == DeclType::NoDeclaration || !run.firstItem) {
            item.value = engine.CallFunction(item.text.CStr(), item.start);
            return RunStep::Completed();
        }
        engine.DeclareFunction(item.text.CStr(), static_cast<ValueType>(run.declType), item.start);
        return RunStep::EndRun(Completion::FunctionDeclared, Value());
    }

    /// A bracketed part is one operand; a return inside it ends every run up to the caller.
    RunStep SubRun(RunMode mode) {
        Completion completion = Completion::Semicolon;
        Value value = engine.ExecuteStatements(mode, &completion, DeclType::NoDeclaration);
        if (completion == Completion::Return) return RunStep::EndRun(completion, std::move(value));
        NewItem(ItemKind::Computed).value = std::move(value);
        return RunStep::Completed();
    }

    RunStep Terminator(const TerminatorRule& rule) {
        switch (rule.action[static_cast<int>(run.mode)]) {
        case Finish:
            return RunStep::EndRun(rule.completion, engine.Evaluate(run.items));
        case Refuse:
            engine.ScriptError("%s", rule.refusal);
        case GoOn:
            // Commas separate expressions evaluated in turn; in a declaration the name after
            // the comma is again a first item and is declared too.
            static_cast<void>(engine.Evaluate(run.items));
            run.items.Clear();
            return RunStep::Completed();
        case EndBlock:
            static_cast<void>(engine.Evaluate(run.items));
            return RunStep::EndRun(Completion::CloseBrace, Value());
        case LeaveBrace:
            // A keyword statement run as a single statement may be the last one of a block
            // ("if (a) { } }"): the "}" then closes the enclosing block, which reads it again.
            if (!run.keywordDone) engine.ScriptError(kInvalidCloseBrace);
            static_cast<void>(engine.Evaluate(run.items));
            engine.SetPosition(engine.position - 1);
            return RunStep::EndRun(Completion::Semicolon, Value());
        case RefuseComma:
            engine.ScriptError(kInvalidCommaInIndex);
        case DropLabel:
            // A label such as "start:" is accepted and ignored; "a ? b : c" is not.
            if (run.items.GetCount() != 1) engine.ScriptError(kInvalidColon);
            run.items.Clear();
            return RunStep::Completed();
        }
        return RunStep::Completed();
    }

    /// A keyword statement: its item exists while its handler runs, then it is removed.
    RunStep KeywordStatement(Keyword code) {
        NewItem(ItemKind::Keyword);
        const int count = run.items.GetCount();
        RunStep outcome = IsTypeKeyword(code) ? Declaration(code) : engine.HandleControlKeyword(code, run);
        if (outcome.endsRun) return outcome;
        run.pendingIf = code == Keyword::If;
        // The handlers add nothing to this run, so the keyword's item is still the last one.
        if (run.items.GetCount() == count) run.items.RemoveLast();
        run.keywordDone = true;
        return RunStep::Completed();
    }

    /// After int, float or string a "(" makes the word the built-in conversion of that
    /// name; a ")" means a cast, which the language does not have.
    bool IsConversionCall(Keyword code, TokenKind kind) {
        engine.SkipBlanks();
        const char next = engine.PeekChar();
        if (code == Keyword::Void) {
            if (next == ')' || next == '(') engine.ScriptError(kInvalidVoid);
            return false;
        }
        if (next == ')') {
            engine.ScriptError(code == Keyword::Int ? kIntConversionOnlyAsFunction : kConversionOnlyAsFunction);
        }
        if (next != '(') return false;
        if (kind != TokenKind::CallName) engine.ScriptError(kMissingSemicolon);
        return true;
    }

    /// int, float, string or void starting a declaration run of that type.
    RunStep Declaration(Keyword code) {
        Completion completion = Completion::Semicolon;
        static_cast<void>(engine.ExecuteStatements(RunMode::Statement, &completion, DeclaredType(code)));
        // The function has been declared (and its body run) before its position is judged.
        if (completion == Completion::FunctionDeclared && !run.firstItem) {
            engine.ScriptError(kInvalidFunctionPosition);
        }
        if (completion != Completion::Semicolon && completion != Completion::EndOfText &&
            completion != Completion::FunctionDeclared) {
            engine.ScriptError(code == Keyword::Void ? kInvalidVoid : kInvalidVariableDeclaration);
        }
        if (run.mode == RunMode::Statement) return RunStep::EndRun(completion, run.result);
        return RunStep::Completed();
    }

    ScriptReader& engine;
    RunState& run;
};

}  // namespace

Value ScriptReader::ExecuteStatements(RunMode mode, Completion* completion, DeclType declType) {
    NestingGuard guard(*this);
    RunState run(mode, completion, declType, statementItems);
    Executor executor(*this, run);
    for (;;) {
        budget.Poll();
        if (AtEnd()) return executor.EndOfText();
        run.tokenStart = position;
        run.firstItem = run.items.GetCount() == 0;
        const TokenKind kind = ReadToken(executor.token);
        const bool word = kind == TokenKind::CallName || kind == TokenKind::IndexName || kind == TokenKind::Name;
        // Only an else may follow an if in the same run; any other token ends that chance
        // (a word decides for itself, in Word).
        if (!word) run.pendingIf = false;
        RunStep step;
        switch (kind) {
        case TokenKind::End:
            return executor.EndOfText();
        case TokenKind::Number:
            step = executor.Number();
            break;
        case TokenKind::StringLit:
            step = executor.StringLiteral();
            break;
        case TokenKind::Operator:
            step = executor.OperatorToken();
            break;
        case TokenKind::CallName:
        case TokenKind::IndexName:
        case TokenKind::Name:
            step = executor.Word(kind);
            break;
        case TokenKind::Directive:
            // The precompiler resolves or refuses every directive before a run.
            ScriptError(kInvalidPrecompilerCommand, executor.token.CStr());
        default:
            break;
        }
        if (step.endsRun) return executor.End(step.completion, std::move(step.value));
    }
}

// The statement loop of a whole script, run on the worker thread.
Completion ScriptReader::RunTopLevel() {
    Completion completion = Completion::Semicolon;
    Value value;
    for (;;) {
        value = ExecuteStatements(RunMode::Statement, &completion, DeclType::NoDeclaration);
        if (completion == Completion::Semicolon || completion == Completion::FunctionDeclared) {
            continue;
        }
        if (completion == Completion::EndOfText) {
            // A script that runs to its end has no result, whatever its last statement gave.
            value.type = ValueType::Void;
            break;
        }
        if (completion == Completion::Return) break;
        // A statement run ends only with the completions above; a stray terminator that got
        // through is still reported rather than ignored.
        ScriptError(kEndOfFileInStatement);
    }
    result = value;
    finished = 1;
    return completion;
}
