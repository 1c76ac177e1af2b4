#include "exact/split_patterns.h"

#include <array>

namespace zvx {

namespace {

// The player's places 1..4; a split opens the first free one of 3, 4, 2, and play goes to the first open
// one of 2, 1, 4, 3 (as the round flow does).
constexpr std::array<int, 3> SplitTargets = {3, 4, 2};
constexpr std::array<int, 4> PlayOrder = {2, 1, 4, 3};

struct Places {
    std::array<bool, 5> Used{};
    std::array<bool, 5> Open{};
    std::array<bool, 5> Paired{}; // the second card pairs the hand
    int Hands = 0;
    int Pairs = 0;
    int Unpaired = 0;
    int PairedLeft = 0;
};

void Grow(Places p, int maxHands, std::vector<SplitPattern>& out) {
    int active = 0;
    for (const int slot : PlayOrder)
        if (p.Open[static_cast<std::size_t>(slot)]) {
            active = slot;
            break;
        }
    if (active == 0) {
        for (auto& pattern : out)
            if (pattern.Pairs == p.Pairs && pattern.Unpaired == p.Unpaired &&
                pattern.Paired == p.PairedLeft) {
                pattern.Orders += 1;
                return;
            }
        out.push_back({p.Pairs, p.Unpaired, p.PairedLeft, 1});
        return;
    }
    const auto a = static_cast<std::size_t>(active);
    if (p.Paired[a] && p.Hands < maxHands) {
        int to = 0;
        for (const int slot : SplitTargets)
            if (!p.Used[static_cast<std::size_t>(slot)]) {
                to = slot;
                break;
            }
        const auto t = static_cast<std::size_t>(to);
        p.Used[t] = p.Open[t] = true;
        ++p.Hands;
        // The pair card moved to the new hand; each hand now draws a second card, paired or not.
        for (const bool first : {true, false})
            for (const bool second : {true, false}) {
                Places q = p;
                q.Paired[a] = first;
                q.Paired[t] = second;
                q.Pairs += int{first} + int{second};
                Grow(q, maxHands, out);
            }
        return;
    }
    p.Open[a] = false;
    if (p.Paired[a])
        ++p.PairedLeft;
    else
        ++p.Unpaired;
    Grow(p, maxHands, out);
}

} // namespace

std::vector<SplitPattern> SplitPatterns(int maxHands) {
    std::vector<SplitPattern> out;
    // The first split: the hand in place 1 and the new one in place 3, each with a second card.
    for (const bool first : {true, false})
        for (const bool second : {true, false}) {
            Places p;
            p.Used[1] = p.Open[1] = p.Used[3] = p.Open[3] = true;
            p.Hands = 2;
            p.Paired[1] = first;
            p.Paired[3] = second;
            p.Pairs = int{first} + int{second};
            Grow(p, maxHands, out);
        }
    return out;
}

} // namespace zvx
