#pragma once

// Messages of the built-in functions: printf formats, byte for byte as users see them.
inline constexpr const char* kBuiltinInvalidParameters = "Invalid parameters for function '%s'";
inline constexpr const char* kBuiltinVoidToFloat = "Can not convert 'Void' to 'Float'";
inline constexpr const char* kBuiltinVoidToInt = "Can not convert 'Void' to 'Int'";
inline constexpr const char* kBuiltinVoidToString = "Can not convert 'Void' to 'String'";
