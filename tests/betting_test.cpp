#include "engine/betting.h"
#include "engine/round.h"
#include "engine/shell_view.h"
#include "engine/shoe.h"
#include "strategy/builtin_strategies.h"
#include "tests/same_stats.h"
#include "tests/stacked_shoe.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace zvx {
namespace {

using testing::Ace;
using testing::King;
using testing::StackShoe;

using Stakes = std::array<int, StrategyCount + 1>; // [0] unused

// The main window's side of an analysis run: it ends the run after a number of rounds, and keeps the
// accounts as they stand at the end (the reset on leaving clears them).
class FakeShell : public ShellView {
  public:
    explicit FakeShell(Game& g, int rounds = 1) : g_(g), roundsLeft_(rounds) {}

    void ProcessEvents() override {
        Keep();
        if (roundsLeft_ > 0 && --roundsLeft_ == 0) g_.StopRequested = true;
    }
    void RefreshAnalysisWindow() override { ++Refreshes; }
    void CloseAnalysisWindow() override {
        Keep();
        ++Closes;
    }

    HandArray Hands{};
    std::int64_t Hours = 0;
    int Refreshes = 0;
    int Closes = 0;

  private:
    // The accounts as they stand with every round so far booked.
    void Keep() {
        BookPendingRounds(g_);
        Hands = g_.Hands;
        Hours = g_.HoursPlayed;
    }
    Game& g_;
    int roundsLeft_;
};

// Betting and rules analysis: no table, the computer plays, the four strategies bet by the counts. Every
// test runs twice: with each bet and result booked the moment it happens, and with the round's tally booked
// when the round ends. Both must leave the same accounts.
class AnalysisTest : public ::testing::TestWithParam<bool> {
  protected:
    AnalysisTest() {
        LoadDefaultStrategy(g.Strategy);
        g.Options.Rules.TableMinimum = 25;
        g.Options.Rules.Decks = 2;
        g.Options.Rules.PlayTwoHands = false;
        g.AutoPlay = true;
        g.SwingThreshold = 100.0 * 25;
        g.PlainAnalysis = GetParam();
    }

    THand& Hand(int slot) { return g.Hands[static_cast<std::size_t>(slot)]; }
    PlayStats& Account(int strategy) { return Hand(strategy).Stats; }

    Stakes StakesOn(int slot) {
        Stakes s{};
        for (int i = 1; i <= StrategyCount; ++i) s[static_cast<std::size_t>(i)] = Hand(slot).StrategyBets[static_cast<std::size_t>(i)];
        return s;
    }

    // A round's start at the given counts, its bets booked.
    void StartAt(int runningCount, int aceFiveCount) {
        g.RunningCount = runningCount;
        g.AceFiveCount = aceFiveCount;
        StartRound(g);
        BookRoundTally(g);
        BookPendingRounds(g);
    }

    // Plays whole rounds on the stacked cards and returns the accounts as the last round left them.
    HandArray PlayRounds(const std::vector<int>& cards, int rounds = 1) {
        FakeShell shell(g, rounds);
        g.Shell = &shell;
        StackShoe(g, cards);
        RunGame(g);
        g.Shell = nullptr;
        return shell.Hands;
    }

