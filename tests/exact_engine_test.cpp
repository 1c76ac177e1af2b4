// The exact engine against what can be worked out another way: by hand, by following every card of a small
// shoe, and from the published chances of an infinite shoe.
#include "exact/background_figures.h"
#include "exact/best_table.h"
#include "exact/dealer_odds.h"
#include "exact/exact_engine.h"
#include "exact/play_cost.h"
#include "exact/split_patterns.h"
#include "exact/table_figures.h"
#include "strategy/builtin_strategies.h"
#include "tests/exact_round_enumeration.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <initializer_list>
#include <thread>
#include <utility>

namespace zvx {
namespace {

ShoeCounts ShoeOf(std::initializer_list<std::pair<int, int>> rankCounts) {
    ShoeCounts s;
    for (const auto& [rank, count] : rankCounts) {
        s.Count[static_cast<std::size_t>(rank)] += count;
        s.Total += count;
    }
    return s;
}

// The dealer's chances by following every card, the hole card's blackjack left out.
void DirectDealer(ShoeCounts left, int hard, bool ace, int cards, double p, bool hitsSoft17,
                  DealerChances& out) {
    if (hard > 21) {
        out[DealerBust] += p;
        return;
    }
    const bool soft = ace && hard + 10 <= 21;
    const int total = soft ? hard + 10 : hard;
    if (cards == 2 && total == 21) return;
    if (cards >= 2 && (total > 17 || (total == 17 && !(hitsSoft17 && soft)))) {
        out[static_cast<std::size_t>(DealerOutcomeOfTotal(total))] += p;
        return;
    }
    for (int r = 1; r <= RankCount; ++r) {
        if (left.Of(r) == 0) continue;
        DirectDealer(left.Without(r), hard + r, ace || r == AceRank, cards + 1, p * left.Chance(r),
                     hitsSoft17, out);
    }
}

DealerChances Direct(int up, const ShoeCounts& left, bool hitsSoft17) {
    DealerChances out{};
    DirectDealer(left, up, up == AceRank, 1, 1.0, hitsSoft17, out);
    return out;
}

TEST(ExactDealerTest, ChancesWorkedByHand) {
    const DealerOdds stands(false);
    const DealerOdds hits(true);
    // A ten up over a 7 and an 8: a stand on 17 or 18, half and half.
    DealerChances d = stands.Chances(TenRank, ShoeOf({{7, 1}, {8, 1}}));
    EXPECT_DOUBLE_EQ(d[DealerOutcomeOfTotal(17)], 0.5);
    EXPECT_DOUBLE_EQ(d[DealerOutcomeOfTotal(18)], 0.5);
    // A 6 up over a 5 and a ten: whichever comes first, the other makes 21.
    d = stands.Chances(6, ShoeOf({{5, 1}, {TenRank, 1}}));
    EXPECT_DOUBLE_EQ(d[DealerOutcomeOfTotal(21)], 1.0);
    // An Ace up over a ten and a 6: the ten is a blackjack (left out); the 6 is soft 17, stood on or hit to
    // a hard 17 with the ten.
    const ShoeCounts aceShoe = ShoeOf({{6, 1}, {TenRank, 1}});
    EXPECT_DOUBLE_EQ(DealerOdds::BlackjackChance(AceRank, aceShoe), 0.5);
    EXPECT_DOUBLE_EQ(stands.Chances(AceRank, aceShoe)[DealerOutcomeOfTotal(17)], 0.5);
    EXPECT_DOUBLE_EQ(hits.Chances(AceRank, aceShoe)[DealerOutcomeOfTotal(17)], 0.5);
    // A 5 up over 6, 6, 5: only 6 then 6 stops on 17 (1/3); 6 then 5, or the 5 first, reach 16 and bust.
    d = stands.Chances(5, ShoeOf({{6, 2}, {5, 1}}));
    EXPECT_DOUBLE_EQ(d[DealerOutcomeOfTotal(17)], 1.0 / 3);
    EXPECT_DOUBLE_EQ(d[DealerBust], 2.0 / 3);
}

TEST(ExactDealerTest, ChancesMatchFollowingEveryCard) {
    const std::initializer_list<ShoeCounts> shoes = {
        ShoeCounts::Full(1),
        ShoeOf({{AceRank, 3}, {2, 1}, {5, 2}, {6, 4}, {9, 1}, {TenRank, 5}}),
        ShoeOf({{AceRank, 7}, {2, 5}, {3, 1}, {TenRank, 2}}),
    };
    for (const bool hitsSoft17 : {false, true}) {
        const DealerOdds odds(hitsSoft17);
        for (ShoeCounts shoe : shoes)
            for (int up = 1; up <= RankCount; ++up) {
                if (shoe.Of(up) == 0) continue;
                const ShoeCounts left = shoe.Without(up);
                const DealerChances fast = odds.Chances(up, left);
                const DealerChances direct = Direct(up, left, hitsSoft17);
                for (int o = 0; o < DealerOutcomes; ++o)
                    EXPECT_NEAR(fast[static_cast<std::size_t>(o)], direct[static_cast<std::size_t>(o)], 1e-14)
                        << "up " << up << ", outcome " << o << ", hits soft 17 " << hitsSoft17;
            }
    }
}

TEST(ExactDealerTest, AVeryLargeShoeApproachesThePublishedInfiniteShoe) {
    // Published chances of an infinite shoe, dealer standing on soft 17, given no blackjack.
    ExactEngine engine({}, ShoeCounts::Full(20000));
    const auto given = [&](int up) { return engine.DealerGivenNoBlackjack(up, {up}); };
    EXPECT_NEAR(given(2)[DealerBust], 0.3536, 6e-5);
    EXPECT_NEAR(given(2)[DealerOutcomeOfTotal(17)], 0.1398, 6e-5);
    EXPECT_NEAR(given(6)[DealerBust], 0.4232, 6e-5);
    EXPECT_NEAR(given(6)[DealerOutcomeOfTotal(17)], 0.1654, 6e-5);
    EXPECT_NEAR(given(7)[DealerOutcomeOfTotal(17)], 0.3686, 6e-5);
    EXPECT_NEAR(given(TenRank)[DealerOutcomeOfTotal(20)], 0.3707, 6e-5);
    EXPECT_NEAR(given(AceRank)[DealerBust], 0.1665, 6e-5);
    EXPECT_NEAR(given(AceRank)[DealerOutcomeOfTotal(21)], 0.0778, 6e-5);
}

// Standing: the hand against the dealer's chances worked out by following every dealer card.
TEST(ExactHandTest, StandingMatchesADirectDealerComputation) {
    StrategyTable table;
    LoadAdvancedStrategy(table);
    const ExactRules rules{1, true, true, true, true, true};
    ExactEngine engine(rules);
    for (int up = 1; up <= RankCount; ++up)
        for (int a = 1; a <= RankCount; ++a)
            for (int b = a; b <= RankCount; ++b) {
                ShoeCounts left = ShoeCounts::Full(1);
                left.Remove(up);
                left.Remove(a);
                left.Remove(b);
                const DealerChances d = Direct(up, left, true);
                const double noBlackjack = 1 - DealerOdds::BlackjackChance(up, left);
                const int hard = a + b;
                const int total = (a == AceRank || b == AceRank) && hard + 10 <= 21 ? hard + 10 : hard;
                double value = d[DealerBust];
                for (int dealer = 17; dealer <= 21; ++dealer) {
                    const double p = d[static_cast<std::size_t>(DealerOutcomeOfTotal(dealer))];
                    value += total > dealer ? p : total < dealer ? -p : 0;
                }
                const PlayValues values = engine.HandValues(table, up, {a, b});
                ASSERT_TRUE(values.Stand);
                EXPECT_NEAR(*values.Stand, value / noBlackjack, 1e-13) << a << "," << b << " against " << up;
            }
}

// Hitting and doubling on a shoe small enough to follow: each card drawn, then the table's play.
class DirectHand {
  public:
    DirectHand(const StrategyTable& table, int up) : table_(table), up_(up) {}

