#pragma once
// The words of the language an editor shows: keywords, type names and the built-in functions
// with their signatures. One table each, in the order editors list them.
#include <span>
#include <string_view>

/// A built-in function as hover and completion describe it.
struct BuiltinFunction {
    std::string_view name;
    std::string_view signature;    ///< as it would be declared
    std::string_view description;  ///< one line
};

/// The control keywords (if, else, while, ...), without the type names.
std::span<const std::string_view> Keywords();
/// The type names int, float, string and void.
std::span<const std::string_view> TypeNames();
/// The eighteen built-in functions.
std::span<const BuiltinFunction> Builtins();

/// True for a control keyword.
bool IsKeyword(std::string_view word);
/// True for a type name.
bool IsTypeName(std::string_view word);
/// The built-in of that exact (case-sensitive) name, or null.
const BuiltinFunction* FindBuiltin(std::string_view name);
