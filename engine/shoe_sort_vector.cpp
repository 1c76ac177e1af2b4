#include "engine/shoe_sort.h"

#if defined(__GNUC__) && defined(__x86_64__)
// GCC's own vector headers set off its uninitialized-value warnings.
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#define ZVX_VECTOR_SORT 1
#endif

namespace zvx {

#ifdef ZVX_VECTOR_SORT

namespace {

// The lanes of a 16-lane register whose index has bit `bit` (1, 2, 4 or 8) clear.
constexpr __mmask16 LanesWithBitClear(int bit) {
    return bit == 1 ? 0x5555 : bit == 2 ? 0x3333 : bit == 4 ? 0x0F0F : 0x00FF;
}

// One step (k, j) of a bitonic sorting network over 128 entries held in eight registers of sixteen. Entry i
// meets entry i ^ j; the lower of the two keeps the smaller when bit k of i is clear, the larger otherwise.
template <int K, int J>
__attribute__((target("avx512f"), always_inline)) inline void BitonicStep(__m512i (&v)[8]) {
    if constexpr (J >= 16) {
        // Partners in different registers: a register r meets r | (J / 16).
        constexpr int Step = J / 16;
#pragma GCC unroll 8
        for (int r = 0; r < 8; ++r) {
            if ((r & Step) != 0) continue;
            const __m512i low = _mm512_min_epu32(v[r], v[r | Step]);
            const __m512i high = _mm512_max_epu32(v[r], v[r | Step]);
            const bool ascending = ((r * 16) & K) == 0;
            v[r] = ascending ? low : high;
            v[r | Step] = ascending ? high : low;
        }
    } else {
        // Partners within a register: lane l meets lane l ^ J, brought alongside by the cheapest shuffle.
        constexpr __mmask16 Lower = LanesWithBitClear(J);
#pragma GCC unroll 8
        for (int r = 0; r < 8; ++r) {
            const __mmask16 ascending =
                K <= 8 ? LanesWithBitClear(K) : (((r * 16) & K) == 0 ? __mmask16{0xFFFF} : __mmask16{0});
            // Lanes that keep the smaller entry: a lower lane going up, an upper lane going down.
            const auto keepLow = static_cast<__mmask16>(~(Lower ^ ascending));
            __m512i other;
            if constexpr (J == 1) other = _mm512_shuffle_epi32(v[r], _MM_PERM_CDAB);
            else if constexpr (J == 2) other = _mm512_shuffle_epi32(v[r], _MM_PERM_BADC);
            else if constexpr (J == 4) other = _mm512_shuffle_i32x4(v[r], v[r], _MM_SHUFFLE(2, 3, 0, 1));
            else other = _mm512_shuffle_i32x4(v[r], v[r], _MM_SHUFFLE(1, 0, 3, 2));
            v[r] = _mm512_mask_min_epu32(_mm512_max_epu32(v[r], other), keepLow, v[r], other);
        }
    }
}

// The steps j = K/2, K/4, ..., 1 that merge runs of K.
template <int K, int J = K / 2>
__attribute__((target("avx512f"), always_inline)) inline void BitonicMerge(__m512i (&v)[8]) {
    BitonicStep<K, J>(v);
    if constexpr (J > 1) BitonicMerge<K, J / 2>(v);
}

// The whole network: runs of 2, 4, ..., 128. Entries are unique (each carries its own card index), so the
// result is the one sorted order.
__attribute__((target("avx512f"))) void BitonicSort128(__m512i (&v)[8]) {
    BitonicMerge<2>(v);
    BitonicMerge<4>(v);
    BitonicMerge<8>(v);
    BitonicMerge<16>(v);
    BitonicMerge<32>(v);
    BitonicMerge<64>(v);
    BitonicMerge<128>(v);
}

__attribute__((target("avx512f"))) void SortUpTo128(const std::uint32_t* in, std::size_t n, std::uint32_t* out,
                                                  std::uint16_t* cards) {
    // The registers the entries fill; places past them hold the greatest entry, so they sort to the end.
    const std::size_t used = (n + 15) / 16;
    auto lanes = [n](std::size_t r) {
        const std::size_t count = n - 16 * r < 16 ? n - 16 * r : 16;
        return static_cast<__mmask16>((1u << count) - 1u);
    };
    const __m512i none = _mm512_set1_epi32(-1);
    __m512i v[8];
#pragma GCC unroll 8
    for (std::size_t r = 0; r < 8; ++r) v[r] = r < used ? _mm512_mask_loadu_epi32(none, lanes(r), in + 16 * r) : none;
    BitonicSort128(v);
    for (std::size_t r = 0; r < used; ++r) {
        _mm512_mask_storeu_epi32(out + 16 * r, lanes(r), v[r]);
        // The card index is the low half of each entry.
        _mm512_mask_cvtepi32_storeu_epi16(cards + 16 * r, lanes(r), v[r]);
    }
}

// The stop lists of a partition (see Partition in shoe_sort.cpp), sixteen entries at a time: the upward
// scan's stops in rising order, the downward scan's in falling order.
__attribute__((target("avx512f,popcnt"))) void ListStops(const std::uint32_t* e, int l, int r,
                                                        std::uint32_t pivotLow, std::uint32_t pivotHigh,
                                                        std::int32_t* up, int& ups, std::int32_t* down,
                                                        int& downs) {
    const __m512i lane = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m512i low = _mm512_set1_epi32(static_cast<int>(pivotLow));
    const __m512i high = _mm512_set1_epi32(static_cast<int>(pivotHigh));
    ups = 0;
    for (int first = l; first <= r; first += 16) {
        const int count = r - first + 1 < 16 ? r - first + 1 : 16;
        const auto valid = static_cast<__mmask16>((1u << count) - 1u);
        const __m512i v = _mm512_maskz_loadu_epi32(valid, e + first);
        const __mmask16 stops = _mm512_mask_cmpge_epu32_mask(valid, v, low);
        _mm512_mask_compressstoreu_epi32(up + ups, stops, _mm512_add_epi32(lane, _mm512_set1_epi32(first)));
        ups += __builtin_popcount(stops);
    }
    downs = 0;
    for (int last = r; last >= l; last -= 16) {
        const int count = last - l + 1 < 16 ? last - l + 1 : 16;
        const auto valid = static_cast<__mmask16>((1u << count) - 1u);
        // Lane k takes entry last - k.
        const __m512i block = _mm512_maskz_loadu_epi32(valid, e + last - count + 1);
        const __m512i v = _mm512_permutexvar_epi32(_mm512_sub_epi32(_mm512_set1_epi32(count - 1), lane), block);
        const __mmask16 stops = _mm512_mask_cmple_epu32_mask(valid, v, high);
        _mm512_mask_compressstoreu_epi32(down + downs, stops, _mm512_sub_epi32(_mm512_set1_epi32(last), lane));
        downs += __builtin_popcount(stops);
    }
}

bool HasVectorSort() {
    static const bool has = __builtin_cpu_supports("avx512f");
    return has;
}

} // namespace

bool SortByRankWithVectors(const std::uint32_t* in, std::size_t n, std::uint32_t* out, std::uint16_t* cards) {
    if (n > MaxVectorSortEntries || !HasVectorSort()) return false;
    SortUpTo128(in, n, out, cards);
    return true;
}

bool ListStopsWithVectors(const std::uint32_t* e, int l, int r, std::uint32_t pivotLow, std::uint32_t pivotHigh,
                          std::int32_t* up, int& ups, std::int32_t* down, int& downs) {
    if (!HasVectorSort()) return false;
    ListStops(e, l, r, pivotLow, pivotHigh, up, ups, down, downs);
    return true;
}

#else

bool ListStopsWithVectors(const std::uint32_t*, int, int, std::uint32_t, std::uint32_t, std::int32_t*, int&,
                          std::int32_t*, int&) {
    return false;
}

bool SortByRankWithVectors(const std::uint32_t*, std::size_t, std::uint32_t*, std::uint16_t*) { return false; }

#endif

} // namespace zvx
