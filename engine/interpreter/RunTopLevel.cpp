#include "reader/ScriptReader.h"
#include "reader/TokenKind.h"

// FIXME: replaced when the statement executor lands
Completion ScriptReader::RunTopLevel() {
    CharBuffer token;
    while (ReadToken(token) != TokenKind::End) {
    }
    result.Clear();
    finished.store(1);
    return Completion::EndOfText;
}
