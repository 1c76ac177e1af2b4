#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace zvx {

// How the player sees a hand when deciding: a pair of two equal cards, a soft total (an Ace counted 11) or a
// hard total.
enum class HandKind : std::uint8_t { Hard, Soft, Pair };

// One cell of the player's record: a kind of hand against a dealer up card. The record, the heat map, the
// review and the weak-spot deal all count by it.
struct DrillCell {
    HandKind Kind = HandKind::Hard;
    int Total = 0;  // the hand's total; for a pair, the value of one of its cards (2..11)
    int UpCard = 0; // the dealer's up-card value, 2..11

    friend auto operator<=>(const DrillCell&, const DrillCell&) = default;
};

// The cell of a hand: two equal cards are a pair whatever the rules allow with them, because that is how the
// chart shows them.
DrillCell CellOf(int total, bool soft, bool pair, int firstCardValue, int upCard);

// Whether a cell is one a hand can be: totals and up cards in their ranges. Loading refuses anything else.
bool IsPlausibleCell(const DrillCell& cell);

// Where a cell lies on the strategy chart (starting hands down, up cards 2..Ace across); nothing for hands
// the chart has no row for (hard 18 and more, soft 21).
struct ChartPlace {
    int Row = 0;
    int Column = 0;
};
std::optional<ChartPlace> ChartPlaceOf(const DrillCell& cell);

// "Hard 16", "A,7", "8,8" and "against 10" / "against Ace", as the chart labels them.
std::string HandLabel(const DrillCell& cell);
std::string UpCardLabel(int upCard);

} // namespace zvx