    double Stand(const ShoeCounts& left, int total) {
        const DealerChances d = Direct(up_, left, false);
        double value = d[DealerBust];
        for (int dealer = 17; dealer <= 21; ++dealer) {
            const double p = d[static_cast<std::size_t>(DealerOutcomeOfTotal(dealer))];
            value += total > dealer ? p : total < dealer ? -p : 0;
        }
        return value;
    }
    // Unscaled by the chance of no dealer blackjack, as the draws reach the hole card's shoe.
    double Draw(const ShoeCounts& left, int hard, bool ace, bool thenStand) {
        double sum = 0;
        for (int r = 1; r <= RankCount; ++r) {
            if (left.Of(r) == 0) continue;
            const ShoeCounts next = left.Without(r);
            const int h = hard + r;
            const bool a = ace || r == AceRank;
            const int total = a && h + 10 <= 21 ? h + 10 : h;
            double v;
            if (h > 21)
                v = -(1 - DealerOdds::BlackjackChance(up_, next));
            else if (thenStand)
                v = Stand(next, total);
            else if (DecideQuickly(table_, total != h, total, ValueOfRank(up_), false, false, false) == Hit)
                v = Draw(next, h, a, false);
            else
                v = Stand(next, total);
            sum += left.Chance(r) * v;
        }
        return sum;
    }

