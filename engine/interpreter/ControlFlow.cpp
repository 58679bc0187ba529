#include <cstring>
#include <optional>

#include "interpreter/InterpreterMessages.h"
#include "reader/ScriptReader.h"

using namespace InterpreterMessages;

// Validation visits every statement once: conditions are evaluated and type-checked, but
// they never choose what runs. Both branches of an if run, loop bodies run once, and a for
// body is only passed over. A Return completion travels up unchanged through every handler.

namespace {

/// Consumes the expected character at the cursor, or raises message.
void Expect(ScriptReader& engine, char expected, const char* message) {
    if (engine.PeekChar() != expected) engine.ScriptError("%s", message);
    engine.ReadChar();
}

bool IsConditionType(const Value& v) {
    return v.type == ValueType::Int || v.type == ValueType::Float || v.type == ValueType::External;
}

/// Runs the body of if, else, while or do: a braced block or a single statement.
Value RunBody(ScriptReader& engine, Completion& c, bool& braced) {
    engine.SkipBlanks();
    braced = engine.PeekChar() == '{';
    if (braced) {
        engine.ReadChar();
        return engine.ExecuteStatements(RunMode::Block, &c, DeclType::NoDeclaration);
    }
    return engine.ExecuteStatements(RunMode::Statement, &c, DeclType::NoDeclaration);
}

/// Runs the body of if or else; a body that did not end normally ends the run.
RunStep RunBranch(ScriptReader& engine, RunState& run) {
    Completion c = Completion::Semicolon;
    bool braced = false;
    run.result = RunBody(engine, c, braced);
    if (braced && c != Completion::CloseBrace) {
        // A return left the block midway; the rest of it is not run, only passed over.
        engine.SkipUnit(RunMode::Block);
        return RunStep::EndRun(c, run.result);
    }
    if (!braced && c != Completion::Semicolon) return RunStep::EndRun(c, run.result);
    return RunStep::Completed();
}

RunStep HandleIf(ScriptReader& engine, RunState& run) {
    Expect(engine, '(', kIfWithoutParameters);
    Completion c = Completion::Semicolon;
    const Value condition = engine.ExecuteStatements(RunMode::Paren, &c, DeclType::NoDeclaration);
    if (c != Completion::CloseParen) engine.ScriptError(kIfInvalidArguments);
    if (!IsConditionType(condition)) engine.ScriptError(kIfInvalidParameters);
    return RunBranch(engine, run);
}

RunStep HandleElse(ScriptReader& engine, RunState& run) {
    if (!run.pendingIf) engine.ScriptError(kMisplacedElse);
    return RunBranch(engine, run);
}

RunStep HandleWhile(ScriptReader& engine, RunState& run) {
    Expect(engine, '(', kWhileWithoutParameters);
    Completion c = Completion::Semicolon;
    Value condition = engine.ExecuteStatements(RunMode::Paren, &c, DeclType::NoDeclaration);
    if (c == Completion::Return) return RunStep::EndRun(c, std::move(condition));
    if (!IsConditionType(condition)) engine.ScriptError(kWhileInvalidParameters);
    bool braced = false;
    run.result = RunBody(engine, c, braced);
    if (c == Completion::Return) return RunStep::EndRun(c, run.result);
    return RunStep::Completed();
}

RunStep HandleDo(ScriptReader& engine, RunState& run) {
    Completion c = Completion::Semicolon;
    bool braced = false;
    run.result = RunBody(engine, c, braced);
    if (c == Completion::Return) return RunStep::EndRun(c, run.result);

    CharBuffer word;
    const TokenKind kind = engine.ReadToken(word);
    if (kind != TokenKind::CallName || std::strcmp(word.CStr(), "while") != 0) {
        engine.ScriptError(kDoWithoutWhile);
    }
    engine.ReadChar();
    const Value condition = engine.ExecuteStatements(RunMode::Paren, &c, DeclType::NoDeclaration);
    if (c != Completion::CloseParen) engine.ScriptError(kDoInvalidArgument);
    if (!IsConditionType(condition)) engine.ScriptError(kWhileInvalidParameters);
    // The ";" behind the condition is left for the run, which reads it as an empty statement.
    return RunStep::Completed();
}

RunStep HandleFor(ScriptReader& engine, RunState&) {
    Expect(engine, '(', kForWithoutParameters);
    Completion c = Completion::Semicolon;
    Value initialiser = engine.ExecuteStatements(RunMode::Statement, &c, DeclType::NoDeclaration);
    if (c != Completion::Semicolon) return RunStep::EndRun(c, std::move(initialiser));

    Value condition = engine.ExecuteStatements(RunMode::Statement, &c, DeclType::NoDeclaration);
    if (c == Completion::Return) return RunStep::EndRun(c, std::move(condition));
    // An empty condition gives Void and means "forever"; only a String is refused.
    if (c != Completion::Semicolon || condition.type == ValueType::String) {
        engine.ScriptError(kForInvalidCondition);
    }

    // The increment and the body would run only from the second iteration on; one pass
    // over a loop never reaches them, so they are only checked for their structure.
    engine.SkipUnit(RunMode::Paren);
    engine.SkipBody();
    return RunStep::Completed();
}

/// Runs a switch block from behind a label to its "}"; true when a return ended it.
bool RunSwitchSection(ScriptReader& engine, RunState& run, Completion& c) {
    run.result = engine.ExecuteStatements(RunMode::Block, &c, DeclType::NoDeclaration);
    if (c == Completion::Return) return true;
    if (c != Completion::CloseBrace) engine.ScriptError(kSwitchInvalidBlock);
    return false;
}

RunStep HandleSwitch(ScriptReader& engine, RunState& run) {
    // The switch is a statement of its own, never an operand.
    if (run.items.GetCount() != 1) engine.ScriptError(kSwitchInvalid);
    engine.SkipBlanks();
    Expect(engine, '(', kSwitchWithoutParameters);
    Completion c = Completion::Semicolon;
    (void)engine.ExecuteStatements(RunMode::Paren, &c, DeclType::NoDeclaration);
    if (c != Completion::CloseParen) engine.ScriptError(kSwitchInvalidParameters);
    engine.SkipBlanks();
    Expect(engine, '{', kSwitchNoBlock);
    const int blockStart = engine.position;

    // The selector is never compared: the block runs from its first case label to the end,
    // and once more from its default label, so that every section is checked.
    CharBuffer label;
    for (;;) {
        const std::optional<TokenKind> kind = engine.FindBlockLabel(label);
        if (kind == TokenKind::End) engine.ScriptError(kSwitchEndOfFile);
        if (!kind) break;
        if (std::strcmp(label.CStr(), "case") != 0) continue;
        engine.SkipBlanks();
        (void)engine.ExecuteStatements(RunMode::CaseLabel, &c, DeclType::NoDeclaration);
        if (c != Completion::Colon) engine.ScriptError(kSwitchInvalidCaseArgument);
        if (RunSwitchSection(engine, run, c)) return RunStep::EndRun(c, run.result);
        break;
    }

    engine.SetPosition(blockStart);
    for (;;) {
        const std::optional<TokenKind> kind = engine.FindBlockLabel(label);
        if (!kind || kind == TokenKind::End) break;
        if (std::strcmp(label.CStr(), "default") != 0) continue;
        Expect(engine, ':', kInvalidDefault);
        if (RunSwitchSection(engine, run, c)) return RunStep::EndRun(c, run.result);
        break;
    }
    return RunStep::Completed();
}

RunStep HandleCase(ScriptReader& engine, RunState&) {
    // A label met inside a running section is neither evaluated nor compared, so it must
    // be one token.
    CharBuffer label;
    (void)engine.ReadToken(label);
    engine.SkipBlanks();
    Expect(engine, ':', kInvalidCase);
    return RunStep::Completed();
}

RunStep HandleDefault(ScriptReader& engine, RunState&) {
    engine.SkipBlanks();
    Expect(engine, ':', kInvalidDefault);
    return RunStep::Completed();
}

/// break and continue interrupt nothing in a single pass; only their ";" is checked.
RunStep ExpectSemicolon(ScriptReader& engine, const char* message) {
    CharBuffer token;
    const TokenKind kind = engine.ReadToken(token);
    if (kind != TokenKind::Operator || std::strcmp(token.CStr(), ";") != 0) {
        engine.ScriptError("%s", message);
    }
    return RunStep::Completed();
}

RunStep HandleReturn(ScriptReader& engine, RunState&) {
    Value value = engine.ExecuteStatements(RunMode::Statement, nullptr, DeclType::NoDeclaration);
    return RunStep::EndRun(Completion::Return, std::move(value));
}

}  // namespace

RunStep ScriptReader::HandleControlKeyword(Keyword keyword, RunState& run) {
    switch (keyword) {
    case Keyword::If:
        return HandleIf(*this, run);
    case Keyword::Else:
        return HandleElse(*this, run);
    case Keyword::While:
        return HandleWhile(*this, run);
    case Keyword::Do:
        return HandleDo(*this, run);
    case Keyword::For:
        return HandleFor(*this, run);
    case Keyword::Switch:
        return HandleSwitch(*this, run);
    case Keyword::Case:
        return HandleCase(*this, run);
    case Keyword::Default:
        return HandleDefault(*this, run);
    case Keyword::Break:
        return ExpectSemicolon(*this, kInvalidBreak);
    case Keyword::Continue:
        return ExpectSemicolon(*this, kInvalidContinue);
    case Keyword::Return:
        return HandleReturn(*this, run);
    // exit never ends a validation: the word is dropped and "exit(1);" reads as "(1);".
    case Keyword::Exit:
    case Keyword::None:
    case Keyword::Int:
    case Keyword::Float:
    case Keyword::String:
    case Keyword::Void:
        break;
    }
    return RunStep::Completed();
}
