#pragma once

#include "engine/game_state.h"

namespace zvx {

// The game loop: hours of 100 rounds until StopRequested; resets the game on leaving.
void RunGame(Game& g);

// Reshuffle check, reset of the hands, count snapshots, game-over check and betting.
void StartRound(Game& g);

// The betting step of a human player at the table.
void TakeBets(Game& g);

// Naturals, then the player's turn on each hand.
void PlayHands(Game& g);

// One decision on ActiveHand and its execution.
void PlayHand(Game& g);

// Makes the first unfinished slot in the play order 2, 1, 4, 3 the ActiveHand (0 when none is left).
void NextHand(Game& g);

// Splits the pair in slot `from` into the empty slot `to`.
void SplitHand(Game& g, int from, int to);

} // namespace zvx
