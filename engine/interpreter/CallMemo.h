#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "values/Value.h"

/// Results of user-function calls that can be answered without running the body again.
///
/// Every call runs its body in the checking pass, so a function that calls another twice, which
/// calls another twice, doubles the work per level. A call is remembered only when nothing
/// outside its arguments can have shaped it and nothing outside its result can show that it ran:
/// no global variable looked up, no external name, no random number, no function declared since
/// that takes a built-in's calls;
/// and only Int, Float, Void and External arguments and results, whose copies cost no memory the
/// script is charged for. Whether running the body again would hit the call-depth or memory
/// limit depends on where the call stands, so each entry keeps how deep and how much it needed.
class CallMemo {
public:
    static constexpr int kMostArguments = 4;

    /// What one run of a call left behind.
    struct Outcome {
        Value result;           ///< the converted result
        int deeperCalls = 0;    ///< scopes the run stacked above the caller's, itself included
        std::size_t bytes = 0;  ///< the most memory the run held above what it started with
        int tokenStart = 0;     ///< the engine's token position when the run ended
        int errorStart = -1;    ///< the engine's error position when the run ended
    };

    /// True when a call with these arguments can be remembered at all: few, and none holding text.
    static bool Remembers(const Value* arguments, int count);
    /// True when a run's result can be remembered.
    static bool Remembers(const Value& result);

    /// The outcome of an earlier identical call of function, or null.
    const Outcome* Find(const void* function, const Value* arguments, int count) const;
    /// Remembers a call; arguments must be ones Remembers accepted.
    void Add(const void* function, const Value* arguments, int count, Outcome outcome);
    /// Forgets every call: a function declared since may answer a call a built-in answered.
    void Clear();

private:
    struct Argument {
        // Both payloads, whatever the type: operators switch a value's type in place, so a
        // value may carry a payload its type does not show.
        ValueType type = ValueType::Void;
        std::int32_t i = 0;
        std::uint64_t f = 0;  ///< the double's bytes: 0.0 and -0.0 differ
        bool operator==(const Argument&) const = default;
    };
    struct Key {
        const void* function = nullptr;
        int count = 0;
        Argument arguments[kMostArguments];
        bool operator==(const Key&) const = default;
    };
    struct Call {
        Key key;
        Outcome outcome;
    };

    static Key MakeKey(const void* function, const Value* arguments, int count);
    static std::size_t Hash(const Key& key);
    /// The slot that holds key, or the empty slot where it would go.
    std::size_t SlotOf(const Key& key) const;

    /// Enough for the deepest chains of distinct calls and for the calls of the last few
    /// declarations, which are the ones made again; past it the memo starts over rather than
    /// grow with the script, whose page faults would cost more than the runs it saves.
    static constexpr std::size_t kMostCalls = 1 << 12;
    /// Open addressing at most half full, so a probe ends after a slot or two.
    static constexpr std::size_t kSlots = 2 * kMostCalls;
    static_assert(kMostCalls < 0xffff);

    // A call is looked up on every call of a user function: the slots are small numbers into
    // calls, so that a miss reads one short array and starting over clears 16 KiB, not thousands
    // of separately allocated entries.
    std::vector<std::uint16_t> slots;  ///< 0 for an empty slot, else the call's index + 1
    std::vector<Call> calls;           ///< in the order remembered; room for kMostCalls
};
