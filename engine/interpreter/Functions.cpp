#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "interpreter/InterpreterMessages.h"
#include "reader/ReaderMessages.h"
#include "reader/ScriptReader.h"

using namespace InterpreterMessages;
using namespace ReaderMessages;

// A function is kept as the text position of its body and run from the text on every call.
// Functions are told apart by name and parameter count: "add" with two parameters is filed
// under the key add@2, so overloads by arity are simply different keys.

namespace {

/// Function calls that may be running at once, the validation pass of a declaration included.
constexpr int kMaxFunctionScopes = 256;

// Built without a formatting buffer, which would cut a long name's count off and let its
// overloads collide.
void FunctionKey(std::string& key, const char* name, int arity) {
    key.assign(name);
    key += '@';
    char digits[16];
    const auto written = std::to_chars(digits, digits + sizeof digits, arity);
    key.append(digits, written.ptr);
}

/// The parameter type a type keyword names; Void for any other word.
ValueType ParameterType(const char* word) {
    switch (ScriptReader::ClassifyKeyword(word)) {
    case Keyword::Int:
        return ValueType::Int;
    case Keyword::Float:
        return ValueType::Float;
    case Keyword::String:
        return ValueType::String;
    default:
        return ValueType::Void;
    }
}

/// Consumes the character at the cursor when it is the given one.
bool Accept(ScriptReader& engine, char c) {
    if (engine.PeekChar() != c) return false;
    engine.ReadChar();
    return true;
}

/// Reads "type name" pairs up to the closing ")"; the cursor stands behind the "(".
void ReadParameters(ScriptReader& engine, FunctionRecord& record) {
    engine.SkipBlanks();
    if (Accept(engine, ')')) return;
    CharBuffer token;
    for (;;) {
        if (engine.AtEnd()) engine.ScriptError(kUnexpectedEndOfFile);
        // Parameters are scalars: "int a[3]" reads as an indexed name and is refused.
        TokenKind kind = engine.ReadToken(token);
        const ValueType type = kind == TokenKind::Name ? ParameterType(token.CStr()) : ValueType::Void;
        if (type == ValueType::Void) engine.ScriptError(kFunctionInvalidDeclaration);
        kind = engine.ReadToken(token);
        const bool keyword = ScriptReader::ClassifyKeyword(token.CStr()) != Keyword::None;
        if (kind != TokenKind::Name || keyword) {
            engine.ScriptError(kFunctionInvalidDeclaration);
        }
        Variable* parameter = record.params.GetSlot(record.params.Add());
        parameter->name = token;
        parameter->declaredAt = engine.tokenStart;
        parameter->value.type = type;

        engine.SkipBlanks();
        if (Accept(engine, ',')) continue;
        if (Accept(engine, ')')) return;
        engine.ScriptError(kFunctionInvalidDeclaration);
    }
}

/// Owns the top entry of the scope stack for one function run, on every exit. The body's
/// nesting is counted from zero: the limit is on what the text nests, and the calls have
/// their own limit.
///
/// A call's scope takes over the children that an ended call's scope left behind, entry lists
/// included: every call declares its parameters, and building those afresh for each call
/// cost more than many a short function's body.
class FunctionScope {
public:
    explicit FunctionScope(ScriptReader& engine)
        : engine(engine), callerNesting(std::exchange(engine.nestingDepth, 0)) {
        // Reserved up front, so that handing the children back never needs memory.
        engine.spareScopeLeaves.reserve(kMaxFunctionScopes);
        VariableScope* scope = engine.scopes.GetSlot(engine.scopes.Add());
        scope->engine = &engine;
        if (!engine.spareScopeLeaves.empty()) {
            scope->AdoptLeaves(std::move(engine.spareScopeLeaves.back()));
            engine.spareScopeLeaves.pop_back();
        }
    }
    ~FunctionScope() {
        DynaMem<VariableScope>& scopes = engine.scopes;
        const int slot = scopes.GetSlotNr(scopes.GetCount() - 1);
        if (auto leaves = scopes.GetSlot(slot)->ReleaseLeaves()) {
            engine.spareScopeLeaves.push_back(std::move(leaves));
        }
        scopes.Delete(slot);
        engine.nestingDepth = callerNesting;
    }
    FunctionScope(const FunctionScope&) = delete;
    FunctionScope& operator=(const FunctionScope&) = delete;

private:
    ScriptReader& engine;
    int callerNesting;
};

/// One run of a function body in a scope of its own; arguments null runs it with the
/// zero-valued parameters of the record (the validation pass of a declaration).
Value RunFunction(ScriptReader& engine, const FunctionRecord& record, const Value* arguments) {
    engine.SetPosition(record.bodyPos);
    // A single pass cannot stop a recursion by its condition, so the depth is what ends it.
    if (engine.scopes.GetCount() >= kMaxFunctionScopes) engine.ScriptError(kFunctionStackOverflow);
    FunctionScope scope(engine);
    engine.deepestScopes = std::max(engine.deepestScopes, engine.scopes.GetCount());
    for (int k = 0; k < record.params.GetCount(); ++k) {
        const Variable& parameter = *record.params.Get(k);
        // A parameter takes the type of the value passed, not the declared one.
        const Value& value = arguments ? arguments[k] : parameter.value;
        Variable* local = engine.DefineVariable(parameter.name.CStr(), value.type, parameter.arraySize);
        // Copied directly: a parameter may hold External or Void, which no assignment stores.
        local->value = value;
    }

    Completion c = Completion::Semicolon;
    const Value raw = engine.ExecuteStatements(RunMode::Block, &c, DeclType::NoDeclaration);
    const bool ended = c == Completion::Return || c == Completion::CloseBrace;
    if ((raw.type == ValueType::Void && record.returnType != ValueType::Void) || !ended) {
        engine.ScriptError(kFunctionInvalidReturnType, record.name.CStr());
    }
    if (raw.type != ValueType::Void && record.returnType == ValueType::Void) {
        engine.ScriptError(kFunctionCanNotReturnValue, record.name.CStr());
    }

    Value converted;
    converted.type = record.returnType;
    ScriptReader::ConvertResult(converted, raw);
    return converted;
}

}  // namespace