    Game g;
};

// --- The bets -----------------------------------------------------------------------------------------------

TEST_P(AnalysisTest, BetsFollowTheConventionalCount) {
    StartAt(-3, 0);
    EXPECT_EQ(StakesOn(1), (Stakes{0, 25, 25, 25, 0}));
    StartAt(-1, 0);
    EXPECT_EQ(StakesOn(1), (Stakes{0, 25, 25, 25, 0}));
    StartAt(0, 0);
    EXPECT_EQ(StakesOn(1), (Stakes{0, 25, 50, 25, 25}));
    StartAt(3, 0);
    EXPECT_EQ(StakesOn(1), (Stakes{0, 25, 50, 25, 25}));
    EXPECT_FALSE(Hand(1).Finished);
    for (const int slot : {2, 3, 4}) {
        EXPECT_TRUE(Hand(slot).Finished) << slot;
        EXPECT_EQ(StakesOn(slot), (Stakes{})) << slot;
    }
}

TEST_P(AnalysisTest, OpeningABoxChargesEveryBettingStrategy) {
    StartAt(-1, 0);
    StartAt(2, 0);
    EXPECT_DOUBLE_EQ(Account(1).TotalBet, 50);
    EXPECT_DOUBLE_EQ(Account(2).TotalBet, 25 + 50);
    EXPECT_DOUBLE_EQ(Account(3).TotalBet, 50);
    EXPECT_DOUBLE_EQ(Account(4).TotalBet, 25);
    EXPECT_EQ(Account(1).HandsPlayed, 2);
    EXPECT_EQ(Account(4).HandsPlayed, 1);
    EXPECT_DOUBLE_EQ(Account(2).BetByCount[CountSlot(-1)], 25);
    EXPECT_DOUBLE_EQ(Account(2).BetByCount[CountSlot(2)], 50);
    EXPECT_DOUBLE_EQ(Account(4).BetByCount[CountSlot(-1)], 0);
    EXPECT_DOUBLE_EQ(Account(3).BetByCount[CountSlot(0)], 50); // the simple count stayed 0
}

TEST_P(AnalysisTest, CountsBeyondTenIndexTheEnds) {
    g.Options.Rules.Decks = 8;
    StartAt(14, 14);
    EXPECT_EQ(g.CountIndexA, 10);
    EXPECT_EQ(g.CountIndexB, 10);
    EXPECT_DOUBLE_EQ(Account(1).BetByCount[CountSlot(10)], 25);
    EXPECT_DOUBLE_EQ(Account(2).BetByCount[CountSlot(10)], 50);
    EXPECT_DOUBLE_EQ(Account(3).BetByCount[CountSlot(10)], 25);
    EXPECT_DOUBLE_EQ(Account(4).BetByCount[CountSlot(10)], 25);
    StartAt(-12, -12);
    EXPECT_EQ(g.CountIndexA, -10);
    EXPECT_EQ(g.CountIndexB, -10);
    EXPECT_DOUBLE_EQ(Account(1).BetByCount[CountSlot(-10)], 25);
    EXPECT_DOUBLE_EQ(Account(2).BetByCount[CountSlot(-10)], 25);
    EXPECT_EQ(StakesOn(1), (Stakes{0, 25, 25, 0, 0}));
}

TEST_P(AnalysisTest, SimpleCountStrategyBetsOnlyInItsRange) {
    struct Case {
        int decks;
        int simpleCount;
        int bet;
    };
    for (const Case c : {Case{1, 4, 0}, Case{1, 3, 25}, Case{2, 4, 25}, Case{2, 7, 25}, Case{2, 8, 0},
                         Case{2, 0, 25}, Case{2, -1, 0}}) {
        g.Options.Rules.Decks = static_cast<std::uint16_t>(c.decks);
        StartAt(0, c.simpleCount);
        EXPECT_EQ(Hand(1).StrategyBets[3], c.bet) << c.decks << " decks, simple count " << c.simpleCount;
    }
}

TEST_P(AnalysisTest, TwoBoxesCarryEveryBetDoubledOnBoth) {
    g.Options.Rules.PlayTwoHands = true;
    StartAt(0, 0);
    EXPECT_TRUE(g.SecondBoxActive);
    EXPECT_EQ(StakesOn(1), (Stakes{0, 50, 100, 50, 50}));
    EXPECT_EQ(StakesOn(3), (Stakes{0, 50, 100, 50, 50}));
    EXPECT_FALSE(Hand(3).Finished);
    EXPECT_DOUBLE_EQ(Account(1).TotalBet, 4 * 25);
    EXPECT_EQ(Account(1).HandsPlayed, 2);
    StartAt(-2, 0);
    EXPECT_EQ(StakesOn(3), (Stakes{0, 50, 50, 50, 0}));
    EXPECT_EQ(Account(4).HandsPlayed, 2);
}

// --- Whole rounds -----------------------------------------------------------------------------------------

TEST_P(AnalysisTest, TwoBoxesPlayTwoHandsPerRound) {
    g.Options.Rules.PlayTwoHands = true;
    const HandArray a = PlayRounds({10, 10, 10, 9, 8, 7}); // 19 and 18 stand on the dealer's 17
    for (int i = 1; i <= 4; ++i) {
        const PlayStats& s = a[static_cast<std::size_t>(i)].Stats;
        EXPECT_EQ(s.HandsPlayed, 2) << i;
        EXPECT_DOUBLE_EQ(s.BetsWon, 2) << i;
    }
    EXPECT_DOUBLE_EQ(a[1].Stats.HourWon, 2 * 50);
    EXPECT_DOUBLE_EQ(a[2].Stats.HourWon, 2 * 100);
}

TEST_P(AnalysisTest, ADoubledLosingHandCountsOneLossOnTwiceTheBet) {
    // 11 against a 6 doubles, takes a 2; the dealer's 16 draws a 5.
    const HandArray a = PlayRounds({5, 6, 6, King, 2, 5});
    const Stakes bets{0, 25, 50, 25, 25};
    for (int i = 1; i <= 4; ++i) {
        const PlayStats& s = a[static_cast<std::size_t>(i)].Stats;
        const double bet = bets[static_cast<std::size_t>(i)];
        EXPECT_EQ(s.HandsDoubled, 1) << i;
        EXPECT_DOUBLE_EQ(s.TotalBet, 2 * bet) << i;
        EXPECT_DOUBLE_EQ(s.BetByCount[CountSlot(0)], 2 * bet) << i;
        EXPECT_DOUBLE_EQ(s.BetsLost, 1) << i;
        EXPECT_DOUBLE_EQ(s.HourWon, -2 * bet) << i;
        EXPECT_DOUBLE_EQ(s.WonByCount[CountSlot(0)], -2 * bet) << i;
    }
    EXPECT_EQ(a[1].CardCount, 3);
}

TEST_P(AnalysisTest, AFiveDollarNaturalPaysSevenFifty) {
    g.Options.Rules.TableMinimum = 5;
    const HandArray a = PlayRounds({Ace, 10, King, 7});
    EXPECT_DOUBLE_EQ(a[1].Stats.HourWon, 7.5);
    EXPECT_DOUBLE_EQ(a[2].Stats.HourWon, 15);
    EXPECT_DOUBLE_EQ(a[3].Stats.HourWon, 7.5);
    EXPECT_DOUBLE_EQ(a[4].Stats.HourWon, 7.5);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(a[static_cast<std::size_t>(i)].Stats.Blackjacks, 1) << i;
        EXPECT_DOUBLE_EQ(a[static_cast<std::size_t>(i)].Stats.BetsWon, 1) << i;
    }
}

