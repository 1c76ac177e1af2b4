#include "engine/betting.h"
#include "engine/settlement.h"
#include "engine/shoe.h"
#include "tests/fake_table.h"
#include "tests/stacked_shoe.h"

#include <gtest/gtest.h>
#include <vector>

namespace zvx {
namespace {

using testing::Ace;
using testing::FakeTable;
using testing::King;
using testing::StackShoe;

// Hands set up as the round leaves them for the dealer's turn: the player's turn is over (ActiveHand 0).
class SettlementTest : public ::testing::Test {
  protected:
    SettlementTest() {
        for (auto& h : g.Hands) h.Finished = true;
        g.ActiveHand = 0;
    }

    THand& Hand(int slot) { return g.Hands[static_cast<std::size_t>(slot)]; }
    PlayStats& Account(int strategy) { return Hand(strategy).Stats; }

    // The dealer's two cards and the cards that the dealer may draw.
    void DealerHolds(std::vector<int> cards) {
        StackShoe(g, cards);
        DealCard(g, DealerSlot);
        DealCard(g, DealerSlot);
    }

    // A played hand: its total and strategy #1's stake.
    void PlayerHolds(int slot, int total, int stake) {
        Hand(slot).Total = static_cast<std::uint16_t>(total);
        Hand(slot).CardCount = 2;
        Hand(slot).StrategyBets[1] = static_cast<std::uint16_t>(stake);
    }

