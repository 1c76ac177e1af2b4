#include "engine/random.h"
#include "engine/round.h"
#include "engine/shoe.h"
#include "tests/fake_table.h"
#include "tests/text_key_sort.h"
#include "tests/stacked_shoe.h"

#include <array>
#include <cctype>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace zvx {
namespace {

using testing::Ace;
using testing::FakeTable;
using testing::King;
using testing::StackShoe;

class DealingTest : public ::testing::Test {
  protected:
    DealingTest() {
        // As between rounds: every hand empty and finished, nothing to play.
        for (auto& h : g.Hands) h.Finished = true;
    }

    THand& Hand(int slot) { return g.Hands[static_cast<std::size_t>(slot)]; }

    // Deals the stacked cards to one slot and returns the totals after each card.
    std::vector<int> DealAll(int slot, const std::vector<int>& codes) {
        StackShoe(g, codes);
        std::vector<int> totals;
        for (std::size_t i = 0; i < codes.size(); ++i) {
            DealCard(g, slot);
            totals.push_back(Hand(slot).Total);
        }
        return totals;
    }

    Game g;
};

TEST_F(DealingTest, AcesCountElevenOnlyOnce) {
    EXPECT_EQ(DealAll(1, {Ace, Ace + 13, Ace + 26}), (std::vector<int>{11, 12, 13}));
    EXPECT_EQ(Hand(1).SoftAce, 1);
    EXPECT_EQ(Hand(1).CardCount, 3);
}

TEST_F(DealingTest, TwoAcesAndANineMakeSoftTwentyOne) {
    EXPECT_EQ(DealAll(1, {Ace, Ace, 9}), (std::vector<int>{11, 12, 21}));
    EXPECT_EQ(Hand(1).SoftAce, 1);
}

TEST_F(DealingTest, SoftTwentyOneTakingAFiveIsHardSixteenNotABust) {
    Hand(1).Finished = false;
    Hand(1).StrategyBets[1] = 10;
    g.ActiveHand = 1;
    EXPECT_EQ(DealAll(1, {Ace, King, 5}), (std::vector<int>{11, 21, 16}));
    EXPECT_EQ(Hand(1).SoftAce, 0);
    EXPECT_FALSE(Hand(1).Finished);
    EXPECT_EQ(Hand(1).Stats.BetsLost, 0);
    // A second ten now busts it.
    StackShoe(g, {King});
    DealCard(g, 1);
    EXPECT_EQ(Hand(1).Total, 0);
}

TEST_F(DealingTest, PlayerBustIsSettledAsLostAtOnce) {
    Hand(1).Finished = false;
    Hand(1).StrategyBets[1] = 10;
    Hand(1).StrategyBets[2] = 20;
    g.ActiveHand = 1;
    DealAll(1, {King, 6, 9});
    EXPECT_EQ(Hand(1).Total, 0);
    EXPECT_TRUE(Hand(1).Finished);
    EXPECT_EQ(Hand(1).CardCount, 3); // a settled hand keeps its cards
    EXPECT_EQ(g.ActiveHand, 0);      // nothing else is open
    EXPECT_DOUBLE_EQ(Hand(1).Stats.HourWon, -10);
    EXPECT_DOUBLE_EQ(Hand(1).Stats.BetsLost, 1);
    EXPECT_DOUBLE_EQ(Hand(2).Stats.HourWon, -20);
    EXPECT_EQ(Hand(3).Stats.BetsLost, 0);
}

TEST_F(DealingTest, DealerBustEndsTheDrawingWithTotalZero) {
    g.PlayerAction = NoAction;
    EXPECT_EQ(DealAll(DealerSlot, {King, 6, 9}), (std::vector<int>{10, 16, 0}));
    EXPECT_EQ(g.PlayerAction, Stand);
    // The dealer's bust books nothing.
    for (int i = 1; i < HandCount; ++i) EXPECT_EQ(Hand(i).Stats.BetsLost, 0);
}

TEST_F(DealingTest, CountsFollowEveryCardDealt) {
    // 5 and 5 +1 each in both counts; the Ace -1 in both; the 3 +1 and the queen -1 in the running count only;
    // the 8 counts nothing.
    g.RunningCount = 2;
    g.AceFiveCount = -1;
    DealAll(1, {5, 5 + 13, Ace, 3, 12, 8});
    EXPECT_EQ(g.RunningCount, 2 + 1 + 1 - 1 + 1 - 1);
    EXPECT_EQ(g.AceFiveCount, -1 + 1 + 1 - 1);
    EXPECT_EQ(g.Shoe.CardsDealt, 6);
}

TEST_F(DealingTest, SingleStrategyModeLeavesTheAceFiveCountAlone) {
    g.SingleStrategyMode = true;
    g.AceFiveCount = 7;
    DealAll(DealerSlot, {5, Ace, 2});
    EXPECT_EQ(g.AceFiveCount, 7);
    EXPECT_EQ(g.RunningCount, 1);
}

TEST_F(DealingTest, CutCardShowsAsItsCardIsDealtAtTheTableOnly) {
    FakeTable table(g);
    table.IdleAfterCard = true;
    g.Table = &table;
    g.TableShown = true;
    StackShoe(g, {2, 3, 4, 5, 6, 7, 8}, King, 4);
    auto dealTo = [&](int count) {
        for (int i = 0; i < count; ++i) {
            DealCard(g, i % 2 == 0 ? 1 : DealerSlot);
            if (Hand(1).CardCount >= 3) Hand(1) = THand{};
            if (Hand(0).CardCount >= 3) Hand(0) = THand{};
        }
    };
    dealTo(4);
    EXPECT_EQ(table.Count("SlideCutCard"), 0);
    dealTo(1); // the card at the cut card's position
    EXPECT_EQ(table.Count("SlideCutCard show"), 1);
    // It shows before that card reaches the table.
    EXPECT_EQ(table.Calls[table.Calls.size() - 2], "SlideCutCard show");
    dealTo(2);
    EXPECT_EQ(table.Count("SlideCutCard"), 1);

    // Not on the practice deck.
    table.Calls.clear();
    g.PracticeDeckMode = true;
    StackShoe(g, {2, 3, 4, 5, 6, 7, 8}, 9, 4);
    dealTo(7);
    EXPECT_EQ(table.Count("SlideCutCard"), 0);
    EXPECT_EQ(table.Count("ShowCard"), 7);

    // Without the table the table is never called.
    table.Calls.clear();
    g.PracticeDeckMode = false;
    g.TableShown = false;
    StackShoe(g, {2, 3, 4, 5, 6, 7, 8}, King, 4);
    dealTo(7);
    EXPECT_TRUE(table.Calls.empty());
}

TEST_F(DealingTest, ACardShownAtTheTableCarriesItsPlace) {
    FakeTable table(g);
    table.IdleAfterCard = true;
    g.Table = &table;
    g.TableShown = true;
    StackShoe(g, {2, 3, 4});
    DealCard(g, 3);
    DealCard(g, 3);
    DealCard(g, DealerSlot);
    EXPECT_EQ(table.Calls, (std::vector<std::string>{"ShowCard 3 31", "ShowCard 3 32", "ShowCard 0 1"}));
}

struct ShoeShape {
    int decks;
    int penetration;
    bool practice;
    int size;
    int cut;
};

TEST(ShoeBuildTest, SizesAndCutCards) {
    for (const ShoeShape s : {ShoeShape{1, 3, false, 52, 39}, ShoeShape{1, 2, false, 52, 26},
                              ShoeShape{2, 3, false, 104, 78}, ShoeShape{8, 3, false, 416, 312},
                              ShoeShape{8, 2, false, 416, 208}, ShoeShape{8, 3, true, 288, 216},
                              ShoeShape{1, 3, true, 36, 27}}) {
        Game g;
        g.FixedSeed = 7;
        g.Options.Rules.Decks = static_cast<std::uint16_t>(s.decks);
        g.Options.Rules.Penetration = static_cast<std::uint16_t>(s.penetration);
        g.PracticeDeckMode = s.practice;
        BuildShoe(g);
        SCOPED_TRACE(::testing::Message() << s.decks << " decks, penetration " << s.penetration
                                          << (s.practice ? ", practice" : ""));
        EXPECT_TRUE(g.Shoe.ShoeReady);
        EXPECT_EQ(g.Shoe.ShoeSize, s.size);
        EXPECT_EQ(g.Shoe.CutCardPosition, s.cut);
        EXPECT_EQ(g.Shoe.CardsDealt, 0);
        ASSERT_EQ(g.Shoe.Order.size(), static_cast<std::size_t>(s.size));

        // Every card of every deck exactly once: Decks copies of each code of the shoe's ranks.
        std::map<int, int> copies;
        for (int p = 0; p < s.size; ++p) ++copies[g.Shoe.At(p).Face];
        EXPECT_EQ(copies.size(), static_cast<std::size_t>(s.practice ? 36 : 52));
        for (const auto& [code, n] : copies) {
            EXPECT_EQ(n, s.decks) << "code " << code;
            if (s.practice) {
                EXPECT_LE(CardRank(code), 9) << "code " << code;
            }
        }
    }
}

TEST(ShoeBuildTest, PracticeShoeNeverDealsATen) {
    Game g;
    g.FixedSeed = 3;
    g.Options.Rules.Decks = 8;
    g.PracticeDeckMode = true;
    BuildShoe(g);
    g.Hands[1].Finished = true;
    for (int i = 0; i < 288; ++i) {
        if (g.Hands[1].CardCount == MaxCardsPerHand || g.Hands[1].Total > 11) g.Hands[1] = THand{};
        g.Hands[1].Finished = true;
        DealCard(g, 1);
        EXPECT_NE(g.Hands[1].Cards[g.Hands[1].CardCount]->Value, 10);
    }
    EXPECT_EQ(g.Shoe.CardsDealt, 288);
}

class ReshuffleTest : public ::testing::Test {
  protected:
    ReshuffleTest() {
        g.FixedSeed = 11;
        g.Options.Rules.Decks = 1;
        g.Options.Rules.Penetration = 3;
        g.Options.Rules.PlayTwoHands = false;
        g.AutoPlay = true;
        BuildShoe(g);
    }
    Game g;
};

TEST_F(ReshuffleTest, TheRoundAtTheCutCardIsDealtFromTheSameShoe) {
    g.Shoe.CardsDealt = 39;
    g.RunningCount = 4;
    g.AceFiveCount = 2;
    StartRound(g);
    EXPECT_EQ(g.Shoe.CardsDealt, 39);
    EXPECT_EQ(g.RunningCount, 4);
    EXPECT_EQ(g.CountIndexA, 4);
}

TEST_F(ReshuffleTest, TheFirstRoundPastTheCutCardReshufflesBeforeBetting) {
    g.Shoe.CardsDealt = 40;
    g.RunningCount = 4;
    g.AceFiveCount = 2;
    StartRound(g);
    EXPECT_EQ(g.Shoe.CardsDealt, 0);
    EXPECT_EQ(g.RunningCount, 0);
    EXPECT_EQ(g.AceFiveCount, 0);
    // The bets follow the fresh shoe's count, not the old one.
    EXPECT_EQ(g.CountIndexA, 0);
    EXPECT_EQ(g.CountIndexB, 0);
    // Still a full shoe of 52 cards.
    std::map<int, int> copies;
    for (int p = 0; p < 52; ++p) ++copies[g.Shoe.At(p).Face];
    EXPECT_EQ(copies.size(), 52u);
}

TEST_F(DealingTest, DealingPastTheEndReusesEarlierCardsWithoutCounting) {
    std::vector<int> codes;
    for (int i = 0; i < 52; ++i) codes.push_back(i + 1);
    StackShoe(g, codes);
    g.Shoe.CardsDealt = 52;
    g.RunningCount = 3;
    g.AceFiveCount = -2;
    const TCard* first = &g.Shoe.Cards.front();
    const TCard* last = &g.Shoe.Cards.back();

    // The first card beyond the end is the one 30 places back.
    Hand(1) = THand{};
    Hand(1).Finished = true;
    DealCard(g, 1);
    ASSERT_EQ(Hand(1).CardCount, 1);
    EXPECT_EQ(Hand(1).Cards[1], &g.Shoe.At(52 - 30));

    // Far past the end every card still comes from the shoe, and nothing is counted.
    for (int i = 1; i < 100 + 30; ++i) {
        if (Hand(1).CardCount == MaxCardsPerHand || Hand(1).Total == 0 || Hand(1).Total >= 17) {
            Hand(1) = THand{};
            Hand(1).Finished = true;
        }
        DealCard(g, 1);
        const TCard* card = Hand(1).Cards[Hand(1).CardCount];
        ASSERT_NE(card, nullptr);
        EXPECT_TRUE(card >= first && card <= last);
    }
    EXPECT_EQ(g.RunningCount, 3);
    EXPECT_EQ(g.AceFiveCount, -2);
    EXPECT_EQ(g.Shoe.CardsDealt, 52 + 130);
}

TEST_F(DealingTest, ATwelfthCardIsRefusedAndTheHandStands) {
    // A, A, A, A, 2, 2, 2, 2, 3, 3, 3: eleven cards, hard 21.
    const std::vector<int> eleven = {Ace, Ace + 13, Ace + 26, Ace + 39, 2, 2 + 13, 2 + 26, 2 + 39, 3, 3 + 13, 3 + 26};
    Hand(1).Finished = false;
    Hand(1).StrategyBets[1] = 10;
    g.ActiveHand = 1;
    std::vector<int> codes = eleven;
    codes.push_back(King);
    StackShoe(g, codes);
    for (int i = 0; i < 11; ++i) DealCard(g, 1);
    ASSERT_EQ(Hand(1).CardCount, 11);
    EXPECT_EQ(Hand(1).Total, 21);
    EXPECT_EQ(Hand(1).SoftAce, 0);

    DealCard(g, 1);
    EXPECT_EQ(Hand(1).CardCount, 11);
    EXPECT_EQ(Hand(1).Total, 21);
    EXPECT_TRUE(Hand(1).Finished);
    EXPECT_EQ(Hand(1).Stats.BetsLost, 0); // not a bust
    EXPECT_EQ(g.Shoe.CardsDealt, 11);     // the card stays in the shoe

    // The dealer stops drawing the same way.
    StackShoe(g, codes);
    g.PlayerAction = NoAction;
    for (int i = 0; i < 12; ++i) DealCard(g, DealerSlot);
    EXPECT_EQ(Hand(DealerSlot).CardCount, 11);
    EXPECT_EQ(Hand(DealerSlot).Total, 21);
    EXPECT_EQ(g.PlayerAction, Stand);
}

TEST_F(DealingTest, NothingIsDealtOnceAStopIsRequestedOrWithoutAShoe) {
    StackShoe(g, {5, 6});
    g.StopRequested = true;
    DealCard(g, 1);
    EXPECT_EQ(Hand(1).CardCount, 0);
    EXPECT_EQ(g.Shoe.CardsDealt, 0);
    g.StopRequested = false;
    g.Shoe.ShoeReady = false;
    DealCard(g, 1);
    EXPECT_EQ(Hand(1).CardCount, 0);
}

// --- The shuffle, against its rule written out plainly: keys are the decimal texts of the generator's draws,
// sorted as text by the quicksort that decides the order of equal keys. ----------------------------------------

std::uint32_t ReferenceBelow(std::uint32_t& state, std::uint32_t n) {
    state = state * 134775813u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(state) * n) >> 32);
}

