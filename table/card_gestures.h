#pragma once

#include "engine/game_state.h"

namespace zvx {

// What the player's card and bet gestures decide during the turn. None plays the hand: each sets ActiveHand
// and PlayerAction for the round flow, which carries the action out. The table calls them from its mouse
// handlers and draws the moves; the rules live here so that they are the same for every table.

// A click on a hand's cards: hit it, ending the slots played before it. A finished hand ignores it.
void HitHand(Game& g, int slot);

// A click on the dealer's down card: stands every hand still open, ending the player's turn (the Stand item
// stands the active hand alone).
void StandGesture(Game& g);

// A press on a hand's second card: that hand becomes the active one; returns whether the card may be dragged
// to split it (CardDragActive).
bool SecondCardPress(Game& g, int slot);

// The horizontal distance beyond which a dragged second card splits its pair.
inline constexpr int SplitDragDistance = 50;
bool DragSplits(int homeLeft, int left);

// The first empty slot of 3, 4, 2: where a split goes (0 when none is free).
int SplitTargetSlot(const Game& g);

// A second card dragged past the split distance: sets the split and returns its new slot, after the table has
// moved the card there and placed the new hand's bet; 0 when no slot is free (the card goes home and the
// release hits).
int SplitByDrag(Game& g, int slot);

// The release of a second card: a press that neither split nor was refused is a hit. A split made by the drag
// wins over the hit of the release.
void SecondCardRelease(Game& g, int slot);

// A press on the bet of box 1 (slot 1) or box 2 (slot 3) during the turn. Returns whether the bet may be
// held and dragged (to surrender, or clicked to double or split).
bool BetPress(Game& g, int slot);

// Where a held bet of box 1 or 2 is now, by its top-left corner on the table.
enum class BetDrag { Home, Away, Surrendered, SlidesBack };
BetDrag BetMoved(Game& g, int slot, int left, int top);

// The release of a held bet: a click (it barely moved) doubles or splits beside it.
void BetReleased(Game& g, int slot, int left, int top);

// A press on the bet of a split hand (slot 2 or 4): double or split beside it.
void SplitBetPress(Game& g, int slot);

// The homes of the bets of box 1 and box 2.
inline constexpr int Bet1Left = 318, Bet1Top = 369;
inline constexpr int Bet3Left = 6, Bet3Top = 369;

} // namespace zvx
