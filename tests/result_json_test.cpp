// The JSON of a result: it parses, says its schema, and its figures are the screens' figures.

#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>

#include "analysis/json_names.h"
#include "analysis/number_format.h"
#include "analysis/parallel_run.h"
#include "analysis/result_json.h"
#include "analysis/screens.h"
#include "strategy/builtin_strategies.h"

namespace zvx {
namespace {

using nlohmann::json;

class ResultJsonTest : public ::testing::Test {
protected:
    ResultJsonTest() {
        Game start;
        LoadDefaultStrategy(start.Strategy);
        start.Options.Rules.TableMinimum = 5;
        AnalysisPlan plan;
        plan.Jobs = 2;
        plan.Seed = 11;
        plan.Hours = 120;
        result = std::make_unique<Game>(RunAnalysisJobs(start, plan, [](const AnalysisProgress&) {}));
        result->RunTime = {0, 1, 7};
        facts.Strategy = "default";
        facts.Seed = 11;
        facts.Jobs = 2;
        facts.WallSeconds = 0.5;
        doc = json::parse(ResultJson(*result, facts));
    }

    ScreenGrid Screen(std::uint8_t which) {
        AnalysisScreens screens;
        const RunClock runTime = result->RunTime;
        screens.Open(*result);
        result->RunTime = runTime;
        screens.AnalysisScreen = which;
        screens.RelabelPending = true;
        screens.Redraw(*result);
        return screens.Grid;
    }

