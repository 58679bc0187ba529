#include "values/ArrayElements.h"

#include <algorithm>

ArrayElements::ArrayElements(ValueType type, int count) : type(type), count(std::max(count, 0)) {
    const auto n = static_cast<std::size_t>(this->count);
    switch (type) {
    case ValueType::Int:
        ints = std::make_unique<int32_t[]>(n);
        break;
    case ValueType::Float:
        floats = std::make_unique<double[]>(n);
        break;
    case ValueType::String:
        strings = std::make_unique<CharBuffer[]>(n);
        break;
    case ValueType::Void:
    case ValueType::External:
        break;
    }
}

ArrayElements::ArrayElements(const ArrayElements& other) : ArrayElements(other.type, other.count) {
    const auto n = static_cast<std::size_t>(count);
    if (ints) std::copy_n(other.ints.get(), n, ints.get());
    if (floats) std::copy_n(other.floats.get(), n, floats.get());
    if (strings) std::copy_n(other.strings.get(), n, strings.get());
}

ArrayElements& ArrayElements::operator=(const ArrayElements& other) {
    if (this != &other) *this = ArrayElements(other);
    return *this;
}

std::size_t ArrayElements::Bytes(ValueType type, int count) {
    std::size_t each = 0;
    switch (type) {
    case ValueType::Int:
        each = sizeof(int32_t);
        break;
    case ValueType::Float:
        each = sizeof(double);
        break;
    case ValueType::String:
        each = sizeof(CharBuffer);
        break;
    case ValueType::Void:
    case ValueType::External:
        break;
    }
    return static_cast<std::size_t>(std::max(count, 0)) * each;
}

Value ArrayElements::Get(int index) const {
    Value value;
    value.type = type;
    if (ints) value.i = ints[index];
    if (floats) value.f = floats[index];
    if (strings) value.text = strings[index];
    return value;
}
