#pragma once

#include "engine/game_state.h"

namespace zvx {

// Builds and shuffles a new shoe from the rules (1..8 decks; Aces to 9s only on the practice deck).
// Does nothing while the shoe exists. The generator is seeded here, once per shoe.
void BuildShoe(Game& g);

// Frees the card objects and clears ShoeReady.
void DestroyShoe(Game& g);

// Reshuffles the existing shoe and clears the counts.
void ShuffleShoe(Game& g);

// Deals the next card to the hand in the slot (0 dealer, 1..4 player), keeping the counts, the total and
// the soft Ace; a player hand that busts is settled as lost.
void DealCard(Game& g, int slot);

// Cards per suit in the shoe: 13, or 9 on the practice deck.
int RanksPerSuit(const Game& g);

} // namespace zvx