TEST_P(AnalysisTest, NaturalAgainstDealerNaturalPaysNothingButCountsTheBlackjack) {
    const HandArray a = PlayRounds({Ace, Ace, King, King});
    for (int i = 1; i <= 4; ++i) {
        const PlayStats& s = a[static_cast<std::size_t>(i)].Stats;
        EXPECT_EQ(s.Blackjacks, 1) << i;
        EXPECT_DOUBLE_EQ(s.HourWon, 0) << i;
        EXPECT_DOUBLE_EQ(s.BetsWon + s.BetsLost, 0) << i;
    }
}

TEST_P(AnalysisTest, DealerNaturalLosesEveryBoxForEveryStrategy) {
    g.Options.Rules.PlayTwoHands = true;
    g.Options.Rules.SurrenderAllowed = true;
    const HandArray a = PlayRounds({10, 10, Ace, 6, 6, King}); // 16s that would surrender against an Ace
    for (int i = 1; i <= 4; ++i) EXPECT_DOUBLE_EQ(a[static_cast<std::size_t>(i)].Stats.BetsLost, 2) << i;
    EXPECT_DOUBLE_EQ(a[1].Stats.HourWon, -100);
    EXPECT_DOUBLE_EQ(a[2].Stats.HourWon, -200);
    EXPECT_EQ(a[0].CardCount, 2);
}

TEST_P(AnalysisTest, ASplitOpensTheNewHandForEveryStrategy) {
    // 8, 8 against a 10 splits: 8, K stands on 18, 8, 9 on 17 against the dealer's 17.
    const HandArray a = PlayRounds({8, 10, 8, 7, King, 9});
    const Stakes bets{0, 25, 50, 25, 25};
    for (int i = 1; i <= 4; ++i) {
        const PlayStats& s = a[static_cast<std::size_t>(i)].Stats;
        const double bet = bets[static_cast<std::size_t>(i)];
        EXPECT_EQ(s.HandsSplit, 1) << i;
        EXPECT_EQ(s.HandsPlayed, 2) << i;
        EXPECT_DOUBLE_EQ(s.TotalBet, 2 * bet) << i;
        EXPECT_DOUBLE_EQ(s.HourWon, bet) << i; // one win, one push
    }
    EXPECT_EQ(a[3].StrategyBets[2], 50);
}

