#pragma once
// The analysis layer: one validation of one text through the engine's single entry, with every
// place the engine reports turned into protocol positions of that very text.
#include <atomic>
#include <string>
#include <string_view>
#include <vector>

#include "TextPositions.h"
#include "values/Value.h"

/// What a published diagnostic says.
enum class FindingKind {
    Error,     ///< the error that stopped loading or the run
    External,  ///< the first use of an external variable or function
};

/// One finding of the engine, placed in the text.
struct Finding {
    FindingKind kind = FindingKind::Error;
    Range range;
    std::string message;  ///< as the result dialog shows it, without the file and line
};

/// A variable or parameter the script declares.
struct VariableSymbol {
    std::string name;
    ValueType type = ValueType::Void;
    int arraySize = 0;  ///< 0 for a scalar
    Range nameRange;
};

/// A user function, one per name and parameter count.
struct FunctionSymbol {
    std::string name;
    ValueType returnType = ValueType::Void;
    std::vector<VariableSymbol> parameters;
    Range nameRange;
    Range fullRange;  ///< from the name to the body's closing brace
};

/// Everything one validation found out about one version of a document.
struct Analysis {
    int version = 0;
    std::vector<Finding> findings;  ///< the error first, then externals in display order
    bool loaded = false;            ///< the script loaded, so the declarations below are its own
    std::vector<FunctionSymbol> functions;
    std::vector<VariableSymbol> globalVariables;
    bool cancelled = false;  ///< stopped by its caller: says nothing about the text
};

/// The longest one validation of a document may run. A script whose checking pass never ends
/// gets this limit's error as its diagnostic, and the next edit is validated after all.
inline constexpr double kAnalysisTimeLimitSeconds = 10;

/// Validates the document text (lines ending in LF, CR LF or CR) and places what was found;
/// cancel (null: none) stops the run early when another thread sets it.
Analysis Analyze(std::string_view text, int version, const std::atomic<bool>* cancel = nullptr);

/// The type's name as a script writes it ("int", "float", "string", "void").
std::string_view TypeName(ValueType type);
/// "int x", "float ratio[4]".
std::string DescribeVariable(const VariableSymbol& variable);
/// "int add(int a, float c)".
std::string DescribeFunction(const FunctionSymbol& function);
