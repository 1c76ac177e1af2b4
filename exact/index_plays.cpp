#include "exact/index_plays.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace zvx {

namespace {

int TagOfRank(const CountingSystem& system, int rank) {
    return system.Tag(ValueOfRank(rank));
}

std::size_t At(int rank) {
    return static_cast<std::size_t>(rank);
}

// The group a two-card hand belongs to, as the strategy reads it.
IndexHand GroupOf(int first, int second, int up) {
    if (first == second) return {IndexHandKind::Pair, first, up};
    if (first == AceRank || second == AceRank)
        return {IndexHandKind::Soft, 11 + (first == AceRank ? second : first), up};
    return {IndexHandKind::Hard, first + second, up};
}

std::optional<double> ValueOf(const PlayValues& v, IndexPlay play) {
    switch (play) {
    case IndexPlay::Stand:
        return v.Stand;
    case IndexPlay::Hit:
        return v.Hit;
    case IndexPlay::Double:
        return v.Double;
    case IndexPlay::Split:
        return v.Split;
    case IndexPlay::Surrender:
        return v.Surrender;
    case IndexPlay::PlayOn: {
        std::optional<double> best;
        for (const auto& value : {v.Stand, v.Hit, v.Double, v.Split})
            if (value && (!best || *value > *best)) best = value;
        return best;
    }
    default:
        return std::nullopt;
    }
}

// A play's value for a group of hands, averaged by the hands' chances, and the group's chance given the up card.
// Empty when the play is not open to every hand of the group.
struct GroupValue {
    std::optional<double> Value;
    double Chance = 0;
};

GroupValue ValueOfGroup(const std::vector<ExactEngine::StartingHand>& hands, const IndexHand& group,
                        IndexPlay play) {
    double sum = 0;
    double chance = 0;
    bool open = true;
    for (const auto& hand : hands) {
        if (GroupOf(hand.First, hand.Second, group.Up) != group) continue;
        const auto value = ValueOf(hand.Values, play);
        if (!value) open = false;
        else sum += hand.Chance * *value;
        chance += hand.Chance;
    }
    if (!open || chance <= 0) return {std::nullopt, chance};
    return {sum / chance, chance};
}

// What one shoe tells about every hand: the starting hands against each up card, followed by the table.
struct ShoeValues {
    double TrueCount = 0;
    ShoeCounts Shoe;
    std::array<std::vector<ExactEngine::StartingHand>, RankCount + 1> Hands;
};

ShoeValues ValueShoe(const ExactRules& rules, const ShoeCounts& shoe, const StrategyTable& table,
                     double trueCount, const std::atomic<bool>* stop) {
    ShoeValues values;
    values.TrueCount = trueCount;
    values.Shoe = shoe;
    ExactEngine engine(rules, shoe);
    engine.SetStop(stop);
    for (int up = 1; up <= RankCount; ++up)
        if (shoe.Of(up) > 0) values.Hands[At(up)] = engine.StartingHands(table, up);
    return values;
}

// The chance of a round with this up card and no dealer blackjack.
double UpChance(const ShoeCounts& shoe, int up) {
    if (shoe.Of(up) == 0 || shoe.Total < 2) return 0;
    const ShoeCounts rest = shoe.Without(up);
    const int blackjackRank = up == AceRank ? TenRank : up == TenRank ? AceRank : 0;
    const double noBlackjack = blackjackRank == 0 ? 1 : 1 - rest.Chance(blackjackRank);
    return shoe.Chance(up) * noBlackjack;
}

double NormalBelow(double z) {
    return 0.5 * std::erfc(-z / std::sqrt(2.0));
}

struct Usual {
    IndexHand Hand;
    IndexPlay Low, High;
};

constexpr IndexHandKind H = IndexHandKind::Hard;

const std::vector<Usual>& UsualPlays() {
    static const std::vector<Usual> plays = {
        {{IndexHandKind::Insurance, 0, AceRank}, IndexPlay::NoInsurance, IndexPlay::Insure},
        {{H, 16, 10}, IndexPlay::Hit, IndexPlay::Stand},
        {{H, 15, 10}, IndexPlay::Hit, IndexPlay::Stand},
        {{IndexHandKind::Pair, 10, 5}, IndexPlay::Stand, IndexPlay::Split},
        {{IndexHandKind::Pair, 10, 6}, IndexPlay::Stand, IndexPlay::Split},
        {{H, 10, 10}, IndexPlay::Hit, IndexPlay::Double},
        {{H, 12, 3}, IndexPlay::Hit, IndexPlay::Stand},
        {{H, 12, 2}, IndexPlay::Hit, IndexPlay::Stand},
        {{H, 11, AceRank}, IndexPlay::Hit, IndexPlay::Double},
        {{H, 9, 2}, IndexPlay::Hit, IndexPlay::Double},
        {{H, 10, AceRank}, IndexPlay::Hit, IndexPlay::Double},
        {{H, 9, 7}, IndexPlay::Hit, IndexPlay::Double},
        {{H, 16, 9}, IndexPlay::Hit, IndexPlay::Stand},
        {{H, 13, 2}, IndexPlay::Hit, IndexPlay::Stand},
        {{H, 12, 4}, IndexPlay::Hit, IndexPlay::Stand},
        {{H, 12, 5}, IndexPlay::Hit, IndexPlay::Stand},
        {{H, 12, 6}, IndexPlay::Hit, IndexPlay::Stand},
        {{H, 13, 3}, IndexPlay::Hit, IndexPlay::Stand},
    };
    return plays;
}

const std::vector<Usual>& SurrenderPlays() {
    static const std::vector<Usual> plays = {
        {{H, 14, 10}, IndexPlay::PlayOn, IndexPlay::Surrender},
        {{H, 15, 10}, IndexPlay::PlayOn, IndexPlay::Surrender},
        {{H, 15, 9}, IndexPlay::PlayOn, IndexPlay::Surrender},
        {{H, 15, AceRank}, IndexPlay::PlayOn, IndexPlay::Surrender},
    };
    return plays;
}

bool SamePlays(const IndexEntry& e, const IndexHand& hand, IndexPlay a, IndexPlay b) {
    if (!(e.Hand == hand)) return false;
    const auto covers = [](IndexPlay listed, IndexPlay play) {
        return listed == play || (listed == IndexPlay::PlayOn && play != IndexPlay::Surrender);
    };
    return (covers(e.Low, a) && covers(e.High, b)) || (covers(e.Low, b) && covers(e.High, a));
}

} // namespace

