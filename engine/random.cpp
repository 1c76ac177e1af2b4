#include "engine/random.h"

#include <chrono>

namespace zvx {

std::uint32_t ClockSeed() {
    using namespace std::chrono;
    const auto now = system_clock::now().time_since_epoch();
    const auto msOfDay = duration_cast<milliseconds>(now).count() % (24LL * 60 * 60 * 1000);
    return static_cast<std::uint32_t>(msOfDay);
}

std::uint32_t AdvanceRandomState(std::uint32_t state, std::uint64_t steps) {
    // (a, c) is the map x -> a x + c of the current power of two of draws.
    std::uint32_t a = 134775813u;
    std::uint32_t c = 1u;
    for (; steps != 0; steps >>= 1) {
        if (steps & 1) state = a * state + c;
        c = a * c + c;
        a = a * a;
    }
    return state;
}

void SeedRandom(Game& g) {
    g.RandomState = g.FixedSeed ? *g.FixedSeed : ClockSeed();
    if (g.LongRandomStart) g.LongRandomState = *g.LongRandomStart;
}

} // namespace zvx