TEST_P(AnalysisTest, SurrenderCostsHalfOfEveryStake) {
    g.Options.Rules.SurrenderAllowed = true;
    const HandArray a = PlayRounds({10, 10, 6, 7}); // 16 against a 10 surrenders
    EXPECT_DOUBLE_EQ(a[1].Stats.HourWon, -12.5);
    EXPECT_DOUBLE_EQ(a[2].Stats.HourWon, -25);
    for (int i = 1; i <= 4; ++i) EXPECT_DOUBLE_EQ(a[static_cast<std::size_t>(i)].Stats.BetsLost, 0.5) << i;
    EXPECT_EQ(a[0].CardCount, 2);
}

// --- Closing the hour ---------------------------------------------------------------------------------------

TEST_P(AnalysisTest, HourResultsRoundToTheEvenAverageBet) {
    // One box at $25: the average bet of a round is $50.
    struct Case {
        double won;
        std::vector<int> counted;
    };
    for (const Case& c : {Case{75, {1, 2}}, Case{125, {1, 2}}, Case{-75, {-1, -2}}, Case{20, {0}},
                          Case{-25, {0}}, Case{25.5, {1}}, Case{1000, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
                          Case{-1000, {-1, -2, -3, -4, -5, -6, -7, -8, -9}}}) {
        for (int i = 1; i <= 4; ++i) Account(i) = PlayStats{};
        Account(1).HourWon = c.won;
        CloseHour(g);
        std::vector<int> counted;
        for (int k = -CountIndexLimit; k <= CountIndexLimit; ++k) {
            const auto n = Account(1).HourHistogram[CountSlot(k)];
            EXPECT_LE(n, 1);
            if (n == 1) counted.push_back(k);
        }
        std::vector<int> expected = c.counted;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(counted, expected) << c.won;
        EXPECT_DOUBLE_EQ(Account(1).TotalWon, c.won);
        EXPECT_DOUBLE_EQ(Account(1).HourWon, 0);
        // The other accounts closed an even hour.
        EXPECT_EQ(Account(2).HourHistogram[CountSlot(0)], 1);
    }
}

TEST_P(AnalysisTest, TwoBoxesDoubleTheAverageBet) {
    g.Options.Rules.PlayTwoHands = true;
    Account(1).HourWon = 150; // 1.5 x $100
    CloseHour(g);
    EXPECT_EQ(Account(1).HourHistogram[CountSlot(1)], 1);
    EXPECT_EQ(Account(1).HourHistogram[CountSlot(2)], 1);
    EXPECT_EQ(Account(1).HourHistogram[CountSlot(3)], 0);
}

TEST_P(AnalysisTest, TotalsAccumulateOverHours) {
    Account(3).HourWon = 100;
    CloseHour(g);
    Account(3).HourWon = -30;
    CloseHour(g);
    EXPECT_DOUBLE_EQ(Account(3).TotalWon, 70);
    EXPECT_DOUBLE_EQ(Account(3).SwingBalance, 70);
    EXPECT_EQ(Account(3).HourHistogram[CountSlot(2)], 1);
    EXPECT_EQ(Account(3).HourHistogram[CountSlot(-1)], 1);
}

TEST_P(AnalysisTest, SwingsCountOncePerHourAndCarryTheRest) {
    const double x = g.SwingThreshold;
    Account(1).HourWon = -2.3 * x;
    Account(2).HourWon = 2.3 * x;
    Account(3).HourWon = x; // exactly the threshold is no swing
    CloseHour(g);
    EXPECT_EQ(Account(1).SwingsLost, 1);
    EXPECT_EQ(Account(1).SwingsWon, 0);
    EXPECT_NEAR(Account(1).SwingBalance, -1.3 * x, 1e-9);
    EXPECT_EQ(Account(2).SwingsWon, 1);
    EXPECT_NEAR(Account(2).SwingBalance, 1.3 * x, 1e-9);
    EXPECT_EQ(Account(3).SwingsWon, 0);
    EXPECT_DOUBLE_EQ(Account(3).SwingBalance, x);
    // The rest is still beyond the threshold: the next hour counts it, even with nothing won.
    CloseHour(g);
    EXPECT_EQ(Account(1).SwingsLost, 2);
    EXPECT_NEAR(Account(1).SwingBalance, -0.3 * x, 1e-9);
    EXPECT_EQ(Account(3).SwingsWon, 0);
    EXPECT_DOUBLE_EQ(Account(1).TotalWon, -2.3 * x);
}

// --- Single-strategy mode -------------------------------------------------------------------------------------

class SingleStrategyTest : public AnalysisTest {
  protected:
    SingleStrategyTest() {
        g.SingleStrategyMode = true;
        g.Options.Rules.PlayTwoHands = true;
    }
};

TEST_P(SingleStrategyTest, OnlyStrategyFourBetsAndOnlyFromACountOfZero) {
    StartAt(-1, 0);
    EXPECT_EQ(StakesOn(1), (Stakes{}));
    EXPECT_TRUE(Hand(1).Finished);
    EXPECT_FALSE(g.SecondBoxActive);

    StartAt(0, 0);
    EXPECT_EQ(StakesOn(1), (Stakes{0, 0, 0, 0, 25}));
    EXPECT_FALSE(g.SecondBoxActive);
    StartAt(1, 0);
    EXPECT_EQ(StakesOn(1), (Stakes{0, 0, 0, 0, 25}));
    EXPECT_EQ(StakesOn(3), (Stakes{}));

    StartAt(2, 0); // above +1: both boxes, twice the minimum on each
    EXPECT_TRUE(g.SecondBoxActive);
    EXPECT_EQ(StakesOn(1), (Stakes{0, 0, 0, 0, 50}));
    EXPECT_EQ(StakesOn(3), (Stakes{0, 0, 0, 0, 50}));

    EXPECT_DOUBLE_EQ(Account(4).TotalBet, 25 + 25 + 100);
    EXPECT_EQ(Account(4).HandsPlayed, 4);
    for (const double b : Account(4).BetByCount) EXPECT_EQ(b, 0);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(Account(i).TotalBet, 0) << i;
        EXPECT_EQ(Account(i).HandsPlayed, 0) << i;
    }
}

