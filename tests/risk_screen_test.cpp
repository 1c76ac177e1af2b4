// The risk view as a reader takes it: a losing strategy shows no N0, SCORE or bankroll as a number, the advantage
// and the risk figures agree on whether a strategy wins, every figure says what it measures, and the
// single-strategy run is named for the plan it plays.

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <nlohmann/json.hpp>

#include "analysis/advantage_error.h"
#include "analysis/number_format.h"
#include "analysis/parallel_run.h"
#include "analysis/result_json.h"
#include "analysis/risk_figures.h"
#include "analysis/risk_screen.h"
#include "exact/exact_texts.h"
#include "strategy/builtin_strategies.h"

namespace zvx {
namespace {

Game Analysis(std::int64_t hours, bool twoHands = true, bool single = false) {
    Game start;
    LoadDefaultStrategy(start.Strategy);
    start.Options.Rules.PlayTwoHands = twoHands;
    AnalysisPlan plan;
    plan.Hours = hours;
    plan.Seed = 11;
    plan.Single = single;
    return RunAnalysisJobs(start, plan, [](const AnalysisProgress&) {});
}

int RowOf(const ScreenGrid& grid, const std::string& label) {
    for (int row = 1; row < GridRows; ++row)
        if (grid.Cell(2, row) == label) return row;
    return -1;
}

// "-0.00" or "-0" standing alone: a zero with a sign, not a small negative figure such as "-0.0098".
bool HasMinusZero(const std::string& text) {
    for (std::size_t at = text.find("-0"); at != std::string::npos; at = text.find("-0", at + 1)) {
        std::size_t end = at + 2;
        if (end < text.size() && text[end] == '.') ++end;
        while (end < text.size() && text[end] == '0') ++end;
        if (end == text.size() || !std::isdigit(static_cast<unsigned char>(text[end]))) return true;
    }
    return false;
}

const ScreenGrid& SharedScreen() {
    static const Game g = Analysis(3000);
    static const ScreenGrid grid = RiskScreen(g, 5000);
    return grid;
}

TEST(RiskScreen, ALosingStrategyNeverReachesN0AndNoBankrollSuffices) {
    const ScreenGrid& grid = SharedScreen();
    // Strategy #1 flat bets into the house edge.
    for (const char* label : {" N0 (Rounds)", " SCORE", " Bankroll, 5 % Risk", " Bankroll, 13.5 % Risk"}) {
        ASSERT_GT(RowOf(grid, label), 0) << label;
        EXPECT_EQ(grid.Cell(3, RowOf(grid, label)), "never") << label;
    }
    EXPECT_EQ(grid.Cell(3, RowOf(grid, " Risk of Ruin %")), "100.00");
    for (int row = 0; row < GridRows; ++row)
        for (int column = 3; column < GridColumns; ++column)
            EXPECT_EQ(grid.Cell(column, row).find("none"), std::string::npos) << grid.Cell(column, row);

    // The figures behind it: nothing for a loss, in the JSON too.
    RiskSums losing;
    losing.Rounds = 1000;
    losing.Won = -2000;
    losing.Squares.Add(std::uint64_t{1000} * 20 * 20);
    const auto f = ComputeRisk(losing, 5, 1000);
    ASSERT_TRUE(f);
    EXPECT_FALSE(f->Wins);
    EXPECT_FALSE(f->N0.has_value());
    EXPECT_LT(f->DI, 0);
    const auto json = nlohmann::json::parse(ResultJson(Analysis(3000), RunFacts{}));
    for (const auto& s : json["strategies"]) {
        const auto& risk = s["risk"];
        const bool wins = risk["win_per_round"].get<double>() > 0;
        EXPECT_EQ(risk["n0"].is_null(), !wins) << s["number"];
        EXPECT_EQ(risk["score"].is_null(), !wins) << s["number"];
        EXPECT_EQ(risk["di_interval_95"].size(), 2u);
    }
    EXPECT_TRUE(json["strategies"][0]["risk"]["n0"].is_null()); // #1 loses
}

TEST(RiskScreen, N0DiAndScoreKeepOnlyTheDigitsTheirErrorAllows) {
    EXPECT_EQ(FigureWithinError(26.734, 26.11, 27.35, 2), "26.7");
    EXPECT_EQ(FigureWithinError(20698, 18900, 22800, 0), "21,000");
    EXPECT_EQ(FigureWithinError(714.7, 682, 748, 2), "710");
    EXPECT_EQ(FigureWithinError(3.14159, 3.14159, 3.14159, 2), "3.14");

    // A winning strategy whose win rate is known within 20 %: N0 to two digits, from the rate's interval.
    RiskSums s;
    s.Rounds = 10000;
    s.Won = 10000; // $1 a round
    s.Squares.Add(std::uint64_t{10000} * 20 * 20); // 400 halves squared a round: a spread near $10
    const auto f = ComputeRisk(s, 5, 1000);
    ASSERT_TRUE(f && f->Wins && f->N0);
    EXPECT_LT(f->N0Range.Low, *f->N0);
    EXPECT_GT(f->N0Range.High, *f->N0);
    EXPECT_LT(f->DIRange.Low, f->DI);
    EXPECT_LT(f->ScoreRange.Low, f->Score);
    EXPECT_GT(f->ScoreRange.High, f->Score);

    // Strategy #4 wins: its N0 is a number, rounded to its error, or a lower bound when the rate may be 0.
    const ScreenGrid& grid = SharedScreen();
    const std::string n0 = grid.Cell(6, RowOf(grid, " N0 (Rounds)"));
    EXPECT_NE(n0, "never");
    EXPECT_TRUE(n0.rfind("at least ", 0) == 0 || (n0.size() > 2 && n0.substr(n0.size() - 2) == "00")) << n0;
    // Never rounded away to nothing: an N0 of 31,700 known only within [11,800, 241,000] keeps its first digit.
    EXPECT_EQ(FigureWithinError(31700, 11800, 241000, 0), "30,000");
    EXPECT_EQ(FigureWithinError(0.48, -3.1, 4.06, 2), "0.5");
}

TEST(RiskScreen, TheAdvantageAndTheRiskFiguresShareOneErrorAndNeverShowMinusZero) {
    const Game g = Analysis(1000);
    const ScreenGrid grid = RiskScreen(g, 5000);
    for (int i = 1; i <= StrategyCount; ++i) {
        SCOPED_TRACE(i);
        const PlayStats& a = g.Hands[static_cast<std::size_t>(i)].Stats;
        const auto e = AdvantageErrorFromRounds(a, true);
        const auto f = ComputeRisk(RiskSums::Of(a), 5, 5000);
        ASSERT_TRUE(e && f);
        EXPECT_NEAR(e->StandardError, f->WinRateError * static_cast<double>(f->Rounds) * 100 / a.TotalBet, 1e-12);
        // An interval of the advantage above 0 exactly when the bankroll's interval has an upper end.
        EXPECT_EQ(e->Low > 0, std::isfinite(f->BankrollFor[0].High));
        // The statistics screen's line under it gives the same error.
        EXPECT_EQ(AdvantageErrorLines(g, true)[0][static_cast<std::size_t>(2 + i)], GroupedNumber(e->StandardError, 3));
    }
    for (int row = 0; row < GridRows; ++row)
        for (int column = 3; column < GridColumns; ++column)
            EXPECT_FALSE(HasMinusZero(grid.Cell(column, row))) << grid.Cell(column, row);
    EXPECT_EQ(IntervalText(-0.001, 1.394, 2), "[0.00, 1.39]");
    EXPECT_TRUE(HasMinusZero("[-0.00, 1.39]"));
    EXPECT_FALSE(HasMinusZero("$ -0.0098"));
    EXPECT_EQ(IntervalText(-0.3, -0.001, 2), "[-0.30, 0.00]");
    // The factor of every interval is the 1.96 the texts name.
    EXPECT_EQ(NormalQuantile975, 1.96);
}

TEST(RiskScreen, SaysWhatEachFigureMeasures) {
    const ScreenGrid& grid = SharedScreen();
    const int units = RowOf(grid, " Units Bet / Round");
    ASSERT_GT(units, 0);
    // Two boxes of two minimums each: #1 bets 4 units a round, #4 only where its count lets it.
    EXPECT_EQ(grid.Cell(3, units), "4.000 u");
    const Game one = Analysis(300, false);
    const ScreenGrid oneBox = RiskScreen(one, 5000);
    EXPECT_EQ(oneBox.Cell(3, units), "1.000 u");
    // #2 bets one stake, and a second exactly where #4 bets.
    const auto u1 = UnitsBetPerRound(one, 1);
    const auto u2 = UnitsBetPerRound(one, 2);
    const auto u4 = UnitsBetPerRound(one, 4);
    ASSERT_TRUE(u1 && u2 && u4);
    EXPECT_DOUBLE_EQ(*u2, *u1 + *u4);
    EXPECT_GT(*u4, 0.3);
    EXPECT_LT(*u4, 1);
    // The spread per unit bet: a round's S.D. over its units, about a hand's 1.15 with one box.
    const int perUnit = RowOf(oneBox, " S.D. / Unit Bet");
    ASSERT_GT(perUnit, 0);
    const double sdPerUnit = std::stod(oneBox.Cell(3, perUnit));
    EXPECT_GT(sdPerUnit, 1.1);
    EXPECT_LT(sdPerUnit, 1.2);
    EXPECT_GT(RowOf(grid, " Rounds Dealt"), 0);

    // The label reads right for a result the player wins or loses; the notes say the rest.
    EXPECT_GT(RowOf(grid, " Player's Advantage"), 0);
    std::string notes;
    for (const std::string& note : RiskNotes()) notes += note + "\n";
    for (const char* words : {"Per round dealt", "lifetime risk, bets never resized (diffusion approximation)",
                              "Player's advantage; #1's is minus the house edge", "before doubles and splits"})
        EXPECT_NE(notes.find(words), std::string::npos) << words;
    // Each figure once: the advantage's error is in the grid, not again under it.
    int errorRows = 0;
    for (int row = 1; row < GridRows; ++row) errorRows += grid.Cell(2, row).find("S.E.") != std::string::npos;
    EXPECT_EQ(errorRows, 1);
    EXPECT_EQ(notes.find("S.E. ["), std::string::npos);
}

TEST(RiskScreen, TheSingleStrategyRunIsNamedForItsOwnPlan) {
    const Game single = Analysis(100, true, true);
    const ScreenGrid risk = RiskScreen(single, 5000);
    EXPECT_EQ(risk.Cell(6, 0), " Velt Max Spread");
    AnalysisScreens screens;
    Game shown = single;
    screens.Open(shown);
    screens.Button1Click(shown);
    EXPECT_EQ(screens.Grid.Cell(6, 0), " Velt Max Spread");
    const auto json = nlohmann::json::parse(ResultJson(single, RunFacts{}));
    EXPECT_EQ(json["strategies"][3]["name"], "Velt Max Spread");
    EXPECT_NE(json["strategies"][3]["betting_plan"].get<std::string>().find("two boxes of 2 minimums"),
              std::string::npos);
    // With one box the run plays #4's plan exactly, and keeps its name.
    const Game oneBox = Analysis(100, false, true);
    EXPECT_EQ(RiskScreen(oneBox, 5000).Cell(6, 0), " Velt Max Strategy");
    // A normal run's #4 keeps its name and says its plan.
    const auto normal = nlohmann::json::parse(ResultJson(Analysis(100), RunFacts{}));
    EXPECT_EQ(normal["strategies"][3]["name"], "Velt Max Strategy");
    EXPECT_NE(normal["strategies"][3]["betting_plan"].get<std::string>().find("not negative"), std::string::npos);
}

TEST(RiskScreen, TheExactLineSpeaksOfTwoBoxesOnlyWhenTwoArePlayed) {
    EXPECT_NE(ExactDifferenceText(true).find("(two boxes share it)"), std::string::npos);
    EXPECT_EQ(ExactDifferenceText(false).find("two boxes"), std::string::npos);
    EXPECT_NE(ExactDifferenceText(false).find("changing shoe and has its own error."), std::string::npos);
}

} // namespace
} // namespace zvx
