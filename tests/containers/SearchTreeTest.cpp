#include "containers/SearchTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/LogCapture.h"

namespace {

using NameSet = SearchTree<NoItem>;

std::vector<std::string> Walk(NameSet& tree) {
    std::vector<std::string> names;
    tree.ResetWalk();
    CharBuffer key;
    while (tree.NextEntry(&key)) names.emplace_back(key.CStr());
    return names;
}

struct CaseRuleCase {
    int caseSensitive;
    bool secondSpellingIsNew;  // whether "count" is a new name after "Count"
    const char* foundForUpper; // key found for "COUNT", or null
};

class SearchTreeCaseRule : public ::testing::TestWithParam<CaseRuleCase> {};

TEST_P(SearchTreeCaseRule, DecidesWhetherSpellingsAreOneName) {
    NameSet tree(GetParam().caseSensitive);
    ASSERT_NE(tree.Insert(CharBuffer("Count")), nullptr);
    EXPECT_EQ(tree.Insert(CharBuffer("count")) != nullptr, GetParam().secondSpellingIsNew);
    const auto* found = tree.Find("COUNT");
    if (GetParam().foundForUpper) {
        ASSERT_NE(found, nullptr);
        EXPECT_STREQ(found->key.text, GetParam().foundForUpper);
    } else {
        EXPECT_EQ(found, nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Trees, SearchTreeCaseRule,
                         ::testing::Values(CaseRuleCase{0, false, "Count"},
                                           CaseRuleCase{1, true, nullptr}));

TEST(SearchTree, InsertedEntryCarriesTheItemForTheCaller) {
    SearchTree<int> tree(1);
    tree.Insert(CharBuffer("alpha"))->item = 7;
    tree.Insert(CharBuffer("al"))->item = 8;
    EXPECT_EQ(tree.Find(CharBuffer("alpha"))->item, 7);
    EXPECT_EQ(tree.Find("al")->item, 8);
    EXPECT_EQ(tree.Find("alp"), nullptr);
}

TEST(SearchTree, OneCharacterNameLivesInTheLeafOfItsFoldedCharacter) {
    NameSet tree;
    ASSERT_NE(tree.Insert(CharBuffer("x")), nullptr);
    ASSERT_NE(tree.Find("X"), nullptr);
    const auto& leaf = tree.children['X' - 32];
    ASSERT_NE(leaf.entries, nullptr);
    EXPECT_EQ(leaf.entries->GetCount(), 1);
}

TEST(SearchTree, OnlyTheFirstCharacterIsHeldAgainstTheRange) {
    NameSet tree;
    EXPECT_NE(tree.Insert(CharBuffer("a\t\xC8")), nullptr);
    EXPECT_NE(tree.Find("A\t\xC8"), nullptr);
}

TEST(SearchTree, RefusesEmptyNamesAndFirstCharactersOutOfRange) {
    const struct {
        const char* name;
        const char* message;
    } cases[] = {
        {"", "Empty name string"},
        {"\tname", "Character in name string out of range: 9"},
        {"\x1F", "Character in name string out of range: 31"},
        {"\xC8name", "Character in name string out of range: -56"},
    };
    LogCapture log;
    for (const auto& c : cases) {
        NameSet tree;
        try {
            tree.Insert(CharBuffer(c.name));
            ADD_FAILURE() << "accepted " << c.message;
        } catch (const ErrorMsg& error) {
            EXPECT_STREQ(error.component, "SearchTree");
            EXPECT_STREQ(error.text, c.message);
        }
        EXPECT_THROW(tree.Find(c.name), ErrorMsg) << c.message;
    }
}

TEST(SearchTree, WalkGroupsByFoldedFirstCharacterInInsertionOrder) {
    NameSet tree;
    for (const char* name : {"zeta", "_tmp", "Alpha", "beta", "apple"}) tree.Insert(CharBuffer(name));
    const std::vector<std::string> expected{"Alpha", "apple", "beta", "zeta", "_tmp"};
    EXPECT_EQ(Walk(tree), expected);
    EXPECT_EQ(Walk(tree), expected) << "ResetWalk restarts the walk";
}

TEST(SearchTree, WalkOfAnEmptyTreeEndsAtOnce) {
    NameSet tree;
    tree.ResetWalk();
    EXPECT_EQ(tree.NextEntry(), nullptr);
}

TEST(SearchTree, ResetForgetsEveryNameAndTheCaseRule) {
    NameSet tree(1);
    tree.Insert(CharBuffer("name"));
    tree.Reset();
    EXPECT_EQ(tree.children, nullptr);
    EXPECT_EQ(tree.caseSensitive, 0);
    EXPECT_EQ(tree.Find("name"), nullptr);
    EXPECT_NE(tree.Insert(CharBuffer("NAME")), nullptr);
    EXPECT_NE(tree.Find("name"), nullptr);
}

}  // namespace