std::optional<ShoeCounts> ShoeAtRunningCount(const CountingSystem& system, int decks, int cardsLeft,
                                             int runningCount) {
    const ShoeCounts full = ShoeCounts::Full(decks);
    const int total = full.Total;
    if (cardsLeft < 1 || cardsLeft > total) return std::nullopt;
    const int dealt = total - cardsLeft;
    const int wanted = runningCount - InitialRunningCount(system, decks); // the dealt cards' tags summed

    // The dealt cards as the shoe's own mix moved along the tags: each rank's share goes up by c times its tag
    // less the mean tag, which keeps the number dealt and moves the count by c times the tags' spread.
    const double meanTag = static_cast<double>(system.DeckSum()) / 52;
    double spread = 0;
    for (int r = 1; r <= RankCount; ++r) {
        const double d = TagOfRank(system, r) - meanTag;
        spread += full.Of(r) * d * TagOfRank(system, r);
    }
    const double shift = (wanted - dealt * meanTag) / spread;
    std::array<double, RankCount + 1> target{};
    std::array<int, RankCount + 1> out{};
    int sum = 0;
    for (int r = 1; r <= RankCount; ++r) {
        const double share = static_cast<double>(dealt) / total + shift * (TagOfRank(system, r) - meanTag);
        target[At(r)] = std::clamp(full.Of(r) * share, 0.0, static_cast<double>(full.Of(r)));
        out[At(r)] = static_cast<int>(std::floor(target[At(r)]));
        sum += out[At(r)];
    }
    // Whole cards: the largest remainders first, then single swaps that bring the count to the one wanted,
    // each the swap that strays least from the mix.
    while (sum != dealt) {
        const int step = sum < dealt ? 1 : -1;
        int pick = 0;
        double best = std::numeric_limits<double>::infinity();
        for (int r = 1; r <= RankCount; ++r) {
            const int next = out[At(r)] + step;
            if (next < 0 || next > full.Of(r)) continue;
            const double miss = std::abs(next - target[At(r)]);
            if (miss < best) best = miss, pick = r;
        }
        if (pick == 0) return std::nullopt;
        out[At(pick)] += step;
        sum += step;
    }
    const auto tagsOf = [&] {
        int t = 0;
        for (int r = 1; r <= RankCount; ++r) t += out[At(r)] * TagOfRank(system, r);
        return t;
    };
    for (int tags = tagsOf(); tags != wanted; tags = tagsOf()) {
        const int need = wanted - tags;
        int from = 0, to = 0;
        double best = std::numeric_limits<double>::infinity();
        for (int i = 1; i <= RankCount; ++i) {
            if (out[At(i)] == 0) continue;
            for (int j = 1; j <= RankCount; ++j) {
                if (out[At(j)] == full.Of(j)) continue;
                const int move = TagOfRank(system, j) - TagOfRank(system, i);
                if (move == 0 || (move > 0) != (need > 0) || std::abs(move) > std::abs(need)) continue;
                const auto sq = [](double x) { return x * x; };
                const double cost = sq(out[At(i)] - 1 - target[At(i)]) - sq(out[At(i)] - target[At(i)]) +
                                    sq(out[At(j)] + 1 - target[At(j)]) - sq(out[At(j)] - target[At(j)]);
                if (cost < best) best = cost, from = i, to = j;
            }
        }
        if (from == 0) return std::nullopt;
        --out[At(from)];
        ++out[At(to)];
    }
    ShoeCounts shoe = full;
    for (int r = 1; r <= RankCount; ++r) shoe.Count[At(r)] -= out[At(r)];
    shoe.Total = cardsLeft;
    return shoe;
}

