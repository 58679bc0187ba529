#include "containers/SearchTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/LogCapture.h"

namespace {

using NameSet = SearchTree<NoItem>;

std::vector<std::string> WalkedNames(NameSet& tree) {
    std::vector<std::string> names;
    tree.ResetWalk();
    CharBuffer key;
    while (tree.NextEntry(&key)) names.emplace_back(key.CStr());
    return names;
}

TEST(SearchTree, CaseRuleDecidesWhetherSpellingsAreOneName) {
    for (const int caseSensitive : {0, 1}) {
        NameSet tree(caseSensitive);
        ASSERT_NE(tree.Insert(CharBuffer("Count")), nullptr);
        // Folded, "count" is the name already there, and "COUNT" finds it as first spelled.
        EXPECT_EQ(tree.Insert(CharBuffer("count")) != nullptr, caseSensitive == 1);
        const auto* found = tree.Find("COUNT");
        EXPECT_STREQ(found ? found->key.CStr() : nullptr, caseSensitive ? nullptr : "Count");
    }
}

// A key of up to 15 bytes is held in its entry, a longer one on its own: both sides of that
// line must keep the whole name.
TEST(SearchTree, KeysOfEveryLengthComeBackWhole) {
    for (const int length : {1, 2, 15, 16, 17, 300}) {
        NameSet tree;
        std::string name(static_cast<std::size_t>(length), 'k');
        name.back() = 'Z';
        ASSERT_NE(tree.Insert(name.c_str()), nullptr) << length;
        std::string other = name;
        other.back() = 'z';
        const auto* found = tree.Find(other.c_str());
        EXPECT_STREQ(found ? found->key.CStr() : nullptr, name.c_str()) << length;
        EXPECT_EQ(found ? found->key.length : 0, length);
        EXPECT_EQ(tree.Insert(other.c_str()), nullptr) << length;
        EXPECT_EQ(WalkedNames(tree), std::vector<std::string>{name}) << length;
    }
}

TEST(SearchTree, OnlyTheFirstCharacterIsHeldAgainstTheRange) {
    NameSet tree;
    EXPECT_NE(tree.Insert(CharBuffer("a\t\xC8")), nullptr);
    EXPECT_NE(tree.Find("A\t\xC8"), nullptr);
    EXPECT_NE(tree.Insert(CharBuffer("x")), nullptr);  // a name of its first character alone
    EXPECT_NE(tree.Find("X"), nullptr);

    const struct {
        const char *name, *message;
    } refusals[] = {
        {"", "Empty name string"},
        {"\tname", "Character in name string out of range: 9"},
        {"\xC8name", "Character in name string out of range: -56"},
        {"\x1Fname", "Character in name string out of range: 31"},
    };
    EXPECT_NE(tree.Insert(CharBuffer(" name")), nullptr);  // 32 and 127 are the first and last accepted
    EXPECT_NE(tree.Insert(CharBuffer("\x7Fname")), nullptr);
    LogCapture log;
    for (const auto& c : refusals) {
        EXPECT_THROW(tree.Insert(CharBuffer(c.name)), ErrorMsg) << c.message;
        EXPECT_STREQ(LastError().component, "SearchTree");
        EXPECT_STREQ(LastError().text, c.message);
    }
}

// Only A-Z and a-z fold: '@', '[', '`' and '{' lie next to the letters and stay themselves,
// in the first character and in the rest, whether a leaf is searched entry by entry or, once
// it holds 16 names, through its hashed index.
TEST(SearchTree, FoldsOnlyLettersInShortAndIndexedLeaves) {
    const std::vector<std::string> boundaries = {"[x", "{x", "@x", "`x", "x[", "x{", "x@", "x`"};
    for (const int fillers : {0, 20}) {
        NameSet tree;
        for (const char initial : std::string("[{@`x")) {
            for (int k = 0; k < fillers; ++k)
                tree.Insert(CharBuffer((initial + std::string("f") + std::to_string(k)).c_str()));
        }
        for (const std::string& name : boundaries) {
            EXPECT_NE(tree.Insert(CharBuffer(name.c_str())), nullptr) << name << ", " << fillers;
        }
        for (const std::string& name : boundaries) {
            std::string mixed = name;
            for (char& c : mixed) c = (c == 'x') ? 'X' : c;
            const auto* found = tree.Find(mixed.c_str());
            EXPECT_STREQ(found ? found->key.CStr() : nullptr, name.c_str()) << mixed << ", " << fillers;
        }
        if (fillers > 0) {
            EXPECT_EQ(tree.Insert(CharBuffer("XF7")), nullptr);
            const auto* found = tree.Find("xF19");
            EXPECT_STREQ(found ? found->key.CStr() : nullptr, "xf19");
        }
    }
}

// One leaf of thousands of names: its entries sit in blocks that must never move as later
// blocks come, and its index must keep finding every name while it doubles.
TEST(SearchTree, ALargeLeafKeepsEveryEntryInPlaceAndInOrder) {
    for (const int caseSensitive : {0, 1}) {
        NameSet tree(caseSensitive);
        std::vector<const NameSet::Entry*> filed;
        for (int k = 0; k < 5000; ++k) filed.push_back(tree.Insert(CharBuffer(("v" + std::to_string(k)).c_str())));
        for (int k = 0; k < 5000; k += 7) {
            EXPECT_EQ(tree.Find(("V" + std::to_string(k)).c_str()), caseSensitive ? nullptr : filed[k]) << k;
            ASSERT_EQ(tree.Find(("v" + std::to_string(k)).c_str()), filed[k]) << k;
        }
        EXPECT_EQ(tree.Insert(CharBuffer("v4999")), nullptr);
        EXPECT_EQ(tree.Find("v5000"), nullptr);
        const std::vector<std::string> names = WalkedNames(tree);
        ASSERT_EQ(names.size(), 5000u);
        for (int k = 0; k < 5000; k += 499) EXPECT_EQ(names[k], "v" + std::to_string(k));
    }
}

// The rests "c693596" and "c1170850" have one 32-bit FNV-1a hash: an indexed leaf must tell
// them apart by their keys.
TEST(SearchTree, NamesWhoseHashesCollideStayApart) {
    NameSet tree;
    for (int k = 0; k < 20; ++k) tree.Insert(("v" + std::to_string(k)).c_str());
    const auto* first = tree.Insert("vc693596");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(tree.Find("vc1170850"), nullptr);
    const auto* second = tree.Insert("vc1170850");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(tree.Find("VC693596"), first);
    EXPECT_EQ(tree.Find("vc1170850"), second);
}

TEST(SearchTree, WalkGroupsByFoldedFirstCharacterInInsertionOrder) {
    NameSet tree;
    tree.ResetWalk();
    EXPECT_EQ(tree.NextEntry(), nullptr);

    for (const char* name : {"zeta", "_tmp", "Alpha", "beta", "apple"}) tree.Insert(CharBuffer(name));
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(WalkedNames(tree), (std::vector<std::string>{"Alpha", "apple", "beta", "zeta", "_tmp"})) << pass;
    }
}

