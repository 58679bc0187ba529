#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "interpreter/ScriptOutcome.h"

namespace {

const std::filesystem::path kExamples =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "examples";

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Examples, EveryExampleValidates) {
    int validated = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kExamples)) {
        if (entry.path().extension() != ".c") continue;
        SCOPED_TRACE(entry.path().filename().string());
        const ScriptOutcome outcome = RunScript(ReadFile(entry.path()));
        EXPECT_FALSE(outcome.failed) << outcome.line << ": " << outcome.message;
        ++validated;
    }
    EXPECT_GE(validated, 4);
}

struct Mistake {
    const char* file;
    int line;
    const char* message;
};

constexpr Mistake kMistakes[] = {
    {"dangling-else.c", 7, "Misplaced 'else'"},
    {"missing-return.c", 6, "Invalid return type for function 'Clamp'"},
    {"prototype.c", 2, "Function prototypes not supported"},
    {"recursion.c", 3, "Stack overflow: more than 256 function iterations"},
    {"string-condition.c", 3, "Invalid parameters for 'if' keyword"},
};

TEST(Examples, EveryMistakeIsReportedWhereItIs) {
    for (const Mistake& mistake : kMistakes) {
        SCOPED_TRACE(mistake.file);
        const ScriptOutcome outcome = RunScript(ReadFile(kExamples / "mistakes" / mistake.file));
        ASSERT_TRUE(outcome.failed);
        EXPECT_EQ(outcome.message, mistake.message);
        EXPECT_EQ(outcome.line, mistake.line);
    }
}

}  // namespace
