#include "containers/SearchTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/LogCapture.h"

namespace {

using NameSet = SearchTree<NoItem>;

struct CaseRuleCase {
    int caseSensitive;
    bool secondSpellingIsNew;   // whether "count" is a new name after "Count"
    const char* foundForUpper;  // key found for "COUNT", or null
};

class SearchTreeCaseRule : public ::testing::TestWithParam<CaseRuleCase> {};

TEST_P(SearchTreeCaseRule, DecidesWhetherSpellingsAreOneName) {
    NameSet tree(GetParam().caseSensitive);
    ASSERT_NE(tree.Insert(CharBuffer("Count")), nullptr);
    EXPECT_EQ(tree.Insert(CharBuffer("count")) != nullptr, GetParam().secondSpellingIsNew);
    const auto* found = tree.Find("COUNT");
    EXPECT_STREQ(found ? found->key.text : nullptr, GetParam().foundForUpper);
}

INSTANTIATE_TEST_SUITE_P(Trees, SearchTreeCaseRule,
                         ::testing::Values(CaseRuleCase{0, false, "Count"}, CaseRuleCase{1, true, nullptr}));

TEST(SearchTree, OneCharacterNameLivesInTheLeafOfItsFoldedCharacter) {
    NameSet tree;
    ASSERT_NE(tree.Insert(CharBuffer("x")), nullptr);
    EXPECT_NE(tree.Find("X"), nullptr);
    ASSERT_NE(tree.children['X' - 32].entries, nullptr);
    EXPECT_EQ(tree.children['X' - 32].entries->GetCount(), 1);
}

TEST(SearchTree, OnlyTheFirstCharacterIsHeldAgainstTheRange) {
    NameSet tree;
    EXPECT_NE(tree.Insert(CharBuffer("a\t\xC8")), nullptr);
    EXPECT_NE(tree.Find("A\t\xC8"), nullptr);

    const struct {
        const char* name;
        const char* message;
    } refusals[] = {
        {"", "Empty name string"},
        {"\tname", "Character in name string out of range: 9"},
        {"\xC8name", "Character in name string out of range: -56"},
    };
    LogCapture log;
    for (const auto& c : refusals) {
        EXPECT_THROW(tree.Insert(CharBuffer(c.name)), ErrorMsg) << c.message;
        EXPECT_STREQ(LastError().component, "SearchTree");
        EXPECT_STREQ(LastError().text, c.message);
    }
}

TEST(SearchTree, WalkGroupsByFoldedFirstCharacterInInsertionOrder) {
    NameSet tree;
    tree.ResetWalk();
    EXPECT_EQ(tree.NextEntry(), nullptr);

    for (const char* name : {"zeta", "_tmp", "Alpha", "beta", "apple"}) tree.Insert(CharBuffer(name));
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<std::string> names;
        tree.ResetWalk();
        CharBuffer key;
        while (tree.NextEntry(&key)) names.emplace_back(key.CStr());
        EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "apple", "beta", "zeta", "_tmp"})) << pass;
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

}  // namespace
