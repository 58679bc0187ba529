#pragma once
#include <algorithm>
#include <bit>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

#include "containers/AsciiCase.h"
#include "containers/CharBuffer.h"
#include "containers/ContainerMessages.h"
#include "containers/EntryBlocks.h"
#include "containers/NameKey.h"
#include "containers/OrdinalIndex.h"
#include "diagnostics/ErrorClass.h"

/// Item of the name sets, whose key is all they hold.
struct NoItem {};

/// Character tree of two levels mapping names to entries: the root branches on a name's first
/// character, and the child for that character is the leaf that lists every name beginning
/// with it. Only the root is a component; its leaves are plain records that report through it.
template <typename T>
class SearchTree : public ErrorClass {
public:
    /// One name with its item.
    struct Entry {
        T item;       ///< filled by the caller after Insert
        NameKey key;  ///< the name as first inserted
    };

    /// The child of the root for one first character: its names in insertion order.
    struct Leaf;
    /// All range children of a root, created together on the first insertion.
    using Leaves = std::unique_ptr<Leaf[]>;

    static constexpr int firstChar = 32;  ///< lowest accepted first character
    static constexpr int range = 96;      ///< accepted character codes and children

    /// An empty tree; caseSensitive 0 lets names match ignoring the case of ASCII letters.
    explicit SearchTree(int caseSensitive = 0);
    SearchTree(const SearchTree&) = delete;
    SearchTree& operator=(const SearchTree&) = delete;
    ~SearchTree() override = default;

    /// A new entry keyed by a copy of the length bytes of name, or null when the tree already
    /// holds the name.
    Entry* Insert(const char* name, int length);
    /// Insert of a whole buffer.
    Entry* Insert(const CharBuffer& name) { return Insert(name.CStr(), name.length); }
    /// Insert of a NUL-terminated name; one too long for an int is cut, as a CharBuffer cuts it.
    Entry* Insert(const char* name) {
        return Insert(name, static_cast<int>(std::min<std::size_t>(std::strlen(name), INT_MAX - 1)));
    }
    /// The entry holding name, or null.
    Entry* Find(const CharBuffer& name);
    /// The entry holding the NUL-terminated name, or null.
    Entry* Find(const char* name);
    /// The entry holding the name, or null.
    Entry* Find(std::string_view name) {
        // Names are short; a text too long for an int cannot be a stored key anyway.
        if (name.size() > 0x7fffffff) return nullptr;
        return FindName(name.empty() ? "" : name.data(), static_cast<int>(name.size()));
    }
    /// Deletes every entry and child and restores the construction values.
    void Reset();
    /// Restarts the entry walk of this node and of every child.
    void ResetWalk();
    /// The next entry of the walk (children by character, each in insertion order), or null
    /// at the end.
    Entry* NextEntry(CharBuffer* out = nullptr);

    /// Deletes every entry and hands the emptied children out, so that a tree built after
    /// this one can take them over instead of allocating its own.
    Leaves ReleaseLeaves();
    /// Takes over children that ReleaseLeaves emptied; only for a tree without children.
    void AdoptLeaves(Leaves spare);

    Leaves children;  ///< range leaves, created on the first insertion
    /// The leaves that have held an entry since the last release, one bit each: a function's
    /// scope fills two or three of its 96 leaves, and is released after every call.
    std::uint64_t filledLeaves[2] = {0, 0};
    static_assert(range <= 128, "one bit per leaf in filledLeaves");
    int caseSensitive = 0;  ///< 0: ASCII letters match in either case
    int walkPos = 0;        ///< cursor of the entry walk: the leaf being walked

    struct Leaf {
        EntryBlocks<Entry> entries;  ///< in insertion order
        OrdinalIndex index;          ///< lookup by key rest, for large leaves only
        int walkPos = 0;             ///< cursor of the entry walk in this leaf
    };

private:
    /// Leaves this full get an index: scripts with thousands of names sharing an initial
    /// would otherwise compare each lookup against all of them.
    static constexpr int kIndexedLeafSize = 16;

    /// The leaf that holds or would hold name; null when Find meets a tree without children.
    Leaf* Descend(const char* name, int length, bool create);
    /// Hash of a key from its second character on, under the tree's case rule.
    std::uint32_t HashRest(const char* name, int length) const;
    /// True when the entry's key equals the name of that length from the second character on.
    bool SameRest(const Entry& entry, const char* name, int length) const;
    /// The entry of leaf whose key equals name from its second character on, or null.
    Entry* FindInLeaf(Leaf& leaf, const char* name, int length) const;
    /// Find on a name of known length.
    Entry* FindName(const char* name, int length);
    /// Adds an entry under a copy of name to a leaf that does not hold it yet.
    Entry* File(Leaf& leaf, const char* name, int length);
    /// Files the leaf's newest entry in its index, building the index once the leaf is large.
    void IndexNewest(Leaf& leaf) const;
};

template <typename T>
std::uint32_t SearchTree<T>::HashRest(const char* name, int length) const {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (int k = 1; k < length; ++k) {
        hash ^= caseSensitive ? static_cast<unsigned char>(name[k]) : FoldAsciiCase(name[k]);
        hash *= 16777619u;
    }
    return hash;
}

template <typename T>
bool SearchTree<T>::SameRest(const Entry& entry, const char* name, int length) const {
    if (entry.key.length != length) return false;
    const char* key = entry.key.CStr();
    if (caseSensitive) {
        // Names are a few bytes long: comparing them here costs less than calling memcmp.
        for (int k = 1; k < length; ++k) {
            if (key[k] != name[k]) return false;
        }
        return true;
    }
    for (int k = 1; k < length; ++k) {
        if (FoldAsciiCase(key[k]) != FoldAsciiCase(name[k])) return false;
    }
    return true;
}

