// The process-wide RANROT-W generator: 17 pairs of 32-bit words with rotations by 19 and 27 bits.
// A given seed gives the same numbers, and so the same boards, everywhere.
#pragma once

#include <array>
#include <cstdint>

inline constexpr int random_pair_count = 17;

struct RandomPair {
    std::uint32_t low;
    std::uint32_t high;
};

struct RandomGenerator {
    std::array<RandomPair, random_pair_count> pairs{};
    int p1 = 0;  // the pair the next step rewrites
    int p2 = 0;  // the lagged pair the next step adds
    bool seeded = false;
};

// Sets the state from `seed` and takes the 31 warm-up steps.
void random_seed(std::uint32_t seed);

// Advances the state by one step and returns the pair just written.
RandomPair random_step();

// A uniform integer in 0..bound from exactly one step; a negative bound gives INT32_MIN. The first
// call of the process seeds the generator from a millisecond counter.
std::int32_t random_int(std::int32_t bound);

// The generator's state, for inspection.
const RandomGenerator& random_generator();
