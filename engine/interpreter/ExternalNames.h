#pragma once
#include "containers/CharBuffer.h"
#include "containers/SearchTree.h"

/// Item of the external name sets: where the script used the name first.
struct FirstUse {
    int position = 0;  ///< first byte of the name in the loaded text
};

/// Names a script uses without declaring them; case-insensitive, keyed as first spelled.
using ExternalNameSet = SearchTree<FirstUse>;

/// Enters a name unless some spelling of it is there already, so that the set keeps the
/// letters and the place of the first use.
inline void RecordExternal(ExternalNameSet& names, const char* name, int position) {
    if (auto* entry = names.Insert(name)) entry->item.position = position;
}
