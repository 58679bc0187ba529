#pragma once
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "containers/AsciiCase.h"
#include "containers/CharBuffer.h"
#include "containers/ContainerMessages.h"
#include "containers/DynaMem.h"
#include "diagnostics/ErrorClass.h"

/// Item of the name sets, whose key is all they hold.
struct NoItem {};

/// Character tree of fixed depth mapping names to entries; every node is a tree of its own.
template <typename T>
class SearchTree : public ErrorClass {
public:
    /// One name with its item.
    struct Entry {
        T item;          ///< filled by the caller after Insert
        CharBuffer key;  ///< the name as first inserted
    };

    /// An empty tree; caseSensitive 0 lets names match ignoring the case of ASCII letters.
    explicit SearchTree(int caseSensitive = 0);
    SearchTree(const SearchTree&) = delete;
    SearchTree& operator=(const SearchTree&) = delete;
    ~SearchTree() override = default;

    /// A new entry keyed by a copy of name, or null when the tree already holds the name.
    Entry* Insert(const CharBuffer& name);
    /// The entry holding name, or null.
    Entry* Find(const CharBuffer& name);
    /// The entry holding the NUL-terminated name, or null.
    Entry* Find(const char* name);
    /// Deletes every entry and child and restores the construction values.
    void Reset();
    /// Restarts the entry walk of this node and of every child.
    void ResetWalk();
    /// The next entry of the walk (own entries, then children by character), or null at the end.
    Entry* NextEntry(CharBuffer* out = nullptr);

    std::unique_ptr<SearchTree[]> children;    ///< range child nodes, created on first pass
    std::unique_ptr<DynaMem<Entry>> entries;   ///< entry list of a leaf, created on first insert
    int caseSensitive = 0;                     ///< 0: ASCII letters match in either case
    int firstChar = 32;                        ///< lowest accepted first character
    int range = 96;                            ///< accepted character codes and children
    int depth = 0;                             ///< character position this node branches on
    int levels = 2;                            ///< depth of the tree
    int walkPos = 0;                           ///< cursor of the entry walk

private:
    /// Hash and equality of key rests under the tree's case rule.
    struct KeyRule {
        bool caseSensitive = true;
        std::size_t operator()(std::string_view rest) const;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    /// Key rests of a leaf's entries; it points into the keys, which never change once filed.
    using LeafIndex = std::unordered_map<std::string_view, Entry*, KeyRule, KeyRule>;
    /// Leaves this full get an index: scripts with thousands of names sharing an initial
    /// would otherwise compare each lookup against all of them.
    static constexpr int kIndexedLeafSize = 16;

    /// Files a new entry in the leaf's index, building the index once the leaf is large.
    void IndexEntry(Entry* entry);

    /// The node that holds or would hold name; null when Find meets a node without children.
    SearchTree* Descend(const char* name, int length, bool create);
    /// The entry of this leaf whose key equals name from position depth on, or null.
    Entry* FindInLeaf(const char* name);
    /// Find on a name of known length.
    Entry* FindName(const char* name, int length);

