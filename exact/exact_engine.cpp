#include "exact/exact_engine.h"

#include "cards/hand.h"
#include "strategy/recommend.h"

#include <algorithm>

namespace zvx {

namespace {

// A shoe is named by the cards taken out of it: six bits a rank, the up card in the top four.
constexpr int RankBits = 6;
constexpr int UpShift = RankBits * RankCount;
constexpr std::uint64_t Unit(int rank) {
    return std::uint64_t{1} << (RankBits * (rank - 1));
}

struct HandKey {
    std::uint64_t Shoe;
    std::uint32_t Hand;
    friend bool operator==(const HandKey&, const HandKey&) = default;
};
struct HandKeyHash {
    std::size_t operator()(const HandKey& k) const {
        return std::hash<std::uint64_t>{}(k.Shoe * 0x9E3779B97F4A7C15ULL ^ k.Hand);
    }
};

int TotalOf(int hard, bool ace) {
    return ace && hard + 10 <= 21 ? hard + 10 : hard;
}

} // namespace

// The values of one table against one up card. Values are kept unscaled: each is the expected result times
// the chance that the dealer has no blackjack, so that every card drawn (the hole card too) comes from one
// shoe, and a value is divided by that chance only when it is shown. Counting `stakes`, a hand's value is
// the money it puts on the table instead of what it wins, in the same sums.
class ExactEngine::UpCardPlay {
  public:
    UpCardPlay(ExactEngine& engine, const StrategyTable& table, int upRank, bool stakes = false)
        : e_(engine), table_(table), up_(upRank), upValue_(ValueOfRank(upRank)), stakes_(stakes),
          left_(engine.shoe_), key_(static_cast<std::uint64_t>(upRank) << UpShift) {
        Take(upRank);
    }

    void Take(int r) {
        left_.Remove(r);
        key_ += Unit(r);
    }
    void Put(int r) {
        left_.Add(r);
        key_ -= Unit(r);
    }
    const ShoeCounts& Left() const { return left_; }

    double NoBlackjack() const { return 1 - DealerOdds::BlackjackChance(up_, left_); }

    // The expected result given the up card, over every first two cards.
    double Edge() {
        double sum = 0;
        for (int p1 = 1; p1 <= RankCount; ++p1) {
            if (left_.Of(p1) == 0) continue;
            const double first = left_.Chance(p1);
            Take(p1);
            for (int p2 = p1; p2 <= RankCount; ++p2) {
                if (left_.Of(p2) == 0) continue;
                if (e_.Stopped()) return sum;
                const double both = first * left_.Chance(p2) * (p1 == p2 ? 1 : 2);
                Take(p2);
                const bool blackjack = p1 == AceRank && p2 == TenRank;
                const double noBlackjack = NoBlackjack();
                // A player's blackjack against the dealer's is a push.
                // A blackjack is paid 3:2 unless the dealer has one too; the dealer's blackjack takes the
                // bet.
                if (stakes_)
                    sum += both * (blackjack ? 1 : 1 - noBlackjack + FirstHand(p1, p2));
                else
                    sum += both * (blackjack ? 1.5 * noBlackjack : -(1 - noBlackjack) + FirstHand(p1, p2));
                Put(p2);
            }
            Put(p1);
        }
        return sum;
    }

    double FirstHand(int p1, int p2) {
        const int hard = p1 + p2;
        const bool ace = p1 == AceRank || p2 == AceRank;
        const int total = TotalOf(hard, ace);
        const bool mayDouble = e_.rules_.DoubleAnyHand || total == 10 || total == 11;
        const Action action = DecideQuickly(table_, total != hard, total, upValue_, p1 == p2, mayDouble,
                                            e_.rules_.SurrenderAllowed);
        return ValueOf(action, hard, ace, 2, p1);
    }

    double ValueOf(Action action, int hard, bool ace, int cards, int pairRank) {
        switch (action) {
        case Split:
            return SplitValue(pairRank);
        case DoubleDown:
            return DoubleValue(hard, ace);
        case Surrender:
            return SurrenderValue();
        case Hit:
            return HitValue(hard, ace, cards);
        default:
            return StandValue(TotalOf(hard, ace));
        }
    }

    double SurrenderValue() const { return (stakes_ ? 1 : -0.5) * NoBlackjack(); }
    double BustValue() const { return (stakes_ ? 1 : -1) * NoBlackjack(); }

    double StandValue(int total) {
        if (stakes_) return NoBlackjack();
        const DealerChances& d = e_.DealerFor(key_, up_, left_);
        double value = d[DealerBust];
        for (int o = 1; o <= 5; ++o) {
            const int dealer = 16 + o;
            value += total > dealer   ? d[static_cast<std::size_t>(o)]
                     : total < dealer ? -d[static_cast<std::size_t>(o)]
                                      : 0;
        }
        // An eleven-card dealer hand below 17 (a chance far below the doubles' precision) is taken as 16.
        value += total > 16 ? d[DealerBelow17] : total < 16 ? -d[DealerBelow17] : 0;
        return value;
    }

