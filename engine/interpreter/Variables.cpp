// Declaring, reading and storing script variables, and recording the names a script uses
// without declaring them.
#include "interpreter/InterpreterMessages.h"
#include "reader/ScriptReader.h"

using namespace InterpreterMessages;

namespace {

/// Whether an indexed store goes to an element: false when it is to be ignored.
bool ElementTarget(ScriptReader& engine, const Variable& variable, const char* name, int index) {
    if (!variable.elements) {
        // Strings are indexable for reading (see AccessVariable); a store into a character
        // is accepted and has no effect rather than failing scripts that try it.
        if (variable.value.type == ValueType::String) return false;
        engine.ScriptError(kVariableNoneArray, name);
    }
    if (index >= variable.arraySize) engine.ScriptError(kIndexOutOfRange, index);
    return true;
}

}  // namespace

Variable* ScriptReader::FindVariable(std::string_view name, bool currentScopeOnly) {
    if (scopes.GetCount() > 0) {
        VariableScope* top = scopes.Get(scopes.GetCount() - 1);
        if (auto* entry = top->Find(name)) return &entry->item;
    }
    // Outside any function a current-scope search finds nothing, not even a global: that is
    // what lets a global be declared once and then refused by the tree on a second try.
    if (currentScopeOnly) return nullptr;
    // A call that sees a global depends on more than its arguments.
    if (scopes.GetCount() > 0) ++outsideLookups;
    auto* entry = globals.Find(name);
    return entry ? &entry->item : nullptr;
}

Variable* ScriptReader::DefineVariable(const char* name, ValueType type, int arraySize) {
    if (scopes.GetCount() > 0) {
        return scopes.Get(scopes.GetCount() - 1)->AddVariable(name, type, arraySize);
    }
    return globals.AddVariable(name, type, arraySize);
}

Value ScriptReader::AccessVariable(std::string_view nameView, int index, DeclType declType, int nameStart) {
    const bool declaring = declType != DeclType::NoDeclaration;
    Variable* variable = FindVariable(nameView, declaring);
    const char* name = nameView.data();

    if (variable == nullptr) {
        if (!declaring) {
            ++outsideLookups;
            RecordExternal(externalVariables, name, nameStart);
            return Value::MakeExternal();
        }
        // The bracket number of a declaration is the array size; none or 0 gives a scalar.
        variable = DefineVariable(name, static_cast<ValueType>(declType), index);
        variable->declaredAt = nameStart;
        return index > 0 ? variable->elements.Get(0) : variable->value;
    }

    if (declaring) ScriptError(kVariableAlreadyDefined, name);
    if (index < 0) return variable->elements ? variable->elements.Get(0) : variable->value;
    if (!variable->elements) {
        // Scripts index strings for characters; the checker cannot know the contents, so
        // any character reads as one blank.
        if (variable->value.type == ValueType::String) return Value::MakeString(" ");
        ScriptError(kVariableNoneArray, name);
    }
    if (index >= variable->arraySize) ScriptError(kIndexOutOfRangeForVariable, index, name);
    return variable->elements.Get(index);
}

void ScriptReader::SetVariable(std::string_view nameView, int index, const Value& value, int nameStart) {
    Variable* variable = FindVariable(nameView, false);
    const char* name = nameView.data();
    if (variable == nullptr) {
        ++outsideLookups;
        RecordExternal(externalVariables, name, nameStart);
        return;
    }

    // An unindexed array stands for its first element.
    int element = -1;
    if (index >= 0) {
        if (!ElementTarget(*this, *variable, name, index)) return;
        element = index;
    } else if (variable->elements) {
        element = 0;
    }
    // Every element carries the variable's declared type.
    const ValueType targetType = variable->value.type;

    // An External source is a value the checker cannot know, and an External target is a
    // parameter that received one: neither has anything to store.
    if (value.type == ValueType::External || targetType == ValueType::External) return;
    if (targetType == ValueType::Void) ScriptError(kVoidVariablesCanNotBeSet);
    if (value.type == ValueType::Void) ScriptError(kVariablesCanNotBeSetVoid);

    // Only the payload of the declared type is written; the variable never changes type.
    switch (targetType) {
    case ValueType::Int: {
        if (value.type == ValueType::String) ScriptError(kCanNotConvertStringToInt);
        const int32_t v = value.type == ValueType::Int ? value.i : FloatToInt(value.f);
        if (element >= 0) variable->elements.SetInt(element, v);
        else variable->value.i = v;
        break;
    }
    case ValueType::Float: {
        if (value.type == ValueType::String) ScriptError(kCanNotConvertStringToFloat);
        const double v = value.type == ValueType::Int ? static_cast<double>(value.i) : value.f;
        if (element >= 0) variable->elements.SetFloat(element, v);
        else variable->value.f = v;
        break;
    }
    case ValueType::String:
        if (value.type == ValueType::Int) ScriptError(kCanNotConvertIntToString);
        if (value.type == ValueType::Float) ScriptError(kCanNotConvertFloatToString);
        if (element >= 0) variable->elements.SetString(element, value.text);
        else variable->value.text = value.text;
        break;
    default:
        break;
    }
}