  private:
    const StrategyTable& table_;
    int up_;
};

TEST(ExactHandTest, HitsAndDoublesMatchFollowingEveryCardOfATinyShoe) {
    const ShoeCounts shoe =
        ShoeOf({{AceRank, 2}, {2, 2}, {3, 2}, {4, 1}, {5, 2}, {6, 1}, {7, 1}, {9, 1}, {TenRank, 4}});
    StrategyTable table;
    LoadDefaultStrategy(table);
    const ExactRules rules{1, false, true, true, false, false};
    ExactEngine engine(rules, shoe);
    int checked = 0;
    for (const int up : {2, 6, TenRank, AceRank})
        for (int a = 1; a <= RankCount; ++a)
            for (int b = a; b <= RankCount; ++b) {
                ShoeCounts left = shoe;
                if (left.Of(up) == 0) continue;
                left.Remove(up);
                if (left.Of(a) == 0) continue;
                left.Remove(a);
                if (left.Of(b) == 0) continue;
                left.Remove(b);
                const double noBlackjack = 1 - DealerOdds::BlackjackChance(up, left);
                if (a + b == 11 && (a == AceRank || b == AceRank)) continue;
                DirectHand direct(table, up);
                const PlayValues values = engine.HandValues(table, up, {a, b});
                ASSERT_TRUE(values.Hit && values.Double);
                EXPECT_NEAR(*values.Hit, direct.Draw(left, a + b, a == AceRank, false) / noBlackjack, 1e-13)
                    << a << "," << b << " against " << up;
                EXPECT_NEAR(*values.Double, 2 * direct.Draw(left, a + b, a == AceRank, true) / noBlackjack,
                            1e-13)
                    << a << "," << b << " against " << up;
                ++checked;
            }
    EXPECT_GT(checked, 100);
}

// A table that splits every pair against every card, doubles every two cards it may and hits 12..16.
StrategyTable Eager() {
    StrategyTable t;
    for (int u = 2; u <= 11; ++u) {
        for (int v = 2; v <= 11; ++v)
            t.Row(SplitRows + (v == 11 ? 22 : 2 * v))[u] = 1;
        for (int total = 4; total <= 21; ++total)
            t.Row(DoubleRows + total)[u] = 1;
        for (int total = 12; total <= 16; ++total)
            t.Row(HitRows + total)[u] = 1;
        t.Row(SurrenderRows + 16)[u] = 1;
    }
    return t;
}

TEST(ExactTableTest, EveryRoundOfASmallShoeFollowedCardByCardGivesTheSameEdge) {
    // Five eights let a pair be split and split again up to four hands; the tens keep the shoe from running
    // dry. The second shoe splits Aces that may draw Aces, and deals long hands of small cards.
    const std::initializer_list<ShoeCounts> shoes = {
        ShoeOf({{AceRank, 2}, {3, 2}, {6, 1}, {8, 5}, {TenRank, 14}}),
        ShoeOf({{AceRank, 4}, {2, 3}, {5, 1}, {9, 2}, {TenRank, 12}})};
    StrategyTable advanced;
    LoadAdvancedStrategy(advanced);
    StrategyTable basic;
    LoadDefaultStrategy(basic);
    const StrategyTable eager = Eager();
    const std::initializer_list<ExactRules> ruleSets = {
        {1, false, true, true, true, false},
        {1, true, true, false, true, true},
        {1, false, false, true, false, true},
        {1, true, true, true, false, false},
    };
    for (const ShoeCounts& shoe : shoes)
        for (const ExactRules& rules : ruleSets)
            for (const StrategyTable* table :
                 std::initializer_list<const StrategyTable*>{&advanced, &basic, &eager}) {
                ExactEngine engine(rules, shoe);
                testing::RoundEnumeration direct(rules, *table);
                const testing::RoundEnumeration::Expected value = direct.Value(shoe);
                ASSERT_FALSE(direct.RanDry);
                EXPECT_NEAR(engine.TableStakes(*table), value.Staked, 1e-12);
                EXPECT_NEAR(engine.TableEdge(*table), value.Result, 1e-12)
                    << "hits soft 17 " << rules.HitsSoft17 << ", double any " << rules.DoubleAnyHand
                    << ", after split " << rules.DoubleAfterSplit << ", re-split " << rules.ResplitAllowed
                    << ", surrender " << rules.SurrenderAllowed << ", table "
                    << (table == &eager   ? "eager"
                        : table == &basic ? "basic"
                                          : "advanced");
            }
}

TEST(ExactTableTest, SplitPatternsCoverEveryWayTheSecondCardsFall) {
    // Whatever the chance that a second card pairs its hand, the patterns' chances add up to one.
    for (const int maxHands : {2, 4})
        for (const double pair : {0.1, 0.3, 0.77}) {
            double sum = 0;
            for (const SplitPattern& p : SplitPatterns(maxHands))
                sum += p.Orders * std::pow(pair, p.Pairs) * std::pow(1 - pair, p.Unpaired);
            EXPECT_NEAR(sum, 1.0, 1e-15) << maxHands << " hands, pair chance " << pair;
        }
    // Without re-splits: both hands keep whatever second card they draw.
    EXPECT_EQ(SplitPatterns(2).size(), 3u);
}

TEST(ExactTableTest, ACellsCostIsWhatSettingItAsTheBestTableGains) {
    const ExactRules rules{1, false, true, true, true, true};
    ExactEngine engine(rules);
    StrategyTable start;
    LoadAdvancedStrategy(start);
    const StrategyTable best = BestTable(engine, start);
    const double bestEdge = engine.TableEdge(best);
    EXPECT_GE(bestEdge, engine.TableEdge(start));
    // One mistake: standing on hard 13 against a 7 (the best table hits).
    ASSERT_TRUE(best.Has(HitRows + 13, 7));
    StrategyTable flawed = best;
    flawed.Row(HitRows + 13)[7] = 0;
    const std::vector<CellCost> costs = CellCosts(engine, flawed, best);
    ASSERT_EQ(costs.size(), 1u);
    EXPECT_EQ(costs[0].RowCode, HitRows + 13);
    EXPECT_EQ(costs[0].UpValue, 7);
    EXPECT_NEAR(costs[0].Cost, bestEdge - engine.TableEdge(flawed), 1e-15);
    EXPECT_GT(costs[0].Cost, 0);
    EXPECT_TRUE(CellCosts(engine, best, best).empty());
}

} // namespace
} // namespace zvx

