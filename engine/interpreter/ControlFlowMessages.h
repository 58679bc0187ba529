#pragma once

// Messages of the control-flow statements and of the skipping of text that is not run:
// printf formats, byte for byte as users see them (misspellings included).
inline constexpr const char* kIfWithoutParameters = "Keyword 'if' without paramters";
inline constexpr const char* kIfInvalidArguments = "Invalid arguments in 'if'";
inline constexpr const char* kIfInvalidParameters = "Invalid parameters for 'if' keyword";
inline constexpr const char* kMisplacedElse = "Misplaced 'else'";
inline constexpr const char* kWhileWithoutParameters = "Keyword 'while' without parameters";
inline constexpr const char* kWhileInvalidParameters = "Invalid parameters for 'while' keyword";
inline constexpr const char* kDoWithoutWhile = "'do' without valid 'while'";
inline constexpr const char* kDoInvalidArgument = "Invalid argument in 'while'";
inline constexpr const char* kForWithoutParameters = "'for' without parameters";
inline constexpr const char* kForInvalidCondition = "Invalid condition argument in 'for'";
inline constexpr const char* kSwitchInvalid = "Invalid 'switch'";
inline constexpr const char* kSwitchWithoutParameters = "'switch' without parameter block";
inline constexpr const char* kSwitchInvalidParameters = "Invalid paramters in 'switch'";
inline constexpr const char* kSwitchNoBlock = "Invalid 'switch' block - '{' not found";
inline constexpr const char* kSwitchInvalidCaseArgument = "Invalid 'case' argument";
inline constexpr const char* kSwitchInvalidBlock = "Invalid 'switch' block";
inline constexpr const char* kSwitchEndOfFile = "End of file reached in switch block";
inline constexpr const char* kInvalidDefault = "Invalid 'default' keyword";
inline constexpr const char* kInvalidCase = "Invalid 'case' keyword";
inline constexpr const char* kInvalidBreak = "Invalid break statement";
inline constexpr const char* kInvalidContinue = "Invalid continue statement";

inline constexpr const char* kSkipMissingParen = "Unexpected end of file: Missing ')'";
inline constexpr const char* kSkipMissingBrace = "Unexpected end of file: Missing '}'";
inline constexpr const char* kSkipMissingBracket = "Unexpected end of file: Missing ']'";
inline constexpr const char* kSkipInvalidParen = "Encountered invalid ')'";
inline constexpr const char* kSkipInvalidBrace = "Encountered invalid '}'";
inline constexpr const char* kSkipInvalidBracket = "Encountered invalid ']'";
