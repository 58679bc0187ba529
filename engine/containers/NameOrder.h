#pragma once
#include <string>
#include <vector>

#include "containers/SearchTree.h"

/// Display order of names: A-Z and a-z compare as the same upper-case letter, other bytes by
/// their unsigned value; names equal that way fall back to plain byte order.
bool NameLess(const char* a, const char* b);

/// Every key of the set, sorted by NameLess; restarts the set's entry walk.
std::vector<std::string> SortedNames(SearchTree<NoItem>& names);
