// Test-only control of random_int: the next draws come from a given list, later ones from the
// generator.
#include "game/testing/scripted_random.h"

#include <utility>

ScriptedRandomDraws::ScriptedRandomDraws(std::vector<std::int32_t> draws)
    : draws_(std::move(draws)) {
    set_random_int_override([this](std::int32_t) -> std::optional<std::int32_t> {
        if (next_ == draws_.size()) {
            return std::nullopt;
        }
        return draws_[next_++];
    });
}

ScriptedRandomDraws::~ScriptedRandomDraws() {
    set_random_int_override(nullptr);
}
