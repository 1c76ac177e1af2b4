#pragma once

#include <optional>
#include <string>

#include "engine/game_state.h"

namespace zvx {

// What the player's chip gestures decide, apart from how the chips are drawn and dragged. Each works on the
// game state and places chips through the table (Game::Table), so the Qt table and the scripted test table
// share one set of rules. The table calls them from its mouse handlers.

// A press on a rack column: whether its chip may be picked up at this table.
struct PickUp {
    bool Allowed = false;
    std::string Refusal; // "SORRY ..." text to show; empty when the press is simply ignored
};
PickUp PickUpChip(int tableMinimum, int chipValue, bool chipHeld);

// The half chip's marker: always refused, with the table minimum.
std::string HalfChipRefusal(int tableMinimum);

// The table minimum moves 5 -> 25 -> 100 -> 5 (a click on the limit panels).
void CycleTableLimits(Game& g);

// A click on the table background, or the "&Bet" item, while the bet is awaited: the previous round's bet
// again, on the same boxes, as far as the bankroll allows. The chips placed always make up the bet booked:
// a bet is shown as two chips (PairedChips) only when it is twice a chip's value, and a two-box bet of $5
// chips at the $5 table is $10 a box, as a $5 chip dropped on box 2 makes it. Returns whether it bet.
bool RepeatLastBet(Game& g);

// A press on box 1 while the bet is awaited and box 1 is empty: the first press of a betting step is only
// noted; every later one doubles the previous bet (DoubleLastBet).
void BetBox1Press(Game& g);
void DoubleLastBet(Game& g);

// A chip dropped on box 2, or a press on box 2, while the bet is awaited: the same chip on both boxes.
// `chipValue` is the chip the moving sprite carries (0 when no chip has moved since the start: nothing is
// bet). $5 chips make $10 a box, two chips each.
void BetTwoHands(Game& g, int chipValue);

// The end of a chip drag that was not an exchange, with the chip's left edge on the table.
enum class ChipRelease {
    BackToRack, // nothing was bet or chosen: the chip returns to its column
    BetOnBox1,  // the chip is the bet on box 1 (the caller moves it there; the rack was charged here)
    BetOnBoth,  // BetTwoHands took it
    Beside,     // it chose a double or split beside a bet (the round flow places the chips)
};
ChipRelease ReleaseChip(Game& g, int chipValue, int left);

// A chip placed beside a hand's bet (or a click on the bet): double down, or split for a pair; a pair of 4s
// or 5s that may double asks which.
void PlaceChipBesideBet(Game& g, int slot);

// The exchange at the dealer: a colour-up (`Target` gets one chip for `Given` chips of the dragged value,
// the dragged one included) or a break of the dragged chip into smaller ones. Nothing when the bankroll is
// below the chip's value or the rack lacks the chips for it.
struct Exchange {
    enum Kind { None, ColourUp, Break } What = None;
    int Target = 0; // the value of the chip or chips received
    int Given = 0;  // chips of the dragged value handed over
    int Received = 0;
};
Exchange PlanExchange(const Game& g, int chipValue);

// The amounts the rack's columns serve, in rack order: the half chip, then $5 .. $5000.
int RackIndex(int chipValue);

} // namespace zvx
