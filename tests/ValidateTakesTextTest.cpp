// A host may hand its text over to Validate instead of lending it; the result must not depend
// on which it does, NUL cut and load error included.
#include <gtest/gtest.h>

#include <string>

#include "Validation.h"

namespace {

std::string Names(const std::vector<ExternalName>& names) {
    std::string joined;
    for (const ExternalName& name : names) joined += name.name + "@" + std::to_string(name.line) + " ";
    return joined;
}

TEST(ValidateTakesText, GivesWhatTheLentTextGives) {
    const std::string scripts[] = {
        std::string("int a = 1;\r\nb = a + c;\r\n"),
        std::string("int a = 1;\r\n\0 b b b;\r\n", 23),
        std::string("int a;\r\n#include \"missing.c\"\r\na = 2;\r\n"),
        std::string("int f(int x) { return x + y; }\r\nf(2) f(3);\r\n"),
    };
    for (const std::string& script : scripts) {
        const ValidationResult lent = Validate(std::string_view(script));
        const ValidationResult taken = Validate(std::string(script));
        EXPECT_EQ(taken.message, lent.message) << script;
        EXPECT_EQ(taken.load, lent.load) << script;
        EXPECT_EQ(Names(taken.externalVariables), Names(lent.externalVariables)) << script;
        EXPECT_EQ(Names(taken.externalFunctions), Names(lent.externalFunctions)) << script;
        ASSERT_EQ(taken.error.has_value(), lent.error.has_value()) << script;
        if (taken.error) {
            EXPECT_EQ(taken.error->line, lent.error->line) << script;
        }
    }
}

}  // namespace