namespace zvx {
namespace {

// The cost of one departure seen three ways must agree: the advice's cost on each hand, the chart cell's cost
// each time its hand is dealt, and the edge the table loses for it. Without doubles after a split a double
// row's cell is read on the first two cards only, so the three are the same sum.
TEST(ExactCostTest, TheAdvicesTheChartsAndTheEdgesCostsAgree) {
    CasinoRules rules;
    rules.Decks = 2;
    rules.DoubleAfterSplit = false;
    rules.ResplitAllowed = false;
    StrategyTable best;
    LoadAdvancedStrategy(best);
    best.Row(DoubleRows + 9)[2] = 1; // the reference doubles 9 against a 2, the table hits
    StrategyTable table = best;
    table.Row(DoubleRows + 9)[2] = 0;
    ExactEngine engine(ExactRulesOf(rules));
    const ChartCosts chart = ChartCellCosts(engine, table, best, rules);
    constexpr std::size_t Hard9 = 9 - 5;
    constexpr std::size_t Against2 = 0;

    double chance = 0;
    double advised = 0;
    for (const auto& hand : engine.StartingHands(table, 2)) {
        if (hand.First + hand.Second != 9 || hand.First == hand.Second || hand.First == AceRank) continue;
        const auto cost = PlayCost(rules, table, 2, {hand.First, hand.Second}, true, Hit, DoubleDown);
        ASSERT_TRUE(cost);
        chance += hand.Chance;
        advised += hand.Chance * *cost;
    }
    EXPECT_NEAR(chart[Hard9][Against2], advised / chance, 1e-15);
    const std::vector<CellCost> cells = CellCosts(engine, table, best);
    ASSERT_EQ(cells.size(), 1u);
    // Per initial bet: the chance of a 2 up and of a hard 9 under it (a 2 up never has a blackjack).
    EXPECT_NEAR(cells[0].Cost, engine.Shoe().Chance(2) * advised, 1e-15);
    // The tables differ nowhere else.
    for (std::size_t row = 0; row < chart.size(); ++row)
        for (std::size_t column = 0; column < chart[row].size(); ++column)
            if (row != Hard9 || column != Against2) {
                EXPECT_EQ(chart[row][column], 0.0);
            }
    EXPECT_EQ(PlayCostText(0.0412), "costs 4.1 % of the bet");
    EXPECT_EQ(PlayCostText(-0.003), "gains 0.3 % of the bet");
}

} // namespace
} // namespace zvx

