#pragma once

#include "engine/game_state.h"

namespace zvx {

// Draws the dealer's cards until the dealer stands or busts.
void DealerPlay(Game& g);

// Compares a slot's hand with the dealer and settles it, or announces a push.
void SettleAgainstDealer(Game& g, int slot);

// Books the result of one hand, with the payout multiplier r (+1.5, +1, -0.5, -1), for every strategy with a
// stake on it, and shows it on the table.
void Settle(Game& g, int slot, double r);

// The starting bankroll (200 table minimums) and its chips, while the table is shown.
void NewBankroll(Game& g);

} // namespace zvx
