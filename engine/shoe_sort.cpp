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

bool BucketSortEntries(std::span<const std::uint32_t> entries, std::span<std::uint32_t> sorted,
                       const std::uint8_t* values) {
    const std::uint32_t n = static_cast<std::uint32_t>(entries.size());
    const std::uint32_t* const in = entries.data();
    std::uint32_t* const out = sorted.data();
    // About one bucket per entry: the buckets split the ranks by their top bits, and the few entries that
    // share a bucket are put in order by a stable insertion pass over the nearly sorted result.
    int bits = 4;
    while (bits < 12 && (1u << bits) < n) ++bits;
    const int shift = 32 - bits;
    const std::uint32_t buckets = 1u << bits;
    std::array<std::uint16_t, 4096> start;
    std::fill_n(start.begin(), buckets, std::uint16_t{0});
    for (std::uint32_t i = 0; i < n; ++i) ++start[in[i] >> shift];
    std::uint16_t sum = 0;
    for (std::uint32_t b = 0; b < buckets; ++b) {
        const std::uint16_t c = start[b];
        start[b] = sum;
        sum = static_cast<std::uint16_t>(sum + c);
    }
    for (std::uint32_t i = 0; i < n; ++i) out[start[in[i] >> shift]++] = in[i];

    bool exact = true;
    for (std::uint32_t i = 1; i < n; ++i) {
        const std::uint32_t x = out[i];
        std::uint32_t j = i;
        // Entries compare by rank alone (the high half), which keeps equal keys in their bucket order.
        while (j > 0 && (out[j - 1] >> 16) > (x >> 16)) {
            out[j] = out[j - 1];
            --j;
        }
        out[j] = x;
        if (j > 0 && (out[j - 1] >> 16) == (x >> 16) && values[EntryCard(out[j - 1])] != values[EntryCard(x)])
            exact = false;
    }
    return exact;
}

} // namespace zvx
