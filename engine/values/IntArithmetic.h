#pragma once
#include <cstdint>

// Script Ints are 32-bit two's complement and wrap around on overflow. Signed overflow is
// undefined in C++, so every operation that can overflow is computed in uint32_t, whose
// arithmetic is modular, and converted back (a modular conversion since C++20).

/// a + b with wrap-around.
constexpr int32_t WrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

/// a - b with wrap-around.
constexpr int32_t WrapSubtract(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

/// a * b with wrap-around.
constexpr int32_t WrapMultiply(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

/// -a with wrap-around: -2147483648 stays itself.
constexpr int32_t WrapNegate(int32_t a) { return static_cast<int32_t>(0u - static_cast<uint32_t>(a)); }

/// a / b truncated toward zero; b must not be 0.
constexpr int32_t WrapDivide(int32_t a, int32_t b) {
    // -2147483648 / -1 has no Int result and traps on common hardware; dividing by -1 is a
    // negation, which wraps that one dividend onto itself instead.
    if (b == -1) return WrapNegate(a);
    return a / b;
}

/// a % b with the sign of a; b must not be 0.
constexpr int32_t WrapRemainder(int32_t a, int32_t b) {
    // -2147483648 % -1 traps like the division behind it, although every remainder by -1 is 0.
    if (b == -1) return 0;
    return a % b;
}
