#pragma once

#include "engine/game_state.h"

namespace zvx {

// Readies "Betting and Rules Analysis": a fresh shoe, the swing threshold, a reset game and the mode flags.
// The caller opens its analysis window (sets AnalysisWindowOpen) and then runs RunGame.
void PrepareAnalysisRun(Game& g);

// What is left to clear once RunGame has returned from an analysis.
void FinishAnalysisRun(Game& g);

} // namespace zvx
