#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "values/Value.h"

namespace {

struct FloatToIntCase {
    double input;
    int32_t expected;
};

class FloatToIntRule : public ::testing::TestWithParam<FloatToIntCase> {};

TEST_P(FloatToIntRule, TruncatesAndKeepsLow32Bits) {
    EXPECT_EQ(FloatToInt(GetParam().input), GetParam().expected);
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Values, FloatToIntRule,
    ::testing::Values(FloatToIntCase{2.9, 2}, FloatToIntCase{-2.9, -2}, FloatToIntCase{-0.5, 0},
                      FloatToIntCase{2147483648.0, INT32_MIN}, FloatToIntCase{4294967297.0, 1},
                      FloatToIntCase{1e10, 1410065408}, FloatToIntCase{-1e10, -1410065408},
                      // largest double below 2^63 still converts; 2^63 and beyond give 0
                      FloatToIntCase{9223372036854774784.0, -1024},
                      FloatToIntCase{9223372036854775808.0, 0},
                      FloatToIntCase{-9223372036854775808.0, 0}, FloatToIntCase{1e300, 0},
                      FloatToIntCase{kInf, 0}, FloatToIntCase{-kInf, 0},
                      FloatToIntCase{std::numeric_limits<double>::quiet_NaN(), 0}));

struct LiteralCase {
    const char* token;
    ValueType type;
    double expected;  // i for an Int, f for a Float
};

class NumberLiterals : public ::testing::TestWithParam<LiteralCase> {};

TEST_P(NumberLiterals, ReadAsIntOrFloat) {
    const LiteralCase& c = GetParam();
    const Value value = NumberLiteral(c.token);
    ASSERT_EQ(value.type, c.type) << c.token;
    if (c.type == ValueType::Int) {
        EXPECT_EQ(value.i, static_cast<int32_t>(c.expected)) << c.token;
    } else {
        EXPECT_EQ(value.f, c.expected) << c.token;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, NumberLiterals,
    ::testing::Values(LiteralCase{"3", ValueType::Int, 3}, LiteralCase{"42", ValueType::Int, 42},
                      LiteralCase{"2147483648", ValueType::Int, -2147483648.0},
                      LiteralCase{"4294967297", ValueType::Int, 1},
                      LiteralCase{"99999999999999999999", ValueType::Int, 0},
                      LiteralCase{"3.0", ValueType::Float, 3.0},
                      LiteralCase{"3e0", ValueType::Float, 3.0},
                      LiteralCase{"3E0", ValueType::Float, 3.0},
                      LiteralCase{"1.2.3", ValueType::Float, 1.2},
                      LiteralCase{"1e", ValueType::Float, 1.0},
                      LiteralCase{"2.5e-1", ValueType::Float, 0.25}));

TEST(NumberLiterals, ReadThePointUnderACommaLocale) {
    const char* restore = std::setlocale(LC_NUMERIC, nullptr);
    const std::string previous = restore != nullptr ? restore : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "no comma locale installed";
    }
    const Value value = NumberLiteral("1.5");
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(value.f, 1.5);
}

struct ModuloCase {
    double a;
    double b;
    double expected;
};

class FloatModuloRule : public ::testing::TestWithParam<ModuloCase> {};

TEST_P(FloatModuloRule, ShiftsNegativeDividends) {
    EXPECT_EQ(FloatModulo(GetParam().a, GetParam().b), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FloatModuloRule,
    ::testing::Values(ModuloCase{7, 3, 1.0}, ModuloCase{-7, 3, 2.0}, ModuloCase{-6, 3, 3.0},
                      ModuloCase{7.5, 2, 1.5}, ModuloCase{-7.5, 2, 0.5}, ModuloCase{-7, -3, -4.0},
                      ModuloCase{5, 0.0, 5.0}, ModuloCase{-5, 0.0, -5.0}));

TEST(FloatModuloRule, QuotientAtIntMinDoesNotOverflow) {
    // k is INT_MIN here, so 1 - k leaves the Int range; any value is fine, a trap is not.
    EXPECT_TRUE(std::isfinite(FloatModulo(-2147483648.5, 1.0)));
}

}  // namespace
