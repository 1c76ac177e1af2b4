#include "engine/shoe_sort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// The partition step of the shoe's quicksort. Comparing whole entries against the pivot's rank with the card
// bits all 0 (for <) or all 1 (for >) compares the ranks alone, as the keys are compared. On return [l, j]
// holds ranks <= the pivot's, [i, r] ranks >= it.
void ScanPartition(std::uint32_t* e, int l, int r, std::uint32_t pivotLow, int& i, int& j) {
    const std::uint32_t pivotHigh = pivotLow | 0xFFFFu;
    i = l;
    j = r;
    do {
        while (e[i] < pivotLow) ++i;
        while (e[j] > pivotHigh) --j;
        if (i <= j) {
            std::swap(e[i], e[j]);
            ++i;
            --j;
        }
    } while (i <= j);
}

// The same partition, with the same swaps and the same i and j, but with no branch that follows the keys:
// the scans' stops are listed first. The upward scan stops at ranks >= the pivot's, the downward one at
// ranks <= it. Between the two latest stops nothing has been swapped yet, so the next stop listed there is
// the one the scan finds; past them the scan meets an entry just swapped in, which stops it. That entry is
// the other scan's latest stop.
std::uint16_t Partition(std::uint32_t* e, int l, int r, int& i, int& j) {
    const std::uint32_t pivotLow = e[(l + r) >> 1] & 0xFFFF0000u;
    const std::uint32_t pivotHigh = pivotLow | 0xFFFFu;
    const auto pivot = static_cast<std::uint16_t>(pivotLow >> 16);
    if (r - l + 1 > static_cast<int>(MaxRadixEntries)) {
        ScanPartition(e, l, r, pivotLow, i, j);
        return pivot;
    }
    std::array<std::int32_t, MaxRadixEntries> up;
    std::array<std::int32_t, MaxRadixEntries> down;
    int ups = 0;
    int downs = 0;
    // Short ranges are listed one entry at a time: there the vectors would cost more than they save.
    if (r - l < 24 || !ListStopsWithVectors(e, l, r, pivotLow, pivotHigh, up.data(), ups, down.data(), downs)) {
        for (int k = l; k <= r; ++k) {
            up[static_cast<std::size_t>(ups)] = k;
            ups += e[k] >= pivotLow;
        }
        for (int k = r; k >= l; --k) {
            down[static_cast<std::size_t>(downs)] = k;
            downs += e[k] <= pivotHigh;
        }
    }
    // The pivot's own entry is on both lists, so neither is empty.
    i = up[0];
    j = down[0];
    for (int k = 1; i <= j; ++k) {
        std::swap(e[i], e[j]);
        if (i + 1 > j - 1) {
            // The scans do not run again.
            ++i;
            --j;
            break;
        }
        const int nextI = k < ups ? std::min<int>(up[static_cast<std::size_t>(k)], j) : j;
        const int nextJ = k < downs ? std::max<int>(down[static_cast<std::size_t>(k)], i) : i;
        i = nextI;
        j = nextJ;
    }
    return pivot;
}

void QuickSort(std::uint32_t* e, int l, int r) {
    int i = 0;
    do {
        int j = 0;
        Partition(e, l, r, i, j);
        if (l < j) QuickSort(e, l, j);
        l = i;
    } while (i < r);
}

// QuickSort, except that a range whose ranks (all within lo..hi) include no tied rank is left unsorted. Each
// step of the quicksort moves entries only within its own range and depends on nothing outside it, so the
// ranges still sorted see exactly the steps they see in QuickSort; and an entry of a tied rank only ever lies
// in ranges whose bounds include its rank, so it reaches the very place QuickSort gives it.
void QuickSortTies(std::uint32_t* e, int l, int r, std::uint16_t lo, std::uint16_t hi, const ValueTies& ties) {
    int i = 0;
    do {
        if (!ties.AnyWithin(lo, hi)) return;
        int j = 0;
        const std::uint16_t pivot = Partition(e, l, r, i, j);
        if (l < j) QuickSortTies(e, l, j, lo, pivot, ties);
        l = i;
        lo = pivot;
    } while (i < r);
}

} // namespace

void ValueTies::Add(std::uint16_t rank) {
    // A group of three or more equal keys may report its rank twice in a row.
    if (Count > 0 && Count <= Capacity && Ranks[static_cast<std::size_t>(Count - 1)] == rank) return;
    if (Count < Capacity) Ranks[static_cast<std::size_t>(Count)] = rank;
    ++Count;
}

bool ValueTies::AnyWithin(std::uint16_t lo, std::uint16_t hi) const {
    if (Count > Capacity) return true;
    for (int k = 0; k < Count; ++k) {
        const std::uint16_t rank = Ranks[static_cast<std::size_t>(k)];
        if (rank >= lo && rank <= hi) return true;
    }
    return false;
}

const std::uint16_t* KeyTextRanks() { return Ranks().rank.data(); }

void QuickSortEntries(std::span<std::uint32_t> entries) {
    if (entries.size() > 1) QuickSort(entries.data(), 0, static_cast<int>(entries.size()) - 1);
}

namespace {

// The place of each byte value's first entry, from the counts: the running sums before each count. With
// fewer than 256 entries every sum fits in a byte, and eight sums at once come from one multiplication:
// times 0x0101...01, byte k of a little-endian word holds the sum of bytes 0..k, and no byte carries.
void RunningSumsOfByteCounts(std::array<std::uint8_t, 256>& counts) {
    constexpr std::uint64_t Ones = 0x0101010101010101u;
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t before = 0;
        for (std::size_t w = 0; w < counts.size(); w += 8) {
            std::uint64_t x;
            std::memcpy(&x, counts.data() + w, sizeof x);
            const std::uint64_t through = x * Ones;
            const std::uint64_t sums = through - x + before * Ones;
            std::memcpy(counts.data() + w, &sums, sizeof sums);
            before += through >> 56;
        }
    } else {
        std::uint8_t sum = 0;
        for (std::uint8_t& c : counts) {
            const std::uint8_t count = c;
            c = sum;
            sum = static_cast<std::uint8_t>(sum + count);
        }
    }
}

