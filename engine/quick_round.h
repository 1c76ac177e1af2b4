#pragma once

#include "engine/game_state.h"

namespace zvx {

// Whether the round StartRound has just begun can be played by PlayQuickRound: an analysis round, with the
// table hidden and the computer playing.
bool QuickRoundApplies(const Game& g);

// Plays the round StartRound has begun, from the deal to the settlement against the dealer, exactly as the
// round flow does with the table hidden (the deal, PlayHands, DealerPlay, SettleAgainstDealer): the same
// cards in the same order, the same decisions, the same counts, hands and tally. It takes the same steps
// without the table's and the human player's branches, and keeps the shoe position and the counts in
// locals while the round is played. The tests play long analyses both ways and compare. (LastAdviceCase,
// which only the table's advice reads, is left alone.)
void PlayQuickRound(Game& g);

} // namespace zvx
