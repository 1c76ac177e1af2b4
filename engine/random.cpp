#include "engine/random.h"

#include <chrono>

namespace zvx {

std::uint32_t ClockSeed() {
    using namespace std::chrono;
    const auto now = system_clock::now().time_since_epoch();
    const auto msOfDay = duration_cast<milliseconds>(now).count() % (24LL * 60 * 60 * 1000);
    return static_cast<std::uint32_t>(msOfDay);
}

void SeedRandom(Game& g) { g.RandomState = g.FixedSeed ? *g.FixedSeed : ClockSeed(); }

} // namespace zvx
