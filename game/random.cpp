// The process-wide RANROT-W generator: 17 pairs of 32-bit words with rotations by 19 and 27 bits.
#include "game/random.h"

#include <bit>
#include <chrono>
#include <functional>
#include <limits>
#include <optional>
#include <utility>

namespace {

RandomGenerator generator;

// Replaces draws in tests only; declared in game/testing/scripted_random.h, never set by the game.
std::function<std::optional<std::int32_t>(std::int32_t)> random_int_override;

std::uint32_t milliseconds_since_start() {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

int previous_pair(int index) {
    return index == 0 ? random_pair_count - 1 : index - 1;
}

}  // namespace

void set_random_int_override(std::function<std::optional<std::int32_t>(std::int32_t)> override) {
    random_int_override = std::move(override);
}

void random_seed(std::uint32_t seed) {
    generator.seeded = true;
    std::uint32_t x = seed;
    for (RandomPair& pair : generator.pairs) {
        x = x * 2891336453u + 1;
        pair.low = x;
        x = x * 2891336453u + 1;
        pair.high = x;
    }
    generator.p1 = 0;
    generator.p2 = 10;
    for (int i = 0; i < 31; ++i) {
        random_step();
    }
}

RandomPair random_step() {
    RandomPair& written = generator.pairs[generator.p1];
    const RandomPair& lagged = generator.pairs[generator.p2];
    std::uint32_t y = std::rotl(written.low, 19) + lagged.low;
    std::uint32_t z = std::rotl(written.high, 27) + lagged.high;
    written = RandomPair{z, y};  // the two words change places
    generator.p1 = previous_pair(generator.p1);
    generator.p2 = previous_pair(generator.p2);
    return written;
}

std::int32_t random_int(std::int32_t bound) {
    if (random_int_override) {
        if (std::optional<std::int32_t> value = random_int_override(bound)) {
            return *value;
        }
    }
    if (!generator.seeded) {
        random_seed(milliseconds_since_start());
    }
    RandomPair pair = random_step();
    if (bound < 0) {
        return std::numeric_limits<std::int32_t>::min();
    }
    // floor((high * 2^32 + low) * (bound + 1) / 2^64), exactly.
    std::uint64_t range = static_cast<std::uint64_t>(bound) + 1;
    std::uint64_t low_product = pair.low * range;
    std::uint64_t high_product = pair.high * range;
    return static_cast<std::int32_t>((high_product + (low_product >> 32)) >> 32);
}

const RandomGenerator& random_generator() {
    return generator;
}