    double HitValue(int hard, bool ace, int cards) {
        double sum = 0;
        const int n = left_.Total;
        for (int r = 1; r <= RankCount; ++r) {
            const int count = left_.Of(r);
            if (count == 0) continue;
            Take(r);
            const int next = hard + r;
            sum += count * (next > 21 ? BustValue() : PlayOn(next, ace || r == AceRank, cards + 1));
            Put(r);
        }
        return sum / n;
    }

    double DoubleValue(int hard, bool ace) {
        double sum = 0;
        const int n = left_.Total;
        for (int r = 1; r <= RankCount; ++r) {
            const int count = left_.Of(r);
            if (count == 0) continue;
            Take(r);
            const int next = hard + r;
            sum += count * (next > 21 ? BustValue() : StandValue(TotalOf(next, ace || r == AceRank)));
            Put(r);
        }
        return 2 * sum / n;
    }

    // A hand of three or more cards: it may only hit or stand, and with eleven cards it has no place to hit.
    double PlayOn(int hard, bool ace, int cards) {
        const HandKey key{key_, static_cast<std::uint32_t>(hard | (ace ? 32 : 0) | cards << 6)};
        if (const auto found = memo_.find(key); found != memo_.end()) return found->second;
        const int total = TotalOf(hard, ace);
        const bool hits = cards < MaxCardsPerHand &&
                          DecideQuickly(table_, total != hard, total, upValue_, false, false, false) == Hit;
        const double value = hits ? HitValue(hard, ace, cards) : StandValue(total);
        memo_.emplace(key, value);
        return value;
    }

    // A hand of a split once it holds two cards.
    double AfterSplit(int hard, bool ace, int pairRank) {
        const int total = TotalOf(hard, ace);
        const bool mayDouble =
            e_.rules_.DoubleAfterSplit && (e_.rules_.DoubleAnyHand || total == 10 || total == 11);
        const Action action = DecideQuickly(table_, total != hard, total, upValue_, false, mayDouble, false);
        return ValueOf(action, hard, ace, 2, pairRank);
    }

    // Both split hands' value, the pair's two cards already out of the shoe.
    double SplitValue(int pair) {
        if (pair == AceRank) {
            // Each Ace takes one card and stands; the other hand's card is unseen.
            double sum = 0;
            const int n = left_.Total;
            for (int r = 1; r <= RankCount; ++r) {
                const int count = left_.Of(r);
                if (count == 0) continue;
                Take(r);
                sum += count * StandValue(TotalOf(1 + r, true));
                Put(r);
            }
            return 2 * sum / n;
        }
        // A hand the split leaves holding the pair again is split again only where the table splits the pair
        // (and the rules and the free places allow it); otherwise the table plays it by its total, as the
        // game does after a split the player chose against the table.
        const bool resplits = DecideQuickly(table_, false, 2 * pair, upValue_, true, false, false) == Split;
        const std::vector<SplitPattern>& patterns = resplits ? e_.patterns_ : e_.splitOnce_;
        const int pairs = left_.Of(pair);
        const int n = left_.Total;
        int deepest = 0;
        for (const SplitPattern& p : patterns)
            deepest = std::max(deepest, p.Pairs + p.Unpaired);
        const int depth = std::min(deepest, pairs);
        // unpaired[j], paired[j]: one hand's value with j more pair cards out, its second card not pairing
        // it, or pairing it (that card among the j), each times the chance of that second card.
        std::vector<double> unpaired(static_cast<std::size_t>(deepest + 2), 0.0);
        std::vector<double> paired(static_cast<std::size_t>(deepest + 2), 0.0);
        for (int j = 0; j <= depth; ++j) {
            if (j > 0) Take(pair);
            double sum = 0;
            const int m = left_.Total;
            for (int r = 1; r <= RankCount; ++r) {
                const int count = left_.Of(r);
                if (count == 0 || r == pair) continue;
                Take(r);
                sum += count * AfterSplit(pair + r, r == AceRank, pair);
                Put(r);
            }
            unpaired[static_cast<std::size_t>(j)] = sum / m;
            if (j > 0) paired[static_cast<std::size_t>(j)] = AfterSplit(2 * pair, false, pair);
        }
        for (int j = 1; j <= depth; ++j)
            Put(pair);

        // With k other hands' unseen second cards known not to pair, V(j, k) = V(j, k-1) - c(j) V(j+1, k-1),
        // c(j) the chance of a pair card with j more out: a card removed unseen changes nothing, so removing
        // one that is known not to be a pair card takes away only the pair card's share.
        auto withUnseen = [&](const std::vector<double>& base, int j, int k) {
            std::vector<double> v(base);
            for (int level = 1; level <= k; ++level)
                for (int i = 0; i + level <= deepest; ++i) {
                    const double c = i < pairs ? static_cast<double>(pairs - i) / (n - i) : 0;
                    v[static_cast<std::size_t>(i)] -= c * v[static_cast<std::size_t>(i + 1)];
                }
            return v[static_cast<std::size_t>(j)];
        };
        double value = 0;
        for (const SplitPattern& p : patterns) {
            if (p.Pairs > pairs) continue;
            double chance = p.Orders;
            for (int i = 0; i < p.Pairs; ++i)
                chance *= static_cast<double>(pairs - i) / (n - i);
            double hands = 0;
            if (p.Unpaired > 0) hands += p.Unpaired * withUnseen(unpaired, p.Pairs, p.Unpaired - 1);
            if (p.Paired > 0) hands += p.Paired * withUnseen(paired, p.Pairs, p.Unpaired);
            value += chance * hands;
        }
        return value;
    }