    std::unique_ptr<Game> result;
    RunFacts facts;
    json doc;
};

TEST_F(ResultJsonTest, TheRunIsDescribed) {
    EXPECT_EQ(doc["schema_version"], 2);
    EXPECT_EQ(doc["kind"], "analysis");
    EXPECT_EQ(doc["rules"]["table_minimum"], 5);
    EXPECT_EQ(doc["rules"]["decks"], 2);
    EXPECT_EQ(doc["playing_strategy"], "default");
    EXPECT_EQ(doc["seed"], 11);
    EXPECT_EQ(doc["jobs"], 2);
    EXPECT_EQ(doc["hours"], 120);
    EXPECT_EQ(doc["rounds"], 12000);
    EXPECT_EQ(doc["run_time"], "0:01:07");
    EXPECT_EQ(doc["run_time_seconds"], 67);
    EXPECT_DOUBLE_EQ(doc["rounds_per_second"].get<double>(), 24000);
    EXPECT_EQ(doc["strategies"].size(), 4u);
}

TEST_F(ResultJsonTest, TheFiguresAreTheStatisticsScreens) {
    const ScreenGrid grid = Screen(StatisticsScreen);
    for (int i = 1; i <= StrategyCount; ++i) {
        SCOPED_TRACE(i);
        const json& s = doc["strategies"][static_cast<std::size_t>(i - 1)];
        const int column = i + 2;
        EXPECT_EQ(s["number"], i);
        EXPECT_EQ(FormatNumber(" %-14.0n", s["hands"].get<double>()), grid.Cell(column, 3));
        EXPECT_EQ(MoneyText(s["bet_per_hand"].get<double>()), grid.Cell(column, 4));
        EXPECT_EQ(MoneyText(s["won_per_hour"].get<double>()), grid.Cell(column, 5));
        EXPECT_NE(grid.Cell(column, 7).find(FormatNumber("%-6.3n", s["advantage_percent"].get<double>())), std::string::npos);
        EXPECT_EQ(PercentText(s["bets_won_rate"].get<double>()), grid.Cell(column, 9));
        EXPECT_EQ(PercentText(s["bets_lost_rate"].get<double>()), grid.Cell(column, 10));
        EXPECT_EQ(PercentText(s["pushed_rate"].get<double>()), grid.Cell(column, 11));
        EXPECT_EQ(PercentText(s["split_rate"].get<double>()), grid.Cell(column, 13));
        EXPECT_EQ(PercentText(s["doubled_rate"].get<double>()), grid.Cell(column, 14));
        EXPECT_EQ(PercentText(s["blackjack_rate"].get<double>()), grid.Cell(column, 15));
        EXPECT_EQ(FormatNumber(" %-10.0n", s["swings_won"].get<double>()), grid.Cell(column, 17));
        EXPECT_EQ(FormatNumber(" %-10.0n", s["swings_lost"].get<double>()), grid.Cell(column, 18));
        // Two jobs kept their hours' squares: the error is known.
        EXPECT_GT(s["standard_error_percent"].get<double>(), 0);
        EXPECT_LT(s["interval_95_percent"][0].get<double>(), s["advantage_percent"].get<double>());
    }
    EXPECT_EQ(grid.Cell(3, 1), doc["run_time"]);
}

TEST_F(ResultJsonTest, TheHistogramAndTheCountsAreTheOtherTwoScreens) {
    const ScreenGrid odds = Screen(OddsScreen);
    const ScreenGrid count = Screen(CountScreen);
    EXPECT_EQ(doc["average_bet"], 20); // two boxes at $5
    for (int i = 1; i <= StrategyCount; ++i) {
        SCOPED_TRACE(i);
        const json& s = doc["strategies"][static_cast<std::size_t>(i - 1)];
        const int column = i + 2;
        ASSERT_EQ(s["hour_histogram"].size(), 19u);
        for (const json& h : s["hour_histogram"]) {
            const int k = h["multiple"];
            EXPECT_EQ(PercentText(h["share"].get<double>()), odds.Cell(column, 10 - k)) << k;
            EXPECT_DOUBLE_EQ(h["share"].get<double>(), h["hours"].get<double>() / 120);
        }
        ASSERT_EQ(s["advantage_by_count"].size(), 21u);
        for (const json& c : s["advantage_by_count"]) {
            const int k = c["count"];
            if (k < (i <= 2 ? -9 : 0) || k > 9) continue; // not on the screen
            const double bet = c["bet"];
            if (bet == 0) {
                EXPECT_TRUE(c["advantage_percent"].is_null());
                continue;
            }
            EXPECT_EQ(PercentText(c["won"].get<double>() / bet), count.Cell(column, 10 - k)) << k;
            EXPECT_NEAR(c["advantage_percent"].get<double>(), c["won"].get<double>() / bet * 100, 1e-9);
        }
    }
}

TEST_F(ResultJsonTest, AMergeOfFilesHasNoErrorsAndNamesItsSources) {
    facts.Kind = "merge";
    facts.SquaresKnown = false;
    facts.Jobs = 0;
    facts.Seed.reset();
    facts.Sources = {"a.zvx", "b.zvx"};
    const json merged = json::parse(ResultJson(*result, facts));
    EXPECT_EQ(merged["kind"], "merge");
    EXPECT_TRUE(merged["seed"].is_null());
    EXPECT_TRUE(merged["jobs"].is_null());
    EXPECT_EQ(merged["sources"], json({"a.zvx", "b.zvx"}));
    EXPECT_FALSE(merged["standard_errors_known"].get<bool>());
    for (const json& s : merged["strategies"]) {
        EXPECT_TRUE(s["standard_error_percent"].is_null());
        EXPECT_TRUE(s["interval_95_percent"].is_null());
    }
}

TEST_F(ResultJsonTest, AFileNameThatIsNotUtf8IsWrittenNotRefused) {
    facts.Sources = {"caf\xe9.zvx", "b.zvx"};
    const json doc2 = json::parse(ResultJson(*result, facts));
    EXPECT_EQ(doc2["sources"][1], "b.zvx");
    EXPECT_EQ(doc2["sources"][0].get<std::string>().rfind("caf", 0), 0u);
}

// A file name that is not UTF-8 keeps its bytes: written readable with "\xNN" for each stray byte, and in
// hexadecimal beside it, where a replacement character would have lost them.
TEST_F(ResultJsonTest, NamesThatAreNotUtf8StayRecoverable) {
    facts.Strategy = std::string("caf\xe9.zvx");
    facts.Sources = {"plain.zvx", std::string("r\xc3\xa9sum\xff\\.zvx")};
    const std::string text = ResultJson(*result, facts);
    EXPECT_EQ(text.find("\xef\xbf\xbd"), std::string::npos); // no U+FFFD anywhere
    const json doc2 = json::parse(text);
    EXPECT_EQ(doc2["playing_strategy"], "caf\\xE9.zvx");
    EXPECT_EQ(doc2["playing_strategy_hex"], "636166e92e7a7678");
    EXPECT_EQ(doc2["sources"][0], "plain.zvx");
    EXPECT_EQ(doc2["sources"][1], "r\xc3\xa9sum\\xFF\\\\.zvx");
    EXPECT_EQ(doc2["sources_hex"][1], "72c3a973756dff5c2e7a7678");

    facts.Sources = {"a.zvx", "r\xc3\xa9sum\xc3\xa9.zvx"};
    const json plain = json::parse(ResultJson(*result, facts));
    EXPECT_FALSE(plain.contains("sources_hex"));
    EXPECT_EQ(plain["sources"][1], "r\xc3\xa9sum\xc3\xa9.zvx");
    for (const char* bad : {"\xc3", "\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xff"}) EXPECT_FALSE(IsUtf8(bad)) << bad;
}

} // namespace
} // namespace zvx
