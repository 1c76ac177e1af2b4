// The card and bet gestures of the player's turn: which hand they act on, which hands they end, and when a
// drag splits or surrenders.

#include "table/card_gestures.h"

#include <gtest/gtest.h>

#include "tests/fake_table.h"

namespace zvx {
namespace {

using testing::FakeTable;

class CardGesturesTest : public ::testing::Test {
protected:
    CardGesturesTest() : table(g) {
        g.TableShown = true;
        g.Table = &table;
        g.Bankroll = 1000;
        g.CurrentBet = 25;
        for (int slot = 1; slot < HandCount; ++slot) Hand(slot).Finished = true;
    }
    THand& Hand(int slot) { return g.Hands[static_cast<std::size_t>(slot)]; }
    void Open(int slot, int cards = 2) {
        Hand(slot).Finished = false;
        Hand(slot).CardCount = static_cast<std::uint16_t>(cards);
    }
    Game g;
    FakeTable table;
};

TEST_F(CardGesturesTest, HitOnASlotEndsTheSlotsPlayedBeforeIt) {
    for (int slot : {1, 2, 3, 4}) Open(slot);
    HitHand(g, 3); // slot 3 while slot 2 plays: 2, 1 and 4 come before it
    EXPECT_EQ(g.ActiveHand, 3);
    EXPECT_EQ(g.PlayerAction, Hit);
    EXPECT_TRUE(Hand(2).Finished && Hand(1).Finished && Hand(4).Finished);
    EXPECT_FALSE(Hand(3).Finished);

    g.PlayerAction = NoAction;
    Hand(3).Finished = true;
    HitHand(g, 3); // a finished hand ignores the click
    EXPECT_EQ(g.PlayerAction, NoAction);
}

TEST_F(CardGesturesTest, DealersDownCardStands) {
    StandGesture(g);
    EXPECT_EQ(g.PlayerAction, Stand);
}

TEST_F(CardGesturesTest, SecondCardDragSplitsBeyondFiftyPixels) {
    EXPECT_FALSE(DragSplits(317, 367));
    EXPECT_TRUE(DragSplits(317, 368));
    EXPECT_TRUE(DragSplits(317, 266));
    EXPECT_FALSE(DragSplits(317, 317)); // straight up or down never splits

    Open(1);
    Hand(1).MaySplit = true;
    ASSERT_TRUE(SecondCardPress(g, 1));
    EXPECT_EQ(SplitByDrag(g, 1), 3); // one box: the split goes to slot 3
    EXPECT_EQ(g.PlayerAction, Split);
    EXPECT_TRUE(table.Saw("MoveCard 1 3"));
    EXPECT_TRUE(table.Saw("PlaceBetChip 25 3"));
    SecondCardRelease(g, 1); // the release after a split does not hit
    EXPECT_EQ(g.PlayerAction, Split);
}

TEST_F(CardGesturesTest, SplitWithTwoBoxesGoesToSlotFour) {
    Open(1);
    Open(3);
    Hand(1).MaySplit = true;
    ASSERT_TRUE(SecondCardPress(g, 1));
    EXPECT_EQ(SplitByDrag(g, 1), 4);
}

TEST_F(CardGesturesTest, SplitFromASplitHandsSecondCardWinsOverItsClick) {
    Open(1);
    Open(3);
    Open(2);
    Hand(2).MaySplit = true;
    ASSERT_TRUE(SecondCardPress(g, 2));
    EXPECT_EQ(SplitByDrag(g, 2), 4);
    SecondCardRelease(g, 2);
    EXPECT_EQ(g.PlayerAction, Split);
    EXPECT_EQ(g.ActiveHand, 2);
}

TEST_F(CardGesturesTest, PressAndReleaseWithoutSplittingHits) {
    Open(1);
    Hand(1).MaySplit = false;
    EXPECT_FALSE(SecondCardPress(g, 1)); // a card that may not split stays put
    SecondCardRelease(g, 1);
    EXPECT_EQ(g.PlayerAction, Hit);
    EXPECT_EQ(g.ActiveHand, 1);

    // No free slot: the card goes home and the release hits.
    for (int slot : {2, 3, 4}) Open(slot);
    Hand(1).MaySplit = true;
    g.PlayerAction = NoAction;
    ASSERT_TRUE(SecondCardPress(g, 1));
    EXPECT_EQ(SplitByDrag(g, 1), 0);
    SecondCardRelease(g, 1);
    EXPECT_EQ(g.PlayerAction, Hit);
}

TEST_F(CardGesturesTest, BetPulledUpOrRightSurrendersOnlyWithTheRule) {
    Open(1);
    Hand(1).MaySurrender = true;
    ASSERT_TRUE(BetPress(g, 1));
    EXPECT_EQ(BetMoved(g, 1, 318, 366), BetDrag::Home); // three pixels: still on its ring
    EXPECT_EQ(BetMoved(g, 1, 318, 360), BetDrag::Away);
    EXPECT_EQ(BetMoved(g, 1, 318, 319), BetDrag::Surrendered);
    EXPECT_EQ(g.PlayerAction, Surrender);

    g.PlayerAction = NoAction;
    Hand(1).MaySurrender = false;
    Hand(1).MayDouble = true;
    ASSERT_TRUE(BetPress(g, 1));
    EXPECT_EQ(BetMoved(g, 1, 371, 369), BetDrag::SlidesBack);
    EXPECT_EQ(g.PlayerAction, NoAction);
    EXPECT_FALSE(g.ChipDragActive);
}

TEST_F(CardGesturesTest, ClickOnTheBetDoublesAndEndsTheSlotBefore) {
    Open(1);
    Open(2);
    Hand(1).MayDouble = true;
    Hand(1).Total = 11;
    ASSERT_TRUE(BetPress(g, 1));
    EXPECT_TRUE(Hand(2).Finished);
    BetReleased(g, 1, 320, 370);
    EXPECT_EQ(g.PlayerAction, DoubleDown);

    // Box 2's bet: a press on a hand that may do nothing does nothing.
    g.PlayerAction = NoAction;
    Open(3);
    EXPECT_FALSE(BetPress(g, 3));
    EXPECT_FALSE(g.ChipDragActive);
}

TEST_F(CardGesturesTest, SplitHandsBetsDoubleWhenClicked) {
    Open(4);
    Hand(4).MayDouble = true;
    SplitBetPress(g, 4);
    EXPECT_EQ(g.PlayerAction, DoubleDown);
    EXPECT_EQ(g.ActiveHand, 4);
}

} // namespace
} // namespace zvx
