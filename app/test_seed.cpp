#include "app/test_seed.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "game/random.h"

void apply_test_seed() {
#ifdef VORMELIN_TEST_HOOKS
    const char* text = std::getenv("VORMELIN_TEST_SEED");
    if (text == nullptr) {
        return;
    }
    const std::string_view digits(text);
    std::uint32_t seed = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), seed);
    if (error == std::errc() && end == digits.data() + digits.size()) {
        random_seed(seed);
    }
#endif
}
