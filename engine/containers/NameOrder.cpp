#include "containers/NameOrder.h"

#include <cstring>

namespace {

// Folding to upper case, not lower, puts '_' and the other bytes between 'Z' and 'a' after
// the letters, which is where readers of a sorted list look for them.
unsigned char FoldToUpper(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - ('a' - 'A')) : byte;
}

int CompareFolded(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const unsigned char x = FoldToUpper(*a);
        const unsigned char y = FoldToUpper(*b);
        if (x != y || x == 0) return x < y ? -1 : (x > y ? 1 : 0);
    }
}

}  // namespace

bool NameLess(const char* a, const char* b) {
    const int folded = CompareFolded(a, b);
    if (folded != 0) return folded < 0;
    // A total order keeps the result independent of the walk order of the tree.
    return std::strcmp(a, b) < 0;
}
