#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

/// Finds a leaf's entries by the hash of their key: open addressing over (hash, ordinal) pairs,
/// eight bytes a name and no heap block of its own, where a node-based map cost some sixty.
/// The keys themselves stay in the entries; the caller says which ordinal matches.
class OrdinalIndex {
public:
    /// The ordinal of the entry with this hash that `matches` accepts, or -1.
    template <typename Matches>
    int Find(std::uint32_t hash, Matches matches) const {
        if (slots.empty()) return -1;
        const std::size_t mask = slots.size() - 1;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            const Slot& slot = slots[at];
            if (slot.ordinal < 0) return -1;
            if (slot.hash == hash && matches(slot.ordinal)) return slot.ordinal;
        }
    }
    /// Files an ordinal that the index does not hold yet.
    void Add(std::uint32_t hash, int ordinal) {
        // At most half full: probes stay short and an empty slot always ends a search.
        if (2 * (used + 1) > slots.size()) Grow();
        Place(hash, ordinal);
        ++used;
    }
    /// Forgets every ordinal and gives the table back.
    void Clear() {
        slots = {};
        used = 0;
    }
    /// True when the index holds nothing.
    bool Empty() const { return used == 0; }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::int32_t ordinal = -1;  ///< -1: free
    };

    void Place(std::uint32_t hash, int ordinal) {
        const std::size_t mask = slots.size() - 1;
        std::size_t at = hash & mask;
        while (slots[at].ordinal >= 0) at = (at + 1) & mask;
        slots[at] = {hash, ordinal};
    }
    void Grow() {
        std::vector<Slot> old(slots.empty() ? 64 : slots.size() * 2);
        old.swap(slots);
        for (const Slot& slot : old) {
            if (slot.ordinal >= 0) Place(slot.hash, slot.ordinal);
        }
    }

    std::vector<Slot> slots;  ///< a power of two in length
    std::size_t used = 0;
};