using testing::KeyedCard;
using testing::TextKeyQuickSort;

std::vector<int> ReferenceShoe(std::uint32_t seed, int decks, int ranks) {
    std::uint32_t state = seed;
    std::vector<KeyedCard> entries;
    for (int deck = 0; deck < decks; ++deck)
        for (int rank = 1; rank <= ranks; ++rank)
            for (int suit = 0; suit < 4; ++suit)
                entries.push_back({std::to_string(ReferenceBelow(state, 65000)), 13 * suit + rank});
    TextKeyQuickSort(entries, 0, static_cast<int>(entries.size()) - 1);
    std::vector<int> codes;
    for (const auto& e : entries) codes.push_back(e.card);
    return codes;
}

std::vector<int> ShoeCodes(const Game& g) {
    std::vector<int> codes;
    for (int p = 0; p < g.Shoe.ShoeSize; ++p) codes.push_back(g.Shoe.At(p).Face);
    return codes;
}

TEST(ShuffleTest, KeysSortAsText) {
    std::vector<KeyedCard> e = {{"9", 1}, {"10000", 2}, {"650", 3}};
    TextKeyQuickSort(e, 0, 2);
    EXPECT_EQ(e[0].key, "10000");
    EXPECT_EQ(e[1].key, "650");
    EXPECT_EQ(e[2].key, "9");
}

