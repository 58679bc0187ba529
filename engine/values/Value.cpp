#include "values/Value.h"

Value::Value(const Value& other) : text(other.text), f(other.f), i(other.i), type(other.type) {}

Value& Value::operator=(const Value& other) {
    f = other.f;
    i = other.i;
    type = other.type;
    text.Assign(other.text);
    return *this;
}

void Value::Clear() {
    text.Clear();
    f = 0.0;
    i = 0;
    type = ValueType::Void;
}

Value Value::MakeInt(int32_t v) {
    Value value;
    value.i = v;
    value.type = ValueType::Int;
    return value;
}

Value Value::MakeFloat(double v) {
    Value value;
    value.f = v;
    value.type = ValueType::Float;
    return value;
}

Value Value::MakeString(const char* s) {
    Value value;
    value.text = CharBuffer(s ? s : "");
    value.type = ValueType::String;
    return value;
}

Value Value::MakeExternal() {
    Value value;
    value.type = ValueType::External;
    return value;
}
