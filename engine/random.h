#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/game_state.h"

namespace zvx {

// The program's one random generator: a 32-bit linear congruential step; the result is the upper half of
// the 64-bit product of the new state and n, so it lies in 0..n-1.
inline std::uint32_t RandomBelow(Game& g, std::uint32_t n) {
    g.RandomState = g.RandomState * 134775813u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(g.RandomState) * n) >> 32);
}

// Draws `count` numbers below n and hands each to emit(i, number), exactly the numbers that as many calls of
// RandomBelow would draw, leaving the same state. A shuffle draws a hundred or more at once, and one step
// after another they form a chain of multiplications each waiting for the last. But k steps of
// x -> a*x + 1 are x -> a^k*x + (1 + a + ... + a^(k-1)) (mod 2^32), so four chains, each four steps apart,
// draw the same sequence side by side.
template <class Emit>
void DrawBelow(Game& g, std::uint32_t n, std::size_t count, Emit emit) {
    constexpr std::uint32_t A1 = 134775813u;
    constexpr std::uint32_t A2 = A1 * A1;
    constexpr std::uint32_t A3 = A2 * A1;
    constexpr std::uint32_t A4 = A3 * A1;
    constexpr std::uint32_t C2 = A1 + 1u;
    constexpr std::uint32_t C3 = A2 + A1 + 1u;
    constexpr std::uint32_t C4 = A3 + A2 + A1 + 1u;
    auto below = [n](std::uint32_t x) { return static_cast<std::uint32_t>((static_cast<std::uint64_t>(x) * n) >> 32); };
    std::uint32_t x = g.RandomState;
    std::size_t i = 0;
    if (count >= 4) {
        std::uint32_t s0 = A1 * x + 1u;
        std::uint32_t s1 = A2 * x + C2;
        std::uint32_t s2 = A3 * x + C3;
        std::uint32_t s3 = A4 * x + C4;
        while (true) {
            emit(i, below(s0));
            emit(i + 1, below(s1));
            emit(i + 2, below(s2));
            emit(i + 3, below(s3));
            x = s3;
            i += 4;
            if (i + 4 > count) break;
            s0 = A4 * s0 + C4;
            s1 = A4 * s1 + C4;
            s2 = A4 * s2 + C4;
            s3 = A4 * s3 + C4;
        }
    }
    for (; i < count; ++i) {
        x = A1 * x + 1u;
        emit(i, below(x));
    }
    g.RandomState = x;
}

inline void RandomBelowMany(Game& g, std::uint32_t n, std::uint32_t* out, std::size_t count) {
    DrawBelow(g, n, count, [out](std::size_t i, std::uint32_t number) { out[i] = number; });
}

// The state reached from `state` after `steps` draws, in about 64 steps: k draws are the affine map
// x -> A^k x + (1 + A + ... + A^(k-1)), and such maps compose by squaring.
std::uint32_t AdvanceRandomState(std::uint32_t state, std::uint64_t steps);

// Milliseconds since midnight, UTC, from the system clock.
std::uint32_t ClockSeed();

// Seeds the generator from the clock, or from Game::FixedSeed when a tool or test has set one; and the long
// generator from Game::LongRandomStart when that is set.
void SeedRandom(Game& g);

} // namespace zvx
