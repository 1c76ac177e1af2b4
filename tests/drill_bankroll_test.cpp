#include "engine/round.h"
#include "engine/settlement.h"
#include "strategy/builtin_strategies.h"
#include "table/chip_rack.h"
#include "tests/fake_table.h"
#include "tests/stacked_shoe.h"

#include <gtest/gtest.h>
#include <vector>

namespace zvx {
namespace {

using testing::FakeTable;
using testing::StackShoe;

// The fake table with the real table's rack: a chip placed on a spot leaves the player's money, a sweep
// brings the chips on the spots back.
class RackTable : public FakeTable {
public:
    explicit RackTable(Game& game) : FakeTable(game), game_(game) {}
    void PlaceBetChip(int amount, int slot, bool ring) override {
        FakeTable::PlaceBetChip(amount, slot, ring);
        if (AdjustChips(game_, amount, -1)) onSpots_.push_back(amount);
    }
    void ReturnAllChips() override {
        FakeTable::ReturnAllChips();
        for (const int amount : onSpots_) AdjustChips(game_, amount, 1);
        onSpots_.clear();
    }

private:
    Game& game_;
    std::vector<int> onSpots_;
};

class DrillBankrollTest : public ::testing::Test {
protected:
    DrillBankrollTest() : table(g) {
        LoadDefaultStrategy(g.Strategy);
        g.Options.Rules.TableMinimum = 25;
        g.Options.Prefs.SoundOn = false;
        g.TableShown = true;
        g.Table = &table;
        table.IdleAfterCard = true;
        NewBankroll(g);
    }

    void Decide(Action action) {
        table.Then([](Game&) {});
        table.Then([action](Game& game) { game.PlayerAction = action; });
        table.Then([](Game&) {});
    }

    Game g;
    RackTable table;
};

TEST_F(DrillBankrollTest, APracticeDrillLeavesThePlayersMoneyAndChipsAsTheyWere) {
    const double bankroll = g.Bankroll;
    ASSERT_DOUBLE_EQ(bankroll, 5000);
    const ChipArray chips = g.ChipCounts;
    g.PracticeDeckMode = true;
    Decide(Hit);        // hard 16 against 5: a miss
    Decide(DoubleDown); // the double's chips go back to the rack at once
    Decide(Stand);
    StackShoe(g, {9, 5, 7, 9, 6, 5, 5, 9, 9, 5, 7, 9}, 2);
    RunGame(g);
    ASSERT_GE(table.Count("PlaceBetChip"), 1); // the pretend bet lay on the table
    EXPECT_EQ(g.Drill.Judged, 3);
    EXPECT_DOUBLE_EQ(g.Bankroll, bankroll); // what the risk screen reads next, among others
    EXPECT_EQ(g.ChipCounts, chips);
}

} // namespace
} // namespace zvx
