#pragma once

// Messages of the interpreter: statements, control flow, the skipping of text that is not run,
// user functions and variables. printf formats, byte for byte as users see them, misspellings
// ("paramters", "decleration") included.

namespace InterpreterMessages {

// Statements.
inline constexpr char kEndOfFileInStatement[] = "Unexpected end of file";
inline constexpr char kEndOfFileMissingParen[] = "Unexpected end of file: Missing ')'";
inline constexpr char kEndOfFileMissingBrace[] = "Unexpected end of file: Missing '}'";
inline constexpr char kEndOfFileMissingBracket[] = "Unexpected end of file: Missing ']'";
inline constexpr char kInvalidSemicolon[] = "Encountered invalid ';'";
inline constexpr char kInvalidCloseParen[] = "Encountered invalid ')'";
inline constexpr char kInvalidCloseBrace[] = "Encountered invalid '}'";
inline constexpr char kInvalidCloseBracket[] = "Encountered invalid ']'";
inline constexpr char kInvalidOpenBracket[] = "Encountered invalid '['";
inline constexpr char kInvalidColon[] = "Encountered invalid ':'";
inline constexpr char kInvalidCommaInIndex[] = "Invalid ',' in [] Block";
inline constexpr char kIndexMustBePositive[] = "Index must be positive integer";
inline constexpr char kIntConversionOnlyAsFunction[] = "Type conversion only valid as function (missing ';' ?)";
inline constexpr char kConversionOnlyAsFunction[] = "Type conversion only valid as function";
inline constexpr char kMissingSemicolon[] = "Missing ';'";
inline constexpr char kInvalidFunctionPosition[] = "Invalid position for function decleration";
inline constexpr char kInvalidVariableDeclaration[] = "Invalid variable declaration";
inline constexpr char kInvalidVoid[] = "Invalid 'void'";

// Control flow and skipped text.
inline constexpr char kIfWithoutParameters[] = "Keyword 'if' without paramters";
inline constexpr char kIfInvalidArguments[] = "Invalid arguments in 'if'";
inline constexpr char kIfInvalidParameters[] = "Invalid parameters for 'if' keyword";
inline constexpr char kMisplacedElse[] = "Misplaced 'else'";
inline constexpr char kWhileWithoutParameters[] = "Keyword 'while' without parameters";
inline constexpr char kWhileInvalidParameters[] = "Invalid parameters for 'while' keyword";
inline constexpr char kDoWithoutWhile[] = "'do' without valid 'while'";
inline constexpr char kDoInvalidArgument[] = "Invalid argument in 'while'";
inline constexpr char kForWithoutParameters[] = "'for' without parameters";
inline constexpr char kForInvalidCondition[] = "Invalid condition argument in 'for'";
inline constexpr char kSwitchInvalid[] = "Invalid 'switch'";
inline constexpr char kSwitchWithoutParameters[] = "'switch' without parameter block";
inline constexpr char kSwitchInvalidParameters[] = "Invalid paramters in 'switch'";
inline constexpr char kSwitchNoBlock[] = "Invalid 'switch' block - '{' not found";
inline constexpr char kSwitchInvalidCaseArgument[] = "Invalid 'case' argument";
inline constexpr char kSwitchInvalidBlock[] = "Invalid 'switch' block";
inline constexpr char kSwitchEndOfFile[] = "End of file reached in switch block";
inline constexpr char kInvalidDefault[] = "Invalid 'default' keyword";
inline constexpr char kInvalidCase[] = "Invalid 'case' keyword";
inline constexpr char kInvalidBreak[] = "Invalid break statement";
inline constexpr char kInvalidContinue[] = "Invalid continue statement";

// User functions.
inline constexpr char kFunctionInvalidDeclaration[] = "Invalid function declaration";
inline constexpr char kFunctionPrototype[] = "Function prototypes not supported";
inline constexpr char kFunctionInvalidCallBlock[] = "Invalid block in function call";
inline constexpr char kFunctionInconsistentArguments[] = "Internal error: inconsistent number of arguments";
inline constexpr char kFunctionStackOverflow[] = "Stack overflow: more than 256 function iterations";
inline constexpr char kFunctionInvalidReturnType[] = "Invalid return type for function '%s'";
inline constexpr char kFunctionCanNotReturnValue[] = "Function '%s' can not return a value";

// Variables and scopes.
inline constexpr char kVariableAlreadyInStack[] = "Variable '%s' already in stack";
inline constexpr char kVariableAlreadyDefined[] = "Variable '%s' already defined";
inline constexpr char kVariableNoneArray[] = "Variable '%s' is none array";
inline constexpr char kIndexOutOfRangeForVariable[] = "Index %i out of range for variable '%s'";
inline constexpr char kIndexOutOfRange[] = "Index out of range: %i";
inline constexpr char kVoidVariablesCanNotBeSet[] = "Void variables can not be set";
inline constexpr char kVariablesCanNotBeSetVoid[] = "Variables can not be set 'Void'";
inline constexpr char kCanNotConvertStringToInt[] = "Can not convert 'String' to 'Int'";
inline constexpr char kCanNotConvertStringToFloat[] = "Can not convert 'String' to 'Float'";
inline constexpr char kCanNotConvertIntToString[] = "Can not convert 'Int' to 'String'";
inline constexpr char kCanNotConvertFloatToString[] = "Can not convert 'Float' to 'String'";

// A run stopped before the end of its script, and memory running out.
inline constexpr char kValidationCancelled[] = "Validation cancelled";
inline constexpr char kTimeLimitExceeded[] = "Time limit exceeded: the validation ran longer than %g seconds";
inline constexpr char kMemoryLimitExceeded[] = "Memory limit exceeded: the validation needs more than %zu bytes";
inline constexpr char kArrayExceedsMemoryLimit[] =
    "Memory limit exceeded: array '%s' of %i elements does not fit in %zu bytes";
inline constexpr char kOutOfMemory[] = "Out of memory: the system refused an allocation";
inline constexpr char kOutOfMemoryLoading[] =
    "Out of memory: the system refused an allocation while loading %zu bytes of script";

}  // namespace InterpreterMessages
