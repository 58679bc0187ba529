#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "containers/AsciiCase.h"
#include "reader/ScriptReader.h"
#include "values/ValueMessages.h"
#include "values/MersenneTwister.h"

using namespace ValueMessages;

namespace {

/// What a built-in accepts; a call that breaks the rule fails, except for OneElseExternal.
enum class ArgRule {
    OneAny,            ///< exactly one argument of any type
    OneNumber,         ///< exactly one Int or Float
    OneString,         ///< exactly one String
    TwoAny,            ///< exactly two arguments of any type
    ThreeStringFirst,  ///< exactly three, the first a String
    AnyCount,          ///< any arguments, all ignored
    OneElseExternal,   ///< exactly one of any type; other counts make the name external
};

using BuiltinFunction = Value (*)(ScriptReader& engine, const Value* args);

struct Builtin {
    const char* name;
    ArgRule rule;
    BuiltinFunction function;
};

bool IsNumber(const Value& v) { return v.type == ValueType::Int || v.type == ValueType::Float; }

double Number(const Value& v) { return v.type == ValueType::Int ? static_cast<double>(v.i) : v.f; }

/// A double rounded to single precision the way the hardware conversion rounds, without the
/// undefined conversion of magnitudes beyond the float range.
double RoundToSingle(double d) {
    if (std::isnan(d)) return d;
    // Halfway between FLT_MAX and 2^128: from here on round-to-nearest gives infinity.
    constexpr double overflowBound = 0x1.ffffffp127;
    if (std::fabs(d) >= overflowBound) return std::copysign(HUGE_VAL, d);
    if (std::fabs(d) > FLT_MAX) return std::copysign(static_cast<double>(FLT_MAX), d);
    return static_cast<double>(static_cast<float>(d));
}

/// The index argument of strtrim: Float truncated, anything but a number 0, then clamped.
int TrimPosition(const Value& v, int length) {
    int32_t p = 0;
    if (v.type == ValueType::Int) p = v.i;
    if (v.type == ValueType::Float) p = FloatToInt(v.f);
    if (p < 0) return 0;
    if (p > length - 1) return length - 1;
    return p;
}

Value FloatOf(ScriptReader& engine, const Value* args) {
    const Value& x = args[0];
    switch (x.type) {
    case ValueType::Int:
        return Value::MakeFloat(static_cast<double>(x.i));
    case ValueType::Float:
        return Value::MakeFloat(x.f);
    case ValueType::String:
        return Value::MakeFloat(std::strtod(x.text.CStr(), nullptr));
    case ValueType::Void:
        engine.ScriptError(kBuiltinVoidToFloat);
    case ValueType::External:
        break;
    }
    return Value::MakeFloat(0.0);
}

Value IntOf(ScriptReader& engine, const Value* args) {
    const Value& x = args[0];
    switch (x.type) {
    case ValueType::Int:
        return Value::MakeInt(x.i);
    case ValueType::Float:
        return Value::MakeInt(FloatToInt(x.f));
    case ValueType::String:
        return Value::MakeInt(FloatToInt(std::strtod(x.text.CStr(), nullptr)));
    case ValueType::Void:
        engine.ScriptError(kBuiltinVoidToInt);
    case ValueType::External:
        break;
    }
    return Value::MakeInt(0);
}

Value StringOf(ScriptReader& engine, const Value* args) {
    const Value& x = args[0];
    // "%g" of any double and "%i" of any int fit easily.
    char buffer[64];
    switch (x.type) {
    case ValueType::Int:
        std::snprintf(buffer, sizeof buffer, "%i", x.i);
        return Value::MakeString(buffer);
    case ValueType::Float:
        std::snprintf(buffer, sizeof buffer, "%g", x.f);
        return Value::MakeString(buffer);
    case ValueType::String:
        return Value::MakeString(x.text.CStr());
    case ValueType::Void:
        engine.ScriptError(kBuiltinVoidToString);
    case ValueType::External:
        break;
    }
    return Value::MakeString("");
}

// The mathematical functions report no domain errors: NaN and infinities are results too.
Value Exp(ScriptReader&, const Value* x) { return Value::MakeFloat(std::exp(Number(x[0]))); }
Value Log(ScriptReader&, const Value* x) { return Value::MakeFloat(std::log(Number(x[0]))); }
Value Sqrt(ScriptReader&, const Value* x) { return Value::MakeFloat(std::sqrt(Number(x[0]))); }
Value Sin(ScriptReader&, const Value* x) { return Value::MakeFloat(std::sin(Number(x[0]))); }
Value Cos(ScriptReader&, const Value* x) { return Value::MakeFloat(std::cos(Number(x[0]))); }
Value Tan(ScriptReader&, const Value* x) { return Value::MakeFloat(std::tan(Number(x[0]))); }
Value Asin(ScriptReader&, const Value* x) { return Value::MakeFloat(std::asin(Number(x[0]))); }
Value Acos(ScriptReader&, const Value* x) { return Value::MakeFloat(std::acos(Number(x[0]))); }
Value Atan(ScriptReader&, const Value* x) { return Value::MakeFloat(std::atan(Number(x[0]))); }

Value Pow(ScriptReader&, const Value* args) {
    // Scripts have always seen pow on single-precision operands; keep their results.
    const double x = IsNumber(args[0]) ? RoundToSingle(Number(args[0])) : 0.0;
    const double y = IsNumber(args[1]) ? RoundToSingle(Number(args[1])) : 0.0;
    return Value::MakeFloat(std::pow(x, y));
}

Value Rand(ScriptReader& engine, const Value*) {
    ++engine.randomDraws;
    ++engine.outsideLookups;  // a call that draws must draw again
    const uint32_t draw = engine.random != nullptr ? engine.random->Next() : NextProcessRandom();
    // Divided by 2^32 - 1, so that both ends of [0, 1] can come out.
    return Value::MakeFloat(draw / 4294967295.0);
}

Value Deg(ScriptReader&, const Value* args) {
    // The factor is the single-precision constant, not the exact 180/pi.
    constexpr float factor = 57.29578f;
    return Value::MakeFloat(IsNumber(args[0]) ? Number(args[0]) * factor : 0.0);
}

Value Rad(ScriptReader&, const Value* args) {
    constexpr float factor = 0.0174532905f;
    return Value::MakeFloat(IsNumber(args[0]) ? Number(args[0]) * factor : 0.0);
}

Value StrLen(ScriptReader&, const Value* args) {
    return Value::MakeInt(static_cast<int32_t>(std::strlen(args[0].text.CStr())));
}

Value StrTrim(ScriptReader&, const Value* args) {
    const char* text = args[0].text.CStr();
    const int length = static_cast<int>(std::strlen(text));
    // Clamping to 0..L-1 has no valid position to offer in an empty text.
    if (length == 0) return Value::MakeString("");
    const int from = TrimPosition(args[1], length);
    const int to = TrimPosition(args[2], length);
    if (to - from + 1 < 1) return Value::MakeString("");
    CharBuffer part;
    part.Allocate(to - from + 1);
    std::memcpy(part.text, text + from, static_cast<size_t>(to - from + 1));
    part.text[to - from + 1] = '\0';
    return Value::MakeString(part.text);
}

// Names compare case-sensitively: Sqrt or FLOAT are ordinary external functions.
constexpr Builtin kBuiltins[] = {
    {"float", ArgRule::OneAny, FloatOf},    {"int", ArgRule::OneAny, IntOf},
    {"string", ArgRule::OneAny, StringOf},  {"exp", ArgRule::OneNumber, Exp},
    {"log", ArgRule::OneNumber, Log},       {"sqrt", ArgRule::OneNumber, Sqrt},
    {"sin", ArgRule::OneNumber, Sin},       {"cos", ArgRule::OneNumber, Cos},
    {"tan", ArgRule::OneNumber, Tan},       {"asin", ArgRule::OneNumber, Asin},
    {"acos", ArgRule::OneNumber, Acos},     {"atan", ArgRule::OneNumber, Atan},
    {"pow", ArgRule::TwoAny, Pow},          {"rand", ArgRule::AnyCount, Rand},
    {"DEG", ArgRule::OneElseExternal, Deg}, {"RAD", ArgRule::OneElseExternal, Rad},
    {"strlen", ArgRule::OneString, StrLen}, {"strtrim", ArgRule::ThreeStringFirst, StrTrim},
};

const Builtin* FindBuiltin(const char* name) {
    // Every host function a script calls is looked for here first; the first letter turns
    // nearly all of them away without a call.
    for (const Builtin& builtin : kBuiltins) {
        if (builtin.name[0] == name[0] && std::strcmp(builtin.name, name) == 0) return &builtin;
    }
    return nullptr;
}

bool ArgumentsFit(ArgRule rule, const Value* args, int count) {
    switch (rule) {
    case ArgRule::OneAny:
        return count == 1;
    case ArgRule::OneNumber:
        return count == 1 && IsNumber(args[0]);
    case ArgRule::OneString:
        return count == 1 && args[0].type == ValueType::String;
    case ArgRule::TwoAny:
        return count == 2;
    case ArgRule::ThreeStringFirst:
        return count == 3 && args[0].type == ValueType::String;
    case ArgRule::AnyCount:
        return true;
    case ArgRule::OneElseExternal:
        return count == 1;
    }
    return false;
}

}  // namespace

bool ScriptReader::ShadowsBuiltin(const char* name) {
    for (const Builtin& builtin : kBuiltins) {
        if (EqualsIgnoreAsciiCase(builtin.name, name)) return true;
    }
    return false;
}

Value ScriptReader::CallBuiltin(const char* name, Value* arguments, int count, int nameStart) {
    Value result;
    if (CallUserFunction(name, arguments, count, result)) return result;

    const Builtin* builtin = FindBuiltin(name);
    if (builtin && !ArgumentsFit(builtin->rule, arguments, count)) {
        if (builtin->rule != ArgRule::OneElseExternal) ScriptError(kBuiltinInvalidParameters, name);
        builtin = nullptr;
    }
    if (builtin) return builtin->function(*this, arguments);

    // An unknown function is no error: the host lists it as an external dependency.
    ++outsideLookups;
    RecordExternal(externalFunctions, name, nameStart);
    return Value::MakeExternal();
}
