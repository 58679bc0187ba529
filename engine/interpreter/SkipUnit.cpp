#include <cstring>

#include "interpreter/InterpreterMessages.h"
#include "reader/ScriptReader.h"

using namespace InterpreterMessages;

// SkipUnit passes over text that a single validation pass never runs (a for loop's
// increment and body, the rest of a block left by return, a function body at its
// declaration). It declares and calls nothing, but checks the bracket structure and the
// pairing of if and else, so that a fault there is found although the text does not run.

namespace {

/// The three flags of one SkipUnit call.
struct SkipFlags {
    bool pendingIf = false;    ///< an if statement has just been passed over
    bool elseAllowed = true;   ///< no token other than an else has been met yet
    bool keywordSeen = false;  ///< a keyword has been met in this call
};

/// What the current token does to the call.
enum class SkipStep { GoOn, End };

/// c is the operator's character, NUL for an operator of two.
SkipStep SkipOperator(ScriptReader& engine, RunMode mode, char c, SkipFlags& flags) {
    switch (c) {
    case ';':
        if (mode == RunMode::Statement) return SkipStep::End;
        break;
    case '(':
        engine.SkipUnit(RunMode::Paren);
        break;
    case '{':
        engine.SkipUnit(RunMode::Block);
        break;
    case '[':
        engine.SkipUnit(RunMode::Index);
        break;
    case ')':
        if (mode != RunMode::Paren) engine.ScriptError(kInvalidCloseParen);
        return SkipStep::End;
    case '}':
        if (mode == RunMode::Block) return SkipStep::End;
        // A keyword statement with a block body may be the last one of the enclosing block:
        // its "}" belongs to the caller.
        if (mode == RunMode::Statement && flags.keywordSeen) {
            engine.SetPosition(engine.position - 1);
            return SkipStep::End;
        }
        engine.ScriptError(kInvalidCloseBrace);
    case ']':
        if (mode != RunMode::Index) engine.ScriptError(kInvalidCloseBracket);
        return SkipStep::End;
    default:
        break;
    }
    flags.pendingIf = false;
    flags.elseAllowed = false;
    return SkipStep::GoOn;
}

SkipStep SkipWord(ScriptReader& engine, RunMode mode, const char* word, int unitStart, SkipFlags& flags) {
    const Keyword keyword = ScriptReader::ClassifyKeyword(word);
    if (keyword != Keyword::None) flags.keywordSeen = true;
    // After an if without else, a Statement skip ends in front of the next statement's word.
    const bool endsStatement = flags.pendingIf && mode == RunMode::Statement;

    if (keyword == Keyword::If) {
        if (endsStatement) {
            engine.SetPosition(unitStart);
            return SkipStep::End;
        }
        if (engine.PeekChar() != '(') engine.ScriptError(kIfWithoutParameters);
        engine.ReadChar();
        engine.SkipUnit(RunMode::Paren);
        engine.SkipBody();
        flags.pendingIf = true;
        flags.elseAllowed = false;
        return SkipStep::GoOn;
    }
    if (keyword == Keyword::Else) {
        if (!flags.pendingIf && !flags.elseAllowed) engine.ScriptError(kMisplacedElse);
        engine.SkipBody();
        flags.pendingIf = false;
        if (mode == RunMode::Statement) return SkipStep::End;
        flags.elseAllowed = false;
        return SkipStep::GoOn;
    }
    if (endsStatement) {
        engine.SetPosition(unitStart);
        return SkipStep::End;
    }
    flags.pendingIf = false;
    flags.elseAllowed = false;
    return SkipStep::GoOn;
}

}  // namespace

void ScriptReader::SkipUnit(RunMode mode) {
    NestingGuard guard(*this);
    SkipFlags flags;
    const LentTokenBuffer lent(*this);
    CharBuffer& token = lent.buffer;
    for (;;) {
        budget.Poll();
        const int unitStart = position;
        // Names and operators are looked at in the text itself.
        const TokenKind kind = SkimToken(token);
        const char* word = sourceText.data() + tokenStart;
        SkipStep step = SkipStep::GoOn;
        switch (kind) {
        case TokenKind::End:
            if (mode == RunMode::Paren) ScriptError(kEndOfFileMissingParen);
            if (mode == RunMode::Block) ScriptError(kEndOfFileMissingBrace);
            if (mode == RunMode::Index) ScriptError(kEndOfFileMissingBracket);
            return;
        case TokenKind::Operator:
            step = SkipOperator(*this, mode, position - tokenStart == 1 ? word[0] : '\0', flags);
            break;
        case TokenKind::Name:
        case TokenKind::CallName:
            step = SkipWord(*this, mode, word, unitStart, flags);
            break;
        default:
            // Numbers, strings, indexed names and directives.
            if (flags.pendingIf && mode == RunMode::Statement) {
                SetPosition(unitStart);
                return;
            }
            flags.pendingIf = false;
            flags.elseAllowed = false;
            break;
        }
        if (step == SkipStep::End) return;
    }
}

void ScriptReader::SkipBody() {
    SkipBlanks();
    if (PeekChar() == '{') {
        ReadChar();
        SkipUnit(RunMode::Block);
    } else {
        SkipUnit(RunMode::Statement);
    }
}
