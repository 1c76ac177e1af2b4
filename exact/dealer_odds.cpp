#include "exact/dealer_odds.h"

#include "cards/hand.h"

#include <algorithm>
#include <map>

namespace zvx {

namespace {

// The longest draw: the up card and ten more fill the hand's eleven places.
constexpr int MaxDrawn = MaxCardsPerHand - 1;

struct Walker {
    bool hitsSoft17;
    int upRank;
    std::array<int, RankCount + 1> drawn{};
    // (drawn counts packed, outcome) -> orders
    std::map<std::pair<std::uint64_t, int>, double> found;

    std::uint64_t Packed() const {
        std::uint64_t key = 0;
        for (int r = 1; r <= RankCount; ++r)
            key = key << 4 | static_cast<std::uint64_t>(drawn[static_cast<std::size_t>(r)]);
        return key;
    }

    // hard: the total with every Ace counted 1; cards: in the hand, the up card included.
    void Walk(int hard, bool ace, int cards) {
        if (hard > 21) {
            found[{Packed(), DealerBust}] += 1;
            return;
        }
        const bool soft = ace && hard + 10 <= 21;
        const int total = soft ? hard + 10 : hard;
        if (cards >= 2) {
            if (cards == 2 && total == 21) return; // a blackjack: the peek has already settled the round
            const bool stands = total > 17 || (total == 17 && !(hitsSoft17 && soft));
            if (stands) {
                found[{Packed(), DealerOutcomeOfTotal(total)}] += 1;
                return;
            }
            if (cards == MaxCardsPerHand) {
                found[{Packed(), DealerBelow17}] += 1;
                return;
            }
        }
        for (int r = 1; r <= RankCount; ++r) {
            ++drawn[static_cast<std::size_t>(r)];
            Walk(hard + r, ace || r == AceRank, cards + 1);
            --drawn[static_cast<std::size_t>(r)];
        }
    }
};

} // namespace

DealerOdds::DealerOdds(bool hitsSoft17) {
    for (int up = 1; up <= RankCount; ++up) {
        Walker walker{hitsSoft17, up, {}, {}};
        walker.Walk(up, up == AceRank, 1);
        auto& sets = sets_[static_cast<std::size_t>(up)];
        for (const auto& [key, orders] : walker.found) {
            DrawSet set;
            set.Orders = orders;
            set.Outcome = static_cast<std::uint8_t>(key.second);
            for (int r = RankCount; r >= 1; --r) {
                const auto times = static_cast<std::uint8_t>((key.first >> (4 * (RankCount - r))) & 0xF);
                if (times == 0) continue;
                set.Rank[set.Parts] = static_cast<std::uint8_t>(r);
                set.Times[set.Parts] = times;
                ++set.Parts;
                set.Cards = static_cast<std::uint8_t>(set.Cards + times);
            }
            sets.push_back(set);
        }
    }
}

DealerChances DealerOdds::Chances(int upRank, const ShoeCounts& left) const {
    // falling[r][k]: the ways of drawing k cards of rank r in order; fullFalling[n] the same for any n cards.
    std::array<std::array<double, MaxDrawn + 1>, RankCount + 1> falling{};
    for (int r = 1; r <= RankCount; ++r) {
        auto& f = falling[static_cast<std::size_t>(r)];
        f[0] = 1;
        for (int k = 1; k <= MaxDrawn; ++k)
            f[static_cast<std::size_t>(k)] =
                f[static_cast<std::size_t>(k - 1)] * std::max(0, left.Of(r) - k + 1);
    }
    std::array<double, MaxDrawn + 1> inverse{};
    double ways = 1;
    for (int n = 0; n <= MaxDrawn; ++n) {
        inverse[static_cast<std::size_t>(n)] = ways > 0 ? 1 / ways : 0;
        ways *= std::max(0, left.Total - n);
    }
    DealerChances chances{};
    for (const DrawSet& set : sets_[static_cast<std::size_t>(upRank)]) {
        double p = set.Orders * inverse[set.Cards];
        for (int i = 0; i < set.Parts; ++i)
            p *= falling[set.Rank[static_cast<std::size_t>(i)]][set.Times[static_cast<std::size_t>(i)]];
        chances[set.Outcome] += p;
    }
    return chances;
}

} // namespace zvx