// Whether two neighbours of the sorted entries have equal ranks.
bool AnyEqualNeighbours(const std::uint32_t* out, std::size_t n) {
    std::size_t i = 1;
#ifdef __SSE2__
    // Four neighbours at a time: the rank bits of an entry and of the next, compared as whole words.
    __m128i equal = _mm_setzero_si128();
    for (; i + 4 <= n; i += 4) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out + i - 1));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out + i));
        equal = _mm_or_si128(equal, _mm_cmpeq_epi32(_mm_srli_epi32(a, 16), _mm_srli_epi32(b, 16)));
    }
    if (_mm_movemask_epi8(equal) != 0) return true;
#endif
    std::uint32_t found = 0;
    for (; i < n; ++i) found |= static_cast<std::uint32_t>((out[i - 1] ^ out[i]) < 0x10000u);
    return found != 0;
}

// Two stable counting passes, by the low and then the high byte of the rank: no step depends on how the
// keys compare, so nothing is left to branch prediction.
void RadixSortByRank(const std::uint32_t* in, std::size_t n, std::uint32_t* out, std::uint16_t* cards) {
    std::array<std::uint32_t, MaxRadixEntries> middle;
    if (n < 256) {
        // The shoes of one to four decks: counts of a byte each.
        std::array<std::uint8_t, 256> low{};
        std::array<std::uint8_t, 256> high{};
        for (std::size_t i = 0; i < n; ++i) {
            ++low[(in[i] >> 16) & 0xFF];
            ++high[in[i] >> 24];
        }
        RunningSumsOfByteCounts(low);
        RunningSumsOfByteCounts(high);
        for (std::size_t i = 0; i < n; ++i) middle[low[(in[i] >> 16) & 0xFF]++] = in[i];
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint8_t place = high[middle[i] >> 24]++;
            out[place] = middle[i];
            cards[place] = EntryCard(middle[i]);
        }
        return;
    }
    // The counts of both passes share one word per byte value, the low pass's in the low half: no sum exceeds
    // n < 65536, so one running sum adds both halves without a carry between them.
    std::array<std::uint32_t, 256> counts{};
    for (std::size_t i = 0; i < n; ++i) {
        counts[(in[i] >> 16) & 0xFF] += 1;
        counts[in[i] >> 24] += 0x10000;
    }
    std::uint32_t sum = 0;
    for (std::uint32_t& c : counts) {
        const std::uint32_t count = c;
        c = sum;
        sum += count;
    }
    // Each pass then takes its next place from its own half, which again never carries into the other.
    for (std::size_t i = 0; i < n; ++i) middle[counts[(in[i] >> 16) & 0xFF]++ & 0xFFFF] = in[i];
    for (std::size_t i = 0; i < n; ++i) {
        std::uint32_t& place = counts[middle[i] >> 24];
        out[place >> 16] = middle[i];
        cards[place >> 16] = EntryCard(middle[i]);
        place += 0x10000;
    }
}

} // namespace

ValueTies BucketSortEntries(std::span<const std::uint32_t> entries, std::span<std::uint32_t> sorted,
                            const std::uint8_t* values, std::uint16_t* cards) {
    const std::size_t n = entries.size();
    std::uint32_t* const out = sorted.data();
    std::array<std::uint16_t, MaxRadixEntries> unused;
    std::uint16_t* const cardsOut = cards != nullptr ? cards : unused.data();
    // Up to two decks fit the vector sorting network, which orders equal ranks by card index rather than as
    // they came; both differ from the quicksort only among equal keys.
    if (!SortByRankWithVectors(entries.data(), n, out, cardsOut)) RadixSortByRank(entries.data(), n, out, cardsOut);

    // Equal keys sit side by side now; a group of them with more than one value has two neighbours that differ.
    // Equal neighbours are rare (a few shuffles in a hundred have any), so they are looked for without a
    // branch, and only a shuffle that has them is searched for ties.
    ValueTies ties;
    if (!AnyEqualNeighbours(out, n)) return ties;
    for (std::size_t i = 1; i < n; ++i) {
        if ((out[i - 1] >> 16) == (out[i] >> 16) && values[EntryCard(out[i - 1])] != values[EntryCard(out[i])])
            ties.Add(EntryRank(out[i]));
    }
    return ties;
}

void SettleValueTies(std::span<std::uint32_t> entries, std::span<std::uint32_t> sorted, const ValueTies& ties) {
    const std::size_t n = entries.size();
    if (!ties.Any() || n < 2) return;
    QuickSortTies(entries.data(), 0, static_cast<int>(n) - 1, 0, 0xFFFF, ties);
    // Both arrays hold the same ranks position by position (each is sorted), so the block of a tied rank is
    // the same in both: there the quicksort's order replaces the radix sort's; everywhere else the radix
    // sort's entries stand, which leaves every card in the result exactly once.
    if (ties.Count > ValueTies::Capacity) {
        std::copy(entries.begin(), entries.end(), sorted.begin());
        return;
    }
    for (int k = 0; k < ties.Count; ++k) {
        const std::uint32_t rank = ties.Ranks[static_cast<std::size_t>(k)];
        auto at = static_cast<std::size_t>(std::lower_bound(sorted.begin(), sorted.end(), rank << 16) - sorted.begin());
        for (; at < n && EntryRank(sorted[at]) == rank; ++at) sorted[at] = entries[at];
    }
}

} // namespace zvx
