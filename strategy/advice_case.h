#pragma once

#include <cstdint>

namespace zvx {

// Why the strategy recommends what it does; chooses the advice sentence.
enum class AdviceCase : std::uint8_t {
    None,
    SplitAces,
    DoubleSoft,
    HitSoftLow,
    HitSoft,
    StandSoft,
    SplitPair,
    StandHard17,
    SurrenderHard,
    HitHard,
    StandHard,
    DoubleHard,
    DoNotDouble,
    NeverSplitFours,
    HitBelow12,
};

} // namespace zvx
