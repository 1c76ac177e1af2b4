#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zvx {

// xoshiro256** 1.0 (Blackman and Vigna, "Scrambled linear pseudorandom number generators", 2021): 256 bits of
// state, period 2^256 - 1, and jump functions that split the period into streams that never overlap. The long
// analyses use it where the 32-bit generator would go round its cycle of 2^32 draws and deal its shoes again.
struct LongRandom {
    std::array<std::uint64_t, 4> State{};

    static constexpr int JumpSize = 4;

    std::uint64_t Next() {
        const std::uint64_t result = Rotate(State[1] * 5, 7) * 9;
        const std::uint64_t t = State[1] << 17;
        State[2] ^= State[0];
        State[3] ^= State[1];
        State[1] ^= State[2];
        State[0] ^= State[3];
        State[2] ^= t;
        State[3] = Rotate(State[3], 45);
        return result;
    }

    // The state 2^128 draws on: the start of the next of 2^128 streams of 2^128 draws each.
    void Jump();
    // The state 2^192 draws on: the start of the next of 2^64 blocks, each holding 2^64 streams of Jump.
    void LongJump();

    // The state the authors recommend for a 64-bit seed: four outputs of SplitMix64 from it (never all zero).
    static LongRandom FromSeed(std::uint64_t seed);

    friend bool operator==(const LongRandom&, const LongRandom&) = default;

private:
    static constexpr std::uint64_t Rotate(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    void JumpBy(const std::array<std::uint64_t, JumpSize>& polynomial);
};

// One output of SplitMix64 (Steele, Lea and Flood), advancing its state.
std::uint64_t SplitMix64(std::uint64_t& state);

// Draws `count` numbers below n, as DrawBelow does with the program's own generator, from the long generator: each 64-bit
// output gives two 32-bit numbers, its upper half first, and a number x becomes (x * n) >> 32 as there. An
// odd count leaves the last lower half unused.
template <class Emit>
void DrawBelowLong(LongRandom& random, std::uint32_t n, std::size_t count, Emit emit) {
    auto below = [n](std::uint64_t x32) { return static_cast<std::uint32_t>((x32 * n) >> 32); };
    std::size_t i = 0;
    for (; i + 2 <= count; i += 2) {
        const std::uint64_t x = random.Next();
        emit(i, below(x >> 32));
        emit(i + 1, below(x & 0xffffffffu));
    }
    if (i < count) emit(i, below(random.Next() >> 32));
}

} // namespace zvx
