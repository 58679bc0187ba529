#include "cli/JsonWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

TEST(JsonWriter, EscapesEveryByteThatIsNotPlainAscii) {
    JsonWriter json;
    json.String(std::string("a\x01\xE9\"\\\n\x7F\xFF/", 9));
    EXPECT_EQ(json.Text(), R"("a\u0001\u00e9\"\\\u000a\u007f\u00ff/")");
}

TEST(JsonWriter, WritesFloatsRoundTrippableAndNonFiniteAsWords) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {2.0, "2"},
        {0.1, "0.10000000000000001"},
        {-1e300, "-1.0000000000000001e+300"},
        {std::numeric_limits<double>::infinity(), R"("inf")"},
        {-std::numeric_limits<double>::infinity(), R"("-inf")"},
        {std::nan(""), R"("nan")"},
    };
    for (const auto& row : cases) {
        JsonWriter json;
        json.Float(row.value);
        EXPECT_EQ(json.Text(), row.text);
    }
}

}  // namespace
