// The risk figures against results whose mean and spread are known, against a simulated random walk, and
// against a real analysis; the exact sums behind them.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "analysis/parallel_run.h"
#include "analysis/risk_figures.h"
#include "analysis/risk_screen.h"
#include "strategy/builtin_strategies.h"

namespace zvx {
namespace {

// The sums of a list of round results (dollars, whole halves).
RiskSums SumsOf(const std::vector<std::pair<double, std::int64_t>>& resultsAndCounts) {
    RiskSums s;
    for (const auto& [x, count] : resultsAndCounts) {
        const auto halves = static_cast<std::uint64_t>(std::llabs(std::llround(2 * x)));
        s.Rounds += count;
        s.Won += x * static_cast<double>(count);
        for (std::int64_t i = 0; i < count; ++i) s.Squares.Add(halves * halves);
    }
    return s;
}

TEST(RiskFigures, EveryFigureOfAStreamWithKnownMeanAndSpread) {
    // 600 rounds won and 400 lost at $10: mean $2, sample variance (1000 * 100 - 1000 * 4) / 999.
    const auto f = ComputeRisk(SumsOf({{10, 600}, {-10, 400}}), 5, 1000);
    ASSERT_TRUE(f);
    const double variance = 96000.0 / 999;
    EXPECT_EQ(f->Rounds, 1000);
    EXPECT_DOUBLE_EQ(f->WinPerRound, 2);
    EXPECT_NEAR(f->SdPerRound, std::sqrt(variance), 1e-12);
    EXPECT_NEAR(f->WinRateError, std::sqrt(variance / 1000), 1e-12);
    EXPECT_NEAR(*f->N0, variance / 4, 1e-9);
    EXPECT_NEAR(f->DI, 1000 * 2 / std::sqrt(variance), 1e-9);
    EXPECT_NEAR(f->Score, f->DI * f->DI, 1e-6);
    EXPECT_NEAR(f->RiskOfRuin.Value, std::exp(-2 * 2 * 1000 / variance), 1e-12);
    EXPECT_NEAR(f->BankrollFor[0].Value, -variance * std::log(0.05) / 4, 1e-9);
    EXPECT_NEAR(f->BankrollFor[1].Value, -variance * std::log(0.135) / 4, 1e-9);
    // The intervals come from the win rate's: a better rate, less risk and a smaller bankroll.
    const double high = 2 + NormalQuantile975 * f->WinRateError;
    EXPECT_NEAR(f->RiskOfRuin.Low, std::exp(-2 * high * 1000 / variance), 1e-12);
    EXPECT_LT(f->RiskOfRuin.Low, f->RiskOfRuin.Value);
    EXPECT_GT(f->RiskOfRuin.High, f->RiskOfRuin.Value);
    EXPECT_LT(f->BankrollFor[1].Low, f->BankrollFor[1].Value);
    EXPECT_GT(f->BankrollFor[1].High, f->BankrollFor[1].Value);

    // A losing stream: ruin is certain and no bankroll suffices.
    const auto losing = ComputeRisk(SumsOf({{10, 400}, {-10, 600}}), 5, 1000);
    ASSERT_TRUE(losing);
    EXPECT_EQ(losing->RiskOfRuin.Value, 1);
    EXPECT_TRUE(std::isinf(losing->BankrollFor[0].Value));
    EXPECT_LT(losing->DI, 0);
    EXPECT_FALSE(ComputeRisk(SumsOf({{10, 1}}), 5, 1000)); // one round has no spread
}

// The sums are whole numbers: a spread a double could never see under sums past 2^64 is still exact.
TEST(RiskFigures, ExactSumsKeepATinySpreadUnderHugeOnes) {
    constexpr std::int64_t N = std::int64_t{1} << 36;
    RiskSums s;
    s.Rounds = N;
    s.Won = 10000.0 * static_cast<double>(N - 1) + 10000.5; // every round $10,000, one $10,000.50
    const std::uint64_t square = 20000ull * 20000ull;
    s.Squares.Add(square * static_cast<std::uint64_t>(N / 2));     // N - 1 rounds in two adds, each
    s.Squares.Add(square * static_cast<std::uint64_t>(N / 2 - 1)); // below 2^64
    s.Squares.Add(20001ull * 20001ull);
    ASSERT_GT(s.Squares.High, 0u); // past 2^64
    const auto f = ComputeRisk(s, 5, 1000);
    ASSERT_TRUE(f);
    // Sample variance 0.25 / N: the one deviation of $0.50 spread over N rounds.
    EXPECT_NEAR(f->SdPerRound, 0.5 / std::sqrt(static_cast<double>(N)), 1e-12);
}

// The diffusion formula against a walk played out: steps of +-$1 with 55 % up, from a bankroll of $10.
TEST(RiskFigures, RiskOfRuinAgreesWithASimulatedWalk) {
    const auto f = ComputeRisk(SumsOf({{1, 550}, {-1, 450}}), 1, 10);
    ASSERT_TRUE(f);
    std::mt19937_64 random(20);
    std::bernoulli_distribution up(0.55);
    constexpr int Walks = 4000;
    int ruined = 0;
    for (int w = 0; w < Walks; ++w) {
        int bankroll = 10;
        // From 150 up ruin is below 1e-12: the walk counts as safe.
        while (bankroll > 0 && bankroll < 150) bankroll += up(random) ? 1 : -1;
        ruined += bankroll == 0;
    }
    const double simulated = static_cast<double>(ruined) / Walks;
    const double error = std::sqrt(simulated * (1 - simulated) / Walks);
    EXPECT_NEAR(f->RiskOfRuin.Value, simulated, 4 * error) << simulated;
}

// Flat betting the minimum on one box at the default rules: a hand's standard deviation is the well-known
// 1.1 to 1.2 units.
TEST(RiskFigures, FlatBettingSwingsAboutOnePointOneFiveUnitsAHand) {
    Game start;
    LoadDefaultStrategy(start.Strategy);
    start.Options.Rules.PlayTwoHands = false;
    AnalysisPlan plan;
    plan.Hours = 1500;
    plan.Seed = 3;
    plan.Jobs = 2;
    plan.Shuffler = Generator::Long;
    const Game g = RunAnalysisJobs(start, plan, [](const AnalysisProgress&) {});
    const PlayStats& flat = g.Hands[1].Stats;
    EXPECT_EQ(flat.RoundsClosed, 150000);
    const auto f = ComputeRisk(RiskSums::Of(flat), g.Rules().TableMinimum, StartingBankroll(g.Rules().TableMinimum));
    ASSERT_TRUE(f);
    const double sdUnits = f->SdPerRound / g.Rules().TableMinimum;
    EXPECT_GT(sdUnits, 1.1);
    EXPECT_LT(sdUnits, 1.2);
    // The round's results add up to the account's winnings.
    EXPECT_LT(f->WinPerRound, 0); // flat betting pays the house edge

    const ScreenGrid grid = RiskScreen(g, 5000);
    EXPECT_EQ(grid.Title, "RISK AND PRECISION");
    EXPECT_EQ(grid.Cell(3, 1), "150,000");
    EXPECT_EQ(grid.Cell(2, 8), " Player's Advantage");
    // Every figure fits a column: an interval has a row of its own beneath its figure.
    for (int row = 1; row < GridRows; ++row)
        for (int column = 3; column < GridColumns; ++column) EXPECT_LE(grid.Cell(column, row).size(), 22u) << row;
}

TEST(RiskFigures, WideSumCarriesAndPrintsExactly) {
    WideSum s;
    s.Add(~std::uint64_t{0});
    s.Add(1);
    EXPECT_EQ(s.High, 1u);
    EXPECT_EQ(s.Low, 0u);
    EXPECT_EQ(s.Decimal(), "18446744073709551616");
    WideSum t = s;
    t.Add(s);
    EXPECT_EQ(t.Decimal(), "36893488147419103232");
    EXPECT_EQ(WideSum::FromDecimal(t.Decimal()), t);
    EXPECT_EQ(WideSum::FromDecimal("340282366920938463463374607431768211455")->High, ~std::uint64_t{0});
    EXPECT_FALSE(WideSum::FromDecimal("340282366920938463463374607431768211456")); // 2^128
    EXPECT_FALSE(WideSum::FromDecimal("12a"));
    EXPECT_FALSE(WideSum::FromDecimal(""));
    EXPECT_EQ(WideSum{}.Decimal(), "0");
}

// A loaded account knows no squares: it shows no figures rather than wrong ones.
TEST(RiskFigures, AnAccountWithoutItsSquaresSaysSo) {
    Game g;
    g.Hands[2].Stats.RoundSquaresKnown = false;
    g.Hands[2].Stats.RoundsClosed = 100;
    g.Hands[2].Stats.TotalWon = 50;
    const ScreenGrid grid = RiskScreen(g, 5000);
    EXPECT_EQ(grid.Cell(4, 1), "not known");
    EXPECT_EQ(grid.Cell(4, 2), "");
    // The window's bankroll: the player's, else the table's starting one.
    EXPECT_EQ(RiskViewBankroll(g), 200.0 * g.Rules().TableMinimum);
    g.Bankroll = 1234.5;
    EXPECT_EQ(RiskViewBankroll(g), 1234.5);
}

} // namespace
} // namespace zvx