int RunningCountOf(const CountingSystem& system, int decks, const ShoeCounts& shoe) {
    const ShoeCounts full = ShoeCounts::Full(decks);
    int count = InitialRunningCount(system, decks);
    for (int r = 1; r <= RankCount; ++r) count += (full.Of(r) - shoe.Of(r)) * TagOfRank(system, r);
    return count;
}

double TenUnderAce(const ShoeCounts& shoe) {
    if (shoe.Of(AceRank) == 0 || shoe.Total < 2) return 0;
    return shoe.Without(AceRank).Chance(TenRank);
}

std::optional<int> ReadIndex(const std::vector<double>& difference, int low) {
    if (difference.empty() || difference.back() < 0) return std::nullopt;
    int index = low + static_cast<int>(difference.size()) - 1;
    for (std::size_t i = difference.size() - 1; i-- > 0 && difference[i] >= 0;) index = low + static_cast<int>(i);
    return index;
}

std::optional<double> PlayDifference(ExactEngine& engine, const StrategyTable& table, const IndexHand& hand,
                                     IndexPlay low, IndexPlay high) {
    if (hand.Kind == IndexHandKind::Insurance) {
        // Insurance pays 2 to 1 on half the bet: per unit insured, +2 with a ten under the Ace, -1 without.
        const double ten = TenUnderAce(engine.Shoe());
        const double insure = 3 * ten - 1;
        return high == IndexPlay::Insure ? insure : -insure;
    }
    if (engine.Shoe().Of(hand.Up) == 0) return std::nullopt;
    const auto hands = engine.StartingHands(table, hand.Up);
    const auto h = ValueOfGroup(hands, hand, high).Value;
    const auto l = ValueOfGroup(hands, hand, low).Value;
    if (!h || !l) return std::nullopt;
    return *h - *l;
}

