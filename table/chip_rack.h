#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/game_state.h"

namespace zvx {

// The chip values in rack order; the half chip carries the value 2 and is worth $2.50.
inline constexpr std::array<int, ChipKinds> ChipValues = {2, 5, 25, 100, 500, 1000, 5000};
inline constexpr int HalfChip = 2;

// Index of a chip value in ChipValues and ChipCounts; -1 for anything else.
int ChipKind(int value);
// What a chip of this value is worth: the half chip 2.50, the others their value.
double ChipWorth(int value);
// The rack column whose chips serve an amount: 5 and 10 the $5 chips, 25 and 50 the $25, and so on.
int ColumnFor(int amount);
// The money in the rack: what Bankroll must always equal.
double RackWorth(const ChipArray& counts);

// The named colours of the table.
enum class TableColour { Green, Red, Lime, Black, Purple, White, Blue, Fuchsia, Maroon };
// The colour of the chips that make an amount (ChipColour); the half chip's is Fuchsia, like its outline.
TableColour ChipColour(int amount);
// The colour of a rack column's outlines: the chip's colour, except $500, whose outlines are maroon.
TableColour OutlineColour(int value);
// Outlines of a column shown for a count: those whose threshold the count exceeds.
bool OutlineShown(int count, int threshold);

// Money texts: whole amounts without decimals, others with two (7.50, 750).
std::string FormatMoney(double amount);
// The bank panel: "$" and the amount with two decimals, right-aligned in nine characters, a comma before
// the last three whole digits from 1,000 up.
std::string BankText(double bankroll);
// The hand panel after a settlement with ratio r on a bet w.
std::string HandResultText(double ratio, int bet);
// The two table-limit panels and whether their text is white.
struct LimitTexts {
    std::string Minimum;
    std::string Maximum;
    bool WhiteText = true;
};
LimitTexts LimitPanelTexts(int tableMinimum);

// What the rack's exchanges look like; the core changes the counts, a display animates them.
class RackDisplay {
public:
    virtual ~RackDisplay() = default;
    virtual void ShowChipStacks() {}
    virtual void ShowBankroll() {}
    // n chips of a column fly to the exchange point and away; n chips come from the dealer into a column.
    virtual void ChipsLeave(int /*value*/, int /*n*/) {}
    virtual void ChipsArrive(int /*value*/, int /*n*/) {}
};

// Changes a column by n chips and Bankroll by their worth, together. Refuses (and changes nothing) when
// the count would go below zero, so the rack always holds exactly Bankroll.
bool AdjustChips(Game& g, int value, int n);

// One chip of the next higher value becomes chips of this value. False (nothing changes) without one.
bool BreakChip(Game& g, RackDisplay& display, int value);
// `n` chips of the next lower value become one chip of this value; n is the exchange rate, the number of
// chips animated. False (nothing changes) when the lower column holds fewer than the rate.
bool ColourUp(Game& g, RackDisplay& display, int value, int n);
// Exchanges crowded columns upward (does nothing while a stop is requested).
void ColourUpChips(Game& g, RackDisplay& display);
// Exchanges upward wherever enough chips lie.
void ColourUpAll(Game& g, RackDisplay& display);
// Breaks larger chips (or colours up smaller ones) so that the column for the amount holds a chip.
void PrepareChipsFor(Game& g, RackDisplay& display, int amount);
// Takes one chip for the amount out of the rack and returns its value: first as PrepareChipsFor does, and
// when that leaves the column empty, by changing chips all the way up or down, which is always possible
// while the rack holds the chip's worth. Nothing when it does not.
std::optional<int> TakeChipFor(Game& g, RackDisplay& display, int amount);

// The chips the dealer pays onto a hand's winning spots (3, 4, 5): the largest chip that fits first, at
// most two chips on a spot (the second shows as the spot's ring). Gives the blackjack and even-money
// payouts and the half bet a surrender gives back.
struct SpotChips {
    int Spot = 0;  // 3.. the hand's last spot
    int Value = 0; // chip value
    int Count = 0; // 1, or 2 with the ring
    friend bool operator==(const SpotChips&, const SpotChips&) = default;
};
std::vector<SpotChips> PayoutChips(double amount, int spots);

} // namespace zvx
