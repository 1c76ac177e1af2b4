#include "engine/long_random.h"

namespace zvx {

namespace {

// The jump polynomials of the reference implementation.
constexpr std::array<std::uint64_t, LongRandom::JumpSize> JumpPolynomial = {
    0x180ec6d33cfd0abaULL, 0xd5a61266f0c9392cULL, 0xa9582618e03fc9aaULL, 0x39abdc4529b1661cULL};
constexpr std::array<std::uint64_t, LongRandom::JumpSize> LongJumpPolynomial = {
    0x76e15d3efefdcbbfULL, 0xc5004e441c522fb3ULL, 0x77710069854ee241ULL, 0x39109bb02acbe635ULL};

} // namespace

void LongRandom::JumpBy(const std::array<std::uint64_t, JumpSize>& polynomial) {
    // The state after the jump is the sum (exclusive or) of the states met at the polynomial's set bits.
    std::array<std::uint64_t, 4> sum{};
    for (const std::uint64_t word : polynomial)
        for (int bit = 0; bit < 64; ++bit) {
            if (word & (std::uint64_t{1} << bit))
                for (std::size_t k = 0; k < sum.size(); ++k) sum[k] ^= State[k];
            Next();
        }
    State = sum;
}

void LongRandom::Jump() { JumpBy(JumpPolynomial); }

void LongRandom::LongJump() { JumpBy(LongJumpPolynomial); }

std::uint64_t SplitMix64(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

LongRandom LongRandom::FromSeed(std::uint64_t seed) {
    LongRandom r;
    for (auto& word : r.State) word = SplitMix64(seed);
    return r;
}

} // namespace zvx