IndexTable FindIndexPlays(const ExactRules& rules, const CountingSystem& system, const StrategyTable& table,
                          const IndexOptions& options) {
    IndexTable out;
    out.Rules = rules;
    out.System = system.Id;
    const int total = 52 * rules.Decks;
    out.CardsLeft = options.CardsLeft > 0 ? std::min(options.CardsLeft, total - 1) : total / 2;
    out.LowCount = options.LowCount;
    out.HighCount = options.HighCount;
    const int left = out.CardsLeft;
    const int counts = options.HighCount - options.LowCount + 1;

    // The shoes: for each whole true count n, the running counts on either side of n times the decks left
    // (one when it is whole), so a figure at n is read between the two shoes by their true counts. The counts
    // go past the range by as far as a hand's three cards can move the counter's count, so that reading a hand
    // at the counter's counts stays between shoes.
    const double perRunning = TrueCount(1, left);
    int widestTag = 0;
    for (int r = 1; r <= RankCount; ++r) widestTag = std::max(widestTag, std::abs(TagOfRank(system, r)));
    const int margin = std::min(4, static_cast<int>(std::ceil(3 * widestTag * TrueCount(1, left - 3) - 1e-9)));
    std::map<int, ShoeValues> shoes;
    struct Between {
        int Below = 0, Above = 0;
        double Weight = 0; // of the shoe above
    };
    const auto between = [&](int n) {
        const double running = n / perRunning;
        Between b;
        b.Below = static_cast<int>(std::floor(running + 1e-9));
        b.Above = static_cast<int>(std::ceil(running - 1e-9));
        if (b.Above != b.Below) b.Weight = (running - b.Below) / (b.Above - b.Below);
        return b;
    };
    const auto build = [&](int n) {
        const Between b = between(n);
        for (const int rc : {b.Below, b.Above}) {
            if (shoes.count(rc) != 0) continue;
            const auto shoe = ShoeAtRunningCount(system, rules.Decks, left, rc);
            if (!shoe) return false;
            shoes.emplace(rc, ValueShoe(rules, *shoe, table, TrueCount(rc, left), options.Stop));
        }
        return true;
    };
    for (int n = options.LowCount; n <= options.HighCount; ++n) build(n);
    int preLow = options.LowCount, preHigh = options.HighCount;
    while (preLow > options.LowCount - margin && build(preLow - 1)) --preLow;
    while (preHigh < options.HighCount + margin && build(preHigh + 1)) ++preHigh;
    std::vector<Between> at;
    for (int n = preLow; n <= preHigh; ++n) at.push_back(between(n));
    // The basic play of each hand: the better one off the top of a full shoe.
    const ShoeValues top = ValueShoe(rules, ShoeCounts::Full(rules.Decks), table, 0, options.Stop);

    // How often each whole true count comes at this depth: the dealt cards' tags summed are near normal, their
    // mean and variance those of drawing the dealt cards without replacement.
    std::vector<double> frequency(static_cast<std::size_t>(counts));
    {
        const ShoeCounts full = ShoeCounts::Full(rules.Decks);
        const int dealt = total - left;
        const double meanTag = static_cast<double>(system.DeckSum()) / 52;
        double square = 0;
        for (int r = 1; r <= RankCount; ++r) square += full.Of(r) * TagOfRank(system, r) * TagOfRank(system, r);
        const double perCard = square / total - meanTag * meanTag;
        const double variance = dealt * perCard * (total - dealt) / std::max(total - 1, 1);
        const double mean = (InitialRunningCount(system, rules.Decks) + dealt * meanTag) * perRunning;
        const double sd = std::max(std::sqrt(variance) * perRunning, 1e-9);
        for (int n = options.LowCount; n <= options.HighCount; ++n)
            frequency[static_cast<std::size_t>(n - options.LowCount)] =
                NormalBelow((n + 1 - mean) / sd) - NormalBelow((n - mean) / sd);
    }

    // A figure of one shoe, read at every whole count between its two shoes.
    const auto series = [&](auto&& ofShoe) -> std::optional<std::vector<double>> {
        std::vector<double> values;
        for (const Between& b : at) {
            const auto below = shoes.find(b.Below);
            const auto above = shoes.find(b.Above);
            if (below == shoes.end() || above == shoes.end()) return std::nullopt;
            const std::optional<double> x = ofShoe(below->second);
            const std::optional<double> y = ofShoe(above->second);
            if (!x || !y) return std::nullopt;
            values.push_back((1 - b.Weight) * *x + b.Weight * *y);
        }
        return values;
    };
    const auto groupValue = [](const ShoeValues& s, const IndexHand& hand, IndexPlay play) {
        return ValueOfGroup(s.Hands[At(hand.Up)], hand, play).Value;
    };

    // The counter decides on the count that includes the cards in sight: the hand's two and the up card (the
    // Ace alone for insurance, before the hand is looked at). A hand's figures, worked out at the shoes' counts
    // before the deal, are read again at the counts the counter has after it, between the nearest two. A whole
    // count n stands for the true counts that round down to it, n to n + 1: a figure for it is read at its
    // middle, n + 1/2, where a straight line through the bin has its mean.
    const auto readAfterDeal = [&](const std::vector<double>& shoeFigure, int seenTags, int seenCards) {
        // Whole cards make a shoe's figures step a little from count to count: each is first taken from the
        // straight line through it and its two neighbours on either side.
        const std::size_t size = shoeFigure.size();
        std::vector<double> figure(size);
        for (std::size_t i = 0; i < size; ++i) {
            const std::size_t from = i < 2 ? 0 : i - 2, to = std::min(size - 1, i + 2);
            double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
            for (std::size_t k = from; k <= to; ++k) {
                const double dx = static_cast<double>(k) - static_cast<double>(i);
                n += 1, sx += dx, sy += shoeFigure[k], sxx += dx * dx, sxy += dx * shoeFigure[k];
            }
            const double slope = n * sxx - sx * sx > 0 ? (n * sxy - sx * sy) / (n * sxx - sx * sx) : 0;
            figure[i] = (sy - slope * sx) / n;
        }
        const double after = TrueCount(1, left - seenCards);
        std::vector<double> x(size);
        for (std::size_t i = 0; i < size; ++i)
            x[i] = ((preLow + static_cast<int>(i)) / perRunning + seenTags) * after;
        std::vector<double> read(static_cast<std::size_t>(counts));
        for (std::size_t i = 0; i < read.size(); ++i) {
            const double m = options.LowCount + static_cast<int>(i) + 0.5;
            std::size_t j = 1;
            while (j + 1 < x.size() && x[j] < m) ++j;
            const double w = (m - x[j - 1]) / (x[j] - x[j - 1]); // beyond the ends: the line through the last two
            read[i] = (1 - w) * figure[j - 1] + w * figure[j];
        }
        return read;
    };
    const auto tagOf = [&](int rank) { return TagOfRank(system, rank); };

    const auto fill = [&](IndexEntry& e) {
        std::optional<std::vector<double>> difference, weight;
        if (e.Hand.Kind == IndexHandKind::Insurance) {
            difference = series([&](const ShoeValues& s) -> std::optional<double> {
                const double insure = 3 * TenUnderAce(s.Shoe) - 1;
                return e.High == IndexPlay::Insure ? insure : -insure;
            });
            // Half the bet is insured on every round with an Ace up.
            weight = series([&](const ShoeValues& s) -> std::optional<double> {
                return 0.5 * s.Shoe.Chance(AceRank);
            });
            if (difference && weight) {
                difference = readAfterDeal(*difference, tagOf(AceRank), 1);
                weight = readAfterDeal(*weight, tagOf(AceRank), 1);
            }
            e.TablePlaysHigh = e.High != IndexPlay::Insure;
        } else {
            // Each two-card hand of the group on its own, then the group by the hands' chances.
            std::vector<double> sum(static_cast<std::size_t>(counts)), chance(static_cast<std::size_t>(counts));
            bool open = true;
            for (const auto& hand : top.Hands[At(e.Hand.Up)]) {
                if (GroupOf(hand.First, hand.Second, e.Hand.Up) != e.Hand) continue;
                const auto find = [&](const ShoeValues& s) -> const ExactEngine::StartingHand* {
                    for (const auto& h : s.Hands[At(e.Hand.Up)])
                        if (h.First == hand.First && h.Second == hand.Second) return &h;
                    return nullptr;
                };
                const auto d = series([&](const ShoeValues& s) -> std::optional<double> {
                    const auto* h = find(s);
                    if (h == nullptr) return 0.0; // a hand the shoe cannot deal: it weighs nothing there
                    const auto hi = ValueOf(h->Values, e.High);
                    const auto lo = ValueOf(h->Values, e.Low);
                    if (!hi || !lo) return std::nullopt;
                    return *hi - *lo;
                });
                const auto c = series([&](const ShoeValues& s) -> std::optional<double> {
                    const auto* h = find(s);
                    return h == nullptr ? 0.0 : UpChance(s.Shoe, e.Hand.Up) * h->Chance;
                });
                if (!d || !c) {
                    open = false;
                    break;
                }
                const int seen = tagOf(hand.First) + tagOf(hand.Second) + tagOf(e.Hand.Up);
                const auto dAfter = readAfterDeal(*d, seen, 3);
                const auto cAfter = readAfterDeal(*c, seen, 3);
                for (std::size_t i = 0; i < sum.size(); ++i) {
                    const double w = std::max(cAfter[i], 0.0);
                    sum[i] += w * dAfter[i];
                    chance[i] += w;
                }
            }
            if (open) {
                for (std::size_t i = 0; i < sum.size(); ++i) sum[i] = chance[i] > 0 ? sum[i] / chance[i] : 0;
                difference = sum;
                weight = chance;
            }
            const auto h = groupValue(top, e.Hand, e.High);
            const auto l = groupValue(top, e.Hand, e.Low);
            e.TablePlaysHigh = h && l && *h > *l;
        }
        if (!difference || !weight) {
            e.Allowed = false;
            return;
        }
        e.Difference = *difference;
        e.Index = ReadIndex(e.Difference, options.LowCount);
        if (!e.Index) return;
        e.BelowRange = *e.Index == options.LowCount;
        if (!e.BelowRange) {
            const std::size_t i = static_cast<std::size_t>(*e.Index - options.LowCount);
            const double a = e.Difference[i - 1], b = e.Difference[i];
            e.Crossing = *e.Index - 0.5 + (a < b ? -a / (b - a) : 1.0);
        }
        for (std::size_t i = 0; i < e.Difference.size(); ++i) {
            const int n = options.LowCount + static_cast<int>(i);
            const bool high = n >= *e.Index;
            if (high != e.TablePlaysHigh)
                e.Gain += frequency[i] * (*weight)[i] * (high ? e.Difference[i] : -e.Difference[i]);
        }
    };

    for (const Usual& u : UsualPlays()) {
        IndexEntry e;
        e.Hand = u.Hand;
        e.Low = u.Low;
        e.High = u.High;
        e.Group = IndexGroup::Usual;
        fill(e);
        out.Entries.push_back(std::move(e));
    }
    for (const Usual& u : SurrenderPlays()) {
        IndexEntry e;
        e.Hand = u.Hand;
        e.Low = u.Low;
        e.High = u.High;
        e.Group = IndexGroup::Surrender;
        if (rules.SurrenderAllowed) fill(e);
        else e.Allowed = false;
        out.Entries.push_back(std::move(e));
    }
    if (!options.Scan) return out;

    // Every group of two-card hands against every up card: its basic play against each other open play.
    std::vector<IndexEntry> found;
    constexpr IndexPlay plays[] = {IndexPlay::Stand, IndexPlay::Hit, IndexPlay::Double, IndexPlay::Split,
                                   IndexPlay::Surrender};
    for (int up = 1; up <= RankCount; ++up) {
        std::vector<IndexHand> groups;
        for (const auto& hand : top.Hands[At(up)]) {
            const IndexHand g = GroupOf(hand.First, hand.Second, up);
            if (std::find(groups.begin(), groups.end(), g) == groups.end()) groups.push_back(g);
        }
        for (const IndexHand& g : groups) {
            std::optional<IndexPlay> basic;
            double basicValue = 0;
            for (const IndexPlay p : plays)
                if (const auto v = groupValue(top, g, p); v && (!basic || *v > basicValue)) basic = p, basicValue = *v;
            if (!basic) continue;
            for (const IndexPlay p : plays) {
                if (p == *basic || !groupValue(top, g, p)) continue;
                bool listed = false;
                for (const IndexEntry& e : out.Entries) listed = listed || SamePlays(e, g, p, *basic);
                if (listed) continue;
                // Which of the two wins as the count rises decides which is High.
                const auto ends = series([&](const ShoeValues& s) -> std::optional<double> {
                    const auto a = groupValue(s, g, p);
                    const auto b = groupValue(s, g, *basic);
                    if (!a || !b) return std::nullopt;
                    return *a - *b;
                });
                if (!ends) continue;
                IndexEntry e;
                e.Hand = g;
                e.Group = IndexGroup::Found;
                const bool rises = ends->back() >= ends->front();
                e.High = rises ? p : *basic;
                e.Low = rises ? *basic : p;
                fill(e);
                if (!e.Allowed || !e.Index || e.BelowRange) continue;
                if (*e.Index < options.ScanLow || *e.Index > options.ScanHigh) continue;
                if (e.Gain < options.GainThreshold) continue;
                found.push_back(std::move(e));
            }
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const IndexEntry& a, const IndexEntry& b) { return a.Gain > b.Gain; });
    for (IndexEntry& e : found) out.Entries.push_back(std::move(e));
    return out;
}

