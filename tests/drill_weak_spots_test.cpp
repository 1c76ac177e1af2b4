#include "drill/drill_keeper.h"
#include "drill/weak_spots.h"
#include "engine/round.h"
#include "engine/shoe.h"
#include "strategy/builtin_strategies.h"
#include "drill/record_file.h"
#include "tests/fake_table.h"
#include "tests/temp_folder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace zvx {
namespace {

const DrillCell HardThirteenAgainstTwo{HandKind::Hard, 13, 2};

JudgedDecision Decision(DrillCell cell, Action taken, Action right) {
    JudgedDecision d;
    d.Cell = cell;
    d.Taken = taken;
    d.Right = right;
    return d;
}

// A record where hard 13 against a 2 was hit three times, the strategy standing.
DrillRecord ThreeTimesWrong() {
    DrillRecord record;
    for (int i = 0; i < 3; ++i) record.Add(Decision(HardThirteenAgainstTwo, Hit, Stand), 0);
    return record;
}

Game PracticeGame(std::uint32_t seed) {
    Game g;
    g.PracticeDeckMode = true;
    g.Options.Rules.Decks = 2;
    g.FixedSeed = seed;
    BuildShoe(g);
    return g;
}

// Deals `rounds` practice deals of four cards, arranged or not, and counts those of the cell.
double ShareDealt(const DrillRecord* weighting, const DrillCell& cell, int rounds) {
    Game g = PracticeGame(11);
    int hits = 0;
    for (int round = 0; round < rounds; ++round) {
        if (g.Shoe.CardsDealt > g.Shoe.CutCardPosition) ShuffleShoe(g);
        if (weighting) ArrangeWeakSpotDeal(g, *weighting);
        const int at = g.Shoe.CardsDealt;
        if (PracticeCell(g.Shoe.At(at).Value, g.Shoe.At(at + 2).Value, g.Shoe.At(at + 1).Value) == cell) ++hits;
        g.Shoe.CardsDealt += 4;
    }
    return static_cast<double>(hits) / rounds;
}

TEST(DrillWeakSpots, AWeakCellIsDealtFarMoreOftenThanByChance) {
    const DrillRecord weak = ThreeTimesWrong();
    const double plain = ShareDealt(nullptr, HardThirteenAgainstTwo, 20000);
    const double aimed = ShareDealt(&weak, HardThirteenAgainstTwo, 20000);
    // By chance: 6 of the 81 ordered pairs of A..9 make hard 13, and one up card in 9 is a 2.
    EXPECT_NEAR(plain, 6.0 / 729, 0.003);
    EXPECT_GT(aimed, 0.15);
    EXPECT_GT(aimed, 15 * plain);
    // Every other cell keeps its natural share among the rest: hard 13 against a 3 is not aimed at.
    const double neighbour = ShareDealt(&weak, {HandKind::Hard, 13, 3}, 20000);
    EXPECT_LT(neighbour, plain * 1.3);
}

TEST(DrillWeakSpots, AMissMetThreeTimesComesBackUntilItIsPlayedRight) {
    DrillRecord record;
    EXPECT_EQ(WeakSpotWeight(record.Find(HardThirteenAgainstTwo)), 1);
    record.Add(Decision(HardThirteenAgainstTwo, Stand, Stand), 0);
    EXPECT_EQ(WeakSpotWeight(record.Find(HardThirteenAgainstTwo)), 1);
    record.Add(Decision(HardThirteenAgainstTwo, Hit, Stand), 0);
    const double once = WeakSpotWeight(record.Find(HardThirteenAgainstTwo));
    EXPECT_GT(once, 1);
    EXPECT_LT(once, MostWeakSpotWeight);
    record.Add(Decision(HardThirteenAgainstTwo, Hit, Stand), 0);
    record.Add(Decision(HardThirteenAgainstTwo, Hit, Stand), 0);
    EXPECT_EQ(WeakSpotWeight(record.Find(HardThirteenAgainstTwo)), MostWeakSpotWeight);
    record.Add(Decision(HardThirteenAgainstTwo, Stand, Stand), 0);
    const double righted = WeakSpotWeight(record.Find(HardThirteenAgainstTwo));
    EXPECT_LT(righted, MostWeakSpotWeight);
    EXPECT_GT(righted, once); // still weaker than a single slip
}

TEST(DrillWeakSpots, PracticeCellsAreTheHandsTheChartShows) {
    EXPECT_EQ(PracticeCell(11, 11, 5), (DrillCell{HandKind::Pair, 11, 5}));
    EXPECT_EQ(PracticeCell(11, 6, 9), (DrillCell{HandKind::Soft, 17, 9}));
    EXPECT_EQ(PracticeCell(3, 11, 9), (DrillCell{HandKind::Soft, 14, 9}));
    EXPECT_EQ(PracticeCell(8, 8, 11), (DrillCell{HandKind::Pair, 8, 11}));
    EXPECT_EQ(PracticeCell(9, 7, 2), (DrillCell{HandKind::Hard, 16, 2}));
}

TEST(DrillWeakSpots, ThePlainPracticeDeckIsDealtAsBeforeWhenTheOptionIsOff) {
    Game g = PracticeGame(5);
    testing::TempFolder folder;
    const auto file = folder.Path() / "drill-record.json";
    ASSERT_EQ(SaveRecordFile(file, ThreeTimesWrong().Cells()), std::nullopt);
    DrillKeeper keeper(file);
    ASSERT_EQ(keeper.Load(), std::nullopt);
    const auto order = g.Shoe.Order;
    const auto state = g.RandomState;
    keeper.BeforePracticeDeal(g);
    EXPECT_EQ(g.Shoe.Order, order);
    EXPECT_EQ(g.RandomState, state);
    keeper.WeakSpotPractice = true;
    keeper.BeforePracticeDeal(g);
    EXPECT_NE(g.RandomState, state);
    // An arranged shoe holds the same cards.
    auto sorted = g.Shoe.Order;
    auto before = order;
    std::sort(sorted.begin(), sorted.end());
    std::sort(before.begin(), before.end());
    EXPECT_EQ(sorted, before);
}

TEST(DrillWeakSpots, ThePracticeDeckDealsTheWeakCellThroughTheRoundFlow) {
    Game g = PracticeGame(3);
    LoadDefaultStrategy(g.Strategy);
    g.Options.Prefs.SoundOn = false;
    g.Bankroll = 1000;
    testing::FakeTable table(g);
    table.IdleAfterCard = true;
    g.TableShown = true;
    g.Table = &table;
    testing::TempFolder folder;
    const auto file = folder.Path() / "drill-record.json";
    ASSERT_EQ(SaveRecordFile(file, ThreeTimesWrong().Cells()), std::nullopt);
    DrillKeeper keeper(file);
    ASSERT_EQ(keeper.Load(), std::nullopt);
    keeper.WeakSpotPractice = true;
    g.DrillRecorder = &keeper;
    // 200 rounds that always hit, so the cell stays due.
    for (int round = 0; round < 200; ++round) {
        table.Then([](Game&) {});
        table.Then([](Game& game) { game.PlayerAction = Hit; });
        table.Then([](Game&) {});
    }
    RunGame(g);
    const CellTally* dealt = keeper.Record().Find(HardThirteenAgainstTwo);
    ASSERT_NE(dealt, nullptr);
    EXPECT_EQ(keeper.Record().Session().Judged, 200);
    // By chance it would come about twice in 200 rounds.
    EXPECT_GT(dealt->Judged - 3, 20);
}

} // namespace
} // namespace zvx