    Game g;
};

TEST_F(SettlementTest, DealerStandsOnSoftSeventeenUnlessTheRuleSaysHit) {
    DealerHolds({Ace, 6, 4});
    DealerPlay(g);
    EXPECT_EQ(Hand(0).CardCount, 2);
    EXPECT_EQ(Hand(0).Total, 17);

    g.Options.Rules.DealerHitsSoft17 = true;
    Hand(0) = THand{};
    DealerHolds({Ace, 6, 4});
    DealerPlay(g);
    EXPECT_EQ(Hand(0).CardCount, 3);
    EXPECT_EQ(Hand(0).Total, 21);
}

TEST_F(SettlementTest, SoftSeventeenTurnedHardStandsEvenWhenSoftSeventeenHits) {
    g.Options.Rules.DealerHitsSoft17 = true;
    DealerHolds({Ace, 6, King, 5}); // A, 6, K is hard 17
    DealerPlay(g);
    EXPECT_EQ(Hand(0).CardCount, 3);
    EXPECT_EQ(Hand(0).Total, 17);
}

TEST_F(SettlementTest, DealerStandsOnHardSeventeenEitherWay) {
    for (const bool hitsSoft17 : {false, true}) {
        g.Options.Rules.DealerHitsSoft17 = hitsSoft17;
        Hand(0) = THand{};
        DealerHolds({10, 7, 4});
        DealerPlay(g);
        EXPECT_EQ(Hand(0).CardCount, 2) << hitsSoft17;
        EXPECT_EQ(Hand(0).Total, 17) << hitsSoft17;
    }
}

TEST_F(SettlementTest, DealerDrawsToSixteenAndStandsOnEighteen) {
    DealerHolds({10, 2, 3, Ace, 2, King}); // 12, 15, 16, 18
    DealerPlay(g);
    EXPECT_EQ(Hand(0).CardCount, 5);
    EXPECT_EQ(Hand(0).Total, 18);
    EXPECT_EQ(g.PlayerAction, Stand);
}

TEST_F(SettlementTest, DealerBustPaysEveryLiveHandAndABustedHandStaysLost) {
    FakeTable table(g);
    table.IdleAfterCard = true;
    table.Script.push_back([](Game&) {}); // keeps the game going through the passes that follow
    g.Table = &table;
    g.TableShown = true;
    // Slot 3 busted during the player's turn and was settled then.
    PlayerHolds(3, 25, 20);
    g.ActiveHand = 3;
    Settle(g, 3, -1);
    EXPECT_EQ(Hand(3).Total, 0);
    g.ActiveHand = 0;
    PlayerHolds(1, 12, 10);

    DealerHolds({10, 6, 6});
    DealerPlay(g);
    EXPECT_EQ(Hand(0).Total, 0);
    EXPECT_TRUE(table.Saw("ShowHandText 0 0"));
    for (const int slot : {2, 1, 4, 3}) SettleAgainstDealer(g, slot);
    EXPECT_TRUE(table.Saw("ShowHandResult 1 1"));
    EXPECT_EQ(table.Count("ShowHandResult 3"), 1); // only the bust
    EXPECT_EQ(table.Count("ShowHandResult 2"), 0);
    EXPECT_DOUBLE_EQ(Account(1).HourWon, -20 + 10);
    EXPECT_DOUBLE_EQ(Account(1).BetsWon, 1);
    EXPECT_DOUBLE_EQ(Account(1).BetsLost, 1);
}

TEST_F(SettlementTest, DealerDrawsEvenWhenEveryHandIsAlreadySettled) {
    DealerHolds({10, 4, 2, 5});
    DealerPlay(g);
    EXPECT_EQ(Hand(0).Total, 21);
}

TEST_F(SettlementTest, DealerTotalIsShownAfterEveryStepAtTheTable) {
    FakeTable table(g);
    table.IdleAfterCard = true;
    g.Table = &table;
    g.TableShown = true;
    DealerHolds({10, 4, 2, 5});
    table.Calls.clear();
    DealerPlay(g);
    std::vector<std::string> texts;
    for (const auto& c : table.Calls)
        if (c.rfind("ShowHandText 0 ", 0) == 0) texts.push_back(c.substr(15));
    EXPECT_EQ(texts, (std::vector<std::string>{"16", "21", "21"}));
    EXPECT_EQ(table.Count("Pause 10"), 3);
}

TEST_F(SettlementTest, HigherTotalWinsLowerLosesAndATieIsAPush) {
    FakeTable table(g);
    g.Table = &table;
    g.TableShown = true;
    Hand(0).Total = 20;
    PlayerHolds(1, 20, 10);
    PlayerHolds(3, 21, 10);
    PlayerHolds(4, 19, 10);
    for (const int slot : {2, 1, 4, 3}) SettleAgainstDealer(g, slot);
    EXPECT_EQ(table.Calls, (std::vector<std::string>{"ShowHandText 1 PUSH", "ShowHandResult 4 -1",
                                                     "ShowHandResult 3 1"}));
    EXPECT_DOUBLE_EQ(Account(1).HourWon, 0);
    EXPECT_DOUBLE_EQ(Account(1).BetsWon, 1);
    EXPECT_DOUBLE_EQ(Account(1).BetsLost, 1);
}

TEST_F(SettlementTest, APushChangesNoAccount) {
    Hand(0).Total = 18;
    PlayerHolds(1, 18, 10);
    for (int i = 2; i <= 4; ++i) Hand(1).StrategyBets[static_cast<std::size_t>(i)] = 25;
    SettleAgainstDealer(g, 1);
    for (int i = 1; i <= 4; ++i) {
        const PlayStats& a = Account(i);
        EXPECT_EQ(a.HourWon, 0);
        EXPECT_EQ(a.BetsWon, 0);
        EXPECT_EQ(a.BetsLost, 0);
        for (const double w : a.WonByCount) EXPECT_EQ(w, 0);
    }
}

TEST_F(SettlementTest, HalfDollarResults) {
    // A $5 natural pays $7.50.
    g.ActiveHand = 1;
    Hand(1).Finished = false;
    PlayerHolds(1, 21, 5);
    Settle(g, 1, 1.5);
    EXPECT_DOUBLE_EQ(Account(1).HourWon, 7.5);
    EXPECT_DOUBLE_EQ(Account(1).BetsWon, 1);
    EXPECT_EQ(Hand(1).Total, 0);
    EXPECT_TRUE(Hand(1).Finished);

    // A $25 surrender loses $12.50 and counts half a lost bet.
    Account(1) = PlayStats{};
    g.ActiveHand = 1;
    Hand(1).Finished = false;
    PlayerHolds(1, 16, 25);
    Settle(g, 1, -0.5);
    EXPECT_DOUBLE_EQ(Account(1).HourWon, -12.5);
    EXPECT_DOUBLE_EQ(Account(1).BetsLost, 0.5);
    EXPECT_DOUBLE_EQ(Account(1).BetsWon, 0);
}

TEST_F(SettlementTest, ADoubledTenDollarWinBooksTwenty) {
    g.ActiveHand = 1;
    Hand(1).Finished = false;
    PlayerHolds(1, 11, 10);
    ChargeDoubleDown(g, 1);
    Hand(1).Total = 20;
    g.ActiveHand = 0;
    Hand(0).Total = 19;
    SettleAgainstDealer(g, 1);
    EXPECT_DOUBLE_EQ(Account(1).HourWon, 20);
    EXPECT_DOUBLE_EQ(Account(1).BetsWon, 1);
    EXPECT_DOUBLE_EQ(Account(1).TotalBet, 10); // the double's own charge
    EXPECT_EQ(Account(1).HandsDoubled, 1);
}

TEST_F(SettlementTest, EachStrategyIsCreditedAtItsOwnCountIndex) {
    g.CountIndexA = 3;
    g.CountIndexB = -2;
    Hand(1).StrategyBets = {0, 10, 20, 10, 10};
    Hand(3).StrategyBets = {0, 10, 20, 0, 0}; // #3 and #4 sat out on this hand
    Settle(g, 1, 1);
    Settle(g, 3, -1);
    EXPECT_DOUBLE_EQ(Account(1).WonByCount[CountSlot(3)], 0);
    EXPECT_DOUBLE_EQ(Account(2).WonByCount[CountSlot(3)], 0);
    EXPECT_DOUBLE_EQ(Account(3).WonByCount[CountSlot(-2)], 10);
    EXPECT_DOUBLE_EQ(Account(3).WonByCount[CountSlot(3)], 0);
    EXPECT_DOUBLE_EQ(Account(4).WonByCount[CountSlot(3)], 10);
    EXPECT_DOUBLE_EQ(Account(1).BetsLost, 1);
    EXPECT_DOUBLE_EQ(Account(3).BetsLost, 0);
    EXPECT_DOUBLE_EQ(Account(4).BetsLost, 0);
    EXPECT_DOUBLE_EQ(Account(2).HourWon, 0);
}

TEST_F(SettlementTest, AnEmptySlotIsSkipped) {
    FakeTable table(g);
    g.Table = &table;
    g.TableShown = true;
    Hand(0).Total = 0; // even against a busted dealer
    Hand(2).StrategyBets[1] = 10;
    SettleAgainstDealer(g, 2);
    EXPECT_TRUE(table.Calls.empty());
    EXPECT_EQ(Account(1).BetsWon, 0);
}

TEST_F(SettlementTest, TheTurnMovesOnWhenAHandIsSettledDuringIt) {
    Hand(1).Finished = false;
    Hand(3).Finished = false;
    PlayerHolds(1, 16, 10);
    PlayerHolds(3, 14, 10);
    g.ActiveHand = 1;
    Settle(g, 1, -0.5);
    EXPECT_EQ(g.ActiveHand, 3);
    EXPECT_EQ(Hand(1).Total, 0);
    EXPECT_EQ(Hand(3).Total, 14);
}

TEST_F(SettlementTest, SingleStrategyModeBooksOnlyStrategyFour) {
    g.SingleStrategyMode = true;
    g.CountIndexA = 25; // not clamped in this mode, and never used as an index
    Hand(1).StrategyBets = {0, 0, 0, 0, 50};
    Settle(g, 1, -1);
    EXPECT_DOUBLE_EQ(Account(4).HourWon, -50);
    EXPECT_DOUBLE_EQ(Account(4).BetsLost, 1);
    for (const double w : Account(4).WonByCount) EXPECT_EQ(w, 0);
    Settle(g, 1, 1.5);
    EXPECT_DOUBLE_EQ(Account(4).HourWon, 25);
    EXPECT_DOUBLE_EQ(Account(4).BetsWon, 1);
}

struct BankrollCase {
    std::uint16_t minimum;
    double bankroll;
    ChipArray chips;
};

TEST(NewBankrollTest, StartsWithTwoHundredMinimumsInChipsThatAddUp) {
    // Rack values: half ($2.50), $5, $25, $100, $500, $1000, $5000.
    constexpr double Values[ChipKinds] = {2.5, 5, 25, 100, 500, 1000, 5000};
    for (const BankrollCase& c : {BankrollCase{5, 1000, {0, 10, 2, 4, 1, 0, 0}},
                                 BankrollCase{25, 5000, {0, 0, 8, 3, 3, 3, 0}},
                                 BankrollCase{100, 20000, {0, 0, 0, 10, 6, 6, 2}}}) {
        Game g;
        FakeTable table(g);
        g.Table = &table;
        g.TableShown = true;
        g.Options.Rules.TableMinimum = c.minimum;
        g.Hands[1].Stats.HourWon = 123;
        NewBankroll(g);
        EXPECT_DOUBLE_EQ(g.Bankroll, c.bankroll);
        EXPECT_EQ(g.ChipCounts, c.chips);
        double sum = 0;
        for (int k = 0; k < ChipKinds; ++k) sum += Values[k] * static_cast<double>(g.ChipCounts[static_cast<std::size_t>(k)]);
        EXPECT_DOUBLE_EQ(sum, c.bankroll);
        EXPECT_DOUBLE_EQ(g.Hands[1].Stats.HourWon, c.bankroll);
        EXPECT_TRUE(table.Saw("NewChipRack"));
    }
}

TEST(NewBankrollTest, DoesNothingWithoutTheTable) {
    Game g;
    g.Bankroll = 42;
    NewBankroll(g);
    EXPECT_DOUBLE_EQ(g.Bankroll, 42);
    EXPECT_EQ(g.Hands[1].Stats.HourWon, 0);
}

} // namespace
} // namespace zvx
