#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "containers/SearchTree.h"

/// Display order of names: A-Z and a-z compare as the same upper-case letter, other bytes by
/// their unsigned value; names equal that way fall back to plain byte order.
bool NameLess(const char* a, const char* b);

/// Every entry of the set, sorted by NameLess on the keys; restarts the set's entry walk.
template <typename T>
std::vector<const typename SearchTree<T>::Entry*> SortedEntries(SearchTree<T>& names) {
    std::vector<const typename SearchTree<T>::Entry*> sorted;
    names.ResetWalk();
    while (const auto* entry = names.NextEntry()) sorted.push_back(entry);
    std::sort(sorted.begin(), sorted.end(),
              [](const auto* a, const auto* b) { return NameLess(a->key.CStr(), b->key.CStr()); });
    return sorted;
}

/// Every key of the set, sorted by NameLess; restarts the set's entry walk.
template <typename T>
std::vector<std::string> SortedNames(SearchTree<T>& names) {
    std::vector<std::string> keys;
    for (const auto* entry : SortedEntries(names)) {
        keys.emplace_back(entry->key.CStr(), static_cast<std::size_t>(entry->key.length));
    }
    return keys;
}
