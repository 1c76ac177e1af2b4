#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "cards/card.h"
#include "engine/shoe_sort.h"
#include "tests/text_key_sort.h"

namespace zvx {
namespace {

using testing::KeyedCard;
using testing::TextKeyQuickSort;

struct Lcg {
    std::uint32_t state;
    std::uint32_t Below(std::uint32_t n) {
        state = state * 134775813u + 1u;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(state) * n) >> 32);
    }
};

TEST(ShoeSort, RanksFollowTheDecimalTexts) {
    EXPECT_LT(KeyTextRank(10000), KeyTextRank(650));
    EXPECT_LT(KeyTextRank(650), KeyTextRank(9));
    EXPECT_LT(KeyTextRank(0), KeyTextRank(1));
    EXPECT_LT(KeyTextRank(1), KeyTextRank(10));
    EXPECT_LT(KeyTextRank(64999), KeyTextRank(65));
    EXPECT_EQ(KeyTextRank(0), 0);
    EXPECT_EQ(KeyTextRank(9999), ShuffleKeyRange - 1);
    for (std::uint32_t k = 0; k + 1 < ShuffleKeyRange; k += 7) {
        const std::uint32_t other = (k * 7919u) % ShuffleKeyRange;
        EXPECT_EQ(std::to_string(k) < std::to_string(other), KeyTextRank(k) < KeyTextRank(other)) << k << " " << other;
    }
}

