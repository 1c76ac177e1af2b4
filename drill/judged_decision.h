#pragma once

#include <string>
#include <vector>

#include "drill/drill_cell.h"
#include "engine/game_state.h"

namespace zvx {

// One decision the drill score judged: the hand as it was, what the player did and what the playing strategy
// does there.
struct JudgedDecision {
    DrillCell Cell;
    std::vector<int> CardValues; // the hand's cards, 2..11 (an Ace is 11)
    bool Unsplit = true;         // false for a hand made by a split
    Action Taken = NoAction;
    Action Right = NoAction;
    std::string Advice; // the game's advice on the strategy's play, when the player's differed

    bool Missed() const { return Taken != Right; }
};

// The decision on player hand 1..4 as CheckPlayerAction judged it, with the advice it has just built.
JudgedDecision JudgedDecisionOf(const Game& g, int hand, Action taken, Action right);

} // namespace zvx
