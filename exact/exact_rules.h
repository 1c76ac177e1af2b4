#pragma once

#include "engine/options.h"

#include <array>
#include <cstdint>

namespace zvx {

// The rules the exact engine plays under: the casino rules that change a hand's value. The penetration, the
// table minimum and the second box do not (the engine values one box dealt off the top of a fresh shoe).
struct ExactRules {
    int Decks = 2;
    bool HitsSoft17 = false;
    bool DoubleAnyHand = true;
    bool DoubleAfterSplit = true;
    bool ResplitAllowed = true;
    bool SurrenderAllowed = false;

    friend bool operator==(const ExactRules&, const ExactRules&) = default;
};

inline ExactRules ExactRulesOf(const CasinoRules& rules) {
    return {rules.Decks,          rules.DealerHitsSoft17, rules.DoubleAnyHand, rules.DoubleAfterSplit,
            rules.ResplitAllowed, rules.SurrenderAllowed};
}

// Card ranks as the engine counts them: 1 the Ace, 2..9, 10 every ten-valued card.
inline constexpr int AceRank = 1;
inline constexpr int TenRank = 10;
inline constexpr int RankCount = 10;

// The game's card values are 2..11 with the Ace 11.
inline constexpr int RankOfValue(int value) {
    return value == 11 ? AceRank : value;
}
inline constexpr int ValueOfRank(int rank) {
    return rank == AceRank ? 11 : rank;
}

// The cards left in a shoe, by rank.
struct ShoeCounts {
    std::array<int, RankCount + 1> Count{}; // [0] unused
    int Total = 0;

    static ShoeCounts Full(int decks) {
        ShoeCounts s;
        for (int r = 1; r <= RankCount; ++r)
            s.Count[static_cast<std::size_t>(r)] = (r == TenRank ? 16 : 4) * decks;
        s.Total = 52 * decks;
        return s;
    }
    int Of(int rank) const { return Count[static_cast<std::size_t>(rank)]; }
    double Chance(int rank) const { return static_cast<double>(Of(rank)) / Total; }
    void Remove(int rank) {
        --Count[static_cast<std::size_t>(rank)];
        --Total;
    }
    void Add(int rank) {
        ++Count[static_cast<std::size_t>(rank)];
        ++Total;
    }
    ShoeCounts Without(int rank) const {
        ShoeCounts s = *this;
        s.Remove(rank);
        return s;
    }
};

} // namespace zvx
