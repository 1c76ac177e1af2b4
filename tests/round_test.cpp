#include "engine/action_items.h"
#include "engine/game_reset.h"
#include "engine/round.h"
#include "engine/shoe.h"
#include "strategy/builtin_strategies.h"
#include "table/card_gestures.h"
#include "tests/fake_table.h"
#include "tests/stacked_shoe.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zvx {
namespace {

using testing::Ace;
using testing::FakeTable;
using testing::King;
using testing::StackShoe;

constexpr int Hearts = 13;
constexpr int Clubs = 26;
constexpr int Diamonds = 39;
constexpr char GameOverQuestion[] = "GAME OVER (You lost all your money) - Play Again?";

// A game at the table through the scripted fake: the player's bets and decisions are the script's steps; the
// pass each dealt card makes through the event loop runs none of them.
class TableRoundTest : public ::testing::Test {
  protected:
    TableRoundTest() : table(g) {
        LoadDefaultStrategy(g.Strategy);
        g.Options.Rules.TableMinimum = 5;
        g.Options.Rules.PlayTwoHands = true;
        g.Options.Prefs.SoundOn = false;
        g.TableShown = true;
        g.Table = &table;
        g.Bankroll = 1000;
        table.IdleAfterCard = true;
    }

    THand& Hand(int slot) { return g.Hands[static_cast<std::size_t>(slot)]; }

    // A decision at the wait: one pass to let the items follow the hand, then the action on the hand the
    // engine is waiting for, which must be `active`; an action needing a menu item must find it shown.
    void Decide(int active, Action action) {
        table.Then([](Game&) {});
        table.Then([this, active, action](Game& game) {
            EXPECT_EQ(game.ActiveHand, active);
            const unsigned needed = action == DoubleDown ? DoubleItem
                                    : action == Split    ? SplitItem
                                    : action == Surrender ? SurrenderItem
                                                          : 0u;
            EXPECT_EQ(table.VisibleItems & needed, needed) << "action " << action;
            game.PlayerAction = action;
        });
    }

    // Looks at the waiting decision (after the items have followed the hand) without acting.
    void Inspect(std::function<void(Game&)> check) {
        table.Then([](Game&) {});
        table.Then(std::move(check));
    }

    // The pass at the end of the round keeps what the round left, before the game's reset clears it.
    void Capture() {
        table.Then([this](Game& game) {
            after = game.Hands;
            callsAtEnd = table.Calls.size();
            captured = true;
        });
    }

    void Play(const std::vector<int>& cards) {
        StackShoe(g, cards);
        RunGame(g);
    }

    std::vector<std::string> RoundCalls() const {
        return {table.Calls.begin(), table.Calls.begin() + static_cast<std::ptrdiff_t>(callsAtEnd)};
    }
    int IndexOf(const std::string& call) const {
        const auto calls = RoundCalls();
        const auto it = std::find(calls.begin(), calls.end(), call);
        return it == calls.end() ? -1 : static_cast<int>(it - calls.begin());
    }
    int DecisionsAsked() const {
        int n = 0;
        for (const auto& c : RoundCalls())
            if (c.rfind("ShowActionItems ", 0) == 0 && (std::stoul(c.substr(16)) & HintItem)) ++n;
        return n;
    }
    bool EverShown(unsigned item) const {
        for (const auto& c : table.Calls)
            if (c.rfind("ShowActionItems ", 0) == 0 && (std::stoul(c.substr(16)) & item)) return true;
        return false;
    }
    std::vector<int> Pointers() const {
        std::vector<int> slots;
        for (const auto& c : RoundCalls())
            if (c.rfind("ShowPointer ", 0) == 0) slots.push_back(std::stoi(c.substr(12)));
        return slots;
    }

