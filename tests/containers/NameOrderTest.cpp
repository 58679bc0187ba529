#include "containers/NameOrder.h"

#include <gtest/gtest.h>

namespace {

struct OrderCase {
    const char* before;
    const char* after;
};

// Each row must sort strictly before the other, never the other way round.
constexpr OrderCase kOrderCases[] = {
    {"Alpha", "apple"},                    // letters compare folded: 'l' < 'p'
    {"apple", "Beta"},  {"zeta", "_tmp"},  // '_' lies above the folded letters
    {"Z", "_"},         {"ABC", "abc"},    // equal when folded: byte order breaks the tie
    {"ab", "abc"},      {"x1", "xa"},      // digits below letters
    {"y", "\xE9"},                         // bytes above 127 compare unsigned
    {"A", "`"},                            // only a-z fold: the bytes next to them keep their place
    {"_", "{"},         {"z", "{"},
};

TEST(NameOrder, OrdersByFoldedLettersThenBytes) {
    for (const OrderCase& row : kOrderCases) {
        EXPECT_TRUE(NameLess(row.before, row.after)) << row.before << " < " << row.after;
        EXPECT_FALSE(NameLess(row.after, row.before)) << row.after << " < " << row.before;
    }
    EXPECT_FALSE(NameLess("same", "same"));
}

}  // namespace
