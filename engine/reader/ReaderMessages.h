#pragma once

// Texts of the script front end, byte for byte as the errors, the log and the host show them.

namespace ReaderMessages {

inline constexpr char kScriptReaderComponent[] = "ScriptReader";
inline constexpr char kInlineFileName[] = "*inline*";

// Loading and running.
inline constexpr char kScriptErrorLog[] = "Script Error: %s";
inline constexpr char kScriptErrorTitle[] = "Script Error";
inline constexpr char kContinueQuestion[] = "\n\nWould you like to continue?";
inline constexpr char kUnknownErrorType[] = "Unknown error type caught";
inline constexpr char kCannotCreateThread[] = "Can not create thread: %s";
inline constexpr char kRaiseStoredError[] = "%s";
inline constexpr char kTooManyNestedBlocks[] = "Too many nested blocks (more than %i)";
inline constexpr char kStackExhausted[] = "Stack exhausted: blocks nested too deeply inside %i nested function calls";
inline constexpr char kScriptTextTooLong[] = "Script text too long: %zu bytes";

// Source store and precompiler.
inline constexpr char kInvalidLine[] = "Invalid line: %i";
inline constexpr char kInvalidFileId[] = "Invalid file ID %i in line: %i";
inline constexpr char kTooManyIncludeLevels[] = "Too many #include levels. (Recursion?)";
inline constexpr char kInvalidPrecompilerCommand[] = "Invalid precompiler command: '%s'";
inline constexpr char kInvalidIncludeCommand[] = "Invalid 'include' command";
inline constexpr char kIncludeDirective[] = "include";

// Scanner.
inline constexpr char kUnexpectedEndOfFile[] = "unexpected end of file";
inline constexpr char kMissing[] = "Missing '%s'";
inline constexpr char kEndOfFileInString[] = "End of file in string";
inline constexpr char kInvalidCharacter[] = "Encountered invalid character: %c (%i)";
inline constexpr char kInvalidParenBlock[] = "Invalid () block found";
inline constexpr char kInvalidSquareBlock[] = "Invalid [] block found";
inline constexpr char kBlockCommentEnd[] = "*/";

// Script error report.
inline constexpr char kScriptErrorReport[] = "file:'%s', line: %i: %s\n\n%s\n%s\n%s";
inline constexpr char kMissingContextLine[] = " ";

// The result of a validation, as the result dialog shows it.
inline constexpr char kValidationSuccessful[] = "Validation successful";
inline constexpr char kComponentSeparator[] = ": ";
inline constexpr char kExternalVariablesUsed[] = "external variables used:";
inline constexpr char kExternalFunctionsUsed[] = "external functions used:";

}  // namespace ReaderMessages