namespace zvx {
namespace {

// The editor asks again at every change: only the latest table's figures may come back, and a window that
// closes while the work goes on stops it rather than wait for it.
TEST(ExactCostTest, FiguresWorkedOutAsideAreTheLatestTablesOnly) {
    CasinoRules rules;
    rules.Decks = 1;
    StrategyTable first;
    LoadDefaultStrategy(first);
    StrategyTable latest;
    LoadAdvancedStrategy(latest);
    BackgroundFigures figures;
    figures.Start(rules, first);
    figures.Start(rules, latest);
    std::optional<TableFigures> got;
    for (int wait = 0; wait < 6000 && !got; ++wait) {
        got = figures.Take();
        if (!got) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(got);
    EXPECT_FALSE(figures.Busy());
    EXPECT_FALSE(figures.Take());
    ExactEngine engine(ExactRulesOf(rules));
    EXPECT_DOUBLE_EQ(got->Edge, engine.TableEdge(latest));
    EXPECT_DOUBLE_EQ(got->BestEdge, engine.TableEdge(got->Best));
    EXPECT_GE(got->BestEdge, got->Edge);

    // A stopped search gives up at its first check, and its table is not kept as the best for the rules.
    const std::atomic<bool> stop{true};
    rules.Decks = 8;
    EXPECT_FALSE(BestTableFor(rules, &stop));
    EXPECT_FALSE(WorkOutTableFigures(rules, latest, &stop));
    ExactEngine eight(ExactRulesOf(rules));
    StrategyTable empty;
    StrategyTable untouched = empty;
    SetRowSummaries(untouched);
    EXPECT_EQ(BestTable(eight, empty, &stop), untouched);
}

// A window that closes waits for its worker only until the worker's next first two cards; whatever the engine
// keeps from a stopped piece of work (the dealer's chances) is whole, so the next answer is right.
TEST(ExactCostTest, AStoppedEngineEndsAtOnceAndKeepsNothingHalfDone) {
    CasinoRules rules;
    rules.Decks = 1;
    StrategyTable table;
    LoadAdvancedStrategy(table);
    std::atomic<bool> stop{true};
    ExactEngine engine(ExactRulesOf(rules));
    engine.SetStop(&stop);
    engine.TableEdge(table);
    EXPECT_TRUE(engine.StartingHands(table, TenRank).empty());
    stop = false;
    ExactEngine fresh(ExactRulesOf(rules));
    EXPECT_DOUBLE_EQ(engine.TableEdge(table), fresh.TableEdge(table));
    EXPECT_EQ(engine.StartingHands(table, TenRank).size(), fresh.StartingHands(table, TenRank).size());
}

} // namespace
} // namespace zvx
