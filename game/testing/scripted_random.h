// Test-only control of random_int: the next draws come from a given list, later ones from the
// generator. Only test executables link the game_testing library that provides it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// Defined next to the generator; when the override gives a value, random_int returns it instead
// of stepping the generator.
void set_random_int_override(std::function<std::optional<std::int32_t>(std::int32_t)> override);

// While it lives, random_int returns `draws` in order, then goes on with the generator.
class ScriptedRandomDraws {
public:
    explicit ScriptedRandomDraws(std::vector<std::int32_t> draws);
    ~ScriptedRandomDraws();
    ScriptedRandomDraws(const ScriptedRandomDraws&) = delete;
    ScriptedRandomDraws& operator=(const ScriptedRandomDraws&) = delete;

    std::size_t draws_left() const { return draws_.size() - next_; }

private:
    std::vector<std::int32_t> draws_;
    std::size_t next_ = 0;
};