// The text quicksort's card values for keys drawn below keyRange, against the fast sorts: the rank quicksort
// gives its exact card order, the radix sort with its ties settled gives its card values, using every card
// once. Returns how many shuffles had ties to settle.
int CompareWithTextSort(int decks, std::uint32_t keyRange, std::uint32_t seeds) {
    int tied = 0;
    const int n = decks * 52;
    std::vector<std::uint8_t> values(static_cast<std::size_t>(n));
    for (int c = 0; c < n; ++c) values[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(CardValue(c % 52 + 1));
    for (std::uint32_t seed = 0; seed < seeds; ++seed) {
        Lcg rng{seed * 2654435761u};
        std::vector<KeyedCard> text;
        std::vector<std::uint32_t> packed;
        for (int c = 0; c < n; ++c) {
            const std::uint32_t key = rng.Below(keyRange);
            text.push_back({std::to_string(key), c});
            packed.push_back(PackEntry(KeyTextRank(key), static_cast<std::uint16_t>(c)));
        }
        std::vector<std::uint32_t> bucket(packed.size());
        std::vector<std::uint32_t> scratch = packed;
        const ValueTies ties = BucketSortEntries(packed, bucket, values.data());
        SettleValueTies(scratch, bucket, ties);
        TextKeyQuickSort(text, 0, n - 1);
        QuickSortEntries(packed);
        std::vector<bool> used(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            const auto u = static_cast<std::size_t>(i);
            EXPECT_EQ(text[u].card, EntryCard(packed[u])) << "decks " << decks << " seed " << seed << " at " << i;
            EXPECT_EQ(values[static_cast<std::size_t>(text[u].card)], values[EntryCard(bucket[u])])
                << "decks " << decks << " seed " << seed << " at " << i;
            EXPECT_FALSE(used[EntryCard(bucket[u])]) << "card " << EntryCard(bucket[u]) << " twice";
            used[EntryCard(bucket[u])] = true;
            if (::testing::Test::HasFailure()) return tied;
        }
        if (ties.Any()) ++tied;
    }
    return tied;
}

TEST(ShoeSort, FastSortsMatchTheTextQuickSort) {
    int tied = 0;
    for (const int decks : {1, 2, 4, 6, 8}) tied += CompareWithTextSort(decks, ShuffleKeyRange, 300);
    // Both paths must have been exercised for the comparison to mean anything.
    EXPECT_GT(tied, 10);
    EXPECT_LT(tied, 1000);
}

// Keys from a narrow range tie in nearly every shuffle, many ranks at once and often at the pivots, which
// also fills the list of tied ranks past its capacity.
TEST(ShoeSort, ManyEqualKeysAreSettledAsTheTextQuickSortDoes) {
    for (const std::uint32_t range : {3u, 40u, 400u, 5000u})
        for (const int decks : {1, 2, 8}) EXPECT_GT(CompareWithTextSort(decks, range, 40), 0) << range;
}

// Ranges longer than the stop lists fit are partitioned by the scans themselves; the order is the same.
TEST(ShoeSort, LongRangesSortAsTheTextQuickSort) {
    Lcg rng{12345};
    std::vector<KeyedCard> text;
    std::vector<std::uint32_t> packed;
    for (int c = 0; c < 3000; ++c) {
        const std::uint32_t key = rng.Below(c % 2 == 0 ? 700 : ShuffleKeyRange);
        text.push_back({std::to_string(key), c});
        packed.push_back(PackEntry(KeyTextRank(key), static_cast<std::uint16_t>(c)));
    }
    TextKeyQuickSort(text, 0, static_cast<int>(text.size()) - 1);
    QuickSortEntries(packed);
    for (std::size_t i = 0; i < text.size(); ++i) ASSERT_EQ(text[i].card, EntryCard(packed[i])) << i;
}

// The vector sorting network against the standard sort, for every size it takes.
TEST(ShoeSort, VectorSortOrdersWholeEntries) {
    std::vector<std::uint32_t> probe = {PackEntry(1, 0)};
    std::vector<std::uint32_t> out(1);
    std::vector<std::uint16_t> cards(1);
    if (!SortByRankWithVectors(probe.data(), 1, out.data(), cards.data())) GTEST_SKIP() << "no 512-bit vectors";
    Lcg rng{99};
    for (std::size_t n = 0; n <= MaxVectorSortEntries; ++n) {
        for (int round = 0; round < 20; ++round) {
            std::vector<std::uint32_t> in;
            // Narrow key ranges in some rounds, so that equal ranks are common.
            const std::uint32_t range = round % 2 == 0 ? ShuffleKeyRange : 5;
            for (std::size_t c = 0; c < n; ++c) in.push_back(PackEntry(KeyTextRank(rng.Below(range)), static_cast<std::uint16_t>(c)));
            std::vector<std::uint32_t> sorted(n + 1, 0xABCDEF01u);
            std::vector<std::uint16_t> sortedCards(n + 1, 0xABCD);
            ASSERT_TRUE(SortByRankWithVectors(in.data(), n, sorted.data(), sortedCards.data()));
            std::vector<std::uint32_t> expected = in;
            std::sort(expected.begin(), expected.end());
            for (std::size_t i = 0; i < n; ++i) {
                ASSERT_EQ(sorted[i], expected[i]) << "n " << n << " at " << i;
                ASSERT_EQ(sortedCards[i], EntryCard(expected[i])) << "n " << n << " at " << i;
            }
            // Nothing is written past the entries.
            EXPECT_EQ(sorted[n], 0xABCDEF01u);
            EXPECT_EQ(sortedCards[n], 0xABCD);
        }
    }
    EXPECT_FALSE(SortByRankWithVectors(probe.data(), MaxVectorSortEntries + 1, out.data(), cards.data()));
}

TEST(ShoeSort, BucketSortReportsEqualKeysWithDifferentValues) {
    const std::uint8_t values[] = {10, 5, 10, 10};
    std::vector<std::uint32_t> e = {PackEntry(7, 0), PackEntry(7, 1), PackEntry(3, 2)};
    std::vector<std::uint32_t> sorted(3);
    const ValueTies ties = BucketSortEntries(e, sorted, values);
    ASSERT_EQ(ties.Count, 1);
    EXPECT_EQ(ties.Ranks[0], 7);
    // Cards 0 and 2 are both tens: their tie cannot change play.
    std::vector<std::uint32_t> tens = {PackEntry(7, 0), PackEntry(3, 1), PackEntry(7, 2), PackEntry(300, 3)};
    sorted.resize(4);
    EXPECT_FALSE(BucketSortEntries(tens, sorted, values).Any());
    EXPECT_EQ(EntryCard(sorted[0]), 1);
    EXPECT_EQ(EntryCard(sorted[1]), 0);
    EXPECT_EQ(EntryCard(sorted[2]), 2);
    EXPECT_EQ(EntryCard(sorted[3]), 3);
}

TEST(ShoeSort, TiedRanksAreFoundWithinBounds) {
    ValueTies ties;
    EXPECT_FALSE(ties.AnyWithin(0, 0xFFFF));
    ties.Add(50);
    ties.Add(50);
    EXPECT_EQ(ties.Count, 1);
    EXPECT_TRUE(ties.AnyWithin(50, 50));
    EXPECT_TRUE(ties.AnyWithin(0, 60));
    EXPECT_FALSE(ties.AnyWithin(51, 0xFFFF));
    for (std::uint16_t r = 100; r < 100 + ValueTies::Capacity; ++r) ties.Add(r);
    // Past capacity every range counts as tied.
    EXPECT_TRUE(ties.AnyWithin(60, 60));
}

} // namespace
} // namespace zvx
