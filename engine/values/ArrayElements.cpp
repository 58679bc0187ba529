#include "values/ArrayElements.h"

#include <algorithm>

ArrayElements::ArrayElements(ValueType type, int count) : store(std::make_unique<Store>()) {
    store->type = type;
    store->count = std::max(count, 0);
    const auto n = static_cast<std::size_t>(store->count);
    switch (type) {
    case ValueType::Int:
        store->ints = std::make_unique<int32_t[]>(n);
        break;
    case ValueType::Float:
        store->floats = std::make_unique<double[]>(n);
        break;
    case ValueType::String:
        store->strings = std::make_unique<CharBuffer[]>(n);
        break;
    case ValueType::Void:
    case ValueType::External:
        break;
    }
}

ArrayElements::ArrayElements(const ArrayElements& other) {
    if (!other.store) return;
    const Store& from = *other.store;
    *this = ArrayElements(from.type, from.count);
    const auto n = static_cast<std::size_t>(from.count);
    if (from.ints) std::copy_n(from.ints.get(), n, store->ints.get());
    if (from.floats) std::copy_n(from.floats.get(), n, store->floats.get());
    if (from.strings) std::copy_n(from.strings.get(), n, store->strings.get());
    store->charge = from.charge;
}

ArrayElements& ArrayElements::operator=(const ArrayElements& other) {
    if (this != &other) *this = ArrayElements(other);
    return *this;
}

ArrayElements::~ArrayElements() = default;

void ArrayElements::Charge(MemoryCharge charge) {
    if (store) store->charge = std::move(charge);
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
    if (!store) return value;
    value.type = store->type;
    if (store->ints) value.i = store->ints[index];
    if (store->floats) value.f = store->floats[index];
    if (store->strings) value.text = store->strings[index];
    return value;
}
