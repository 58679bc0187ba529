// Integer literals of up to fifteen digits are read without the C library; the result must be
// the one the general conversion gives, on either side of that length.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "values/Value.h"

namespace {

TEST(IntegerLiteral, ShortAndLongDigitRunsGiveTheGeneralConversion) {
    const char* const tokens[] = {"0",
                                  "007",
                                  "2147483647",
                                  "2147483648",
                                  "4294967295",
                                  "4294967296",
                                  "99999999999999",
                                  "999999999999999",
                                  "1000000000000000",
                                  "9007199254740993",
                                  "18446744073709551617",
                                  "000000000000000000001"};
    for (const char* token : tokens) {
        const Value value = NumberLiteral(token);
        ASSERT_EQ(value.type, ValueType::Int) << token;
        EXPECT_EQ(value.i, FloatToInt(std::strtod(token, nullptr))) << token;
    }
}

TEST(IntegerLiteral, DigitsFollowedByAnythingElseAreNotTakenForAnInteger) {
    EXPECT_EQ(NumberLiteral("123456789012345.5").f, 123456789012345.5);
}

}  // namespace