    std::unique_ptr<LeafIndex> index;  ///< lookup by key rest, for large leaves only
};

template <typename T>
std::size_t SearchTree<T>::KeyRule::operator()(std::string_view rest) const {
    std::size_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char c : rest) {
        hash ^= caseSensitive ? static_cast<unsigned char>(c) : FoldAsciiCase(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

template <typename T>
bool SearchTree<T>::KeyRule::operator()(std::string_view a, std::string_view b) const {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k) {
        const bool same = caseSensitive ? a[k] == b[k] : FoldAsciiCase(a[k]) == FoldAsciiCase(b[k]);
        if (!same) return false;
    }
    return true;
}

template <typename T>
SearchTree<T>::SearchTree(int caseSensitive) : caseSensitive(caseSensitive) {
    SetName(ContainerMessages::kSearchTreeComponent);
}

template <typename T>
SearchTree<T>* SearchTree<T>::Descend(const char* name, int length, bool create) {
    if (length <= 0) Error(ContainerMessages::kEmptyNameString);
    SearchTree* node = this;
    while (node->depth != node->levels - 1 && node->depth != length) {
        if (create && !node->children) {
            node->children = std::make_unique<SearchTree[]>(static_cast<std::size_t>(node->range));
            for (int i = 0; i < node->range; ++i) {
                SearchTree& child = node->children[i];
                child.depth = node->depth + 1;
                child.range = node->range;
                child.firstChar = node->firstChar;
                child.levels = node->levels;
                child.caseSensitive = node->caseSensitive;
            }
        }
        // Bytes 128-255 read as negative, which is the value the message reports.
        int c = static_cast<signed char>(name[node->depth]);
        if (c < node->firstChar || c >= node->firstChar + node->range) {
            node->Error(ContainerMessages::kCharacterOutOfRange, c);
        }
        if (!node->children) return nullptr;
        if (!node->caseSensitive && c >= 'a' && c <= 'z') c -= 'a' - 'A';
        node = &node->children[c - node->firstChar];
    }
    return node;
}

template <typename T>
typename SearchTree<T>::Entry* SearchTree<T>::FindInLeaf(const char* name) {
    if (!entries) return nullptr;
    const char* rest = name + depth;
    if (index) {
        const auto hit = index->find(std::string_view(rest));
        return hit == index->end() ? nullptr : hit->second;
    }
    for (int k = 0; k < entries->GetCount(); ++k) {
        Entry* entry = entries->Get(k);
        const char* keyRest = entry->key.CStr() + depth;
        const bool equal = caseSensitive ? std::strcmp(keyRest, rest) == 0
                                         : EqualsIgnoreAsciiCase(keyRest, rest);
        if (equal) return entry;
    }
    return nullptr;
}

template <typename T>
typename SearchTree<T>::Entry* SearchTree<T>::Insert(const CharBuffer& name) {
    SearchTree* leaf = Descend(name.CStr(), name.length, true);
    if (leaf->FindInLeaf(name.CStr())) return nullptr;
    if (!leaf->entries) leaf->entries = std::make_unique<DynaMem<Entry>>(8);
    Entry* entry = leaf->entries->GetSlot(leaf->entries->Add());
    entry->key = name;
    leaf->IndexEntry(entry);
    return entry;
}

template <typename T>
void SearchTree<T>::IndexEntry(Entry* entry) {
    const auto restOf = [this](const Entry* e) { return std::string_view(e->key.CStr() + depth); };
    if (index) {
        index->emplace(restOf(entry), entry);
        return;
    }
    if (entries->GetCount() < kIndexedLeafSize) return;
    const KeyRule rule{caseSensitive != 0};
    index = std::make_unique<LeafIndex>(64, rule, rule);
    for (int k = 0; k < entries->GetCount(); ++k) {
        Entry* e = entries->Get(k);
        index->emplace(restOf(e), e);
    }
}

template <typename T>
typename SearchTree<T>::Entry* SearchTree<T>::FindName(const char* name, int length) {
    SearchTree* leaf = Descend(name, length, false);
    return leaf ? leaf->FindInLeaf(name) : nullptr;
}

template <typename T>
typename SearchTree<T>::Entry* SearchTree<T>::Find(const CharBuffer& name) {
    return FindName(name.CStr(), name.length);
}

template <typename T>
typename SearchTree<T>::Entry* SearchTree<T>::Find(const char* name) {
    const std::size_t length = name ? std::strlen(name) : 0;
    // Names are short; a text too long for an int cannot be a stored key anyway.
    if (length > 0x7fffffff) return nullptr;
    return FindName(name ? name : "", static_cast<int>(length));
}

template <typename T>
void SearchTree<T>::Reset() {
    index.reset();
    entries.reset();
    children.reset();
    caseSensitive = 0;
    firstChar = 32;
    range = 96;
    depth = 0;
    levels = 2;
    walkPos = 0;
}

template <typename T>
void SearchTree<T>::ResetWalk() {
    walkPos = 0;
    if (children) {
        for (int i = 0; i < range; ++i) children[i].ResetWalk();
    }
}

template <typename T>
typename SearchTree<T>::Entry* SearchTree<T>::NextEntry(CharBuffer* out) {
    const int own = entries ? entries->GetCount() : 0;
    if (walkPos < own) {
        Entry* entry = entries->Get(walkPos++);
        if (out) *out = entry->key;
        return entry;
    }
    if (!children) return nullptr;
    for (; walkPos - own < range; ++walkPos) {
        if (Entry* entry = children[walkPos - own].NextEntry(out)) return entry;
    }
    return nullptr;
}
