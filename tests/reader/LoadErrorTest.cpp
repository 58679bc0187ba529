#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "reader/ReaderTestSupport.h"
#include "support/CaseName.h"

namespace {

struct LoadErrorCase {
    const char* text;
    int line;  // 1-based, as reported
    const char* message;
    const char* current = nullptr;  // null: the whole text is the line
    const char* previous = " ";
    const char* next = " ";
};

void PrintTo(const LoadErrorCase& c, std::ostream* out) { *out << ::testing::PrintToString(std::string(c.text)); }

std::string LoadErrorName(const ::testing::TestParamInfo<LoadErrorCase>& info) { return CaseName(info.param.text); }

class LoadError : public ::testing::TestWithParam<LoadErrorCase> {};

// Every scanner and precompiler error is met while loading and offered to the host.
TEST_P(LoadError, IsReportedWithFileLineAndContext) {
    const LoadErrorCase& c = GetParam();
    FakeHost host(true);
    ScriptReader engine(&host);
    EXPECT_EQ(engine.LoadInline(c.text), LoadOutcome::Continued);
    EXPECT_EQ(host.questions, 1);
    EXPECT_EQ(host.asked.text, Report(c.line, c.message, c.previous, c.current ? c.current : c.text, c.next));
    EXPECT_EQ(host.asked.message, c.message);
    EXPECT_EQ(host.asked.phase, ErrorPhase::Load);
}

INSTANTIATE_TEST_SUITE_P(Scanner, LoadError,
                         ::testing::Values(LoadErrorCase{"a = $;", 1, "Encountered invalid character: $ (36)"},
                                           LoadErrorCase{"`;", 1, "Encountered invalid character: ` (96)"},
                                           LoadErrorCase{" \x7f;", 1, "Encountered invalid character: \x7f (127)"},
                                           LoadErrorCase{"a;\rb", 2, "unexpected end of file", "b", "a;"},
                                           LoadErrorCase{"x = 12", 1, "unexpected end of file"},
                                           LoadErrorCase{"x = 1e", 1, "unexpected end of file"},
                                           LoadErrorCase{"s = \"ab", 1, "End of file in string"},
                                           LoadErrorCase{"s = \"a", 1,
                                                         "End of file in string"},  // one character read is enough
                                           LoadErrorCase{"s = \"", 1, "unexpected end of file"},
                                           LoadErrorCase{"s = \"a\\", 1, "unexpected end of file"},
                                           LoadErrorCase{"x; /* open *", 1, "Missing '*/'"},
                                           LoadErrorCase{"#", 1, "unexpected end of file"}),
                         LoadErrorName);

INSTANTIATE_TEST_SUITE_P(Precompiler, LoadError,
                         ::testing::Values(LoadErrorCase{"#include x;", 1, "Invalid 'include' command"},
                                           LoadErrorCase{"a;\r\n#include <x.h>\r\nb;", 2, "Invalid 'include' command",
                                                         "#include <x.h>", "a;", "b;"}),
                         LoadErrorName);

// The line is that of the last byte consumed; a missing neighbour shows as one blank.
INSTANTIATE_TEST_SUITE_P(
    Context, LoadError,
    ::testing::Values(LoadErrorCase{" $\rb;", 1, "Encountered invalid character: $ (36)", " $", " ", "b;"},
                      LoadErrorCase{"a;\r$\r", 1, "Encountered invalid character: $ (36)", "a;", " ", "$"},
                      LoadErrorCase{"a;\r\r\n $", 3, "Encountered invalid character: $ (36)", " $", "\r"}),
    LoadErrorName);

}  // namespace
