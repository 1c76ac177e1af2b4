#pragma once

#include <cctype>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zvx::testing {

// The shuffle's sort written out plainly, as the reference the fast versions are held against: keys are
// decimal texts compared character by character ignoring case, sorted by the shoe's quicksort.
struct KeyedCard {
    std::string key;
    int card;
};

inline bool TextLess(const std::string& a, const std::string& b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb;
    }
    return a.size() < b.size();
}

inline void TextKeyQuickSort(std::vector<KeyedCard>& e, int l, int r) {
    int i = 0;
    do {
        i = l;
        int j = r;
        const std::string p = e[static_cast<std::size_t>((l + r) / 2)].key;
        do {
            while (TextLess(e[static_cast<std::size_t>(i)].key, p)) ++i;
            while (TextLess(p, e[static_cast<std::size_t>(j)].key)) --j;
            if (i <= j) {
                std::swap(e[static_cast<std::size_t>(i)], e[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j) TextKeyQuickSort(e, l, j);
        l = i;
    } while (i < r);
}

} // namespace zvx::testing
