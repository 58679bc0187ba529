#pragma once
#include <cstdint>

/// The process-wide MT19937 generator behind the built-in rand, in its 1998 form: seeded on
/// first use with 4357 and never again, so that every run continues the same sequence.
namespace MersenneTwister {

/// Fills the state from the seed: each word takes the upper halves of two successive
/// values of x = 69069 x + 1.
void Seed(uint32_t seed);
/// The next tempered 32-bit output; seeds with 4357 when nothing has seeded yet.
uint32_t Next();
/// Test only: returns the generator to the unseeded state of a fresh process.
void ResetForTesting();

}  // namespace MersenneTwister
