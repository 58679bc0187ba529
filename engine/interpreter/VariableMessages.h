#pragma once

// Messages of the variables and scopes: printf formats, byte for byte as users see them.
inline constexpr const char* kVariableAlreadyInStack = "Variable '%s' already in stack";
inline constexpr const char* kVariableAlreadyDefined = "Variable '%s' already defined";
inline constexpr const char* kVariableNoneArray = "Variable '%s' is none array";
inline constexpr const char* kIndexOutOfRangeForVariable = "Index %i out of range for variable '%s'";
inline constexpr const char* kIndexOutOfRange = "Index out of range: %i";
inline constexpr const char* kVoidVariablesCanNotBeSet = "Void variables can not be set";
inline constexpr const char* kVariablesCanNotBeSetVoid = "Variables can not be set 'Void'";
inline constexpr const char* kCanNotConvertStringToInt = "Can not convert 'String' to 'Int'";
inline constexpr const char* kCanNotConvertStringToFloat = "Can not convert 'String' to 'Float'";
inline constexpr const char* kCanNotConvertIntToString = "Can not convert 'Int' to 'String'";
inline constexpr const char* kCanNotConvertFloatToString = "Can not convert 'Float' to 'String'";
