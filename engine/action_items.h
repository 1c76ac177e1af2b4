#pragma once

#include "engine/game_state.h"

namespace zvx {

// The menu bar's action items while the game waits for a decision. Each sets PlayerAction for the round
// flow, which carries the action out; none plays the hand itself.
void StandItemClick(Game& g);
void HitItemClick(Game& g);
void DoubleItemClick(Game& g);
void SplitItemClick(Game& g);
void SurrenderItemClick(Game& g);
void HintItemClick(Game& g);

} // namespace zvx
