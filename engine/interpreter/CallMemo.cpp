#include "interpreter/CallMemo.h"

#include <algorithm>
#include <cstring>

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

std::size_t CallMemo::Hash(const Key& key) {
    std::uint64_t hash = reinterpret_cast<std::uintptr_t>(key.function) ^ static_cast<std::uint64_t>(key.count);
    for (int k = 0; k < key.count; ++k) {
        const Argument& argument = key.arguments[k];
        hash = hash * 1000003u ^ argument.f;
        hash = hash * 1000003u ^ static_cast<std::uint32_t>(argument.i);
        hash = hash * 1000003u ^ static_cast<std::uint64_t>(argument.type);
    }
    // Linear probing needs the low bits mixed from all of them: pointers and small integers
    // differ mostly in a few bits.
    hash ^= hash >> 29;
    hash *= 0xbf58476d1ce4e5b9u;
    hash ^= hash >> 32;
    return static_cast<std::size_t>(hash);
}

std::size_t CallMemo::SlotOf(const Key& key) const {
    for (std::size_t slot = Hash(key) & (kSlots - 1);; slot = (slot + 1) & (kSlots - 1)) {
        const std::uint16_t held = slots[slot];
        if (held == 0 || calls[held - 1u].key == key) return slot;
    }
}

const CallMemo::Outcome* CallMemo::Find(const void* function, const Value* arguments, int count) const {
    if (calls.empty()) return nullptr;
    const std::uint16_t held = slots[SlotOf(MakeKey(function, arguments, count))];
    return held == 0 ? nullptr : &calls[held - 1u].outcome;
}

void CallMemo::Add(const void* function, const Value* arguments, int count, Outcome outcome) {
    if (calls.size() >= kMostCalls) Clear();
    if (slots.empty()) {
        slots.assign(kSlots, 0);
        calls.reserve(kMostCalls);
    }
    Key key = MakeKey(function, arguments, count);
    std::uint16_t& held = slots[SlotOf(key)];
    if (held != 0) {
        calls[held - 1u].outcome = std::move(outcome);
        return;
    }
    calls.push_back(Call{key, std::move(outcome)});
    held = static_cast<std::uint16_t>(calls.size());
}

void CallMemo::Clear() {
    if (calls.empty()) return;
    calls.clear();
    std::fill(slots.begin(), slots.end(), std::uint16_t{0});
}
