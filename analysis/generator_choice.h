#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/long_random.h"

namespace zvx {

// The generators an analysis can shuffle with: the program's own 32-bit one, whose cycle of 2^32 draws a
// long run goes round (and then deals its shoes again), or xoshiro256** (engine/long_random.h).
enum class Generator { Classic, Long };

std::string GeneratorName(Generator g); // "classic" or "long"
std::optional<Generator> GeneratorNamed(const std::string& name);

// The program's generator by default, so that a plain run deals what it always dealt; the long one for runs
// meant to be merged: several jobs, or one part (stream) of a study.
Generator DefaultGenerator(int jobs, bool streamGiven);

// The long generator's start for job k of stream s of a seed: SplitMix64 from the seed, s long jumps, then
// k jumps. Every (stream, job) pair starts its own stretch of 2^128 draws, so no two ever deal the same shoes.
LongRandom LongStart(std::uint32_t seed, std::uint32_t stream, int job);

inline constexpr std::uint64_t ClassicCycleKeys = std::uint64_t{1} << 32;

// Says once, when the keys drawn with the program's generator first pass its cycle (2^32 keys, or less
// for a test), that later shoes repeat earlier ones; nothing before, and nothing again after.
class CycleWarning {
public:
    explicit CycleWarning(Generator g, std::uint64_t cycleKeys = ClassicCycleKeys) : watching_(g == Generator::Classic), cycle_(cycleKeys) {}
    std::optional<std::string> Check(std::uint64_t keysDrawn);
    bool Given() const { return given_; }

private:
    bool watching_;
    std::uint64_t cycle_;
    bool given_ = false;
};

} // namespace zvx
