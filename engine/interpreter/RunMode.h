#pragma once
#include <cstdint>

/// What ends a run of ExecuteStatements.
enum class RunMode : int32_t { Statement = 0, Paren = 1, Block = 2, Index = 3, Argument = 4, CaseLabel = 5 };

/// How a run of ExecuteStatements ended.
enum class Completion : int32_t {
    EndOfText = -1,
    Semicolon = 0,
    CloseParen = 1,
    CloseBrace = 2,
    CloseBracket = 3,
    Comma = 4,
    Colon = 5,
    FunctionDeclared = 6,
    Return = -4,
};

/// What a run declares: the ValueType of that code (0..3), or nothing in an ordinary run.
enum class DeclType : int32_t { Void = 0, Int = 1, Float = 2, String = 3, NoDeclaration = 5 };

/// Keyword codes of ClassifyKeyword; 0 is not a keyword.
enum class Keyword : int32_t {
    None = 0, If = 1, Else = 2, While = 3, Continue = 4, Break = 5, Return = 6, Exit = 7, Do = 8,
    For = 9, Switch = 10, Case = 11, Default = 12, Int = 13, Float = 14, String = 15, Void = 16,
};