  private:
    ExactEngine& e_;
    const StrategyTable& table_;
    int up_;
    int upValue_;
    bool stakes_;
    ShoeCounts left_;
    std::uint64_t key_;
    std::unordered_map<HandKey, double, HandKeyHash> memo_;
};

ExactEngine::ExactEngine(const ExactRules& rules) : ExactEngine(rules, ShoeCounts::Full(rules.Decks)) {}

ExactEngine::ExactEngine(const ExactRules& rules, const ShoeCounts& shoe)
    : rules_(rules), shoe_(shoe), dealer_(rules.HitsSoft17),
      patterns_(SplitPatterns(rules.ResplitAllowed ? 4 : 2)), splitOnce_(SplitPatterns(2)) {
    dealerCache_.reserve(1 << 16);
}

ExactEngine::~ExactEngine() = default;

const DealerChances& ExactEngine::DealerFor(std::uint64_t removedKey, int upRank, const ShoeCounts& left) {
    auto [it, fresh] = dealerCache_.try_emplace(removedKey);
    if (fresh) it->second = dealer_.Chances(upRank, left);
    return it->second;
}

double ExactEngine::UpCardEdge(const StrategyTable& table, int upRank) {
    if (shoe_.Of(upRank) == 0) return 0;
    return UpCardPlay(*this, table, upRank).Edge();
}

double ExactEngine::TableStakes(const StrategyTable& table) {
    double stakes = 0;
    for (int up = 1; up <= RankCount; ++up)
        if (shoe_.Of(up) > 0) stakes += shoe_.Chance(up) * UpCardPlay(*this, table, up, true).Edge();
    return stakes;
}

double ExactEngine::TableEdge(const StrategyTable& table) {
    double edge = 0;
    for (int up = 1; up <= RankCount; ++up)
        edge += shoe_.Chance(up) * UpCardEdge(table, up);
    return edge;
}

namespace {

// The values of a hand's plays, given no dealer blackjack.
template <class Play>
PlayValues ValuesOf(Play& play, const ExactRules& rules, const std::vector<int>& ranks, bool unsplit) {
    PlayValues values;
    int hard = 0;
    bool ace = false;
    for (const int r : ranks) {
        hard += r;
        ace = ace || r == AceRank;
    }
    const double scale = play.NoBlackjack();
    if (hard > 21 || scale <= 0) return values;
    const int total = TotalOf(hard, ace);
    const int cards = static_cast<int>(ranks.size());
    values.Stand = play.StandValue(total) / scale;
    if (cards < MaxCardsPerHand) values.Hit = play.HitValue(hard, ace, cards) / scale;
    if (cards == 2) {
        if ((unsplit || rules.DoubleAfterSplit) && (rules.DoubleAnyHand || total == 10 || total == 11))
            values.Double = play.DoubleValue(hard, ace) / scale;
        if (ranks[0] == ranks[1]) values.Split = play.SplitValue(ranks[0]) / scale;
        if (unsplit && rules.SurrenderAllowed) values.Surrender = -0.5;
    }
    return values;
}

} // namespace

std::vector<ExactEngine::StartingHand> ExactEngine::StartingHands(const StrategyTable& table, int upRank) {
    std::vector<StartingHand> hands;
    if (shoe_.Of(upRank) == 0) return hands;
    UpCardPlay play(*this, table, upRank);
    for (int a = 1; a <= RankCount; ++a) {
        if (play.Left().Of(a) == 0) continue;
        const double first = play.Left().Chance(a);
        play.Take(a);
        for (int b = a; b <= RankCount; ++b) {
            if (play.Left().Of(b) == 0 || (a == AceRank && b == TenRank)) continue;
            if (Stopped()) return hands;
            const double chance = first * play.Left().Chance(b) * (a == b ? 1 : 2);
            play.Take(b);
            hands.push_back({a, b, chance, ValuesOf(play, rules_, {a, b}, true)});
            play.Put(b);
        }
        play.Put(a);
    }
    return hands;
}

PlayValues ExactEngine::HandValues(const StrategyTable& table, int upRank, const std::vector<int>& ranks,
                                   bool unsplit) {
    UpCardPlay play(*this, table, upRank);
    for (const int r : ranks)
        play.Take(r);
    return ValuesOf(play, rules_, ranks, unsplit);
}

DealerChances ExactEngine::DealerGivenNoBlackjack(int upRank, const std::vector<int>& removedRanks) {
    ShoeCounts left = shoe_;
    for (const int r : removedRanks)
        left.Remove(r);
    DealerChances d = dealer_.Chances(upRank, left);
    const double scale = 1 - DealerOdds::BlackjackChance(upRank, left);
    for (double& p : d)
        p /= scale;
    return d;
}

} // namespace zvx
