#pragma once

#include <cstdint>

#include "engine/game_state.h"

namespace zvx {

// The program's one random generator: a 32-bit linear congruential step; the result is the upper half of
// the 64-bit product of the new state and n, so it lies in 0..n-1.
inline std::uint32_t RandomBelow(Game& g, std::uint32_t n) {
    g.RandomState = g.RandomState * 134775813u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(g.RandomState) * n) >> 32);
}

// Milliseconds since midnight, UTC, from the system clock.
std::uint32_t ClockSeed();

// Seeds the generator from the clock, or from Game::FixedSeed when a tool or test has set one.
void SeedRandom(Game& g);

} // namespace zvx
