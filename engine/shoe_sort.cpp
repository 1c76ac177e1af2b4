#include "engine/shoe_sort.h"

#include <algorithm>
#include <array>

namespace zvx {

namespace {

// Visiting the numbers depth first, each followed by its ten one-digit extensions, lists their decimal
// texts in character order: "0", "1", "10", "100", "1000", "10000", "10001", ..., "9", "90", ...
struct RankTable {
    std::array<std::uint16_t, ShuffleKeyRange> rank{};
    std::uint16_t next = 0;
    void Visit(std::uint32_t key) {
        rank[key] = next++;
        for (std::uint32_t d = 0; d < 10; ++d) {
            const std::uint32_t child = key * 10 + d;
            if (child >= ShuffleKeyRange) break;
            Visit(child);
        }
    }
    RankTable() {
        rank[0] = next++;
        for (std::uint32_t first = 1; first <= 9; ++first) Visit(first);
    }
};

const RankTable& Ranks() {
    static const RankTable table;
    return table;
}

void QuickSort(std::uint32_t* e, int l, int r) {
    int i = 0;
    do {
        i = l;
        int j = r;
        // Comparing whole entries against the pivot's rank with the card bits all 0 (for <) or all 1 (for >)
        // compares the ranks alone, as the keys are compared.
        const std::uint32_t pivotLow = e[(l + r) >> 1] & 0xFFFF0000u;
        const std::uint32_t pivotHigh = pivotLow | 0xFFFFu;
        do {
            while (e[i] < pivotLow) ++i;
            while (e[j] > pivotHigh) --j;
            if (i <= j) {
                std::swap(e[i], e[j]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j) QuickSort(e, l, j);
        l = i;
    } while (i < r);
}

} // namespace

const std::uint16_t* KeyTextRanks() { return Ranks().rank.data(); }

void QuickSortEntries(std::span<std::uint32_t> entries) {
    if (entries.size() > 1) QuickSort(entries.data(), 0, static_cast<int>(entries.size()) - 1);
}

bool BucketSortEntries(std::span<std::uint32_t> entries, std::span<std::uint32_t> scratch,
                       const std::uint8_t* values) {
    const std::size_t n = entries.size();
    // About one bucket per entry: the buckets split the ranks by their top bits, and the few entries that
    // share a bucket are put in order by a stable insertion pass over the nearly sorted result.
    int bits = 4;
    while (bits < 12 && (std::size_t{1} << bits) < n) ++bits;
    const int shift = 32 - bits;
    std::array<std::uint16_t, 4096> start{};
    for (std::size_t i = 0; i < n; ++i) ++start[entries[i] >> shift];
    std::uint16_t sum = 0;
    for (std::size_t b = 0; b < (std::size_t{1} << bits); ++b) {
        const std::uint16_t c = start[b];
        start[b] = sum;
        sum = static_cast<std::uint16_t>(sum + c);
    }
    for (std::size_t i = 0; i < n; ++i) scratch[start[entries[i] >> shift]++] = entries[i];

    bool exact = true;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t x = scratch[i];
        std::size_t j = i;
        while (j > 0 && EntryRank(entries[j - 1]) > EntryRank(x)) {
            entries[j] = entries[j - 1];
            --j;
        }
        entries[j] = x;
        if (j > 0 && EntryRank(entries[j - 1]) == EntryRank(x) && values[EntryCard(entries[j - 1])] != values[EntryCard(x)])
            exact = false;
    }
    return exact;
}

} // namespace zvx
