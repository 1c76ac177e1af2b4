#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "cards/counting_systems.h"
#include "engine/shoe.h"
#include "engine/shoe_count.h"
#include "tests/stacked_shoe.h"

namespace zvx {
namespace {

// The published tag tables, written out rank by rank (A, 2..9, T) so a slip in the engine's table shows.
struct Published {
    CountingSystemId id;
    std::vector<int> tags; // A 2 3 4 5 6 7 8 9 T
    int deckSum;
};

TEST(CountingSystems, TagsMatchThePublishedTablesAndSumOverADeck) {
    const std::vector<Published> published{
        {CountingSystemId::HiLo, {-1, 1, 1, 1, 1, 1, 0, 0, 0, -1}, 0},
        {CountingSystemId::KnockOut, {-1, 1, 1, 1, 1, 1, 1, 0, 0, -1}, 4},
        {CountingSystemId::HiOptI, {0, 0, 1, 1, 1, 1, 0, 0, 0, -1}, 0},
        {CountingSystemId::HiOptII, {0, 1, 1, 2, 2, 1, 1, 0, 0, -2}, 0},
        {CountingSystemId::OmegaII, {0, 1, 1, 2, 2, 2, 1, 0, -1, -2}, 0},
        {CountingSystemId::Zen, {-1, 1, 1, 2, 2, 2, 1, 0, 0, -2}, 0},
    };
    ASSERT_EQ(published.size(), CountingSystems().size());
    std::set<std::string> keys;
    for (const Published& p : published) {
        const CountingSystem& s = CountingSystemOf(p.id);
        SCOPED_TRACE(std::string(s.Name));
        EXPECT_EQ(s.Tag(11), p.tags[0]);
        for (int value = 2; value <= 10; ++value) EXPECT_EQ(s.Tag(value), p.tags[static_cast<std::size_t>(value - 1)]);
        // Summed card by card over a real deck of 52 codes, faces included.
        int sum = 0;
        for (int code = FirstCardCode; code <= LastCardCode; ++code) sum += s.Tag(CardValue(code));
        EXPECT_EQ(sum, p.deckSum);
        EXPECT_EQ(s.Balanced(), p.deckSum == 0);
        EXPECT_EQ(CountingSystemByKey(s.Key), p.id);
        keys.insert(std::string(s.Key));
    }
    EXPECT_EQ(keys.size(), published.size());
    EXPECT_FALSE(CountingSystemByKey("hilo-typo").has_value());
    EXPECT_EQ(CountingSystems().front().Id, CountingSystemId::HiLo);
}

TEST(CountingSystems, UnbalancedCountStartsSoAWholeShoeEndsAtOneDecksPivot) {
    const CountingSystem& ko = CountingSystemOf(CountingSystemId::KnockOut);
    EXPECT_EQ(InitialRunningCount(ko, 1), 0);
    EXPECT_EQ(InitialRunningCount(ko, 2), -4);
    EXPECT_EQ(InitialRunningCount(ko, 6), -20);
    EXPECT_EQ(InitialRunningCount(ko, 8), -28);
    for (const CountingSystem& s : CountingSystems()) {
        if (s.Balanced()) {
            EXPECT_EQ(InitialRunningCount(s, 6), 0) << s.Name;
        }
    }

    // A whole 6-deck shoe counted card by card ends at +4 for KO and at 0 for every balanced system.
    for (const CountingSystem& s : CountingSystems()) {
        CountKeeper keeper(s, 6);
        for (int deck = 0; deck < 6; ++deck)
            for (int code = FirstCardCode; code <= LastCardCode; ++code) keeper.Count(CardValue(code));
        EXPECT_EQ(keeper.Running(), s.Balanced() ? 0 : 4) << s.Name;
        EXPECT_EQ(keeper.CardsLeft(), 0);
        keeper.Shuffle();
        EXPECT_EQ(keeper.CardsSeen(), 0);
        EXPECT_EQ(keeper.Running(), InitialRunningCount(s, 6));
    }
}

TEST(CountingSystems, TrueCountDividesByTheExactDecksLeftAndRoundsDown) {
    // 6 decks, two decks dealt: 4 decks left, running +10 gives +2.5, whole +2.
    EXPECT_DOUBLE_EQ(DecksLeft(4 * 52), 4.0);
    EXPECT_DOUBLE_EQ(TrueCount(10, 4 * 52), 2.5);
    EXPECT_EQ(WholeTrueCount(TrueCount(10, 4 * 52)), 2);
    // Half a deck left: the count doubles.
    EXPECT_DOUBLE_EQ(TrueCount(3, 26), 6.0);
    // Negative counts round toward minus infinity, exact ones stay where they are.
    EXPECT_EQ(WholeTrueCount(TrueCount(-1, 104)), -1);
    EXPECT_EQ(WholeTrueCount(TrueCount(-4, 104)), -2);
    EXPECT_EQ(WholeTrueCount(TrueCount(0, 104)), 0);
    EXPECT_EQ(WholeTrueCount(TrueCount(9, 156)), 3);
    EXPECT_EQ(WholeTrueCount(0.1 * 3 * 10), 3);
    // The last quarter deck divides by a quarter deck; an empty shoe gives a finite figure.
    EXPECT_DOUBLE_EQ(TrueCount(2, 5), 8.0);
    EXPECT_DOUBLE_EQ(TrueCount(2, 0), 8.0);
}

TEST(CountingSystems, ShoeCountFollowsTheCardsAsDealt) {
    using namespace testing;
    Game g;
    g.Options.Rules.Decks = 1;
    // Hand-worked: A, 5, K, 7, 9, 4 under each system.
    StackShoe(g, {Ace, 5, King, 7, 9, 4});
    for (auto& hand : g.Hands) hand.Finished = true;
    for (int i = 0; i < 6; ++i) DealCard(g, 1 + i % 2);
    const std::vector<std::pair<CountingSystemId, int>> expected{
        {CountingSystemId::HiLo, 0},     // -1 +1 -1 0 0 +1
        {CountingSystemId::KnockOut, 1}, // -1 +1 -1 +1 0 +1
        {CountingSystemId::HiOptI, 1},  // 0 +1 -1 0 0 +1
        {CountingSystemId::HiOptII, 3}, // 0 +2 -2 +1 0 +2
        {CountingSystemId::OmegaII, 2}, // 0 +2 -2 +1 -1 +2
        {CountingSystemId::Zen, 2},     // -1 +2 -2 +1 0 +2
    };
    for (const auto& [id, running] : expected) {
        const ShoeCount count = CountOfShoe(g, CountingSystemOf(id));
        EXPECT_EQ(count.Running, running) << CountingSystemOf(id).Name;
        EXPECT_EQ(count.CardsLeft, 52 - 6);
        EXPECT_DOUBLE_EQ(count.True, running / (46.0 / 52.0));
    }
}

TEST(CountingSystems, GameTagsAgreeWithTheGamesOwnRunningCountOverARealShoe) {
    Game g;
    g.FixedSeed = 11;
    g.Options.Rules.Decks = 6;
    BuildShoe(g);
    const CountingSystem& hiLo = CountingSystemOf(CountingSystemId::HiLo);
    CountKeeper keeper(hiLo, 6);
    for (int i = 0; i < 250; ++i) {
        for (auto& hand : g.Hands) hand = THand{};
        for (auto& hand : g.Hands) hand.Finished = true;
        const int position = g.Shoe.CardsDealt;
        DealCard(g, 1);
        keeper.Count(g.Shoe.At(position).Value);
        ASSERT_EQ(CountOfShoe(g, hiLo).Running, g.RunningCount) << "after card " << i + 1;
        ASSERT_EQ(keeper.Running(), g.RunningCount);
        ASSERT_EQ(keeper.CardsLeft(), g.Shoe.ShoeSize - g.Shoe.CardsDealt);
    }
}

} // namespace
} // namespace zvx
