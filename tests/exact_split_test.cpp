// What a split is worth when the player splits a pair the table would not: the split hands are then played by
// the table as the game plays them, so a pair drawn to a split hand is played by its total rather than split
// again. Where the table does split the pair nothing changes.
#include "exact/exact_engine.h"
#include "exact/play_cost.h"
#include "strategy/builtin_strategies.h"
#include "tests/exact_round_enumeration.h"

#include <gtest/gtest.h>
#include <initializer_list>
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

StrategyTable Advanced() {
    StrategyTable t;
    LoadAdvancedStrategy(t);
    return t;
}

StrategyTable Default() {
    StrategyTable t;
    LoadDefaultStrategy(t);
    return t;
}

// Two decks, the dealer standing on soft 17, doubles on any two cards and after a split, re-splits.
constexpr ExactRules TwoDecks{2, false, true, true, true, false};

TEST(ExactSplitTest, TensSplitAgainstTheTableAreWorkedOutByHand) {
    // A 9 up, 10,10 in hand, and 10, 10, 8 left. After the split the 8 falls to the first hand (18 and 20
    // against the dealer's 19: one lost, one won), to the second (20 and 18: the same) or to the dealer (two
    // 20s against 17: both won). The hand that draws a ten holds 10,10 again and stands, as the table
    // plays it, so the split is worth (0 + 0 + 2) / 3. Standing on 20 wins whatever the hole card.
    const ShoeCounts shoe = ShoeOf({{8, 1}, {9, 1}, {TenRank, 4}});
    const StrategyTable table = Advanced();
    ASSERT_FALSE(table.Has(SplitRows + 20, 9));
    ExactEngine engine(TwoDecks, shoe);
    const PlayValues values = engine.HandValues(table, 9, {TenRank, TenRank});
    ASSERT_TRUE(values.Split && values.Stand && values.Hit);
    EXPECT_NEAR(*values.Split, 2.0 / 3, 1e-15);
    EXPECT_NEAR(*values.Stand, 1.0, 1e-15);
    EXPECT_NEAR(*values.Hit, -1.0, 1e-15);
}

// A table that splits no pair: every split is the player's own.
StrategyTable NeverSplits() {
    StrategyTable t = Advanced();
    for (int pair = 2; pair <= 11; ++pair)
        for (int up = 2; up <= 11; ++up)
            t.Row(SplitRows + 2 * pair)[up] = 0;
    return t;
}

TEST(ExactSplitTest, EverySplitOfASmallShoeMatchesFollowingEveryCard) {
    // Five eights and many tens let a split hand pair again up to four hands; the second shoe splits Aces,
    // 2s and 9s. Each pair against each up card is split, whatever the table says, and then played on by the
    // table card by card the way the round flow plays it.
    const std::initializer_list<ShoeCounts> shoes = {
        ShoeOf({{AceRank, 2}, {3, 2}, {6, 1}, {8, 5}, {TenRank, 14}}),
        ShoeOf({{AceRank, 4}, {2, 3}, {5, 1}, {9, 2}, {TenRank, 12}})};
    const StrategyTable advanced = Advanced();
    const StrategyTable basic = Default();
    const StrategyTable never = NeverSplits();
    const std::initializer_list<ExactRules> ruleSets = {
        {1, false, true, true, true, false},
        {1, true, false, false, true, true},
        {1, true, true, true, false, false},
    };
    int splitByTable = 0;
    int splitAgainstTable = 0;
    for (const ShoeCounts& shoe : shoes)
        for (const ExactRules& rules : ruleSets)
            for (const StrategyTable* table :
                 std::initializer_list<const StrategyTable*>{&advanced, &basic, &never}) {
                ExactEngine engine(rules, shoe);
                testing::RoundEnumeration direct(rules, *table);
                for (int up = 1; up <= RankCount; ++up)
                    for (int pair = 1; pair <= RankCount; ++pair) {
                        ShoeCounts left = shoe;
                        if (left.Of(up) == 0) continue;
                        left.Remove(up);
                        if (left.Of(pair) < 2) continue;
                        const PlayValues values = engine.HandValues(*table, up, {pair, pair});
                        ASSERT_TRUE(values.Split);
                        const double expected = direct.PlayValue(shoe, up, pair, pair, Split);
                        ASSERT_FALSE(direct.RanDry);
                        EXPECT_NEAR(*values.Split, expected, 1e-12)
                            << pair << "," << pair << " against " << up << ", re-split "
                            << rules.ResplitAllowed << ", table "
                            << (table == &never   ? "never splits"
                                : table == &basic ? "basic"
                                                  : "advanced");
                        const int upValue = ValueOfRank(up);
                        ++(table->Has(SplitRows + (pair == AceRank ? 22 : 2 * pair), upValue)
                               ? splitByTable
                               : splitAgainstTable);
                    }
            }
    EXPECT_GT(splitByTable, 20);
    EXPECT_GT(splitAgainstTable, 60);
}

