#pragma once

// Texts of the expression evaluator that belong to no single operator, byte for byte.

inline constexpr const char* kUnknownOperator = "Unknown operator '%s'";
inline constexpr const char* kMissingSemicolonInStatement = "Invalid statement. Missing ';' ?";
inline constexpr const char* kCompilerErrorMinus = "Compiler error: '-'";
