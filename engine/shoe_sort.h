#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zvx {

// Shuffle keys are random numbers below 65000, ordered by their decimal texts compared character by
// character ("10000" < "650" < "9"). KeyTextRank maps a key to its place in that order, so that comparing
// ranks as integers gives exactly the comparisons of the texts.
inline constexpr std::uint32_t ShuffleKeyRange = 65000;
// The table of ranks, indexed by key.
const std::uint16_t* KeyTextRanks();
inline std::uint16_t KeyTextRank(std::uint32_t key) { return KeyTextRanks()[key]; }

// One shoe entry while sorting: the key's text rank in the high half, the card's index in the low half.
constexpr std::uint32_t PackEntry(std::uint16_t rank, std::uint16_t card) {
    return static_cast<std::uint32_t>(rank) << 16 | card;
}
constexpr std::uint16_t EntryCard(std::uint32_t entry) { return static_cast<std::uint16_t>(entry & 0xFFFF); }
constexpr std::uint16_t EntryRank(std::uint32_t entry) { return static_cast<std::uint16_t>(entry >> 16); }

// The shoe's quicksort: the order it leaves equal keys in is part of the game, so this is the one that
// decides the exact card order.
void QuickSortEntries(std::span<std::uint32_t> entries);

// The ranks that two or more entries share while their cards differ in value: only there can the order the
// quicksort leaves equal keys in change play. Past Capacity every rank counts as tied.
struct ValueTies {
    static constexpr int Capacity = 8;
    std::array<std::uint16_t, Capacity> Ranks{};
    int Count = 0;

    bool Any() const { return Count > 0; }
    void Add(std::uint16_t rank);
    // Whether a tied rank lies in lo..hi (inclusive).
    bool AnyWithin(std::uint16_t lo, std::uint16_t hi) const;
};

// A stable radix sort by rank of `entries` into `sorted` (same size, at most MaxRadixEntries). It orders
// distinct keys exactly as the quicksort does; among equal keys the two may differ. `values` gives the card
// value of each card index; the result lists the ranks where the difference would change play.
inline constexpr std::size_t MaxRadixEntries = 1024;
// When `cards` is given, the sorted entries' card indexes are written there as well.
ValueTies BucketSortEntries(std::span<const std::uint32_t> entries, std::span<std::uint32_t> sorted,
                            const std::uint8_t* values, std::uint16_t* cards = nullptr);

// Sorts up to MaxVectorSortEntries entries into `out` by the whole entry (rank, then card index) with the
// processor's 512-bit vectors, writing the card indexes to `cards` as well. Returns false, doing nothing,
// when the processor has no such vectors or there are more entries.
inline constexpr std::size_t MaxVectorSortEntries = 128;
bool SortByRankWithVectors(const std::uint32_t* in, std::size_t n, std::uint32_t* out, std::uint16_t* cards);

// The stop lists of a quicksort partition of e[l..r], found with 512-bit vectors: the places of the
// entries >= pivotLow in rising order, then those <= pivotHigh in falling order. Returns false, doing
// nothing, when the processor has no such vectors.
bool ListStopsWithVectors(const std::uint32_t* e, int l, int r, std::uint32_t pivotLow, std::uint32_t pivotHigh,
                          std::int32_t* up, int& ups, std::int32_t* down, int& downs);

// Puts the entries of the tied ranks where the quicksort puts them, so that `sorted` (the BucketSortEntries
// result for `entries`) then holds the quicksort's card values at every position. `entries` is used as
// scratch.
void SettleValueTies(std::span<std::uint32_t> entries, std::span<std::uint32_t> sorted, const ValueTies& ties);

} // namespace zvx
