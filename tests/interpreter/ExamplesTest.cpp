#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "interpreter/ScriptRun.h"
#include "support/LogCapture.h"

namespace {

const std::filesystem::path kExamples =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "examples";

TEST(Examples, EveryExampleValidates) {
    int validated = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kExamples)) {
        if (entry.path().extension() != ".c") continue;
        const std::string result = RunScript(ReadFile(entry.path()).c_str()).result;
        EXPECT_EQ(result.find("file:"), std::string::npos) << entry.path().filename() << ": " << result;
        ++validated;
    }
    EXPECT_GE(validated, 4);
}

struct Mistake {
    const char* file;
    const char* report;  ///< the whole error text; an empty context line keeps its "\r"
};

constexpr Mistake kMistakes[] = {
    {"dangling-else.c", "file:'*inline*', line: 7: Misplaced 'else'\n\nelse\n    level = 0;\n"},
    {"missing-return.c",
     "file:'*inline*', line: 6: Invalid return type for function 'Clamp'\n\n"
     "        value = 0;\n}\n\r"},
    {"prototype.c",
     "file:'*inline*', line: 2: Function prototypes not supported\n\n"
     "// Functions are declared with their body; prototypes are not supported.\n"
     "int Maximum(int a, int b);\n\r"},
    {"recursion.c",
     "file:'*inline*', line: 3: Stack overflow: more than 256 function iterations\n\n"
     "int Factorial(int n)\n{\n    if (n > 1)"},
    {"string-condition.c",
     "file:'*inline*', line: 3: Invalid parameters for 'if' keyword\n\n"
     "string name = \"pump\";\nif (name)\n    Start(name);"},
};

TEST(Examples, EveryMistakeIsReportedWhereItIs) {
    for (const Mistake& mistake : kMistakes) {
        EXPECT_EQ(RunScript(ReadFile(kExamples / "mistakes" / mistake.file).c_str()).result, mistake.report);
    }
}

}  // namespace
