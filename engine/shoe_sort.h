#pragma once

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

// A stable bucket sort by rank of `entries` into `sorted` (same size). It orders distinct keys exactly as
// the quicksort does; among equal keys the two may differ. `values` gives the card value of each card index;
// the function returns false when two equal keys carry cards of different values, where the difference
// would change play.
bool BucketSortEntries(std::span<const std::uint32_t> entries, std::span<std::uint32_t> sorted,
                       const std::uint8_t* values);

} // namespace zvx
