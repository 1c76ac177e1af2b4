#include "drill/advice_cost.h"
#include "drill/drill_keeper.h"
#include "drill/heat_map.h"
#include "drill/record_file.h"
#include "drill/review_list.h"
#include "engine/round.h"
#include "strategy/builtin_strategies.h"
#include "tests/fake_table.h"
#include "tests/stacked_shoe.h"
#include "tests/temp_folder.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace zvx {
namespace {

using testing::Ace;
using testing::FakeTable;
using testing::King;
using testing::StackShoe;
using testing::TempFolder;

// Prices a hit at a quarter of a bet and any other mistake at half, and keeps what it was asked.
class FixedCosts : public CostSource {
  public:
    std::vector<JudgedDecision> Asked;
    std::optional<double> CostOf(const Game&, const JudgedDecision& d) override {
        Asked.push_back(d);
        return d.Taken == Hit ? 0.25 : 0.5;
    }
};

// A drill at the table through the scripted fake, every judged decision going to a keeper with its own file.
class DrillRecordTest : public ::testing::Test {
  protected:
    DrillRecordTest() : table(g), keeper(folder.File("zvx/drill-record.json")) {
        LoadDefaultStrategy(g.Strategy);
        g.Options.Rules.TableMinimum = 5;
        g.Options.Prefs.SoundOn = false;
        g.TableShown = true;
        g.Table = &table;
        g.Bankroll = 1000;
        g.DrillRecorder = &keeper;
        table.IdleAfterCard = true;
        auto source = std::make_unique<FixedCosts>();
        costs = source.get();
        keeper.SetCostSource(std::move(source));
    }

    // One decision, then the pass through the events that ends its round.
    void Decide(Action action) {
        table.Then([](Game&) {});
        table.Then([action](Game& game) { game.PlayerAction = action; });
        table.Then([](Game&) {});
    }

    const CellTally& Cell(HandKind kind, int total, int up) {
        const CellTally* tally = keeper.Record().Find({kind, total, up});
        EXPECT_NE(tally, nullptr) << static_cast<int>(kind) << " " << total << " against " << up;
        static const CellTally none;
        return tally ? *tally : none;
    }

