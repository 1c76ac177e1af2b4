#pragma once

#include "drill/drill_cell.h"
#include "drill/drill_record.h"
#include "engine/game_state.h"

namespace zvx {

// How much more often than its natural chance weak-spot practice deals a cell: 1 for a cell the player has
// never missed, rising with its error rate, and the most for a cell missed three times or more whose last
// decision was wrong again, so that it keeps coming back until it is played right.
double WeakSpotWeight(const CellTally* tally);
inline constexpr double MostWeakSpotWeight = 40;

// The cell a practice hand of these two cards is against the up card (all values 2..11).
DrillCell PracticeCell(int first, int second, int upCard);

// Arranges the cards still in the shoe so that the coming deal gives player hand 1 and the dealer's up card a
// cell in proportion to its natural chance times its weight: candidate deals are drawn from the shoe (each a
// fresh random draw of its undealt cards, as a shuffle would give) and kept with a chance of weight / most.
// Every card dealt is a card of the shoe, the hole card included, and the shoe stays a random order.
void ArrangeWeakSpotDeal(Game& g, const DrillRecord& record);

} // namespace zvx
