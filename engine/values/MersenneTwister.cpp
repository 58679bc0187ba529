#include "values/MersenneTwister.h"

#include <mutex>

namespace {

constexpr int kShift = 397;
constexpr uint32_t kMatrixA = 0x9908b0dfu;
constexpr uint32_t kUpperMask = 0x80000000u;
constexpr uint32_t kLowerMask = 0x7fffffffu;
constexpr uint32_t kDefaultSeed = 4357u;

uint32_t Mix(uint32_t upper, uint32_t lower, uint32_t far) {
    const uint32_t y = (upper & kUpperMask) | (lower & kLowerMask);
    return far ^ (y >> 1) ^ ((y & 1u) ? kMatrixA : 0u);
}

// Validations may run side by side; each draw of the shared generator is one step under the lock.
std::mutex processMutex;
MersenneTwister processGenerator;

}  // namespace

void MersenneTwister::Seed(uint32_t seed) {
    // uint32_t keeps the congruential step's wrap-around defined.
    for (int k = 0; k < kStateWords; ++k) {
        state[k] = seed & 0xffff0000u;
        seed = 69069u * seed + 1u;
        state[k] |= (seed & 0xffff0000u) >> 16;
        seed = 69069u * seed + 1u;
    }
    nextIndex = kStateWords;
}

void MersenneTwister::Twist() {
    int k = 0;
    for (; k < kStateWords - kShift; ++k) state[k] = Mix(state[k], state[k + 1], state[k + kShift]);
    for (; k < kStateWords - 1; ++k) {
        state[k] = Mix(state[k], state[k + 1], state[k + kShift - kStateWords]);
    }
    state[kStateWords - 1] = Mix(state[kStateWords - 1], state[0], state[kShift - 1]);
    nextIndex = 0;
}

uint32_t MersenneTwister::Next() {
    if (nextIndex >= kStateWords) {
        if (nextIndex == kStateWords + 1) Seed(kDefaultSeed);
        Twist();
    }
    uint32_t y = state[nextIndex++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9d2c5680u;
    y ^= (y << 15) & 0xefc60000u;
    y ^= y >> 18;
    return y;
}

bool MersenneTwister::IsFresh() const { return nextIndex == kStateWords + 1; }

uint32_t NextProcessRandom() {
    const std::lock_guard<std::mutex> lock(processMutex);
    return processGenerator.Next();
}

void ResetProcessRandomForTesting() {
    const std::lock_guard<std::mutex> lock(processMutex);
    processGenerator = MersenneTwister{};
}
