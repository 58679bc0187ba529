#pragma once

// Messages of the statement executor: printf formats, byte for byte as users see them
// ("decleration" included).

inline constexpr const char* kUnexpectedEndOfFile = "Unexpected end of file";
inline constexpr const char* kEndOfFileMissingParen = "Unexpected end of file: Missing ')'";
inline constexpr const char* kEndOfFileMissingBrace = "Unexpected end of file: Missing '}'";
inline constexpr const char* kEndOfFileMissingBracket = "Unexpected end of file: Missing ']'";
inline constexpr const char* kInvalidSemicolon = "Encountered invalid ';'";
inline constexpr const char* kInvalidCloseParen = "Encountered invalid ')'";
inline constexpr const char* kInvalidCloseBrace = "Encountered invalid '}'";
inline constexpr const char* kInvalidCloseBracket = "Encountered invalid ']'";
inline constexpr const char* kInvalidOpenBracket = "Encountered invalid '['";
inline constexpr const char* kInvalidColon = "Encountered invalid ':'";
inline constexpr const char* kInvalidCommaInIndex = "Invalid ',' in [] Block";
inline constexpr const char* kIndexMustBePositive = "Index must be positive integer";
inline constexpr const char* kInvalidPrecompilerCommand = "Invalid precompiler command: '%s'";
inline constexpr const char* kIntConversionOnlyAsFunction =
    "Type conversion only valid as function (missing ';' ?)";
inline constexpr const char* kConversionOnlyAsFunction = "Type conversion only valid as function";
inline constexpr const char* kMissingSemicolon = "Missing ';'";
inline constexpr const char* kInvalidFunctionPosition = "Invalid position for function decleration";
inline constexpr const char* kInvalidVariableDeclaration = "Invalid variable declaration";
inline constexpr const char* kInvalidVoid = "Invalid 'void'";
