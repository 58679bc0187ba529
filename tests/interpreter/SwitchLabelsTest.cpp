// A switch finds its labels by searching its block, nested blocks passed over; a nested block
// that a search has passed once is stepped over whole the next time, which must find the same
// labels and raise the same bracket errors as reading it again would.
#include <gtest/gtest.h>

#include <string>

#include "interpreter/ScriptRun.h"

namespace {

SCRIPT_TABLE(SwitchLabels, FoundPastNestedBlocksAsBefore)

SCRIPT_ROWS(Scripts, SwitchLabels,
            ScriptCase{"int x; switch (x) { { ( } ) case 1: x = 1; default: y = 2; } return x;", "Int 1", "y", ""},
            Fails("int x; switch (x) { { ) } ( case 1: x = 1; }", "Invalid () block found"),
            Gives("int x; switch (x) { ( { ) } case 1: x = 3; } return x;", "Int 3"),
            ScriptCase{"int x; switch (x) { case 1: switch (x) { [ { ] } case 2: f = 1; } g = 2; "
                       "default: { ( h = 3; ) } }",
                       "Encountered invalid ';'", "f g h", "", true},
            Fails("int x; switch (x) { case 1: switch (x) { case 2: { ( x ) } } ] default: x = 2; }",
                  "Encountered invalid ']'"),
            Gives("int x; switch (x) { case 1: switch (x) { { ( } default: x = 5; ) } } return x;", "Int 0"));

TEST(SwitchLabels, DeeplyNestedSwitchesFindEveryDefault) {
    // Each level's block opens with a block that holds no label, then its case, the next
    // level and its default; only the defaults name variables that are run.
    const int depth = 2000;
    std::string script = "int x;\r\n";
    for (int k = 0; k < depth; ++k) script += "switch (x) { { (v" + std::to_string(k) + ") } case 1:\r\n";
    script += "x = 1;\r\n";
    for (int k = depth - 1; k >= 0; --k) script += "default: w" + std::to_string(k) + " = 2; }\r\n";
    script += "return x;";
    const ScriptOutcome outcome = RunScript(script.c_str());
    EXPECT_EQ(outcome.result, "Int 1");
    ASSERT_EQ(outcome.externalVariables.size(), static_cast<size_t>(depth));
    EXPECT_EQ(outcome.externalVariables.front(), "w0");
}

}  // namespace
