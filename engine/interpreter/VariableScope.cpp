#include "interpreter/VariableScope.h"

#include <utility>

#include "interpreter/InterpreterMessages.h"
#include "reader/ScriptReader.h"

using namespace InterpreterMessages;

VariableScope::VariableScope() : SearchTree<Variable>(1) {}

Variable* VariableScope::AddVariable(const char* name, ValueType type, int arraySize) {
    Entry* entry = Insert(name);
    if (!entry) {
        // A scope in an engine reports with the script position; a lone scope has none.
        if (engine) engine->ScriptError(kVariableAlreadyInStack, name);
        Error(kVariableAlreadyInStack, name);
    }
    Variable& variable = entry->item;
    variable.value.type = type;
    variable.arraySize = arraySize;
    if (arraySize >= 1) {
        // Counted before the elements exist: an array past the memory limit is refused by
        // name instead of taking the machine's memory.
        const size_t bytes = ArrayElements::Bytes(type, arraySize);
        MemoryCharge charge;
        if (engine) {
            engine->budget.CheckArray(name, arraySize, bytes);
            charge = MemoryCharge(&engine->budget, bytes);
        }
        variable.elements = ArrayElements(type, arraySize);
        variable.elements.Charge(std::move(charge));
    }
    return &variable;
}

void VariableScope::Reset() {
    SearchTree<Variable>::Reset();
    caseSensitive = 1;
}
