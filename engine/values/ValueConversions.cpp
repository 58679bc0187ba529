#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "values/Value.h"

namespace {

// 2^63: the first magnitude that no 64-bit signed integer holds.
constexpr double kInt64Limit = 9223372036854775808.0;

// strtod follows the process locale, and a host that switches to the user's locale (as GUI
// toolkits do) would then stop reading "1.5" at the point. Script numbers always use '.',
// so the point is swapped for the locale's own decimal separator before reading.
double ReadDecimal(const char* token) {
    const char* point = std::localeconv()->decimal_point;
    if (std::strcmp(point, ".") == 0 || std::strchr(token, '.') == nullptr) {
        return std::strtod(token, nullptr);
    }
    std::string localised;
    for (const char* c = token; *c != '\0'; ++c) {
        if (*c == '.') {
            localised += point;
        } else {
            localised += *c;
        }
    }
    return std::strtod(localised.c_str(), nullptr);
}

}  // namespace

int32_t FloatToInt(double d) {
    // Converting an out-of-range double is undefined, so the range is settled first; the
    // negated comparison also sends NaN to 0.
    if (!(std::fabs(d) < kInt64Limit)) return 0;
    const auto truncated = static_cast<int64_t>(d);
    // Keeping the low 32 bits is a modular narrowing, exact only on unsigned types.
    const auto low = static_cast<uint32_t>(static_cast<uint64_t>(truncated));
    return static_cast<int32_t>(low);
}

Value NumberLiteral(const char* token) {
    Value value;
    // Most literals are short runs of digits, whose value the double holds exactly: read
    // without the C library, that gives the same Int at a fraction of the cost.
    constexpr int kExactDigits = 15;
    std::uint64_t digits = 0;
    int n = 0;
    while (n <= kExactDigits && token[n] >= '0' && token[n] <= '9')
        digits = digits * 10 + static_cast<unsigned>(token[n++] - '0');
    if (n > 0 && n <= kExactDigits && token[n] == '\0') {
        value.i = FloatToInt(static_cast<double>(digits));
        value.type = ValueType::Int;
        return value;
    }
    const double read = ReadDecimal(token);
    if (std::strpbrk(token, ".eE") != nullptr) {
        value.f = read;
        value.type = ValueType::Float;
    } else {
        // Integers wider than 32 bits are not refused: like any Float stored into an Int,
        // they keep their low 32 bits.
        value.i = FloatToInt(read);
        value.type = ValueType::Int;
    }
    return value;
}

double FloatModulo(double a, double b) {
    const int32_t k = FloatToInt(a / b);
    if (a >= 0.0) return a - static_cast<double>(k) * b;
    // Negative dividends land one divisor further toward the positive side (-7 % 3.0 is 2,
    // -6 % 3.0 is 3); 1 - k wraps like every script Int, which k = INT_MIN would overflow.
    const auto shift = static_cast<int32_t>(1u - static_cast<uint32_t>(k));
    return static_cast<double>(shift) * b + a;
}