TEST(ExactSplitTest, TensSplitOnceAgainstANineAtTwoDecksAsAnotherProgramGivesIt) {
    // Split once, then played by the table: a pair of tens drawn again stands on 20.
    CasinoRules rules;
    rules.Decks = 2;
    rules.DealerHitsSoft17 = false;
    rules.DoubleAnyHand = true;
    rules.DoubleAfterSplit = true;
    rules.ResplitAllowed = true;
    rules.SurrenderAllowed = false;
    for (const StrategyTable& table : {Advanced(), Default()}) {
        ExactEngine engine(ExactRulesOf(rules));
        const PlayValues values = engine.HandValues(table, 9, {TenRank, TenRank});
        ASSERT_TRUE(values.Split && values.Stand);
        EXPECT_NEAR(*values.Split, 0.2083, 0.5e-4);
        // The advice box's cost of that split: what standing is worth more.
        const auto cost = PlayCost(rules, table, 9, {10, 10}, true, Split, Stand);
        ASSERT_TRUE(cost);
        EXPECT_NEAR(*cost, *values.Stand - *values.Split, 1e-15);
        EXPECT_EQ(PlayCostText(*cost), "costs 54.3 % of the bet");
    }
}

TEST(ExactSplitTest, PairsTheTableSplitsKeepTheirValues) {
    // The values before split hands were played by the table, where the table splits the pair (they agree
    // with another program's to 2e-11), and the tables' edges.
    const StrategyTable advanced = Advanced();
    const StrategyTable basic = Default();
    const ExactRules oneDeckH17{1, true, true, false, true, true};
    const ExactRules sixDecksNoResplit{6, false, true, true, false, false};
    struct Case {
        const ExactRules& Rules;
        const StrategyTable& Table;
        int Up;
        int Pair;
        double Split;
    };
    const std::initializer_list<Case> cases = {
        {TwoDecks, advanced, 6, 8, 0.39653296512418712},
        {TwoDecks, advanced, AceRank, 8, -0.34809675968963533},
        {TwoDecks, advanced, 7, 2, 0.011404148338233302},
        {TwoDecks, advanced, 9, 9, -0.088366971849321699},
        {TwoDecks, advanced, TenRank, AceRank, 0.18673223300610028},
        {TwoDecks, advanced, 2, 6, -0.16132997907346719},
        {oneDeckH17, basic, TenRank, 8, -0.45960451189769314},
        {oneDeckH17, basic, 4, 3, 0.023011328060756772},
        {oneDeckH17, basic, 7, 7, -0.11031836518824475},
        {sixDecksNoResplit, advanced, 8, 9, 0.21161866858061332},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.Table.Has(SplitRows + (c.Pair == AceRank ? 22 : 2 * c.Pair), ValueOfRank(c.Up)));
        ExactEngine engine(c.Rules);
        const PlayValues values = engine.HandValues(c.Table, c.Up, {c.Pair, c.Pair});
        ASSERT_TRUE(values.Split);
        EXPECT_DOUBLE_EQ(*values.Split, c.Split) << c.Pair << "," << c.Pair << " against " << c.Up;
    }
    ExactEngine engine(TwoDecks);
    EXPECT_DOUBLE_EQ(engine.TableEdge(advanced), -0.0027140686467968314);
    EXPECT_DOUBLE_EQ(engine.TableEdge(basic), -0.0029895340862744688);
}

} // namespace
} // namespace zvx
