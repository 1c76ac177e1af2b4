#include "analysis/generator_choice.h"

namespace zvx {

std::string GeneratorName(Generator g) { return g == Generator::Long ? "long" : "classic"; }

std::optional<Generator> GeneratorNamed(const std::string& name) {
    if (name == "classic") return Generator::Classic;
    if (name == "long") return Generator::Long;
    return std::nullopt;
}

Generator DefaultGenerator(int jobs, bool streamGiven) {
    return jobs > 1 || streamGiven ? Generator::Long : Generator::Classic;
}

LongRandom LongStart(std::uint32_t seed, std::uint32_t stream, int job) {
    LongRandom r = LongRandom::FromSeed(seed);
    for (std::uint32_t s = 0; s < stream; ++s) r.LongJump();
    for (int k = 0; k < job; ++k) r.Jump();
    return r;
}

std::optional<std::string> CycleWarning::Check(std::uint64_t keysDrawn) {
    if (!watching_ || given_ || keysDrawn <= cycle_) return std::nullopt;
    given_ = true;
    return "the classic generator has drawn more than " + std::to_string(cycle_) +
           " shuffle keys, its whole cycle: later shoes repeat earlier ones, and the standard errors are "
           "unreliable (--generator long has no such limit)";
}

} // namespace zvx
