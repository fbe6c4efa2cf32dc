// The tests' seed: the same VORMELIN_TEST_SEED gives the same generator, and anything but a
// plain number is ignored.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/test_seed.h"
#include "game/random.h"

namespace {

RandomPair first_step_after_seed(const char* seed) {
    setenv("VORMELIN_TEST_SEED", seed, 1);
    random_seed(1);  // a known state that a seed must replace
    apply_test_seed();
    unsetenv("VORMELIN_TEST_SEED");
    return random_step();
}

TEST(TestSeed, SeedsTheGeneratorFromTheVariableAndIgnoresAnythingButANumber) {
    random_seed(20261207);
    const RandomPair seeded = random_step();
    random_seed(1);
    const RandomPair unseeded = random_step();

    const RandomPair from_variable = first_step_after_seed("20261207");
    EXPECT_EQ(from_variable.low, seeded.low);
    EXPECT_EQ(from_variable.high, seeded.high);
    for (const char* junk : {"", "12abc", "-5", "99999999999"}) {
        const RandomPair kept = first_step_after_seed(junk);
        EXPECT_EQ(kept.low, unseeded.low) << junk;
        EXPECT_EQ(kept.high, unseeded.high) << junk;
    }
}

}  // namespace