void ScriptReader::DeclareFunction(const char* name, ValueType returnType, int nameStart) {
    FunctionRecord record;
    record.name = CharBuffer(name);
    record.returnType = returnType;
    record.nameStart = nameStart;
    ReadParameters(*this, record);

    SkipBlanks();
    const char opener = PeekChar();
    if (opener == ';') ScriptError(kFunctionPrototype);
    if (opener != '{') ScriptError(kFunctionInvalidDeclaration);
    ReadChar();
    record.bodyPos = position;
    SkipUnit(RunMode::Block);
    record.bodyEnd = position;

    // A second declaration of the same name and arity is silently ignored: the first stays.
    std::string key;
    FunctionKey(key, name, record.params.GetCount());
    auto* entry = functions.Insert(key.c_str(), static_cast<int>(key.size()));
    if (entry) {
        entry->item = record;
        // A remembered call ran without outside lookups, so every call in it went to a user
        // function, whose record never changes, or to a built-in: only a function that takes
        // a built-in's calls can make it run differently now.
        if (ShadowsBuiltin(name)) callMemo.Clear();
    }

    // Run the body once now, with zero-valued parameters, so that a function that is never
    // called is still checked and the names it uses are recorded.
    const int behindBody = position;
    (void)ExecuteFunction(record);
    SetPosition(behindBody);
}