    Game g;
    FakeTable table;
    TempFolder folder;
    DrillKeeper keeper;
    FixedCosts* costs = nullptr;
};

TEST_F(DrillRecordTest, APracticeDrillIsCountedByCellWithTheCostOfEachMissAndKeptInTheFile) {
    g.PracticeDeckMode = true;
    Decide(Hit);   // hard 16 against 5: the strategy stands
    Decide(Stand); // the same, played right
    Decide(Stand); // 8,8 against 6: the strategy splits
    Decide(Hit);   // hard 16 against 5 again, missed again
    StackShoe(g, {9, 5, 7, 9, 9, 5, 7, 9, 8, 6, 8 + 13, 2, 7, 5, 9, 3}, 2);
    RunGame(g);

    EXPECT_EQ(table.AdviceBoxes.size(), 3u);
    const CellTally& sixteen = Cell(HandKind::Hard, 16, 5);
    EXPECT_EQ(sixteen.Judged, 3);
    EXPECT_EQ(sixteen.Missed, 2);
    EXPECT_DOUBLE_EQ(sixteen.Cost, 0.5);
    EXPECT_TRUE(sixteen.LastMissed);
    ASSERT_EQ(sixteen.Mistakes.size(), 1u);
    EXPECT_EQ(sixteen.Mistakes[0], (MistakeTally{Hit, Stand, 2, 0.5, "Stand with hard 16 against Dealer 5"}));

    const CellTally& eights = Cell(HandKind::Pair, 8, 6);
    EXPECT_EQ(eights.Judged, 1);
    ASSERT_EQ(eights.Mistakes.size(), 1u);
    EXPECT_EQ(eights.Mistakes[0].Taken, Stand);
    EXPECT_EQ(eights.Mistakes[0].Right, Split);
    EXPECT_DOUBLE_EQ(eights.Mistakes[0].Cost, 0.5);
    EXPECT_EQ(eights.Mistakes[0].Advice, table.AdviceBoxes[1]);
    EXPECT_EQ(keeper.Record().Cells().size(), 2u);

    // The record and the status bar's score agree, and only misses were priced.
    const DrillTotals session = keeper.Record().Session();
    EXPECT_EQ(session.Judged, g.Drill.Judged);
    EXPECT_EQ(session.Judged - session.Missed, g.Drill.Matched);
    EXPECT_EQ(session.Missed, 3);
    EXPECT_DOUBLE_EQ(session.Cost, 1.0);
    EXPECT_EQ(costs->Asked.size(), 3u);

    // The next session reads the same record back, with no decisions of its own yet.
    DrillKeeper next(keeper.File());
    EXPECT_EQ(next.Load(), std::nullopt);
    EXPECT_EQ(next.Record().Cells(), keeper.Record().Cells());
    EXPECT_EQ(next.Record().Session().Judged, 0);
    EXPECT_EQ(next.Record().AllTime().Judged, 4);
    EXPECT_DOUBLE_EQ(next.Record().AllTime().Cost, 1.0);
}

TEST_F(DrillRecordTest, NormalPlayRecordsEachDecisionOfAHandUnderItsOwnTotal) {
    g.Options.Rules.PlayTwoHands = false;
    table.Bet(10);
    Decide(Hit);   // 10,2 against 10: the strategy hits
    Decide(Stand); // 10,2,4 = 16 against 10: the strategy hits
    StackShoe(g, {10, King, 2, 7, 4});
    RunGame(g);

    EXPECT_EQ(Cell(HandKind::Hard, 12, 10).Missed, 0);
    const CellTally& sixteen = Cell(HandKind::Hard, 16, 10);
    EXPECT_EQ(sixteen.Missed, 1);
    ASSERT_EQ(costs->Asked.size(), 1u);
    // The cost is asked for the hand as it stood: three cards, unsplit.
    EXPECT_EQ(costs->Asked[0].CardValues, (std::vector<int>{10, 2, 4}));
    EXPECT_TRUE(costs->Asked[0].Unsplit);
    EXPECT_EQ(costs->Asked[0].Taken, Stand);
    EXPECT_EQ(costs->Asked[0].Right, Hit);
}

TEST_F(DrillRecordTest, WithoutACostSourceMistakesAreCountedAtNoCostAndAHintIsNotADecision) {
    keeper.SetCostSource(nullptr);
    g.PracticeDeckMode = true;
    table.Then([](Game&) {});
    table.Then([](Game& game) { game.PlayerAction = Hint; });
    Decide(Hit);
    StackShoe(g, {9, 5, 7, 9}, 2);
    RunGame(g);
    const CellTally& sixteen = Cell(HandKind::Hard, 16, 5);
    EXPECT_EQ(sixteen.Judged, 1);
    EXPECT_EQ(sixteen.Missed, 1);
    EXPECT_DOUBLE_EQ(sixteen.Cost, 0);
}

TEST_F(DrillRecordTest, TheRecordPricesMistakesAsTheDrillScoreDoes) {
    keeper.SetCostSource(MakeAdviceCosts());
    g.PracticeDeckMode = true;
    Decide(Hit);   // hard 16 against 5: the strategy stands
    Decide(Stand); // 8,8 against 6: the strategy splits
    Decide(Stand); // played right: costs nothing
    StackShoe(g, {9, 5, 7, 9, 8, 6, 8 + 13, 2, 9, 5, 7, 9}, 2);
    RunGame(g);
    ASSERT_EQ(keeper.Record().Session().Missed, 2);
    const double sixteen = Cell(HandKind::Hard, 16, 5).Cost;
    const double eights = Cell(HandKind::Pair, 8, 6).Cost;
    EXPECT_GT(sixteen, 0.01);
    EXPECT_GT(eights, 0.01);
    EXPECT_DOUBLE_EQ(keeper.Record().Session().Cost, g.Drill.Cost);
    EXPECT_DOUBLE_EQ(sixteen + eights, g.Drill.Cost);
}

TEST_F(DrillRecordTest, ClearingStartsAfreshOnDiskToo) {
    g.PracticeDeckMode = true;
    Decide(Hit);
    StackShoe(g, {9, 5, 7, 9}, 2);
    RunGame(g);
    ASSERT_EQ(keeper.Record().AllTime().Judged, 1);
    EXPECT_EQ(keeper.Clear(), std::nullopt);
    EXPECT_EQ(keeper.Record().AllTime().Judged, 0);
    EXPECT_EQ(keeper.Record().Session().Judged, 0);
    DrillKeeper next(keeper.File());
    next.Load();
    EXPECT_TRUE(next.Record().Cells().empty());
}

TEST_F(DrillRecordTest, AnUnwritableFolderIsToldOnceAndTheDecisionsAreKept) {
    testing::WriteAll(folder.File("plain-file"), {'x'});
    DrillKeeper blocked(folder.File("plain-file") + "/drill-record.json");
    g.DrillRecorder = &blocked;
    g.PracticeDeckMode = true;
    Decide(Hit);
    Decide(Hit);
    StackShoe(g, {9, 5, 7, 9, 9, 5, 7, 9}, 2);
    RunGame(g);
    const auto message = blocked.TakeMessage();
    ASSERT_TRUE(message.has_value());
    EXPECT_NE(message->find("could not be written"), std::string::npos) << *message;
    EXPECT_EQ(blocked.TakeMessage(), std::nullopt);
    EXPECT_EQ(blocked.Record().Session().Missed, 2);
}

// --- The heat map and the review
// -----------------------------------------------------------------------------

JudgedDecision Decision(DrillCell cell, Action taken, Action right, std::string advice = {}) {
    JudgedDecision d;
    d.Cell = cell;
    d.Taken = taken;
    d.Right = right;
    d.Advice = std::move(advice);
    return d;
}

int RowLabelled(const std::string& label) {
    for (int row = 0; row < ChartRows; ++row)
        if (ChartHands()[static_cast<std::size_t>(row)].Label == label) return row;
    return -1;
}

TEST(DrillHeatMap, CellsLandOnTheirChartRowsAndColumns) {
    DrillRecord record;
    record.Add(Decision({HandKind::Pair, 8, 6}, Stand, Split), 0.4);
    record.Add(Decision({HandKind::Soft, 18, 11}, Stand, Hit), 0.1);
    record.Add(Decision({HandKind::Pair, 11, 10}, Hit, Split), 0.3);
    record.Add(Decision({HandKind::Hard, 5, 2}, Hit, Hit), 0);
    record.Add(Decision({HandKind::Hard, 19, 2}, Hit, Stand), 1); // not on the chart
    const HeatMap map = BuildHeatMap(record);
    auto at = [&](const std::string& label, int up) {
        return map[static_cast<std::size_t>(RowLabelled(label))][static_cast<std::size_t>(up - 2)];
    };
    EXPECT_EQ(at("8,8", 6).Missed, 1);
    EXPECT_DOUBLE_EQ(at("8,8", 6).Cost, 0.4);
    EXPECT_EQ(at("A,7", 11).Missed, 1);
    EXPECT_EQ(at("A,A", 10).Missed, 1);
    EXPECT_EQ(at("Hard 5", 2).Judged, 1);
    int judged = 0;
    for (const auto& row : map)
        for (const HeatCell& c : row)
            judged += c.Judged;
    EXPECT_EQ(judged, 4);
}

TEST(DrillHeatMap, ColourFollowsTheErrorRate) {
    EXPECT_EQ(HeatColourOf({}), UnjudgedColour);
    EXPECT_EQ(HeatColourOf({5, 0, 0}), NoMissColour);
    EXPECT_EQ(HeatColourOf({4, 1, 0}), QuarterMissedColour);
    EXPECT_EQ(HeatColourOf({2, 1, 0}), HalfMissedColour);
    EXPECT_EQ(HeatColourOf({3, 3, 0}), HalfMissedColour);
    // 3 of 8 lies halfway from a quarter to a half.
    const HeatColour c = HeatColourOf({8, 3, 0});
    EXPECT_EQ(c, (HeatColour{235, 143, 70}));
    EXPECT_EQ(HeatCellText(ChartHands()[11], 10, {8, 3, 0.12}),
              "Hard 16 against 10: 3 of 8 missed (38 %), cost 12.0 % of a bet");
}

TEST(DrillReview, TheCostliestCellsComeFirstWithTheirMistakesAndAdvice) {
    DrillRecord record;
    const DrillCell sixteen{HandKind::Hard, 16, 10};
    const DrillCell eights{HandKind::Pair, 8, 6};
    const DrillCell eleven{HandKind::Hard, 11, 5};
    record.Add(Decision(sixteen, Stand, Hit, "Hit 16 against Dealer 10"), 0.02);
    record.Add(Decision(sixteen, Stand, Hit, "Hit 16 against Dealer 10"), 0.02);
    record.Add(Decision(sixteen, Surrender, Hit, "Hit 16 against Dealer 10"), 0.01);
    record.Add(Decision(eights, Stand, Split, "Split 8's against Dealer 6"), 0.3);
    record.Add(Decision(eleven, DoubleDown, DoubleDown), 0);
    const auto review = CostliestMistakes(record, 10);
    ASSERT_EQ(review.size(), 2u); // a cell never missed has nothing to review
    EXPECT_EQ(review[0].Cell, eights);
    EXPECT_EQ(review[1].Cell, sixteen);
    ASSERT_EQ(review[1].Mistakes.size(), 2u);
    EXPECT_EQ(review[1].Mistakes[0].Taken, Stand);
    EXPECT_EQ(ReviewHeading(review[1]), "Hard 16 against 10: missed 3 of 3, cost 5.0 % of a bet");
    EXPECT_EQ(ReviewLine(review[1].Mistakes[0]),
              "You stood twice where the strategy hits (cost 2.0 % of the bet a time)");
    EXPECT_EQ(review[1].Mistakes[0].Advice, "Hit 16 against Dealer 10");
    EXPECT_EQ(CostliestMistakes(record, 1).size(), 1u);
    EXPECT_EQ(TotalsText(record.Session()), "Accuracy 20.0 % (1 of 5), mistakes cost 35.0 % of a bet");
    // Against a strategy that is not the best for the rules, a departure from it can pay.
    record.Add(Decision(eleven, Hit, DoubleDown), -0.5);
    EXPECT_EQ(ReviewHeading(CostliestMistakes(record, 10).back()),
              "Hard 11 against 5: missed 1 of 2, gained 50.0 % of a bet");
    EXPECT_EQ(TotalsText(record.Session()), "Accuracy 16.7 % (1 of 6), mistakes gained 15.0 % of a bet");
    // A bet and more is told in bets, as the status bar's drill score tells it.
    record.Add(Decision(eights, Stand, Split, "Split 8's against Dealer 6"), 1.5);
    EXPECT_EQ(TotalsText(record.Session()), "Accuracy 14.3 % (1 of 7), mistakes cost 1.35 bets");
    EXPECT_EQ(ReviewHeading(CostliestMistakes(record, 1)[0]), "8,8 against 6: missed 2 of 2, cost 1.80 bets");
}

} // namespace
} // namespace zvx
