#pragma once

#include "engine/game_state.h"

namespace zvx {

// Readies "Betting and Rules Analysis": a fresh shoe, the swing threshold, a reset game and the mode flags.
// The caller opens its analysis window (sets AnalysisWindowOpen) and then runs RunGame.
void PrepareAnalysisRun(Game& g);

// A game file loaded between the rounds of an analysis brings its own rules. What the run derived from the
// rules at its start is derived again, so the rest of the run plays and counts under the loaded ones: the
// swing threshold, and a new shoe when the loaded decks or penetration give another size or cut card.
void AdoptLoadedRules(Game& g);

// What is left to clear once RunGame has returned from an analysis.
void FinishAnalysisRun(Game& g);

} // namespace zvx
