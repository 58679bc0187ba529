#pragma once
#include <cstdint>

/// MT19937 in its 1998 form, the generator behind the built-in rand: seeded with 4357 on the
/// first draw unless seeded before, so every fresh generator yields the same sequence.
class MersenneTwister {
public:
    /// Fills the state from the seed: each word takes the upper halves of two successive
    /// values of x = 69069 x + 1.
    void Seed(uint32_t seed);
    /// The next tempered 32-bit output; seeds with 4357 when nothing has seeded yet.
    uint32_t Next();
    /// True until the first Seed or Next: the generator stands where a fresh process starts.
    bool IsFresh() const;

private:
    static constexpr int kStateWords = 624;

    void Twist();

    uint32_t state[kStateWords] = {};
    int nextIndex = kStateWords + 1;  ///< kStateWords + 1 marks a generator never seeded
};

/// Draws from the process-wide generator, which rand uses unless a validation brings its own:
/// seeded once and never again, so runs one after the other continue the same sequence.
uint32_t NextProcessRandom();
/// Test only: returns the process-wide generator to the unseeded state of a fresh process.
void ResetProcessRandomForTesting();
