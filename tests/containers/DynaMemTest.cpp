#include "containers/DynaMem.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "support/LogCapture.h"

namespace {

using IntList = DynaMem<int>;

// Adds the values in order and returns the list.
IntList ListOf(const std::vector<int>& values, int capacity = 8) {
    IntList list(capacity);
    for (int value : values) list.Add(&value);
    return list;
}

TEST(DynaMem, GrowsToCapacityPlusQuarterPlusEightAndClearKeepsIt) {
    IntList list;
    std::vector<int> capacities{list.GetCapacity()};
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(list.Add(&i), i);
        if (list.GetCapacity() != capacities.back()) capacities.push_back(list.GetCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{8, 18, 30, 45, 64}));
    EXPECT_EQ(list.Add(), 64);
    EXPECT_EQ(list.GetCapacity(), 88);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCapacity(), 88);
    EXPECT_EQ(list.Add(), 0);
}

TEST(DynaMem, OrdinalsSkipAFreedSlotUntilTheNextAddReusesIt) {
    IntList list = ListOf({0, 1, 2, 3, 4, 5, 6, 7});
    EXPECT_EQ(list.Delete(3), 1);
    EXPECT_EQ(list.GetCount(), 7);
    EXPECT_EQ(list.GetSlotNr(3), 4);
    int fresh = 33;
    EXPECT_EQ(list.Add(&fresh), 3);
    EXPECT_EQ(*list.Get(3), 33);
    EXPECT_EQ(list.GetCapacity(), 8);
}

TEST(DynaMem, SetSizeCompactsAndRenumbersInFormerOrder) {
    IntList list = ListOf({0, 1, 2, 3, 4, 5, 6});
    for (int slot : {0, 2, 3, 5}) list.Delete(slot);
    list.SetSize(-1);
    EXPECT_EQ(list.GetCapacity(), 3);
    EXPECT_EQ(*list.GetSlot(0), 1);
    EXPECT_EQ(*list.GetSlot(1), 4);
    EXPECT_EQ(*list.GetSlot(2), 6);
    EXPECT_EQ(list.Add(), 3);
    EXPECT_EQ(list.GetCapacity(), 11);
}

TEST(DynaMem, AssignmentCopiesElementsIntoTheSameSlots) {
    IntList source = ListOf({0, 1, 2, 3});
    source.Delete(1);
    IntList target = ListOf({9});
    target = source;
    EXPECT_EQ(target.GetSlot(1), nullptr);
    EXPECT_EQ(target.GetCount(), 3);
    EXPECT_EQ(*target.Get(1), 2);  // ordinals go on past the free slot
    *target.GetSlot(2) = 20;
    EXPECT_EQ(*source.GetSlot(2), 2);
    EXPECT_EQ(target.Add(), 1);
}

TEST(DynaMem, AssignmentWarnsAboutEntriesTheSourceCannotSupply) {
    LogCapture log;
    IntList source(4);
    source.fixed = 1;  // a fixed list never rebuilds its order, so it goes stale on Delete
    for (int i = 0; i < 3; ++i) source.Add(&i);
    source.Delete(0);

    IntList target;
    target = source;
    EXPECT_EQ(target.GetSlot(0), nullptr);
    EXPECT_EQ(log.Contents(),
              LogCapture::Entries({"Warning:DynaMem: Invalid entry found", "Warning:DynaMem: Invalid entry found"}));
}

TEST(DynaMem, RefusalsNameTheListAndChangeNothing) {
    const struct {
        const char* message;
        std::function<void(IntList&)> act;
    } cases[] = {
        {"Null pointer added !", [](IntList& list) { list.Add(nullptr); }},
        {"Can not expand fixed list",
         [](IntList& list) {
             list.SetSize(-1);
             list.fixed = 1;
             list.Add();
         }},
        {"Can not SetSize() of fixed list",
         [](IntList& list) {
             list.fixed = 1;
             list.SetSize(20);
         }},
        {"New size too small", [](IntList& list) { list.SetSize(2); }},
        {"Can not delete object nr: 5", [](IntList& list) { list.Delete(5); }},
        {"Maximum number of data elements reached: 8",
         [](IntList& list) {
             list.firstFree = 8;
             list.Add();
         }},
    };
    LogCapture log;
    for (const auto& c : cases) {
        IntList list = ListOf({1, 2, 3});
        EXPECT_THROW(c.act(list), ErrorMsg) << c.message;
        EXPECT_STREQ(LastError().component, "DynaMem");
        EXPECT_STREQ(LastError().text, c.message);
        EXPECT_EQ(list.GetCount(), 3) << c.message;
        for (int slot = 0; slot < 3; ++slot) EXPECT_EQ(*list.GetSlot(slot), slot + 1) << c.message;
    }
}

}  // namespace
