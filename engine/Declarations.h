#pragma once
// What a script declares, as tools that point into the script need it (outlines, go to
// definition, hover, completion). Read from the engine's own tables after a validation.
#include <string>
#include <vector>

#include "values/Value.h"

class ScriptReader;

/// A variable or parameter the script declares, and where its name stands.
struct DeclaredVariable {
    std::string name;                  ///< as declared
    ValueType type = ValueType::Void;  ///< the declared type
    int arraySize = 0;                 ///< 0 for a scalar
    int line = 1;                      ///< 1-based line of the name in the script as written
    int column = 1;                    ///< 1-based byte column of the name
};

/// A user function: one entry per name and parameter count, as the engine files them.
struct DeclaredFunction {
    std::string name;                          ///< as declared
    ValueType returnType = ValueType::Void;    ///< the declared result type
    std::vector<DeclaredVariable> parameters;  ///< in order
    int line = 1;                              ///< 1-based line of the name in the declaration
    int column = 1;                            ///< 1-based byte column of the name
    int endLine = 1;                           ///< line of the body's closing "}"
    int endColumn = 1;                         ///< byte column just after that "}"
};

/// The script's user functions and global variables, each in the order of its declaration.
struct Declarations {
    std::vector<DeclaredFunction> functions;        ///< the second of a name and arity is not filed
    std::vector<DeclaredVariable> globalVariables;  ///< globals only; locals end with their call
};

/// Everything the engine has filed so far: after a failed run, what was declared before the
/// error; restarts the walks of the engine's tables.
Declarations CollectDeclarations(ScriptReader& engine);