Value ScriptReader::CallFunction(const char* name, int nameStart) {
    // Nearly every call passes a few arguments: those stay in this frame, and only a longer
    // list moves to the heap.
    constexpr int kHeldInFrame = 4;
    Value held[kHeldInFrame];
    std::vector<Value> more;
    int count = 0;
    SkipBlanks();
    if (!Accept(*this, ')')) {
        for (;;) {
            Completion c = Completion::Semicolon;
            Value argument = ExecuteStatements(RunMode::Argument, &c, DeclType::NoDeclaration);
            if (count < kHeldInFrame) {
                held[count] = std::move(argument);
            } else {
                if (more.empty()) std::move(held, held + kHeldInFrame, std::back_inserter(more));
                more.push_back(std::move(argument));
            }
            ++count;
            if (c == Completion::Comma) continue;
            if (c == Completion::CloseParen) break;
            ScriptError(kFunctionInvalidCallBlock);
        }
    }
    return CallBuiltin(name, count > kHeldInFrame ? more.data() : held, count, nameStart);
}

bool ScriptReader::CallUserFunction(const char* name, Value* arguments, int count, Value& result) {
    std::string key;
    FunctionKey(key, name, count);
    auto* entry = functions.Find(key.c_str());
    if (!entry) return false;
    // The filed record is only read: the arguments go straight into the call's own scope, so
    // a recursive call cannot overwrite the parameters of a running one.
    const FunctionRecord& record = entry->item;
    if (record.params.GetCount() != count) ScriptError(kFunctionInconsistentArguments);

    const bool remembered = CallMemo::Remembers(arguments, count);
    if (remembered) {
        const CallMemo::Outcome* earlier = callMemo.Find(entry, arguments, count);
        // Run again where the same run would now reach the depth or the memory limit, so that
        // it fails where it would have.
        if (earlier != nullptr && scopes.GetCount() + earlier->deeperCalls <= kMaxFunctionScopes &&
            budget.Fits(earlier->bytes)) {
            // The calls this one is part of are remembered as having gone as deep and held as
            // much as running it would have: a later call of theirs must run again where this
            // part would now reach a limit.
            deepestScopes = std::max(deepestScopes, scopes.GetCount() + earlier->deeperCalls);
            budget.RestorePeak(budget.Used() + earlier->bytes);
            result = earlier->result;
            tokenStart = earlier->tokenStart;
            errorStart = earlier->errorStart;
            return true;
        }
    }

    const std::uint64_t lookupsBefore = outsideLookups;
    const int callerScopes = scopes.GetCount();
    const int deepestBefore = std::exchange(deepestScopes, callerScopes);
    const std::size_t usedBefore = budget.Used();
    const std::size_t peakBefore = budget.StartPeak();
    const int callerPosition = position;
    result = RunFunction(*this, record, arguments);
    SetPosition(callerPosition);

    CallMemo::Outcome outcome;
    outcome.deeperCalls = deepestScopes - callerScopes;
    outcome.bytes = budget.Peak() - std::min(budget.Peak(), usedBefore);
    deepestScopes = std::max(deepestScopes, deepestBefore);
    budget.RestorePeak(peakBefore);
    if (remembered && outsideLookups == lookupsBefore && CallMemo::Remembers(result)) {
        outcome.result = result;
        outcome.tokenStart = tokenStart;
        outcome.errorStart = errorStart;
        callMemo.Add(entry, arguments, count, std::move(outcome));
    }
    return true;
}

Value ScriptReader::ExecuteFunction(FunctionRecord& record) { return RunFunction(*this, record, nullptr); }

void ScriptReader::ConvertResult(Value& target, const Value& source) {
    const ValueType type = target.type;
    target.Clear();
    target.type = type;
    // No conversion fails: a result of the wrong kind becomes the zero of the declared type.
    switch (type) {
    case ValueType::Int:
        if (source.type == ValueType::Int) target.i = source.i;
        if (source.type == ValueType::Float) target.i = FloatToInt(source.f);
        break;
    case ValueType::Float:
        if (source.type == ValueType::Int) target.f = static_cast<double>(source.i);
        if (source.type == ValueType::Float) target.f = source.f;
        break;
    case ValueType::String:
        if (source.type == ValueType::String) target.text = source.text;
        break;
    case ValueType::Void:
    case ValueType::External:
        break;
    }
}
