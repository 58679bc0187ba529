#pragma once

// Messages of the user functions: printf formats, byte for byte as users see them.
inline constexpr const char* kFunctionInvalidDeclaration = "Invalid function declaration";
inline constexpr const char* kFunctionPrototype = "Function prototypes not supported";
inline constexpr const char* kFunctionInvalidCallBlock = "Invalid block in function call";
inline constexpr const char* kFunctionInconsistentArguments =
    "Internal error: inconsistent number of arguments";
inline constexpr const char* kFunctionStackOverflow = "Stack overflow: more than 256 function iterations";
inline constexpr const char* kFunctionInvalidReturnType = "Invalid return type for function '%s'";
inline constexpr const char* kFunctionCanNotReturnValue = "Function '%s' can not return a value";
inline constexpr const char* kFunctionUnexpectedEof = "unexpected end of file";
