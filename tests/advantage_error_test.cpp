// The error of the advantage by batch means over hours, against hour results whose variance is known.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "analysis/advantage_error.h"
#include "analysis/analysis_run.h"
#include "engine/betting.h"
#include "engine/round.h"
#include "engine/shell_view.h"
#include "strategy/builtin_strategies.h"

namespace zvx {
namespace {

// Books the given hour results into account 1 through the hour's close, as the game loop does.
PlayStats AccountOfHours(Game& g, const std::vector<double>& hours, double totalBet) {
    for (double won : hours) {
        g.Hands[1].Stats.HourWon = won;
        CloseHour(g);
    }
    g.Hands[1].Stats.TotalBet = totalBet;
    g.HoursPlayed = static_cast<std::int64_t>(hours.size());
    return g.Hands[1].Stats;
}

TEST(AdvantageErrorTest, HoursOfKnownVarianceGiveTheirStandardError) {
    Game g;
    g.SwingThreshold = 2500;
    // Mean 20, sample variance 100: the total's variance is 3 * 100, its error sqrt(300) dollars.
    const PlayStats a = AccountOfHours(g, {10, 20, 30}, 600);
    const auto e = EstimateAdvantageError(a, 3, true);
    ASSERT_TRUE(e.has_value());
    EXPECT_DOUBLE_EQ(e->Advantage, 10.0);
    EXPECT_NEAR(e->StandardError, std::sqrt(300.0) / 600 * 100, 1e-12);
    // The factor the help and the README name.
    EXPECT_NEAR(e->Low, 10.0 - 1.96 * e->StandardError, 1e-12);
    EXPECT_NEAR(e->High, 10.0 + 1.96 * e->StandardError, 1e-12);

    // Hours that all won the same have no spread at all.
    Game h;
    h.SwingThreshold = 2500;
    const auto flat = EstimateAdvantageError(AccountOfHours(h, {-12.5, -12.5, -12.5, -12.5}, 1000), 4, true);
    ASSERT_TRUE(flat.has_value());
    EXPECT_EQ(flat->StandardError, 0);
    EXPECT_DOUBLE_EQ(flat->Low, -5.0);
}

TEST(AdvantageErrorTest, NoErrorWithoutBetsASecondHourOrTheSquares) {
    Game g;
    g.SwingThreshold = 2500;
    const PlayStats one = AccountOfHours(g, {50}, 100);
    EXPECT_FALSE(EstimateAdvantageError(one, 1, true).has_value());
    PlayStats none;
    EXPECT_FALSE(EstimateAdvantageError(none, 10, true).has_value());
    Game h;
    h.SwingThreshold = 2500;
    const PlayStats two = AccountOfHours(h, {50, -50}, 100);
    EXPECT_TRUE(EstimateAdvantageError(two, 2, true).has_value());
    EXPECT_FALSE(EstimateAdvantageError(two, 2, false).has_value());
}

// Notes every hour's result of each strategy as its total moves.
class HourRecorder : public ShellView {
public:
    explicit HourRecorder(const Game& g) : g_(g) {}
    void ProcessEvents() override {}
    void RefreshAnalysisWindow() override {
        for (int i = 1; i <= StrategyCount; ++i) {
            const double total = g_.Hands[static_cast<std::size_t>(i)].Stats.TotalWon;
            Hours[static_cast<std::size_t>(i)].push_back(total - last_[static_cast<std::size_t>(i)]);
            last_[static_cast<std::size_t>(i)] = total;
        }
    }
    void CloseAnalysisWindow() override { Final = std::make_unique<Game>(g_); }
    std::array<std::vector<double>, StrategyCount + 1> Hours;
    std::unique_ptr<Game> Final;

private:
    const Game& g_;
    std::array<double, StrategyCount + 1> last_{};
};

TEST(AdvantageErrorTest, AnAnalysisGivesTheErrorOfItsOwnHours) {
    auto g = std::make_unique<Game>();
    LoadDefaultStrategy(g->Strategy);
    HourRecorder recorder(*g);
    g->FixedSeed = 5;
    PrepareAnalysisRun(*g);
    g->Shell = &recorder;
    g->AnalysisWindowOpen = true;
    g->StopAfterHours = 40;
    RunGame(*g);
    ASSERT_TRUE(recorder.Final);
    const Game& end = *recorder.Final;
    for (int i = 1; i <= StrategyCount; ++i) {
        SCOPED_TRACE(i);
        const auto& hours = recorder.Hours[static_cast<std::size_t>(i)];
        ASSERT_EQ(hours.size(), 40u);
        // Two passes: the mean, then the squared deviations from it.
        double mean = 0;
        for (double w : hours) mean += w;
        mean /= 40;
        double deviations = 0;
        for (double w : hours) deviations += (w - mean) * (w - mean);
        const PlayStats& s = end.Hands[static_cast<std::size_t>(i)].Stats;
        const double expected = std::sqrt(deviations / 39 * 40) * 100 / s.TotalBet;
        const auto e = EstimateAdvantageError(s, end.HoursPlayed, true);
        ASSERT_TRUE(e.has_value());
        EXPECT_NEAR(e->StandardError, expected, expected * 1e-9);
        EXPECT_GT(e->StandardError, 0);
    }
}

TEST(AdvantageErrorTest, TheLineShowsEachStrategyOrWhyThereIsNone) {
    Game g;
    g.SwingThreshold = 2500;
    AccountOfHours(g, {10, 20, 30}, 600);
    // The lines take the rounds' results: here three rounds of the same $10, $20 and $30 (20, 40 and 60 halves).
    g.Hands[1].Stats.RoundsClosed = 3;
    g.Hands[1].Stats.RoundSquares.Add(20 * 20 + 40 * 40 + 60 * 60);
    const std::vector<ScreenLine> lines = AdvantageErrorLines(g, true);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0][2], " S.E. [95 %]");
    EXPECT_EQ(lines[0][3], "2.887");
    EXPECT_EQ(lines[1][3], "[4.34, 15.66]"); // beneath its error, in the same column
    EXPECT_EQ(lines[1][2], "");
    EXPECT_EQ(lines[0][4], ""); // strategy #2 bet nothing
    EXPECT_EQ(lines[1][4], "");
    // The window's single line joins each error and its interval in one cell.
    EXPECT_EQ(AdvantageErrorLine(g, true)[3], "2.887 [4.34, 15.66]");
    EXPECT_EQ(AdvantageErrorLine(g, true)[2], " S.E. [95 %]");
    const std::vector<ScreenLine> merged = AdvantageErrorLines(g, false);
    ASSERT_EQ(merged.size(), 1u);
    EXPECT_NE(merged[0][3].find("not known"), std::string::npos);
    EXPECT_EQ(merged[0][4], "");
}

} // namespace
} // namespace zvx
