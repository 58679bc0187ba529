#pragma once
#include "containers/SearchTree.h"
#include "interpreter/Variable.h"
#include "values/Value.h"

class ScriptReader;

/// The variables of one level (the globals, or one running function call). Names are
/// case-sensitive; errors go through the engine so that they carry the script position.
class VariableScope : public SearchTree<Variable> {
public:
    ScriptReader* engine = nullptr;  ///< the engine whose position errors report; may be null

    VariableScope();
    /// Declares a variable in this scope; "Variable '%s' already in stack" when present.
    Variable* AddVariable(const char* name, ValueType type, int arraySize);
    /// Empties the scope and restores case-sensitivity.
    void Reset();
};