TEST(ShuffleTest, GeneratorFromZero) {
    Game g;
    g.RandomState = 0;
    EXPECT_EQ(RandomBelow(g, 65000), 0u);
    EXPECT_EQ(g.RandomState, 1u);
}

TEST(ShuffleTest, SeedOneGivesAFixedTwoDeckShoe) {
    Game g;
    g.FixedSeed = 1;
    g.TableShown = true; // the faces are on show: the exact card order counts
    g.Options.Rules.Decks = 2;
    BuildShoe(g);
    const std::vector<int> codes = ShoeCodes(g);
    const std::vector<int> first20(codes.begin(), codes.begin() + 20);
    // Checked by hand: the draws for seed 1 sort as "10136", "10209", "10480", ..., "13167", "1319", "13391".
    EXPECT_EQ(first20, (std::vector<int>{12, 36, 22, 28, 45, 23, 11, 19, 27, 36, 39, 37, 2, 33, 49, 40, 35, 8, 47, 50}));
    EXPECT_EQ(codes, ReferenceShoe(1, 2, 13));
}

TEST(ShuffleTest, EveryShoeFollowsTheRule) {
    for (const std::uint32_t seed : {0u, 1u, 12345u, 86399999u})
        for (const int decks : {1, 2, 6, 8})
            for (const bool practice : {false, true})
                for (const bool table : {false, true}) {
                    Game g;
                    g.FixedSeed = seed;
                    g.TableShown = table;
                    g.PracticeDeckMode = practice;
                    g.Options.Rules.Decks = static_cast<std::uint16_t>(decks);
                    BuildShoe(g);
                    const std::vector<int> expected = ReferenceShoe(seed, decks, practice ? 9 : 13);
                    const std::vector<int> actual = ShoeCodes(g);
                    SCOPED_TRACE(::testing::Message() << "seed " << seed << ", " << decks << " decks"
                                                      << (practice ? ", practice" : "") << (table ? ", table" : ""));
                    if (table) {
                        EXPECT_EQ(actual, expected);
                    } else {
                        // Without the table only the values reach the play.
                        ASSERT_EQ(actual.size(), expected.size());
                        for (std::size_t i = 0; i < actual.size(); ++i)
                            ASSERT_EQ(CardValue(actual[i]), CardValue(expected[i])) << "position " << i;
                    }
                }
}

TEST(ShuffleTest, TheSameSeedGivesTheSameShoeTwice) {
    Game a;
    Game b;
    a.FixedSeed = b.FixedSeed = 99;
    a.Options.Rules.Decks = b.Options.Rules.Decks = 6;
    BuildShoe(a);
    BuildShoe(b);
    EXPECT_EQ(ShoeCodes(a), ShoeCodes(b));
    ShuffleShoe(a);
    ShuffleShoe(b);
    EXPECT_EQ(ShoeCodes(a), ShoeCodes(b));
    // A reshuffle is a new order.
    Game c;
    c.FixedSeed = 99;
    c.Options.Rules.Decks = 6;
    BuildShoe(c);
    EXPECT_NE(ShoeCodes(a), ShoeCodes(c));
}

} // namespace
} // namespace zvx
