// The rules of the chip gestures: which chips may be picked up, what a repeated or doubled bet places, where
// a released chip goes, and the exchange at the dealer. The table's chips are the scripted fake's spots.

#include "table/chip_gestures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fake_table.h"

namespace zvx {
namespace {

using testing::FakeTable;

class ChipGesturesTest : public ::testing::Test {
protected:
    ChipGesturesTest() : table(g) {
        g.TableShown = true;
        g.Table = &table;
        g.Bankroll = 1000;
        g.Options.Rules.TableMinimum = 5;
        g.Options.Rules.PlayTwoHands = true;
        g.PlayerAction = Stand; // the previous round's last action
    }
    std::vector<std::string> Placed() const {
        std::vector<std::string> placed;
        for (const auto& call : table.Calls)
            if (call.rfind("PlaceBetChip", 0) == 0) placed.push_back(call);
        return placed;
    }
    Game g;
    FakeTable table;
};

TEST(PickUpChip, TableLimitsDecideWhichChipsMayBeTaken) {
    EXPECT_TRUE(PickUpChip(5, 5, false).Allowed);
    EXPECT_EQ(PickUpChip(25, 5, false).Refusal, "SORRY ... Table Minimum is $25");
    EXPECT_EQ(PickUpChip(100, 5, false).Refusal, "SORRY ... Table Minimum is $100");
    EXPECT_EQ(PickUpChip(100, 25, false).Refusal, "SORRY ... Table Minimum is $100");
    const PickUp heldAlready = PickUpChip(25, 25, true);
    EXPECT_FALSE(heldAlready.Allowed);
    EXPECT_TRUE(heldAlready.Refusal.empty()); // ignored without a box
    EXPECT_TRUE(PickUpChip(100, 500, false).Allowed);
    EXPECT_EQ(PickUpChip(5, 1000, false).Refusal, "SORRY ... Maximum Bet is $500");
    EXPECT_TRUE(PickUpChip(25, 1000, false).Allowed);
    EXPECT_EQ(PickUpChip(25, 5000, false).Refusal, "SORRY ... Maximum Bet is $1000");
    EXPECT_EQ(PickUpChip(5, 5000, false).Refusal, "SORRY ... Maximum Bet is $500");
    EXPECT_TRUE(PickUpChip(100, 5000, false).Allowed);
    EXPECT_EQ(HalfChipRefusal(25), "SORRY ... Table Minimum is $25");
}

TEST_F(ChipGesturesTest, LimitPanelsCycleTheMinimumWithoutTouchingTheChips) {
    g.ChipCounts = {0, 4, 3, 0, 0, 0, 0};
    g.CurrentBet = 25;
    CycleTableLimits(g);
    EXPECT_EQ(g.Rules().TableMinimum, 25);
    CycleTableLimits(g);
    CycleTableLimits(g);
    EXPECT_EQ(g.Rules().TableMinimum, 5);
    EXPECT_FALSE(g.OptionsChanged);
    EXPECT_EQ(g.CurrentBet, 25);
    EXPECT_EQ(g.ChipCounts[1], 4);
    EXPECT_TRUE(table.Saw("ShowAdvice "));
}

TEST_F(ChipGesturesTest, RepeatedBetsPlaceExactlyTheChipsTheyBook) {
    // Two $25 chips last round: the same again.
    g.CurrentBet = 50;
    g.PairedChips = true;
    g.SecondBoxActive = false;
    ASSERT_TRUE(RepeatLastBet(g));
    EXPECT_EQ(g.ChosenBet, 50);
    EXPECT_EQ(Placed(), (std::vector<std::string>{"PlaceBetChip 50 1", "PlaceBetChip 50 1 ring"}));

    // A bet that falls back to the minimum is one chip, never the old pair of chips of the minimum.
    table.Calls.clear();
    table.Spots[1][0] = table.Spots[1][1] = false;
    g.Options.Rules.TableMinimum = 25;
    g.Bankroll = 40;
    ASSERT_TRUE(RepeatLastBet(g));
    EXPECT_EQ(g.ChosenBet, 25);
    EXPECT_FALSE(g.PairedChips);
    EXPECT_EQ(Placed(), (std::vector<std::string>{"PlaceBetChip 25 1"}));
}

TEST_F(ChipGesturesTest, RepeatedFiveDollarBetOnTwoBoxesIsTenABoxInTwoChips) {
    g.CurrentBet = 5;
    g.SecondBoxActive = true;
    ASSERT_TRUE(RepeatLastBet(g));
    EXPECT_EQ(g.ChosenBet, 10);
    EXPECT_TRUE(g.PairedChips);
    EXPECT_EQ(Placed(), (std::vector<std::string>{"PlaceBetChip 10 1", "PlaceBetChip 10 1 ring", "PlaceBetChip 10 3",
                                                  "PlaceBetChip 10 3 ring"}));

    // With $15 only one box can be bet: one $5 chip.
    table.Calls.clear();
    table.Spots[1][0] = table.Spots[1][1] = table.Spots[3][0] = table.Spots[3][1] = false;
    g.CurrentBet = 5;
    g.SecondBoxActive = true;
    g.Bankroll = 15;
    ASSERT_TRUE(RepeatLastBet(g));
    EXPECT_EQ(g.ChosenBet, 5);
    EXPECT_FALSE(g.SecondBoxActive);
    EXPECT_EQ(Placed(), (std::vector<std::string>{"PlaceBetChip 5 1"}));
}

TEST_F(ChipGesturesTest, NoRepeatedBetWithoutTheMinimumInTheRack) {
    g.Options.Rules.TableMinimum = 25;
    g.CurrentBet = 25;
    g.Bankroll = 20;
    EXPECT_FALSE(RepeatLastBet(g));
    EXPECT_EQ(g.ChosenBet, 0);
    EXPECT_TRUE(Placed().empty());
}

TEST_F(ChipGesturesTest, SecondPressOnBoxOneDoublesTheLastBet) {
    g.BettingOpen = true;
    g.CurrentBet = 25;
    g.SecondBoxActive = true;
    BetBox1Press(g);
    EXPECT_TRUE(g.FirstBetBoxClick);
    EXPECT_TRUE(Placed().empty());
    BetBox1Press(g);
    EXPECT_EQ(g.ChosenBet, 50);
    EXPECT_TRUE(g.PairedChips);
    EXPECT_EQ(Placed(), (std::vector<std::string>{"PlaceBetChip 50 1", "PlaceBetChip 50 1 ring", "PlaceBetChip 50 3",
                                                  "PlaceBetChip 50 3 ring"}));
}

TEST_F(ChipGesturesTest, DoublingStopsAtTheTableMaximum) {
    struct Case {
        int minimum, previous, bet;
        std::string refusal;
    };
    const Case cases[] = {
        {100, 1000, 2000, ""},
        {25, 1000, 1000, "SORRY ... Maximum Bet is $1,000"},
        {5, 500, 500, "SORRY ... Maximum Bet is $500"},
        {5, 2000, 500, "SORRY ... Maximum Bet is $500"},
        {100, 2000, 5000, ""},
        {100, 5000, 5000, "SORRY ... Maximum Bet is $5000"},
        {5, 10, 25, ""},
    };
    for (const Case& c : cases) {
        Game game;
        FakeTable fake(game);
        game.TableShown = true;
        game.Table = &fake;
        game.Bankroll = 20000;
        game.Options.Rules.TableMinimum = static_cast<std::uint16_t>(c.minimum);
        game.CurrentBet = static_cast<std::uint16_t>(c.previous);
        DoubleLastBet(game);
        EXPECT_EQ(game.ChosenBet, c.bet) << c.minimum << " " << c.previous;
        EXPECT_EQ(fake.Refusals, c.refusal.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.refusal});
    }
}

TEST_F(ChipGesturesTest, DoublingWithoutTheChipsForEveryBoxRepeatsTheBet) {
    g.CurrentBet = 100;
    g.SecondBoxActive = true;
    g.Bankroll = 300; // $200 a box would need $400
    g.Options.Rules.TableMinimum = 25;
    DoubleLastBet(g);
    EXPECT_EQ(table.Refusals, std::vector<std::string>{"SORRY ... You do not have enough chips to double your bet"});
    EXPECT_EQ(g.ChosenBet, 100);
    EXPECT_EQ(Placed(), (std::vector<std::string>{"PlaceBetChip 100 1", "PlaceBetChip 100 3"}));
}

TEST_F(ChipGesturesTest, ChipOnBoxTwoBetsBothBoxes) {
    g.BettingOpen = true;
    EXPECT_EQ(ReleaseChip(g, 5, 40), ChipRelease::BetOnBoth);
    EXPECT_EQ(g.ChosenBet, 10);
    EXPECT_TRUE(g.PairedChips);
    EXPECT_EQ(Placed().size(), 4u);

    Game other;
    FakeTable fake(other);
    other.TableShown = true;
    other.Table = &fake;
    other.Bankroll = 1000;
    other.Options.Rules.TableMinimum = 25;
    other.Options.Rules.PlayTwoHands = true;
    other.BettingOpen = true;
    EXPECT_EQ(ReleaseChip(other, 25, 40), ChipRelease::BetOnBoth);
    EXPECT_EQ(other.ChosenBet, 25);
    EXPECT_FALSE(other.PairedChips);

    // No chip has moved since the start: a press on box 2 bets nothing.
    Game fresh;
    FakeTable freshTable(fresh);
    fresh.Table = &freshTable;
    fresh.Bankroll = 1000;
    BetTwoHands(fresh, 0);
    EXPECT_EQ(fresh.ChosenBet, 0);
    EXPECT_TRUE(freshTable.Calls.empty());
}

TEST_F(ChipGesturesTest, ReleasedChipElsewhereIsTheBetOnBoxOne) {
    g.BettingOpen = true;
    g.SecondBoxActive = true;
    EXPECT_EQ(ReleaseChip(g, 25, 400), ChipRelease::BetOnBox1);
    EXPECT_EQ(g.ChosenBet, 25);
    EXPECT_FALSE(g.SecondBoxActive);
    // Below the table minimum it goes home.
    g.Options.Rules.TableMinimum = 100;
    g.ChosenBet = 0;
    EXPECT_EQ(ReleaseChip(g, 25, 400), ChipRelease::BackToRack);
    EXPECT_EQ(g.ChosenBet, 0);
}

TEST_F(ChipGesturesTest, ChipBesideABetDoublesOrSplitsThatHand) {
    g.CurrentBet = 25;
    g.PlayerAction = NoAction;
    THand& box1 = g.Hands[1];
    box1.Total = 11;
    box1.MayDouble = true;
    g.Hands[2].Finished = false;
    EXPECT_EQ(ReleaseChip(g, 25, 300), ChipRelease::Beside);
    EXPECT_EQ(g.ActiveHand, 1);
    EXPECT_EQ(g.PlayerAction, DoubleDown);
    EXPECT_TRUE(g.Hands[2].Finished);

    // The wrong value, or far from every bet, goes home.
    g.PlayerAction = NoAction;
    EXPECT_EQ(ReleaseChip(g, 100, 300), ChipRelease::BackToRack);
    EXPECT_EQ(ReleaseChip(g, 25, 600), ChipRelease::BackToRack);
    EXPECT_EQ(g.PlayerAction, NoAction);
}

TEST_F(ChipGesturesTest, PairOfFivesAsksAndThePracticeDeckDoublesWithoutAsking) {
    g.CurrentBet = 25;
    g.PlayerAction = NoAction;
    THand& box1 = g.Hands[1];
    box1.Total = 10;
    box1.MaySplit = box1.MayDouble = true;
    table.Answers.push_back(false);
    PlaceChipBesideBet(g, 1);
    EXPECT_EQ(table.Questions, std::vector<std::string>{"Double Down on the Pair? (No = Split)"});
    EXPECT_EQ(g.PlayerAction, Split);

    g.PlayerAction = NoAction;
    g.PracticeDeckMode = true;
    PlaceChipBesideBet(g, 1);
    EXPECT_EQ(table.Questions.size(), 1u);
    EXPECT_EQ(g.PlayerAction, DoubleDown);

    // Without the money for another bet nothing happens.
    g.PlayerAction = NoAction;
    g.Bankroll = 20;
    PlaceChipBesideBet(g, 1);
    EXPECT_EQ(g.PlayerAction, NoAction);
}

TEST(PlanExchange, ColoursUpOrBreaksAndNeverGoesBelowZero) {
    Game g;
    g.Bankroll = 5000;
    g.ChipCounts = {0, 0, 0, 0, 0, 0, 1};
    Exchange e = PlanExchange(g, 5000);
    EXPECT_EQ(e.What, Exchange::Break);
    EXPECT_EQ(e.Target, 1000);
    EXPECT_EQ(e.Received, 5);

    // Eight $25 chips but no $5: the $25 is broken, not coloured up.
    g.ChipCounts = {0, 0, 8, 0, 0, 0, 0};
    g.Bankroll = 200;
    e = PlanExchange(g, 25);
    EXPECT_EQ(e.What, Exchange::Break);
    EXPECT_EQ(e.Target, 5);

    g.ChipCounts = {0, 1, 8, 0, 0, 0, 0};
    g.Bankroll = 205;
    e = PlanExchange(g, 25);
    EXPECT_EQ(e.What, Exchange::ColourUp);
    EXPECT_EQ(e.Target, 100);
    EXPECT_EQ(e.Given, 4);

    // Fewer than five $5 chips: nothing to colour up, and nothing goes negative.
    g.ChipCounts = {0, 3, 0, 0, 0, 0, 0};
    g.Bankroll = 15;
    EXPECT_EQ(PlanExchange(g, 5).What, Exchange::None);
}

} // namespace
} // namespace zvx