TEST(SearchTree, ResetForgetsEveryNameAndTheCaseRule) {
    NameSet tree(1);
    tree.Insert(CharBuffer("name"));
    tree.Reset();
    EXPECT_EQ(tree.caseSensitive, 0);
    EXPECT_EQ(tree.Find("name"), nullptr);
    EXPECT_NE(tree.Insert(CharBuffer("NAME")), nullptr);
    EXPECT_NE(tree.Find("name"), nullptr);
}

// A tree built after another takes over its emptied children: nothing of the first tree's
// names may show through, in short leaves or in leaves that had grown an index.
TEST(SearchTree, AdoptedLeavesStartEmpty) {
    NameSet first(1);
    for (int k = 0; k < 20; ++k) first.Insert(CharBuffer(("n" + std::to_string(k)).c_str()));
    first.Insert(CharBuffer("alpha"));
    NameSet::Leaves spare = first.ReleaseLeaves();
    ASSERT_NE(spare, nullptr);
    EXPECT_EQ(first.children, nullptr);
    EXPECT_EQ(first.Find("alpha"), nullptr);

    NameSet second(1);
    second.AdoptLeaves(std::move(spare));
    for (const char* name : {"alpha", "n0", "n19"}) EXPECT_EQ(second.Find(name), nullptr) << name;
    for (int k = 19; k >= 0; --k) {
        EXPECT_NE(second.Insert(CharBuffer(("n" + std::to_string(k)).c_str())), nullptr) << k;
    }
    EXPECT_EQ(second.Insert(CharBuffer("n7")), nullptr);
    EXPECT_NE(second.Insert(CharBuffer("beta")), nullptr);

    const std::vector<std::string> names = WalkedNames(second);
    ASSERT_EQ(names.size(), 21u);
    EXPECT_EQ(names.front(), "beta");
    EXPECT_EQ(names[1], "n19");
    EXPECT_EQ(names.back(), "n0");
}

}  // namespace