template <typename T>
SearchTree<T>::SearchTree(int caseSensitive) : caseSensitive(caseSensitive) {
    SetName(ContainerMessages::kSearchTreeComponent);
}

template <typename T>
typename SearchTree<T>::Leaf* SearchTree<T>::Descend(const char* name, int length, bool create) {
    if (length <= 0) Error(ContainerMessages::kEmptyNameString);
    if (create && !children) children = std::make_unique<Leaf[]>(static_cast<std::size_t>(range));
    // Bytes 128-255 read as negative, which is the value the message reports. Only the first
    // character selects a leaf; the rest of a name may hold any byte but NUL.
    int c = static_cast<signed char>(name[0]);
    if (c < firstChar || c >= firstChar + range) Error(ContainerMessages::kCharacterOutOfRange, c);
    if (!children) return nullptr;
    if (!caseSensitive && c >= 'a' && c <= 'z') c -= 'a' - 'A';
    return &children[c - firstChar];
}

template <typename T>
typename SearchTree<T>::Entry* SearchTree<T>::FindInLeaf(Leaf& leaf, const char* name, int length) const {
    // The first characters are equal by the choice of the leaf.
    const EntryBlocks<Entry>& entries = leaf.entries;
    if (!leaf.index.Empty()) {
        const int k = leaf.index.Find(HashRest(name, length),
                                      [&](int ordinal) { return SameRest(*entries.Get(ordinal), name, length); });
        return k < 0 ? nullptr : entries.Get(k);
    }
    for (int k = 0; k < entries.GetCount(); ++k) {
        Entry* entry = entries.Get(k);
        if (SameRest(*entry, name, length)) return entry;
    }
    return nullptr;
}

template <typename T>
typename SearchTree<T>::Entry* SearchTree<T>::Insert(const char* name, int length) {
    Leaf* leaf = Descend(name, length, true);
    return FindInLeaf(*leaf, name, length) ? nullptr : File(*leaf, name, length);
}

template <typename T>
typename SearchTree<T>::Entry* SearchTree<T>::File(Leaf& leaf, const char* name, int length) {
    const auto slot = static_cast<std::size_t>(&leaf - children.get());
    filledLeaves[slot / 64] |= std::uint64_t{1} << (slot % 64);
    if (leaf.entries.GetCount() == INT_MAX) Error(ContainerMessages::kMaximumDataElements, INT_MAX);
    Entry* entry = leaf.entries.Append();
    entry->key.Assign(name, length);
    IndexNewest(leaf);
    return entry;
}

template <typename T>
void SearchTree<T>::IndexNewest(Leaf& leaf) const {
    const int count = leaf.entries.GetCount();
    if (count < kIndexedLeafSize) return;
    const auto file = [&](int k) {
        const NameKey& key = leaf.entries.Get(k)->key;
        leaf.index.Add(HashRest(key.CStr(), key.length), k);
    };
    if (count > kIndexedLeafSize) {
        file(count - 1);
        return;
    }
    for (int k = 0; k < count; ++k) file(k);
}

template <typename T>
typename SearchTree<T>::Entry* SearchTree<T>::FindName(const char* name, int length) {
    Leaf* leaf = Descend(name, length, false);
    return leaf ? FindInLeaf(*leaf, name, length) : nullptr;
}

template <typename T>
typename SearchTree<T>::Entry* SearchTree<T>::Find(const CharBuffer& name) {
    return FindName(name.CStr(), name.length);
}

template <typename T>
typename SearchTree<T>::Entry* SearchTree<T>::Find(const char* name) {
    return Find(name ? std::string_view(name) : std::string_view());
}

template <typename T>
void SearchTree<T>::Reset() {
    children.reset();
    filledLeaves[0] = filledLeaves[1] = 0;
    caseSensitive = 0;
    walkPos = 0;
}

template <typename T>
void SearchTree<T>::ResetWalk() {
    walkPos = 0;
    if (children) {
        for (int i = 0; i < range; ++i) children[i].walkPos = 0;
    }
}

template <typename T>
typename SearchTree<T>::Entry* SearchTree<T>::NextEntry(CharBuffer* out) {
    if (!children) return nullptr;
    for (; walkPos < range; ++walkPos) {
        Leaf& leaf = children[walkPos];
        if (leaf.walkPos < leaf.entries.GetCount()) {
            Entry* entry = leaf.entries.Get(leaf.walkPos++);
            if (out)
                std::memcpy(out->Overwrite(entry->key.length), entry->key.CStr(),
                            static_cast<std::size_t>(entry->key.length));
            return entry;
        }
    }
    return nullptr;
}

template <typename T>
typename SearchTree<T>::Leaves SearchTree<T>::ReleaseLeaves() {
    if (children) {
        for (int word = 0; word < 2; ++word) {
            for (std::uint64_t bits = filledLeaves[word]; bits != 0; bits &= bits - 1) {
                Leaf& leaf = children[word * 64 + std::countr_zero(bits)];
                leaf.index.Clear();
                leaf.entries.Clear();
                leaf.walkPos = 0;
            }
        }
    }
    filledLeaves[0] = filledLeaves[1] = 0;
    walkPos = 0;
    return std::move(children);
}

template <typename T>
void SearchTree<T>::AdoptLeaves(Leaves spare) {
    if (!children) children = std::move(spare);
}
