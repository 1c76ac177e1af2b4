#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "cards/card.h"
#include "engine/shoe_sort.h"

namespace zvx {
namespace {

// The plain version: keys as decimal texts, compared character by character, sorted by the shoe's quicksort.
struct TextEntry {
    std::string key;
    int card;
};

void TextQuickSort(std::vector<TextEntry>& e, int l, int r) {
    int i = 0;
    do {
        i = l;
        int j = r;
        const std::string p = e[static_cast<std::size_t>((l + r) / 2)].key;
        do {
            while (e[static_cast<std::size_t>(i)].key < p) ++i;
            while (e[static_cast<std::size_t>(j)].key > p) --j;
            if (i <= j) {
                std::swap(e[static_cast<std::size_t>(i)], e[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j) TextQuickSort(e, l, j);
        l = i;
    } while (i < r);
}

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

// Sorting by rank gives exactly the card order of the text sort, equal keys included; the bucket sort gives
// the same card values whenever it claims to be exact.
TEST(ShoeSort, FastSortsMatchTheTextQuickSort) {
    int exactShuffles = 0;
    int fallbacks = 0;
    for (const int decks : {1, 2, 6, 8}) {
        const int n = decks * 52;
        std::vector<std::uint8_t> values(static_cast<std::size_t>(n));
        for (int c = 0; c < n; ++c) values[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(CardValue(c % 52 + 1));
        for (std::uint32_t seed = 0; seed < 300; ++seed) {
            Lcg rng{seed * 2654435761u};
            std::vector<TextEntry> text;
            std::vector<std::uint32_t> packed;
            for (int c = 0; c < n; ++c) {
                const std::uint32_t key = rng.Below(ShuffleKeyRange);
                text.push_back({std::to_string(key), c});
                packed.push_back(PackEntry(KeyTextRank(key), static_cast<std::uint16_t>(c)));
            }
            std::vector<std::uint32_t> bucket(packed.size());
            const bool exact = BucketSortEntries(packed, bucket, values.data());
            TextQuickSort(text, 0, n - 1);
            QuickSortEntries(packed);
            for (int i = 0; i < n; ++i) {
                const auto u = static_cast<std::size_t>(i);
                ASSERT_EQ(text[u].card, EntryCard(packed[u])) << "decks " << decks << " seed " << seed << " at " << i;
                if (exact) {
                    ASSERT_EQ(values[static_cast<std::size_t>(text[u].card)], values[EntryCard(bucket[u])]);
                }
                ASSERT_EQ(KeyTextRank(static_cast<std::uint32_t>(std::stoul(text[u].key))), EntryRank(bucket[u]));
            }
            exact ? ++exactShuffles : ++fallbacks;
        }
    }
    // Both paths must have been exercised for the comparison to mean anything.
    EXPECT_GT(exactShuffles, 100);
    EXPECT_GT(fallbacks, 10);
}

TEST(ShoeSort, BucketSortReportsEqualKeysWithDifferentValues) {
    const std::uint8_t values[] = {10, 5, 10};
    std::vector<std::uint32_t> e = {PackEntry(7, 0), PackEntry(7, 1), PackEntry(3, 2)};
    std::vector<std::uint32_t> sorted(3);
    EXPECT_FALSE(BucketSortEntries(e, sorted, values));
    // Cards 0 and 2 are both tens: their tie cannot change play.
    std::vector<std::uint32_t> tens = {PackEntry(7, 0), PackEntry(3, 1), PackEntry(7, 2)};
    EXPECT_TRUE(BucketSortEntries(tens, sorted, values));
    EXPECT_EQ(EntryCard(sorted[0]), 1);
    EXPECT_EQ(EntryCard(sorted[1]), 0);
    EXPECT_EQ(EntryCard(sorted[2]), 2);
}

} // namespace
} // namespace zvx
