#pragma once

#include "engine/game_state.h"

namespace zvx {

// Clears the strategy accounts, the run time and the hours played.
void ResetStatistics(Game& g);

// Stops any game and returns to the idle state: releases every wait, closes the table and the analysis
// window, and clears the statistics.
void ResetGame(Game& g);

} // namespace zvx