std::string IndexUpName(int upRank) {
    return upRank == AceRank ? "A" : std::to_string(upRank);
}

std::string IndexHandName(const IndexHand& hand) {
    switch (hand.Kind) {
    case IndexHandKind::Hard:
        return "hard " + std::to_string(hand.Total);
    case IndexHandKind::Soft:
        return "soft " + std::to_string(hand.Total);
    case IndexHandKind::Pair:
        return IndexUpName(hand.Total) + "," + IndexUpName(hand.Total);
    case IndexHandKind::Insurance:
        return "insurance";
    }
    return "";
}

std::string IndexPlayName(IndexPlay play) {
    switch (play) {
    case IndexPlay::Stand:
        return "stand";
    case IndexPlay::Hit:
        return "hit";
    case IndexPlay::Double:
        return "double";
    case IndexPlay::Split:
        return "split";
    case IndexPlay::Surrender:
        return "surrender";
    case IndexPlay::PlayOn:
        return "play on";
    case IndexPlay::Insure:
        return "insure";
    case IndexPlay::NoInsurance:
        return "no insurance";
    }
    return "";
}

std::string SignedCount(int count) {
    return count > 0 ? "+" + std::to_string(count) : std::to_string(count);
}

std::string IndexAdvice(const IndexEntry& entry) {
    if (!entry.Index) return "";
    const bool below = entry.TablePlaysHigh;
    const IndexPlay play = below ? entry.Low : entry.High;
    const std::string when = "At a true count " + std::string(below ? "below " : "of ") +
                             SignedCount(*entry.Index) + (below ? ", " : " or more, ");
    if (entry.Hand.Kind == IndexHandKind::Insurance)
        return when + (play == IndexPlay::Insure ? "take insurance" : "decline insurance");
    const std::string hand = entry.Hand.Kind == IndexHandKind::Hard ? std::to_string(entry.Hand.Total)
                                                                    : IndexHandName(entry.Hand);
    const std::string verb = play == IndexPlay::PlayOn ? "play on" : IndexPlayName(play);
    return when + verb + " " + hand + " against Dealer " + IndexUpName(entry.Hand.Up);
}

} // namespace zvx
