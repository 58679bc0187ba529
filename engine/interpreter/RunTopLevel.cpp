// The statement loop of a whole script, run on the worker thread.
#include "interpreter/InterpreterMessages.h"
#include "reader/ScriptReader.h"

using namespace InterpreterMessages;

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