    Game g;
    FakeTable table;
    HandArray after{};
    std::size_t callsAtEnd = 0;
    bool captured = false;
};

// --- Naturals ---------------------------------------------------------------------------------------------

TEST_F(TableRoundTest, NaturalIsPaidThreeToTwoAtOnceWithoutADecision) {
    table.Bet(10);
    Capture();
    Play({Ace, 10, King, 6}); // the dealer's 16 then draws a king
    ASSERT_TRUE(captured);
    EXPECT_EQ(DecisionsAsked(), 0);
    const int paid = IndexOf("ShowHandResult 1 1.5");
    ASSERT_GE(paid, 0);
    EXPECT_LT(paid, IndexOf("RevealHoleCard"));
    EXPECT_EQ(table.Count("ShowHandResult"), 1);
    EXPECT_DOUBLE_EQ(after[1].Stats.HourWon, 15);
    EXPECT_EQ(after[1].Stats.Blackjacks, 1);
    EXPECT_DOUBLE_EQ(after[1].Stats.BetsWon, 1);
    EXPECT_EQ(after[1].Total, 0);
}

TEST_F(TableRoundTest, NaturalAgainstDealerNaturalIsAPushThatStillCountsTheBlackjack) {
    table.Bet(10);
    Capture();
    Play({Ace, Ace + Hearts, King, King});
    ASSERT_TRUE(captured);
    EXPECT_EQ(DecisionsAsked(), 0);
    EXPECT_EQ(table.Count("ShowHandResult"), 0);
    EXPECT_TRUE(table.Saw("RevealHoleCard"));
    EXPECT_EQ(after[1].Stats.Blackjacks, 1);
    EXPECT_DOUBLE_EQ(after[1].Stats.HourWon, 0);
    EXPECT_DOUBLE_EQ(after[1].Stats.BetsWon, 0);
    EXPECT_DOUBLE_EQ(after[1].Stats.BetsLost, 0);
    EXPECT_EQ(after[0].CardCount, 2);
}

TEST_F(TableRoundTest, DealerNaturalTakesEveryBoxWithoutAskingAnything) {
    g.Options.Rules.SurrenderAllowed = true;
    table.BetBoth(10);
    Capture();
    Play({10, 9, Ace, 8, 7, King});
    ASSERT_TRUE(captured);
    EXPECT_EQ(DecisionsAsked(), 0);
    EXPECT_FALSE(EverShown(SurrenderItem));
    EXPECT_TRUE(table.Saw("ShowHandResult 1 -1"));
    EXPECT_TRUE(table.Saw("ShowHandResult 3 -1"));
    EXPECT_DOUBLE_EQ(after[1].Stats.HourWon, -20);
    EXPECT_DOUBLE_EQ(after[1].Stats.BetsLost, 2);
    EXPECT_EQ(after[0].CardCount, 2); // the dealer draws nothing
}

// --- Splits -----------------------------------------------------------------------------------------------

TEST_F(TableRoundTest, OneBoxSplitGoesToSlotThreeAndAStandOnSlotOneStandsBoth) {
    table.Bet(10);
    Decide(1, Split);
    Decide(1, Hit);   // 8, 3 takes a king: 21
    Inspect(StandGesture); // the click on the dealer's down card: slot 3 (8, 2) is stood with it
    Capture();
    Play({8, 10, 8 + Hearts, 7, 3, 2, King});
    ASSERT_TRUE(captured);
    EXPECT_TRUE(table.Saw("MoveCard 1 3"));
    EXPECT_TRUE(table.Saw("PlaceBetChip 10 3"));
    EXPECT_EQ(DecisionsAsked(), 3);
    EXPECT_EQ(after[1].CardCount, 3);
    EXPECT_EQ(after[3].CardCount, 2);
    EXPECT_EQ(after[3].Total, 10);
    EXPECT_EQ(after[3].StrategyBets[1], 10);
    EXPECT_EQ(after[2].CardCount, 0);
    EXPECT_EQ(after[4].CardCount, 0);
    EXPECT_TRUE(table.Saw("ShowHandResult 1 1"));
    EXPECT_TRUE(table.Saw("ShowHandResult 3 -1"));
    EXPECT_EQ(after[1].Stats.HandsSplit, 1);
    EXPECT_DOUBLE_EQ(after[1].Stats.HourWon, 0);
    EXPECT_DOUBLE_EQ(after[1].Stats.BetsWon, 1);
    EXPECT_DOUBLE_EQ(after[1].Stats.BetsLost, 1);
}

// --- One stand per hand ------------------------------------------------------------------------------------

// The items show only while the round waits for a decision: a play made goes ahead under its advice box, with
// no item left to click (the Double of the hand that stood came back there).
TEST_F(TableRoundTest, NoActionItemShowsUnderTheAdviceOnAPlayMade) {
    table.Bet(10);
    Inspect([](Game& game) { StandItemClick(game); }); // hard 11 against a 10: the strategy doubles
    unsigned shown = ~0u;
    table.WhileBoxUp = [&](Game&) { shown = table.VisibleItems; };
    Capture();
    Play({5, 10, 6, 7});
    ASSERT_TRUE(captured);
    ASSERT_EQ(table.AdviceBoxes.size(), 1u);
    EXPECT_EQ(shown & ~Separators, 0u);
}

TEST_F(TableRoundTest, TheStandItemStandsTheRightBoxAloneAndTheLeftBoxWaitsForItsOwnDecision) {
    // Box 1 (slot 1) 10, 8; box 2 (slot 3) 10, 2; the dealer 10, 7.
    table.BetBoth(10);
    Inspect([](Game& game) {
        EXPECT_EQ(game.ActiveHand, 1);
        StandItemClick(game);
    });
    Inspect([this](Game& game) {
        EXPECT_EQ(game.ActiveHand, 3);
        EXPECT_TRUE(Hand(1).Finished);
        EXPECT_FALSE(Hand(3).Finished);
        EXPECT_EQ(table.VisibleItems & (StandItem | HitItem), StandItem | HitItem);
        EXPECT_EQ(game.Drill.Judged, 1);
        HitItemClick(game); // 12 takes a 5
    });
    Inspect([](Game& game) {
        EXPECT_EQ(game.ActiveHand, 3);
        StandItemClick(game);
    });
    Capture();
    Play({10, 10 + Hearts, 10 + Clubs, 8, 2, 7, 5});
    ASSERT_TRUE(captured);
    EXPECT_EQ(DecisionsAsked(), 3);
    EXPECT_EQ(after[3].Total, 17);
    EXPECT_TRUE(table.Saw("ShowHandResult 1 1"));
    EXPECT_TRUE(table.Saw("ShowHandText 3 PUSH"));
    EXPECT_EQ(Pointers().front(), 1);
    EXPECT_NE(std::find(Pointers().begin(), Pointers().end(), 3), Pointers().end());
    EXPECT_TRUE(table.AdviceBoxes.empty());
}

TEST_F(TableRoundTest, TheStandGestureStillEndsTheTurnOnBothBoxes) {
    table.BetBoth(10);
    Inspect(StandGesture);
    Capture();
    Play({10, 10 + Hearts, 10 + Clubs, 8, 2, 7, 5});
    ASSERT_TRUE(captured);
    EXPECT_EQ(DecisionsAsked(), 1);
    EXPECT_EQ(after[3].Total, 12);
    EXPECT_TRUE(table.Saw("ShowHandResult 1 1"));
    EXPECT_TRUE(table.Saw("ShowHandResult 3 -1"));
}

TEST_F(TableRoundTest, AStandImpliedByTheStandGestureShowsItsAdviceButIsNotScored) {
    // Box 1 holds 10, 2 against a 10: standing it is a mistake, but the player chose only to end the turn; box 2
    // stands on 18 as the strategy says.
    table.BetBoth(10);
    Inspect(StandGesture);
    Capture();
    table.Then([](Game& game) {
        EXPECT_EQ(game.Drill.Judged, 1);
        EXPECT_EQ(game.Drill.Matched, 1);
    });
    Play({10, 10 + Hearts, 10 + Clubs, 2, 8, 7});
    ASSERT_TRUE(captured);
    ASSERT_EQ(table.AdviceBoxes.size(), 1u);
    EXPECT_EQ(table.AdviceBoxes[0].rfind("Hit", 0), 0u) << table.AdviceBoxes[0];
    EXPECT_TRUE(after[1].Finished);
    EXPECT_EQ(after[1].CardCount, 2);
}

TEST_F(TableRoundTest, SettlementRunsTwoOneFourThreeAndShowsPushOnATie) {
    // 8, 8 split three times fills slots 3, 4 and 2: slot 1 8, 8 (16), slot 2 8, K (18), slot 3 8, 2 (10),
    // slot 4 8, 9 (17) against the dealer's hard 17.
    table.Bet(10);
    Decide(1, Split);
    Decide(1, Split);
    Decide(1, Split);
    Inspect([](Game& game) {
        // Slot 2 comes first in the play order; with every slot in use the pair left in slot 1 may not split.
        EXPECT_EQ(game.ActiveHand, 2);
        EXPECT_TRUE(game.Hands[1].IsPair);
        EXPECT_FALSE(game.Hands[1].MaySplit);
    });
    table.Then(StandGesture); // slot 3 holds cards: every hand stands
    Capture();
    Play({8, 10, 8 + Hearts, 7, 8 + Clubs, 2, 8 + Diamonds, 9, 8, King});
    ASSERT_TRUE(captured);
    EXPECT_EQ(after[1].Total, 16);
    EXPECT_EQ(after[2].Total, 18);
    EXPECT_EQ(after[3].Total, 10);
    EXPECT_EQ(after[4].Total, 17);
    EXPECT_EQ(after[0].CardCount, 2);
    const int two = IndexOf("ShowHandResult 2 1");
    const int one = IndexOf("ShowHandResult 1 -1");
    const int four = IndexOf("ShowHandText 4 PUSH");
    const int three = IndexOf("ShowHandResult 3 -1");
    ASSERT_GE(two, 0);
    EXPECT_LT(two, one);
    EXPECT_LT(one, four);
    EXPECT_LT(four, three);
    EXPECT_EQ(table.Count("ShowHandResult 4"), 0);
    const PlayStats& a = after[1].Stats;
    EXPECT_EQ(a.HandsSplit, 3);
    EXPECT_DOUBLE_EQ(a.HourWon, 10 - 10 - 10);
    EXPECT_DOUBLE_EQ(a.BetsWon, 1);
    EXPECT_DOUBLE_EQ(a.BetsLost, 2);
}

TEST_F(TableRoundTest, WithoutResplitOrDoubleAfterSplitTheSplitHandsMayDoNeither) {
    g.Options.Rules.ResplitAllowed = false;
    g.Options.Rules.DoubleAfterSplit = false;
    g.Options.Rules.SurrenderAllowed = true;
    table.Bet(10);
    Decide(1, Split);
    Inspect([this](Game& game) {
        for (const int slot : {1, 3}) {
            EXPECT_TRUE(game.Hands[static_cast<std::size_t>(slot)].IsPair) << slot;
            EXPECT_FALSE(game.Hands[static_cast<std::size_t>(slot)].MaySplit) << slot;
            EXPECT_FALSE(game.Hands[static_cast<std::size_t>(slot)].MayDouble) << slot;
            EXPECT_FALSE(game.Hands[static_cast<std::size_t>(slot)].MaySurrender) << slot;
        }
        EXPECT_FALSE(table.VisibleItems & (SplitItem | DoubleItem | SurrenderItem));
        EXPECT_TRUE((table.VisibleItems & (HitItem | StandItem | HintItem)) == (HitItem | StandItem | HintItem));
        game.PlayerAction = Stand;
    });
    Capture();
    Play({8, 10, 8 + Hearts, 7, 8 + Clubs, 8 + Clubs + Hearts});
    ASSERT_TRUE(captured);
    EXPECT_EQ(after[1].Total, 16);
    EXPECT_EQ(after[3].Total, 16);
}

TEST_F(TableRoundTest, WithResplitAndDoubleAfterSplitTheSplitHandsMayDoBoth) {
    table.Bet(10);
    Decide(1, Split);
    Inspect([this](Game& game) {
        for (const int slot : {1, 3}) {
            EXPECT_TRUE(game.Hands[static_cast<std::size_t>(slot)].MaySplit) << slot;
            EXPECT_TRUE(game.Hands[static_cast<std::size_t>(slot)].MayDouble) << slot;
        }
        EXPECT_TRUE(table.VisibleItems & SplitItem);
        EXPECT_TRUE(table.VisibleItems & DoubleItem);
        game.PlayerAction = Stand;
    });
    Capture();
    Play({8, 10, 8 + Hearts, 7, 8 + Clubs, 8 + Clubs + Hearts});
    ASSERT_TRUE(captured);
}

TEST_F(TableRoundTest, SplitAcesTakeOneCardEachAndAnAceOnAnAceIsTwelve) {
    table.Bet(10);
    Decide(1, Split);
    Capture();
    Play({Ace, 10, Ace + Hearts, 7, King, Ace + Clubs});
    ASSERT_TRUE(captured);
    EXPECT_EQ(DecisionsAsked(), 1);
    EXPECT_EQ(after[1].CardCount, 2);
    EXPECT_EQ(after[3].CardCount, 2);
    EXPECT_EQ(after[1].Total, 21);
    EXPECT_EQ(after[3].Total, 12);
    // A split Ace and a ten is no natural: it is paid even money.
    EXPECT_TRUE(table.Saw("ShowHandResult 1 1"));
    EXPECT_TRUE(table.Saw("ShowHandResult 3 -1"));
    EXPECT_EQ(after[1].Stats.Blackjacks, 0);
}

// --- Doubles and surrender --------------------------------------------------------------------------------

TEST_F(TableRoundTest, DoubleTakesExactlyOneCardOnADoubledStake) {
    double totalBetBefore = -1;
    table.Bet(10);
    table.Then([](Game&) {});
    table.Then([&](Game& game) {
        EXPECT_TRUE(table.VisibleItems & DoubleItem);
        totalBetBefore = game.Hands[1].Stats.TotalBet;
        game.PlayerAction = DoubleDown;
    });
    Capture();
    Play({6, 10, 5, 7, 2}); // 11 doubled takes a 2: 13, and stays there
    ASSERT_TRUE(captured);
    EXPECT_EQ(DecisionsAsked(), 1);
    EXPECT_TRUE(table.Saw("ShowDoubleChips 1"));
    EXPECT_EQ(after[1].CardCount, 3);
    EXPECT_EQ(after[1].Total, 13);
    EXPECT_EQ(after[1].StrategyBets[1], 20);
    EXPECT_EQ(after[1].Stats.HandsDoubled, 1);
    EXPECT_DOUBLE_EQ(after[1].Stats.TotalBet - totalBetBefore, 10);
    EXPECT_DOUBLE_EQ(after[1].Stats.HourWon, -20);
    EXPECT_DOUBLE_EQ(after[1].Stats.BetsLost, 1);
    EXPECT_TRUE(table.Saw("ShowHandResult 1 -1"));
}

TEST_F(TableRoundTest, NoDoubleOrSplitWhenTheBankrollCannotCoverTheBet) {
    g.Bankroll = 9;
    table.Bet(10);
    Inspect([this](Game& game) {
        EXPECT_FALSE(game.Hands[1].MaySplit);
        EXPECT_FALSE(game.Hands[1].MayDouble);
        EXPECT_FALSE(table.VisibleItems & (SplitItem | DoubleItem));
        game.PlayerAction = Stand;
    });
    Capture();
    Play({8, 10, 8 + Hearts, 7});
    ASSERT_TRUE(captured);
}

TEST_F(TableRoundTest, SurrenderLosesHalfTheBet) {
    g.Options.Rules.SurrenderAllowed = true;
    table.Bet(10);
    Decide(1, Surrender);
    Capture();
    Play({10, 10, 6, 7});
    ASSERT_TRUE(captured);
    EXPECT_TRUE(table.Saw("ShowHandResult 1 -0.5"));
    EXPECT_EQ(table.Count("ShowHandResult"), 1);
    EXPECT_EQ(after[1].Total, 0);
    EXPECT_DOUBLE_EQ(after[1].Stats.HourWon, -5);
    EXPECT_DOUBLE_EQ(after[1].Stats.BetsLost, 0.5);
}

TEST_F(TableRoundTest, SurrenderIsOfferedOnlyWhenAllowed) {
    table.Bet(10);
    Inspect([this](Game& game) {
        EXPECT_FALSE(game.Hands[1].MaySurrender);
        EXPECT_FALSE(table.VisibleItems & SurrenderItem);
        game.PlayerAction = Stand;
    });
    Capture();
    Play({10, 10, 6, 7});
    ASSERT_TRUE(captured);
    EXPECT_FALSE(EverShown(SurrenderItem));
}

TEST_F(TableRoundTest, SurrenderIsNotOfferedOnAThreeCardHand) {
    g.Options.Rules.SurrenderAllowed = true;
    table.Bet(10);
    Inspect([this](Game& game) {
        EXPECT_TRUE(game.Hands[1].MaySurrender);
        EXPECT_TRUE(table.VisibleItems & SurrenderItem);
        game.PlayerAction = Hit;
    });
    Inspect([this](Game& game) {
        EXPECT_EQ(game.Hands[1].CardCount, 3);
        EXPECT_FALSE(game.Hands[1].MaySurrender);
        EXPECT_FALSE(game.Hands[1].MayDouble);
        EXPECT_FALSE(table.VisibleItems & (SurrenderItem | DoubleItem));
        game.PlayerAction = Stand;
    });
    Capture();
    Play({10, 10, 2, 7, 3});
    ASSERT_TRUE(captured);
}

TEST_F(TableRoundTest, DoubleOnlyOnTenOrElevenWhenDoubleAnyHandIsOff) {
    g.Options.Rules.DoubleAnyHand = false;
    table.Bet(10);
    Inspect([this](Game& game) { // soft 18
        EXPECT_EQ(game.Hands[1].Total, 18);
        EXPECT_FALSE(game.Hands[1].MayDouble);
        EXPECT_FALSE(table.VisibleItems & DoubleItem);
        game.PlayerAction = Stand;
    });
    table.Then([](Game&) {}); // the end of the first round
    table.Bet(10);
    Inspect([this](Game& game) { // 6, 4
        EXPECT_EQ(game.Hands[1].Total, 10);
        EXPECT_TRUE(game.Hands[1].MayDouble);
        EXPECT_TRUE(table.VisibleItems & DoubleItem);
        game.PlayerAction = Stand;
    });
    Capture();
    Play({Ace, 6, 7, King, King, 6, 6, 4, King, King});
    ASSERT_TRUE(captured);
    EXPECT_EQ(after[1].Total, 10);
}

TEST_F(TableRoundTest, AHintShowsTheAdviceAndWaitsForARealDecision) {
    table.Bet(10);
    Decide(1, Hint);
    Decide(1, Stand);
    Capture();
    Play({10, 10, 6, 7});
    ASSERT_TRUE(captured);
    EXPECT_EQ(DecisionsAsked(), 1);
    EXPECT_EQ(table.AdviceBoxes, (std::vector<std::string>{"Hit 16 against Dealer 10", "Hit 16 against Dealer 10"}));
    EXPECT_EQ(after[1].CardCount, 2);
    // The drill score judges the stand, not the hint.
    EXPECT_EQ(g.Drill.Judged, 1);
    EXPECT_EQ(g.Drill.Matched, 0);
    EXPECT_TRUE(table.Saw("ShowHandResult 1 -1"));
}

// What the real window does on "Reset Game": the table goes with the reset.
void ResetClosingTheTable(Game& game) {
    ResetGame(game);
    game.Table = nullptr;
}

TEST_F(TableRoundTest, AResetWhileTheAdviceBoxIsUpEndsTheGameWithoutTheTable) {
    for (const Action action : {Stand, Hint}) {
        SCOPED_TRACE(action);
        table.Calls.clear();
        table.Bet(10);
        Decide(1, action); // both against the strategy, which hits 16 against a 10
        table.WhileBoxUp = ResetClosingTheTable;
        Play({10, 10, 6, 7});
        EXPECT_TRUE(g.StopRequested);
        // Nothing more is asked of the table once the reset has closed it.
        ASSERT_GE(table.Calls.size(), 2u);
        EXPECT_EQ(table.Calls.back(), "CloseTableWindow");
        EXPECT_EQ(table.Calls.end()[-2].rfind("ShowAdviceBox", 0), 0u) << table.Calls.end()[-2];
        EXPECT_EQ(g.Hands[1].CardCount, 2);
        table.WhileBoxUp = nullptr;
        g.Table = &table;
        g.TableShown = true;
        g.StopRequested = false;
        g.Bankroll = 1000;
    }
}

// --- Practice deck ----------------------------------------------------------------------------------------

TEST_F(TableRoundTest, PracticeRoundEndsAfterTheFirstDecisionWithAdviceButNoDealer) {
    g.PracticeDeckMode = true;
    Decide(1, Hit); // hard 16 against a 5: the strategy stands
    Capture();
    StackShoe(g, {9, 5, 7, 9}, 2);
    RunGame(g);
    ASSERT_TRUE(captured);
    ASSERT_EQ(table.AdviceBoxes.size(), 1u);
    EXPECT_EQ(table.AdviceBoxes[0], "Stand with hard 16 against Dealer 5");
    EXPECT_EQ(after[1].CardCount, 2); // the hit is never carried out
    EXPECT_EQ(g.Drill.Judged, 1);
    EXPECT_EQ(g.Drill.Matched, 0);
    EXPECT_EQ(after[0].CardCount, 2);
    const auto calls = RoundCalls();
    for (const std::string c : {"RevealHoleCard", "ReturnAllChips", "ShowBetPrompts 2", "ShowBetPrompts 1"})
        EXPECT_EQ(std::count(calls.begin(), calls.end(), c), 0) << c;
    EXPECT_EQ(table.Count("ShowHandResult"), 0);
    EXPECT_EQ(table.Count("ShowHandText"), 0);
    EXPECT_TRUE(table.Saw("PlaceBetChip 5 1"));
    EXPECT_DOUBLE_EQ(after[1].Stats.HourWon, 0);
}

TEST_F(TableRoundTest, PracticeDoubleIsJudgedAndItsChipGoesBackToTheRack) {
    g.PracticeDeckMode = true;
    Decide(1, DoubleDown); // 9, 2 against a 5
    Capture();
    StackShoe(g, {9, 5, 2, 9}, 2);
    RunGame(g);
    ASSERT_TRUE(captured);
    EXPECT_EQ(g.Drill.Judged, 1);
    EXPECT_EQ(g.Drill.Matched, 1);
    EXPECT_EQ(after[1].CardCount, 2); // never carried out
    EXPECT_NE(IndexOf("ReturnAllChips"), -1);
    EXPECT_DOUBLE_EQ(after[1].Stats.TotalBet, 0);
}

TEST_F(TableRoundTest, BeforeAShuffleTheLastRoundStaysUntilThePlayerGoesOn) {
    table.Bet(10);
    Decide(1, Stand);
    table.Bet(10); // the next round's bet, after the shuffle
    StackShoe(g, {10, 10, 8, 7, 9, 9, 9, 9}, King, 3);
    RunGame(g);
    const auto calls = table.Calls;
    const auto result = std::find(calls.begin(), calls.end(), "ShowHandResult 1 1");
    const auto shuffle = std::find(calls.begin(), calls.end(), "AnimateShuffle");
    ASSERT_NE(result, calls.end());
    ASSERT_NE(shuffle, calls.end());
    const auto prompt = std::find(calls.begin(), calls.end(), "WaitForPlayerToGoOn SHUFFLE - CLICK TO GO ON");
    ASSERT_NE(prompt, calls.end());
    EXPECT_LT(result, prompt);
    EXPECT_LT(prompt, shuffle);
    // Nothing clears the table between the result and the prompt.
    EXPECT_EQ(std::find(result, prompt, "ClearTable"), prompt);
}

TEST_F(TableRoundTest, AStopWhileThePromptWaitsSkipsTheShuffle) {
    table.Bet(10);
    Decide(1, Stand);
    table.Then([](Game&) {}); // the pass after the round
    table.WhileBoxUp = [](Game& game) { game.StopRequested = true; };
    StackShoe(g, {10, 10, 8, 7, 9, 9, 9, 9}, King, 3);
    RunGame(g);
    EXPECT_TRUE(table.Saw("WaitForPlayerToGoOn SHUFFLE - CLICK TO GO ON"));
    EXPECT_FALSE(table.Saw("AnimateShuffle"));
}

TEST_F(TableRoundTest, PracticeDecisionThatFollowsTheStrategyShowsNoAdvice) {
    g.PracticeDeckMode = true;
    Decide(1, Stand);
    Capture();
    StackShoe(g, {9, 5, 7, 9}, 2);
    RunGame(g);
    ASSERT_TRUE(captured);
    EXPECT_TRUE(table.AdviceBoxes.empty());
    EXPECT_EQ(g.Drill.Judged, 1);
    EXPECT_EQ(g.Drill.Matched, 1);
}

// --- Game over and stopping -------------------------------------------------------------------------------

TEST_F(TableRoundTest, GameOverYesGivesANewBankroll) {
    g.Bankroll = 4;
    table.Answers = {true};
    bool checked = false;
    table.Then([&](Game& game) { // the wait for the bet
        EXPECT_DOUBLE_EQ(game.Bankroll, 1000);
        checked = true;
    });
    Play({10, 10, 9, 7});
    EXPECT_TRUE(checked);
    EXPECT_EQ(table.Questions, std::vector<std::string>{GameOverQuestion});
    EXPECT_TRUE(table.Saw("NewChipRack"));
}

TEST_F(TableRoundTest, GameOverNoStopsTheGame) {
    g.Bankroll = 4;
    table.Bet(10); // never reached
    Play({10, 10, 9, 7});
    EXPECT_EQ(table.Questions, std::vector<std::string>{GameOverQuestion});
    EXPECT_TRUE(g.StopRequested);
    EXPECT_FALSE(table.Saw("ShowBetPrompts 2"));
    EXPECT_EQ(table.Count("ShowCard"), 0);
    EXPECT_FALSE(table.Saw("NewChipRack"));
    EXPECT_TRUE(table.Saw("CloseTableWindow"));
}

TEST_F(TableRoundTest, AResetWhileGameOverAsksEndsTheGameWithoutTheTable) {
    g.Bankroll = 4;
    table.Answers = {true};
    table.WhileBoxUp = ResetClosingTheTable;
    Play({10, 10, 9, 7});
    EXPECT_TRUE(g.StopRequested);
    ASSERT_FALSE(table.Calls.empty());
    EXPECT_EQ(table.Calls.back(), "CloseTableWindow");
    EXPECT_FALSE(table.Saw("NewChipRack"));
}

TEST_F(TableRoundTest, ChipsOnTheFirstBoxCountAgainstGameOver) {
    g.Bankroll = 4;
    table.ChipsOnBox1 = 5;
    Play({10, 10, 9, 7});
    EXPECT_TRUE(table.Questions.empty());
    EXPECT_TRUE(table.Saw("ShowBetPrompts 2"));
}

TEST_F(TableRoundTest, AStopWhileWaitingForTheBetEndsTheGame) {
    Play({10, 10, 9, 7});
    EXPECT_TRUE(g.StopRequested);
    EXPECT_EQ(table.Count("ShowCard"), 0);
    EXPECT_FALSE(g.TableShown);
    EXPECT_TRUE(table.Saw("CloseTableWindow"));
}

TEST_F(TableRoundTest, AResetDuringADecisionWithHandsStillOpenEndsTheGame) {
    // Two boxes, slot 1 split into slot 4: the reset finishes only the active hand, and slots 3 and 4 are
    // still open when the wait lets go.
    table.BetBoth(10);
    Decide(1, Split);
    table.Then([](Game& game) { ResetGame(game); });
    Play({8, 10, 10, 8 + Hearts, 9, 7, 3, 2});
    EXPECT_TRUE(g.StopRequested);
    EXPECT_EQ(table.Count("RevealHoleCard"), 0);
    EXPECT_EQ(table.Count("ShowHandResult"), 0);
    EXPECT_EQ(g.Hands[0].CardCount, 2);
}

TEST_F(TableRoundTest, AResetDuringTheDealEndsTheGame) {
    table.IdleAfterCard = false;
    table.Bet(10);
    table.Then([](Game& game) { ResetGame(game); }); // the first card's pass through the event loop
    Play({10, 10, 9, 7});
    EXPECT_TRUE(g.StopRequested);
    EXPECT_EQ(table.Count("ShowCard"), 1);
    EXPECT_EQ(table.Count("ShowHandResult"), 0);
}

TEST_F(TableRoundTest, TheNextGameStartsClean) {
    table.BetBoth(10);
    Decide(1, Split);
    table.Then([](Game& game) { ResetGame(game); });
    Play({8, 10, 10, 8 + Hearts, 9, 7, 3, 2});
    ASSERT_TRUE(g.StopRequested);

    // A new game on a new table window, as a Run item starts it.
    for (auto& spot : table.Spots) spot[0] = spot[1] = false;
    table.Calls.clear();
    g.StopRequested = false;
    g.TableShown = true;
    table.Bet(10);
    Decide(1, Stand);
    Capture();
    Play({10, 10, 9, 7});
    ASSERT_TRUE(captured);
    EXPECT_EQ(DecisionsAsked(), 1);
    for (const int slot : {2, 3, 4}) {
        EXPECT_EQ(after[static_cast<std::size_t>(slot)].CardCount, 0) << slot;
        EXPECT_TRUE(after[static_cast<std::size_t>(slot)].Finished) << slot;
        EXPECT_EQ(after[static_cast<std::size_t>(slot)].StrategyBets[1], 0) << slot;
    }
    EXPECT_EQ(after[1].CardCount, 2);
    EXPECT_EQ(after[1].Total, 19);
    EXPECT_TRUE(table.Saw("ShowHandResult 1 1"));
    EXPECT_EQ(table.Count("ShowHandResult"), 1);
    const PlayStats& a = after[1].Stats;
    EXPECT_DOUBLE_EQ(a.HourWon, 10);
    EXPECT_DOUBLE_EQ(a.BetsWon, 1);
    EXPECT_EQ(a.HandsSplit, 0);
    EXPECT_EQ(g.HoursPlayed, 0); // the reset on leaving
}

// --- Computer play at the table ---------------------------------------------------------------------------

class ComputerPlayTest : public TableRoundTest {
  protected:
    ComputerPlayTest() {
        g.AutoPlay = true;
        g.SimulationDelay = 7;
    }
};

TEST_F(ComputerPlayTest, OneBoxBetsTheMinimumAndPlaysByTheStrategy) {
    g.Options.Rules.PlayTwoHands = false;
    Capture();
    Play({10, 10, 9, 7});
    ASSERT_TRUE(captured);
    EXPECT_EQ(DecisionsAsked(), 0);
    EXPECT_TRUE(table.Saw("ShowAdvice Stand with a hard total of 17 or more"));
    EXPECT_EQ(after[1].StrategyBets[1], 5);
    EXPECT_EQ(after[3].StrategyBets[1], 0);
    EXPECT_DOUBLE_EQ(after[1].Stats.TotalBet, 5);
    EXPECT_EQ(after[1].Stats.HandsPlayed, 1);
    EXPECT_DOUBLE_EQ(after[1].Stats.HourWon, 5);
    EXPECT_TRUE(table.Saw("AdvicePause 7"));
}

TEST_F(ComputerPlayTest, OneBoxSplitIsPlayedAfterSlotOne) {
    g.Options.Rules.PlayTwoHands = false;
    Capture();
    // 8, 8 split; slot 1 8, 3 doubles to 21; slot 3 8, 2 hits to 19; the dealer stands on hard 17.
    Play({8, 10, 8 + Hearts, 7, 3, 2, King, 9});
    ASSERT_TRUE(captured);
    EXPECT_EQ(Pointers(), (std::vector<int>{1, 1, 3, 3, 0}));
    EXPECT_EQ(after[1].Total, 21);
    EXPECT_EQ(after[3].Total, 19);
    EXPECT_DOUBLE_EQ(after[1].Stats.HourWon, 10 + 5);
}

TEST_F(ComputerPlayTest, TwoBoxSplitGoesToSlotFourBetweenSlotOneAndSlotThree) {
    Capture();
    // Boxes 8, 8 and 10, 9; the split hand (slot 4) gets 8, 2 and hits to 19; slot 1 8, 3 doubles to 21.
    Play({8, 10, 10, 8 + Hearts, 9, 7, 3, 2, King, 9});
    ASSERT_TRUE(captured);
    EXPECT_EQ(Pointers(), (std::vector<int>{1, 1, 4, 4, 3, 0}));
    EXPECT_EQ(after[3].CardCount, 2);
    EXPECT_EQ(after[4].Total, 19);
    EXPECT_EQ(after[1].Total, 21);
    // Two boxes bet twice the minimum each.
    EXPECT_EQ(after[3].StrategyBets[1], 10);
    EXPECT_EQ(after[1].StrategyBets[1], 20);
    const int one = IndexOf("ShowHandResult 1 1");
    const int four = IndexOf("ShowHandResult 4 1");
    const int three = IndexOf("ShowHandResult 3 1");
    ASSERT_GE(one, 0);
    EXPECT_LT(one, four);
    EXPECT_LT(four, three);
    EXPECT_DOUBLE_EQ(after[1].Stats.HourWon, 20 + 10 + 10);
}

TEST_F(ComputerPlayTest, TwoBoxesNeedFourChipsOfTheMinimumOrTheComputerPlaysOne) {
    // $15 covers one box at the $5 table but not two boxes of two $5 chips each: every stake booked must lie
    // on the table in chips.
    g.Bankroll = 15;
    Capture();
    Play({10, 10, 9, 7});
    ASSERT_TRUE(captured);
    EXPECT_EQ(after[1].StrategyBets[1], 5);
    EXPECT_EQ(after[3].StrategyBets[1], 0);
    EXPECT_FALSE(table.Saw("PlaceBetChip 5 3"));
    EXPECT_TRUE(table.Saw("PlaceBetChip 5 1"));
    EXPECT_FALSE(g.PairedChips);
}

TEST_F(ComputerPlayTest, DealerBlackjackIsAnnounced) {
    g.Options.Rules.PlayTwoHands = false;
    Capture();
    Play({10, Ace, 9, King});
    ASSERT_TRUE(captured);
    EXPECT_TRUE(table.Saw("ShowAdvice BLACKJACK!"));
    EXPECT_TRUE(table.Saw("AdvicePause 7"));
    EXPECT_TRUE(table.Saw("ShowHandResult 1 -1"));
}

} // namespace
} // namespace zvx
