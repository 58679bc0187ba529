#include "cli/InputFile.h"

#include <gtest/gtest.h>

#include <string>

#include "ToolRunner.h"

namespace {

struct ReadCase {
    const char* name;
    std::string bytes;
    std::size_t limit;
    bool read;
    std::string result;  ///< the bytes read, or the problem
};

TEST(ReadInput, StopsAtTheFirstNulAndRefusesMoreThanTheLimit) {
    const std::string big(200000, 'x');  // more than one read chunk
    const ReadCase cases[] = {
        {"whole file", "int x;", 100, true, "int x;"},
        {"up to NUL", std::string("int x;\0garbage", 14), 100, true, "int x;"},
        {"NUL first", std::string("\0int x;", 7), 0, true, ""},
        {"exactly the limit", "12345", 5, true, "12345"},
        {"one byte over", "123456", 5, false, "longer than 5 bytes, the longest script the engine accepts"},
        {"limit counts only what comes before NUL",
         std::string("12345\0"
                     "6789",
                     10),
         5, true, "12345"},
        {"over the limit after the first chunk", big, big.size() - 1, false,
         "longer than 199999 bytes, the longest script the engine accepts"},
        {"NUL after the first chunk", big + std::string("\0tail", 5), big.size(), true, big},
    };
    ScratchDir dir;
    for (const ReadCase& row : cases) {
        dir.Write("in.c", row.bytes);
        std::string bytes;
        std::string problem;
        const bool read = ReadInput(dir.path + "/in.c", row.limit, bytes, problem);
        EXPECT_EQ(read, row.read) << row.name;
        EXPECT_EQ(read ? bytes : problem, row.result) << row.name;
    }
}

}  // namespace
