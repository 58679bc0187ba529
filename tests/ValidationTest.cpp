// The one validation entry: the dialog's message as before, and every error and external name
// located in the script as written.
#include <gtest/gtest.h>

#include <string>

#include "Validation.h"
#include "reader/ReaderTestSupport.h"
#include "support/CaseName.h"
#include "support/ScriptText.h"

namespace {

struct LocatedCase {
    const char* name;
    const char* script;
    const char* marker;   ///< the last occurrence of this text is where the error must point
    const char* message;  ///< the bare message
    ErrorPhase phase;
};

std::ostream& operator<<(std::ostream& out, const LocatedCase& c) { return out << c.name; }

class LocatedError : public ::testing::TestWithParam<LocatedCase> {};

TEST_P(LocatedError, PointsAtThePlaceInTheFile) {
    const LocatedCase& c = GetParam();
    FakeHost no(false);
    const ValidationResult result = Validate(c.script, {&no});
    const auto& error = c.phase == ErrorPhase::Load ? result.loadError : result.error;
    ASSERT_TRUE(error.has_value());
    const Place expected = PlaceOf(c.script, c.marker);
    EXPECT_EQ(error->line, expected.line);
    EXPECT_EQ(error->column, expected.column);
    EXPECT_EQ(error->message, c.message);
    EXPECT_EQ(error->phase, c.phase);
    EXPECT_EQ(error->component, "ScriptReader");
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LocatedError,
    ::testing::Values(
        LocatedCase{"scanner", "int a;\r\nb = 1 + $;\r\n", "$", "Encountered invalid character: $ (36)",
                    ErrorPhase::Load},
        LocatedCase{"precompiler", "a;\r\n  #foo\r\n", "#foo", "Invalid precompiler command: 'foo'", ErrorPhase::Load},
        LocatedCase{"include", "a;\r\n#include <x.h>\r\n", "<", "Invalid 'include' command", ErrorPhase::Load},
        LocatedCase{"comment left open", "a = 1;\r\nb = /* open\r\n", "= /*", "Missing '*/'", ErrorPhase::Load},
        LocatedCase{"name ends the text", "a;\r\n  bc", "bc", "unexpected end of file", ErrorPhase::Load},
        LocatedCase{"end of text", "int x;\r\nx = (1 +\r\n 2\r\n", "2\r", "Unexpected end of file: Missing ')'",
                    ErrorPhase::Run},
        LocatedCase{"operator", "int x;\r\nx = 1 +\r\n;\r\n", "+", "No R-value for '+'", ErrorPhase::Run},
        LocatedCase{"in a function", "int f() {\r\n  int a;\r\n  a = \"s\" * 2;\r\n}\r\n", "*",
                    "Operator '*' not applicable on 'String'", ErrorPhase::Run},
        LocatedCase{"in a call", "void g() {\r\n  q = 1 2;\r\n}\r\ng();", "2;", "Invalid statement. Missing ';' ?",
                    ErrorPhase::Run},
        LocatedCase{"after #include lines", "#include \"a.h\"\r\n#include \"b.h\"\r\nint x;\r\nx = 1 + ;\r\n", "+",
                    "No R-value for '+'", ErrorPhase::Run},
        LocatedCase{"behind an #include on its line", "#include \"a.h\" int x; x = 1 + ;\r\n", "+",
                    "No R-value for '+'", ErrorPhase::Run},
        LocatedCase{"declared twice", "int x;\r\nint y, x;", "x;", "Variable 'x' already in stack", ErrorPhase::Run},
        LocatedCase{"lone LF is no break", "int x;\nx = 1 + ;", "+", "No R-value for '+'", ErrorPhase::Run}),
    [](const auto& row) { return CaseName(row.param.name); });

TEST(Validation, ExternalNamesCarryTheirFirstUseInDisplayOrder) {
    const std::string script = "int x;\r\n#include \"h\"\r\n  x = yak + Y + f(2);\r\n  y = 3;\r\n  F(1); zz(1);";
    const ValidationResult result = Validate(script);
    ASSERT_TRUE(result.ok) << result.message;
    ASSERT_EQ(result.externalVariables.size(), 2u);
    ASSERT_EQ(result.externalFunctions.size(), 2u);
    const struct {
        const ExternalName& got;
        const char* name;
        const char* marker;
    } rows[] = {
        {result.externalVariables[0], "Y", "Y +"},
        {result.externalVariables[1], "yak", "yak"},
        {result.externalFunctions[0], "f", "f(2)"},
        {result.externalFunctions[1], "zz", "zz"},
    };
    for (const auto& row : rows) {
        const Place place = PlaceOf(script, row.marker);
        EXPECT_EQ(row.got.name, row.name);
        EXPECT_EQ(row.got.line, place.line) << row.name;
        EXPECT_EQ(row.got.column, place.column) << row.name;
    }
}

TEST(Validation, MessagesAreTheDialogsAndADeclinedLoadHasNone) {
    ValidationResult result = Validate("");
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.message, "Validation successful");
    EXPECT_FALSE(result.error.has_value());

    result = Validate("int x;\r\nx = 1 +");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "ScriptReader: " + result.error->text);

    FakeHost no(false);
    result = Validate("#foo\r\nint x;", {&no});
    EXPECT_EQ(result.load, LoadOutcome::Declined);
    EXPECT_EQ(result.message, "");
    EXPECT_FALSE(result.error.has_value());
    ASSERT_TRUE(result.loadError.has_value());
    EXPECT_EQ(result.loadError->text, no.asked.text);
}

TEST(Validation, ContinuedLoadRunsAndKeepsBothErrors) {
    FakeHost yes(true);
    const ValidationResult result = Validate("#foo\r\nint x;\r\nx = q + 1 +;", {&yes});
    EXPECT_EQ(result.load, LoadOutcome::Continued);
    ASSERT_TRUE(result.loadError && result.error);
    EXPECT_EQ(result.loadError->phase, ErrorPhase::Load);
    EXPECT_EQ(result.error->phase, ErrorPhase::Run);
    EXPECT_EQ(result.error->line, 3);
    ASSERT_EQ(result.externalVariables.size(), 1u);
    EXPECT_EQ(result.externalVariables[0].line, 3);
    EXPECT_EQ(result.externalVariables[0].column, 5);
}

}  // namespace
