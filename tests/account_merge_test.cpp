// Merging accounts and games: every figure added, the run time carried, and the differences that forbid it.

#include <gtest/gtest.h>

#include "analysis/account_merge.h"
#include "strategy/builtin_strategies.h"
#include "tests/same_stats.h"

namespace zvx {
namespace {

// An account whose every figure is different, scaled by k.
PlayStats Numbered(double k) {
    PlayStats s;
    for (std::size_t i = 0; i < CountSlots; ++i) {
        s.WonByCount[i] = k * static_cast<double>(i) + 0.5;
        s.BetByCount[i] = k * static_cast<double>(i + 100);
        s.HourHistogram[i] = static_cast<std::int64_t>(k) * static_cast<std::int64_t>(i + 1);
    }
    s.HourWon = 1 * k;
    s.TotalWon = -2.5 * k;
    s.TotalBet = 3 * k;
    s.SwingBalance = 4 * k;
    s.BetsWon = 5 * k;
    s.BetsLost = 6.5 * k;
    const auto n = static_cast<std::int64_t>(k);
    s.SwingsLost = 7 * n;
    s.SwingsWon = 8 * n;
    s.HandsPlayed = 9 * n;
    s.HandsSplit = 10 * n;
    s.HandsDoubled = 11 * n;
    s.Blackjacks = 12 * n;
    s.HourWonSquares = 13 * k;
    return s;
}

TEST(AccountMergeTest, EveryFigureIsAdded) {
    PlayStats sum = Numbered(1);
    MergeAccount(sum, Numbered(2));
    PlayStats expected = Numbered(3);
    for (auto& won : expected.WonByCount) won += 0.5; // each side's half
    testing::ExpectSameStats(sum, expected);
}

TEST(AccountMergeTest, GamesAddTheirStrategiesHoursAndRunTimeButNotTheDealer) {
    Game a, b;
    for (int i = 0; i < HandCount; ++i) {
        a.Hands[static_cast<std::size_t>(i)].Stats = Numbered(1);
        b.Hands[static_cast<std::size_t>(i)].Stats = Numbered(2);
    }
    a.HoursPlayed = 10;
    b.HoursPlayed = 32;
    a.RunTime = {1, 59, 40};
    b.RunTime = {2, 0, 25};
    MergeStatistics(a, b);
    EXPECT_EQ(a.HoursPlayed, 42);
    EXPECT_EQ(a.RunTime.Hours, 4);
    EXPECT_EQ(a.RunTime.Minutes, 0);
    EXPECT_EQ(a.RunTime.Seconds, 5);
    EXPECT_EQ(a.Hands[0].Stats.HandsPlayed, 9);
    for (int i = 1; i <= StrategyCount; ++i) EXPECT_EQ(a.Hands[static_cast<std::size_t>(i)].Stats.HandsPlayed, 27);
}

TEST(AccountMergeTest, ACounterAtTheFilesLimitIsNamed) {
    Game g;
    g.HoursPlayed = 1000;
    g.Hands[2].Stats.HandsPlayed = 2147483646;
    EXPECT_EQ(CounterAtFileLimit(g), std::nullopt);
    g.Hands[2].Stats.HandsPlayed = 2147483647; // as a saturated file reads back
    EXPECT_EQ(CounterAtFileLimit(g), "hands of strategy #2");
    g.Hands[2].Stats.HandsPlayed = 5;
    g.Hands[4].Stats.HourHistogram[3] = 2147483647;
    EXPECT_EQ(CounterAtFileLimit(g), "hour histogram of strategy #4");
    g.HoursPlayed = 2147483647;
    EXPECT_EQ(CounterAtFileLimit(g), "hours played");
}

TEST(AccountMergeTest, TheFirstDifferenceOfRulesOrStrategyIsNamed) {
    Game a, b;
    LoadDefaultStrategy(a.Strategy);
    LoadDefaultStrategy(b.Strategy);
    EXPECT_EQ(FirstDifference(a, b), std::nullopt);
    // Preferences and statistics are no obstacle.
    b.Options.Prefs.SoundOn = !a.Options.Prefs.SoundOn;
    b.HoursPlayed = 5;
    EXPECT_EQ(FirstDifference(a, b), std::nullopt);

    b.Options.Rules.Decks = 6;
    b.Options.Rules.PlayTwoHands = false;
    EXPECT_EQ(FirstDifference(a, b), "decks 2 and 6");
    b.Options.Rules.Decks = 2;
    EXPECT_EQ(FirstDifference(a, b), "two hands on and off");
    b.Options.Rules = a.Options.Rules;
    b.Options.Rules.DealerHitsSoft17 = true;
    EXPECT_EQ(FirstDifference(a, b), "dealer hits soft 17 off and on");
    b.Options.Rules = a.Options.Rules;

    LoadAdvancedStrategy(b.Strategy);
    const auto strategy = FirstDifference(a, b);
    ASSERT_TRUE(strategy.has_value());
    EXPECT_EQ(strategy->rfind("playing strategy row ", 0), 0u) << *strategy;
}

} // namespace
} // namespace zvx
