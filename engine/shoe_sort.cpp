#include "engine/shoe_sort.h"

#include <algorithm>
#include <array>
#include <string>

namespace zvx {

namespace {

// Base-11 digits of the text padded to five places, a missing character counting below '0'.
// Comparing these numbers compares the texts, and they are distinct for distinct keys.
constexpr std::uint32_t TextOrderNumber(std::uint32_t key) {
    std::array<std::uint32_t, 5> digits{};
    int len = 0;
    std::array<std::uint32_t, 5> reversed{};
    do {
        reversed[static_cast<std::size_t>(len++)] = key % 10;
        key /= 10;
    } while (key != 0);
    for (int i = 0; i < len; ++i) digits[static_cast<std::size_t>(i)] = reversed[static_cast<std::size_t>(len - 1 - i)] + 1;
    std::uint32_t n = 0;
    for (auto d : digits) n = n * 11 + d;
    return n;
}

struct RankTable {
    std::array<std::uint16_t, ShuffleKeyRange> rank{};
    RankTable() {
        std::array<std::uint32_t, ShuffleKeyRange> keys{};
        for (std::uint32_t k = 0; k < ShuffleKeyRange; ++k) keys[k] = k;
        std::sort(keys.begin(), keys.end(),
                  [](std::uint32_t a, std::uint32_t b) { return TextOrderNumber(a) < TextOrderNumber(b); });
        for (std::uint32_t i = 0; i < ShuffleKeyRange; ++i) rank[keys[i]] = static_cast<std::uint16_t>(i);
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

std::uint16_t KeyTextRank(std::uint32_t key) { return Ranks().rank[key]; }

void QuickSortEntries(std::span<std::uint32_t> entries) {
    if (entries.size() > 1) QuickSort(entries.data(), 0, static_cast<int>(entries.size()) - 1);
}

bool RadixSortEntries(std::span<std::uint32_t> entries, std::span<std::uint32_t> scratch,
                      const std::uint8_t* values) {
    const std::size_t n = entries.size();
    std::array<std::uint32_t, 256> low{};
    std::array<std::uint32_t, 256> high{};
    for (const std::uint32_t e : entries) {
        ++low[(e >> 16) & 0xFF];
        ++high[e >> 24];
    }
    std::uint32_t sumLow = 0;
    std::uint32_t sumHigh = 0;
    for (std::size_t b = 0; b < 256; ++b) {
        const std::uint32_t l = low[b];
        const std::uint32_t h = high[b];
        low[b] = sumLow;
        high[b] = sumHigh;
        sumLow += l;
        sumHigh += h;
    }
    for (std::size_t i = 0; i < n; ++i) scratch[low[(entries[i] >> 16) & 0xFF]++] = entries[i];
    for (std::size_t i = 0; i < n; ++i) entries[high[scratch[i] >> 24]++] = scratch[i];

    bool exact = true;
    for (std::size_t i = 1; i < n; ++i) {
        const std::uint32_t a = entries[i - 1];
        const std::uint32_t b = entries[i];
        exact &= !(EntryRank(a) == EntryRank(b) && values[EntryCard(a)] != values[EntryCard(b)]);
    }
    return exact;
}

} // namespace zvx
