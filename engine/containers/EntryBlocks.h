#pragma once
#include <bit>
#include <cstddef>
#include <memory>
#include <new>
#include <vector>

/// The entries of one name-tree leaf in insertion order. They live in blocks of 8, 16, 32, ...
/// entries that are never moved or reallocated, so a pointer to an entry stays valid until the
/// list is cleared. A script with a million globals under one initial would otherwise pay one
/// heap block per variable and a pointer array beside them.
template <typename T>
class EntryBlocks {
public:
    EntryBlocks() = default;
    EntryBlocks(const EntryBlocks&) = delete;
    EntryBlocks& operator=(const EntryBlocks&) = delete;
    ~EntryBlocks() { Clear(); }

    /// Number of entries.
    int GetCount() const { return count; }
    /// The entry at ordinal k, 0 <= k < GetCount().
    T* Get(int k) const {
        const auto ordinal = static_cast<std::size_t>(k);
        const int block = std::bit_width(ordinal / kFirstBlock + 1) - 1;
        const std::size_t first = kFirstBlock * ((std::size_t{1} << block) - 1);
        return SlotsOf(block) + (ordinal - first);
    }
    /// A default-constructed entry after the last one.
    T* Append() {
        const auto ordinal = static_cast<std::size_t>(count);
        const int block = std::bit_width(ordinal / kFirstBlock + 1) - 1;
        if (block == static_cast<int>(blocks.size())) {
            // Raw storage: the pages of a large block that no entry reaches yet stay untouched.
            blocks.push_back(std::make_unique_for_overwrite<std::byte[]>(sizeof(T) * (kFirstBlock << block)));
        }
        T* slot = SlotsOf(block) + (ordinal - kFirstBlock * ((std::size_t{1} << block) - 1));
        ::new (static_cast<void*>(slot)) T();
        ++count;
        return slot;
    }
    /// Destroys every entry and keeps the first block for the entries to come.
    void Clear() {
        for (int k = count - 1; k >= 0; --k) Get(k)->~T();
        count = 0;
        if (blocks.size() > 1) blocks.resize(1);
    }

private:
    static constexpr std::size_t kFirstBlock = 8;
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "blocks come from plain new");

    T* SlotsOf(int block) const {
        return std::launder(reinterpret_cast<T*>(blocks[static_cast<std::size_t>(block)].get()));
    }

    std::vector<std::unique_ptr<std::byte[]>> blocks;  ///< block b holds 8 << b entries
    int count = 0;
};
