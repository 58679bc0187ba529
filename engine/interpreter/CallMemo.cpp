#include "interpreter/CallMemo.h"

#include <cstring>
#include <functional>

namespace {

bool HoldsNoText(const Value& value) { return value.type != ValueType::String && value.text.text == nullptr; }

}  // namespace

bool CallMemo::Remembers(const Value* arguments, int count) {
    if (count > kMostArguments) return false;
    for (int k = 0; k < count; ++k) {
        if (!HoldsNoText(arguments[k])) return false;
    }
    return true;
}

bool CallMemo::Remembers(const Value& result) { return HoldsNoText(result); }

CallMemo::Key CallMemo::MakeKey(const void* function, const Value* arguments, int count) {
    Key key;
    key.function = function;
    key.count = count;
    for (int k = 0; k < count; ++k) {
        Argument& argument = key.arguments[k];
        argument.type = arguments[k].type;
        argument.i = arguments[k].i;
        std::memcpy(&argument.f, &arguments[k].f, sizeof argument.f);
    }
    return key;
}

std::size_t CallMemo::KeyHash::operator()(const Key& key) const {
    std::size_t hash = std::hash<const void*>()(key.function) ^ static_cast<std::size_t>(key.count);
    for (int k = 0; k < key.count; ++k) {
        const Argument& argument = key.arguments[k];
        hash = hash * 1000003u ^ std::hash<std::uint64_t>()(argument.f);
        hash = hash * 1000003u ^ static_cast<std::uint32_t>(argument.i);
        hash = hash * 1000003u ^ static_cast<std::size_t>(argument.type);
    }
    return hash;
}

const CallMemo::Outcome* CallMemo::Find(const void* function, const Value* arguments, int count) const {
    if (calls.empty()) return nullptr;
    const auto it = calls.find(MakeKey(function, arguments, count));
    return it == calls.end() ? nullptr : &it->second;
}

void CallMemo::Add(const void* function, const Value* arguments, int count, Outcome outcome) {
    if (calls.size() >= kMostCalls) calls.clear();
    calls.insert_or_assign(MakeKey(function, arguments, count), std::move(outcome));
}
