#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "values/Value.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(FloatToInt, TruncatesToLow32BitsAndZeroesWhatDoesNotFit) {
    const struct {
        double input;
        int32_t expected;
    } cases[] = {{2.9, 2},
                 {-2.9, -2},
                 {-0.5, 0},
                 {2147483648.0, INT32_MIN},
                 {4294967297.0, 1},
                 {-1e10, -1410065408},
                 {9223372036854774784.0, -1024},  // the largest double below 2^63 still converts
                 {9223372036854775808.0, 0},
                 {-9223372036854775808.0, 0},
                 {kInf, 0},
                 {-kInf, 0},
                 {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& c : cases) EXPECT_EQ(FloatToInt(c.input), c.expected) << c.input;
}

TEST(NumberLiteral, PointOrExponentMakesAFloatAndWideIntegersWrap) {
    const struct {
        const char* token;
        ValueType type;
        double expected;
    } cases[] = {{"42", ValueType::Int, 42},        {"2147483648", ValueType::Int, INT32_MIN},
                 {"4294967297", ValueType::Int, 1}, {"99999999999999999999", ValueType::Int, 0},
                 {"3.0", ValueType::Float, 3.0},    {"3e0", ValueType::Float, 3.0},
                 {"3E0", ValueType::Float, 3.0},    {"1.2.3", ValueType::Float, 1.2},
                 {"1e", ValueType::Float, 1.0},     {"2.5e-1", ValueType::Float, 0.25}};
    for (const auto& c : cases) {
        const Value value = NumberLiteral(c.token);
        ASSERT_EQ(value.type, c.type) << c.token;
        EXPECT_EQ(value.type == ValueType::Int ? value.i : value.f, c.expected) << c.token;
    }
}

// Runs where a comma locale is installed (LOCPATH may point at one made by localedef).
TEST(NumberLiteral, ReadsThePointUnderACommaLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE locale";
    const Value value = NumberLiteral("1.5");
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(value.f, 1.5);
}

TEST(FloatModulo, ShiftsNegativeDividendsByOneDivisor) {
    const struct {
        double a, b, expected;
    } cases[] = {{7, 3, 1.0},    {-7, 3, 2.0},   {-6, 3, 3.0},  {7.5, 2, 1.5},
                 {-7.5, 2, 0.5}, {-7, -3, -4.0}, {5, 0.0, 5.0}, {-5, 0.0, -5.0}};
    for (const auto& c : cases) EXPECT_EQ(FloatModulo(c.a, c.b), c.expected) << c.a << " % " << c.b;
    // k is INT_MIN here, so 1 - k leaves the Int range: any value will do, a trap will not.
    EXPECT_TRUE(std::isfinite(FloatModulo(-2147483648.5, 1.0)));
}

TEST(StringComparison, BytesCaseFoldingAndLengths) {
    const struct {
        const char *a, *b;
        bool equal, equalIgnoreCase;
        int order;
    } cases[] = {
        {"abc", "ABC", false, true, 0},    {"abc", "zz", false, false, 1},
        {"a", "b", false, false, 0},       {"zz", "abc", false, false, -1},
        {"same", "same", true, true, 0},   {"", nullptr, true, true, 0},  // an empty text and no text at all are equal
        {"\xC4", "\xE4", false, false, 0}, {"[", "{", false, false, 0}};  // only A-Z fold
    for (const auto& c : cases) {
        const CharBuffer a(c.a), b(c.b);
        EXPECT_EQ(StringsEqual(a, b), c.equal) << c.a;
        EXPECT_EQ(StringsEqualIgnoreCase(a, b), c.equalIgnoreCase) << c.a;
        EXPECT_EQ(CompareStringLengths(a, b), c.order) << c.a;
    }
    CharBuffer cut("ab");
    cut.Resize(4);  // "ab" followed by two NULs: length 4, but the text ends at the first NUL
    EXPECT_TRUE(StringsEqual(cut, CharBuffer("ab")));
    EXPECT_EQ(CompareStringLengths(cut, CharBuffer("ab")), 0);
}

}  // namespace
