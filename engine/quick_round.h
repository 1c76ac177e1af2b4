#pragma once

#include "engine/game_state.h"

namespace zvx {

// Whether the round StartRound has just begun can be played by PlayQuickRound: an analysis round, with the
// table hidden and the computer playing.
bool QuickRoundApplies(const Game& g);

// Plays the round StartRound has begun, from the deal to the settlement against the dealer, exactly as the
// round flow does with the table hidden (the deal, PlayHands, DealerPlay, SettleAgainstDealer): the same
// cards in the same order, the same decisions, the same counts, and the same bookkeeping in the round's
// tally. It keeps the hands in a small local form and leaves the game's hand objects as StartRound left
// them; between analysis rounds nothing reads them. The tests play long analyses both ways and compare.
void PlayQuickRound(Game& g);

} // namespace zvx
