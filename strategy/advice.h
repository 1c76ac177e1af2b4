#pragma once

#include "engine/game_state.h"
#include "strategy/advice_case.h"

namespace zvx {

// The end of every decision: while the table is shown, AdviceText is emptied when the recommendation equals
// the player's action (PlayerAction) and otherwise explains the recommendation. Without the table it does
// nothing, so the analysis never touches a string.
void AdviceStep(Game& g, Action recommended, AdviceCase reason, int hand);

// Sets AdviceText to the sentence that explains the case for player hand 1..4 against the dealer's up card.
void BuildAdviceText(Game& g, AdviceCase reason, int hand);

// Judges the player's action 1..6 on hand 1..4 against the strategy and, when they differ, points at the hand
// and shows the advice in a message box beside it. A hint (6) never matches, so it always shows the advice.
void CheckPlayerAction(Game& g, int hand, int action);

} // namespace zvx