TEST_P(SingleStrategyTest, TheCountIndexesAreNotClampedNorTheSimpleCountTaken) {
    g.CountIndexB = 7;
    StartAt(14, 3);
    EXPECT_EQ(g.CountIndexA, 14);
    EXPECT_EQ(g.CountIndexB, 7);
    EXPECT_EQ(StakesOn(3), (Stakes{0, 0, 0, 0, 50}));
}

TEST_P(SingleStrategyTest, ARoundAtANegativeCountIsDealtButNotPlayed) {
    g.RunningCount = -2;
    const HandArray a = PlayRounds({10, 6, 6, King}); // the dealer's 16 would draw
    EXPECT_EQ(a[0].CardCount, 2);
    EXPECT_EQ(a[1].CardCount, 2);
    EXPECT_EQ(a[3].CardCount, 0);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(a[static_cast<std::size_t>(i)].Stats.HandsPlayed, 0) << i;
        EXPECT_EQ(a[static_cast<std::size_t>(i)].Stats.BetsLost, 0) << i;
    }
    EXPECT_EQ(g.RunningCount, -2 - 1 + 1 + 1 - 1); // the cards still count
}

TEST_P(SingleStrategyTest, APlayedRoundBooksAccountFourOnly) {
    g.RunningCount = 0;
    const HandArray a = PlayRounds({5, 6, 6, King, 2, 5}); // 11 doubles, takes a 2 and loses to 21
    const PlayStats& s = a[4].Stats;
    EXPECT_EQ(s.HandsPlayed, 1);
    EXPECT_EQ(s.HandsDoubled, 1);
    EXPECT_DOUBLE_EQ(s.TotalBet, 50);
    EXPECT_DOUBLE_EQ(s.HourWon, -50);
    EXPECT_DOUBLE_EQ(s.BetsLost, 1);
    for (const double b : s.BetByCount) EXPECT_EQ(b, 0);
    for (const double w : s.WonByCount) EXPECT_EQ(w, 0);
    for (int i = 1; i <= 3; ++i) {
        const PlayStats& other = a[static_cast<std::size_t>(i)].Stats;
        EXPECT_EQ(other.TotalBet, 0) << i;
        EXPECT_EQ(other.HourWon, 0) << i;
        EXPECT_EQ(other.HandsDoubled, 0) << i;
    }
}

