#pragma once

#include <vector>

namespace zvx {

// The ways a split pair can grow into hands, as the game plays them: both hands of a split get their second
// card at once; a hand is played in the order 2, 1, 4, 3 of the free places, and a hand whose second card
// pairs it again is split again while a place is free. Only whether each second card pairs the hand matters
// for how many hands there are, so a pattern is the number of pair cards drawn (`Pairs`), the hands whose
// second card did not pair them (`Unpaired`) and those left holding a pair (`Paired`, once the places ran
// out), with the number of orders of second cards that give it.
struct SplitPattern {
    int Pairs = 0;
    int Unpaired = 0;
    int Paired = 0;
    double Orders = 0;
};

// maxHands 2 without re-splits, 4 with them.
std::vector<SplitPattern> SplitPatterns(int maxHands);

} // namespace zvx
