#include "LanguageCatalog.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::string_view, 12> kKeywords = {
    "if", "else", "while", "do", "for", "switch", "case", "default", "break", "continue", "return", "exit",
};

constexpr std::array<std::string_view, 4> kTypeNames = {"int", "float", "string", "void"};

constexpr std::array<BuiltinFunction, 18> kBuiltins = {{
    {"float", "float float(any x)", "Converts an int, or a string read as a decimal number, to float."},
    {"int", "int int(any x)", "Converts to int; floats and numeric strings are truncated toward zero."},
    {"string", "string string(any x)", "Formats a number as text (int with %i, float with %g)."},
    {"exp", "float exp(float x)", "e raised to x."},
    {"log", "float log(float x)", "Natural logarithm of x."},
    {"sqrt", "float sqrt(float x)", "Square root of x."},
    {"sin", "float sin(float x)", "Sine of x radians."},
    {"cos", "float cos(float x)", "Cosine of x radians."},
    {"tan", "float tan(float x)", "Tangent of x radians."},
    {"asin", "float asin(float x)", "Arc sine of x, in radians."},
    {"acos", "float acos(float x)", "Arc cosine of x, in radians."},
    {"atan", "float atan(float x)", "Arc tangent of x, in radians."},
    {"pow", "float pow(float x, float y)", "x raised to y, both taken at single precision."},
    {"rand", "float rand()", "Next pseudo-random number from 0 to 1; any arguments are ignored."},
    {"DEG", "float DEG(float radians)", "Converts radians to degrees."},
    {"RAD", "float RAD(float degrees)", "Converts degrees to radians."},
    {"strlen", "int strlen(string s)", "Number of bytes of the text."},
    {"strtrim", "string strtrim(string s, int from, int to)",
     "The characters of s from position from to position to, both included."},
}};

}  // namespace

std::span<const std::string_view> Keywords() { return kKeywords; }
std::span<const std::string_view> TypeNames() { return kTypeNames; }
std::span<const BuiltinFunction> Builtins() { return kBuiltins; }

bool IsKeyword(std::string_view word) { return std::find(kKeywords.begin(), kKeywords.end(), word) != kKeywords.end(); }

bool IsTypeName(std::string_view word) {
    return std::find(kTypeNames.begin(), kTypeNames.end(), word) != kTypeNames.end();
}

const BuiltinFunction* FindBuiltin(std::string_view name) {
    const auto it = std::find_if(kBuiltins.begin(), kBuiltins.end(),
                                 [name](const BuiltinFunction& builtin) { return builtin.name == name; });
    return it == kBuiltins.end() ? nullptr : &*it;
}
