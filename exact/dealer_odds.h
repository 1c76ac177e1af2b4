#pragma once

#include "exact/exact_rules.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zvx {

// The dealer's final result: 0 a stand below 17 (only an eleven-card hand, which has no twelfth place),
// 1..5 a stand on 17..21, 6 a bust.
inline constexpr int DealerBelow17 = 0;
inline constexpr int DealerBust = 6;
inline constexpr int DealerOutcomes = 7;
inline constexpr int DealerOutcomeOfTotal(int total) {
    return total - 16;
}

// The chances of the dealer's results, over the whole shoe left (the hole card included), with the mass of a
// dealer blackjack left out: the dealer peeks, so the player's decisions only matter when there is none.
// They add up to the chance that the dealer has no blackjack.
using DealerChances = std::array<double, DealerOutcomes>;

// The dealer's play by the up card, worked out once as the distinct sets of cards the dealer can draw, each
// with the number of its orders that are valid draws and its result. The chance of a set in any shoe is then
// a product of falling factorials, so a shoe's chances take one pass over the sets.
class DealerOdds {
  public:
    explicit DealerOdds(bool hitsSoft17);

    // `left` is the shoe after the up card and every card the player holds or has seen are removed.
    DealerChances Chances(int upRank, const ShoeCounts& left) const;

    // The chance that the hole card completes a blackjack.
    static double BlackjackChance(int upRank, const ShoeCounts& left) {
        if (upRank == AceRank) return left.Chance(TenRank);
        if (upRank == TenRank) return left.Chance(AceRank);
        return 0;
    }

    std::size_t DrawSets(int upRank) const { return sets_[static_cast<std::size_t>(upRank)].size(); }

  private:
    struct DrawSet {
        double Orders = 0; // the valid orders of drawing these cards
        std::uint8_t Cards = 0;
        std::uint8_t Outcome = 0;
        std::uint8_t Parts = 0; // ranks present
        std::array<std::uint8_t, RankCount> Rank{};
        std::array<std::uint8_t, RankCount> Times{};
    };
    std::array<std::vector<DrawSet>, RankCount + 1> sets_;
};

} // namespace zvx