TEST_P(SingleStrategyTest, ClosingTheHourSkipsTheHistogramAndTheOtherAccounts) {
    Account(4).HourWon = 150;
    Account(1).HourWon = 80;
    CloseHour(g);
    EXPECT_DOUBLE_EQ(Account(4).TotalWon, 150);
    EXPECT_DOUBLE_EQ(Account(4).HourWon, 0);
    for (const auto n : Account(4).HourHistogram) EXPECT_EQ(n, 0);
    EXPECT_DOUBLE_EQ(Account(1).HourWon, 80);
    EXPECT_DOUBLE_EQ(Account(1).TotalWon, 0);
}

// --- Hours and determinism ------------------------------------------------------------------------------------

class AnalysisRunTest : public AnalysisTest {
  protected:
    AnalysisRunTest() {
        g.AnalysisWindowOpen = true;
        g.FixedSeed = 1;
    }

    // A fresh run as the analysis item starts it: a new shoe, then the game loop for `hours` hours.
    FakeShell& Run(std::int64_t hours) {
        shell = std::make_unique<FakeShell>(g, 0);
        g.Shell = shell.get();
        g.StopRequested = false;
        g.AnalysisWindowOpen = true;
        g.StopAfterHours = hours;
        // A rebuilt shoe keeps the simple count; each run starts from the same one.
        g.AceFiveCount = 0;
        DestroyShoe(g);
        BuildShoe(g);
        RunGame(g);
        return *shell;
    }

    std::unique_ptr<FakeShell> shell;
};

TEST_P(AnalysisRunTest, EveryHourOfAHundredRoundsIsClosedAndShown) {
    const FakeShell& s = Run(3);
    EXPECT_EQ(s.Hours, 3);
    EXPECT_EQ(s.Refreshes, 3);
    EXPECT_EQ(s.Closes, 1);
    std::int64_t hours = 0;
    for (const auto n : s.Hands[1].Stats.HourHistogram) hours += n;
    EXPECT_GE(hours, 3); // every hour lands at least once
    EXPECT_EQ(s.Hands[1].Stats.HourWon, 0);
    EXPECT_GE(s.Hands[1].Stats.HandsPlayed, 300);
    // Strategy #1 bets the minimum on every hand it plays, doubles and splits aside.
    const PlayStats& a = s.Hands[1].Stats;
    EXPECT_DOUBLE_EQ(a.TotalBet, 25.0 * static_cast<double>(a.HandsPlayed + a.HandsDoubled));
    EXPECT_FALSE(g.AnalysisWindowOpen);
    EXPECT_EQ(g.HoursPlayed, 0);
}

TEST_P(AnalysisRunTest, SingleStrategyModeRefreshesEveryFiftiethHour) {
    g.SingleStrategyMode = true;
    const FakeShell& s = Run(3);
    EXPECT_EQ(s.Hours, 3);
    EXPECT_EQ(s.Refreshes, 0);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(s.Hands[static_cast<std::size_t>(i)].Stats.HandsPlayed, 0) << i;
    EXPECT_GT(s.Hands[4].Stats.HandsPlayed, 0);
}

TEST_P(AnalysisRunTest, AFixedSeedGivesTheSameStatisticsEveryRun) {
    g.Options.Rules.PlayTwoHands = true;
    g.Options.Rules.SurrenderAllowed = true;
    const HandArray first = Run(5).Hands;
    const HandArray second = Run(5).Hands;
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        testing::ExpectSameStats(first[static_cast<std::size_t>(i)].Stats, second[static_cast<std::size_t>(i)].Stats);
    }
    EXPECT_GT(first[1].Stats.Blackjacks, 0);
    EXPECT_GT(first[1].Stats.HandsSplit, 0);
    EXPECT_NE(first[1].Stats.TotalWon, 0);

    g.FixedSeed = 2;
    const HandArray other = Run(5).Hands;
    EXPECT_NE(other[1].Stats.TotalWon, first[1].Stats.TotalWon);
}

std::string BookingName(const ::testing::TestParamInfo<bool>& info) {
    return info.param ? "EachEvent" : "RoundTally";
}
INSTANTIATE_TEST_SUITE_P(Booking, AnalysisTest, ::testing::Bool(), BookingName);
INSTANTIATE_TEST_SUITE_P(Booking, SingleStrategyTest, ::testing::Bool(), BookingName);
INSTANTIATE_TEST_SUITE_P(Booking, AnalysisRunTest, ::testing::Bool(), BookingName);

} // namespace
} // namespace zvx
