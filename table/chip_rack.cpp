#include "table/chip_rack.h"

#include <cmath>
#include <cstdio>

namespace zvx {

namespace {

std::int64_t& Count(Game& g, int value) { return g.ChipCounts[static_cast<std::size_t>(ChipKind(value))]; }
std::int64_t CountOf(const Game& g, int value) { return g.ChipCounts[static_cast<std::size_t>(ChipKind(value))]; }

// The value below a chip value in the rack, and how many of those make one: $25 = 5 x $5.
int LowerValue(int value) {
    const int kind = ChipKind(value);
    return kind >= 1 ? ChipValues[static_cast<std::size_t>(kind - 1)] : 0;
}
int HigherValue(int value) {
    const int kind = ChipKind(value);
    return kind >= 0 && kind + 1 < ChipKinds ? ChipValues[static_cast<std::size_t>(kind + 1)] : 0;
}
int Rate(int value) { return static_cast<int>(std::lround(ChipWorth(value) / ChipWorth(LowerValue(value)))); }

// Money is held in halves of a dollar at most; compares without the rounding of a double sum.
bool SameMoney(double a, double b) { return std::fabs(a - b) < 0.001; }

} // namespace

int ChipKind(int value) {
    for (int k = 0; k < ChipKinds; ++k)
        if (ChipValues[static_cast<std::size_t>(k)] == value) return k;
    return -1;
}

double ChipWorth(int value) { return value == HalfChip ? 2.5 : value; }

int ColumnFor(int amount) {
    if (amount <= HalfChip) return HalfChip;
    // The bets and payouts are single and double chips: 10 is two $5 chips, 50 two $25, 2000 two $1000.
    int column = ChipValues[1];
    for (const int v : ChipValues)
        if (v != HalfChip && v <= amount && amount % v == 0) column = v;
    return column;
}

double RackWorth(const ChipArray& counts) {
    double sum = 0;
    for (int k = 0; k < ChipKinds; ++k)
        sum += static_cast<double>(counts[static_cast<std::size_t>(k)]) * ChipWorth(ChipValues[static_cast<std::size_t>(k)]);
    return sum;
}

TableColour ChipColour(int amount) {
    switch (ColumnFor(amount)) {
    case 5: return TableColour::Red;
    case 25: return TableColour::Lime;
    case 100: return TableColour::Black;
    case 500: return TableColour::Purple;
    case 1000: return TableColour::White;
    case 5000: return TableColour::Blue;
    default: return TableColour::Fuchsia;
    }
}

TableColour OutlineColour(int value) { return value == 500 ? TableColour::Maroon : ChipColour(value); }

bool OutlineShown(int count, int threshold) { return count > threshold; }

std::string FormatMoney(double amount) {
    char text[40];
    if (SameMoney(amount, std::round(amount))) std::snprintf(text, sizeof text, "%.0f", std::round(amount));
    else std::snprintf(text, sizeof text, "%.2f", amount);
    return text;
}

std::string BankText(double bankroll) {
    // Nine characters for the amount first; the comma is put in afterwards and widens the field.
    char digits[40];
    std::snprintf(digits, sizeof digits, "%9.2f", bankroll);
    std::string number = digits;
    const std::size_t point = number.find('.');
    if (bankroll >= 1000 && point != std::string::npos && point >= 4) number.insert(point - 3, ",");
    return "$" + number;
}

std::string HandResultText(double ratio, int bet) {
    if (SameMoney(ratio, 1.5)) return "Win $" + FormatMoney(1.5 * bet);
    if (SameMoney(ratio, -0.5)) return "Lose $" + FormatMoney(0.5 * bet);
    return (ratio < 0 ? "Lose $" : "Win $") + std::to_string(bet);
}

LimitTexts LimitPanelTexts(int tableMinimum) {
    switch (tableMinimum) {
    case 5: return {" $5 Minimum Bet", "Maximum Bet $500", true};
    case 25: return {" $25 Minimum Bet", "Maximum Bet $1,000", false};
    default: return {" $100 Minimum Bet", "Maximum Bet $5,000", true};
    }
}

bool AdjustChips(Game& g, int value, int n) {
    const int kind = ChipKind(value);
    if (kind < 0) return false;
    std::int64_t& count = g.ChipCounts[static_cast<std::size_t>(kind)];
    if (count + n < 0) return false;
    count += n;
    g.Bankroll += ChipWorth(value) * n;
    return true;
}

bool BreakChip(Game& g, RackDisplay& display, int value) {
    const int higher = HigherValue(value);
    if (higher == 0 || CountOf(g, higher) == 0) {
        display.ShowChipStacks();
        return false;
    }
    const int k = Rate(higher);
    --Count(g, higher);
    display.ChipsLeave(higher, 1);
    display.ChipsArrive(value, k);
    Count(g, value) += k;
    display.ShowChipStacks();
    return true;
}

bool ColourUp(Game& g, RackDisplay& display, int value, int n) {
    const int lower = LowerValue(value);
    if (lower == 0 || CountOf(g, lower) < Rate(value)) {
        display.ShowChipStacks();
        return false;
    }
    Count(g, lower) -= Rate(value);
    display.ChipsLeave(lower, n);
    display.ChipsArrive(value, 1);
    ++Count(g, value);
    display.ShowChipStacks();
    return true;
}

void ColourUpChips(Game& g, RackDisplay& display) {
    if (g.StopRequested) return;
    display.ShowChipStacks();
    const int minimum = g.Rules().TableMinimum;
    if (CountOf(g, 2) > 1) ColourUp(g, display, 5, 2);
    if ((minimum > 5 && CountOf(g, 5) > 4) || CountOf(g, 5) > 15) ColourUp(g, display, 25, 5);
    if ((minimum > 25 && CountOf(g, 25) > 3) || CountOf(g, 25) > 15) ColourUp(g, display, 100, 4);
    if (CountOf(g, 100) > 15) ColourUp(g, display, 500, 5);
    if (CountOf(g, 500) > 8) ColourUp(g, display, 1000, 2);
    if (CountOf(g, 1000) > 8) ColourUp(g, display, 5000, 5);
    display.ShowBankroll();
}

void ColourUpAll(Game& g, RackDisplay& display) {
    for (int twice = 0; twice < 2; ++twice)
        if (CountOf(g, 5) > 4) ColourUp(g, display, 25, 5);
    for (int twice = 0; twice < 2; ++twice)
        if (CountOf(g, 25) > 3) ColourUp(g, display, 100, 4);
    for (int twice = 0; twice < 2; ++twice)
        if (CountOf(g, 100) > 4) ColourUp(g, display, 500, 5);
    if (CountOf(g, 500) > 1) ColourUp(g, display, 1000, 2);
    if (CountOf(g, 1000) > 4) ColourUp(g, display, 5000, 5);
}

void PrepareChipsFor(Game& g, RackDisplay& display, int amount) {
    ColourUpChips(g, display);
    const int minimum = g.Rules().TableMinimum;
    auto have = [&](int value) { return CountOf(g, value) > 0; };
    if (have(5000) && !have(1000)) BreakChip(g, display, 1000);
    if (have(1000) && !have(500)) BreakChip(g, display, 500);
    if (have(500) && !have(100)) BreakChip(g, display, 100);
    if (minimum < 100 && have(100) && !have(25)) BreakChip(g, display, 25);
    if (minimum == 5 && have(25) && !have(5)) BreakChip(g, display, 5);
    if (g.CurrentBet > g.Bankroll) return;
    const int column = ColumnFor(amount);
    if (have(column)) return;
    if (column == 5) {
        if (have(25)) BreakChip(g, display, 5);
        else if (CountOf(g, 2) > 1) ColourUp(g, display, 5, 2);
    } else if (column == 5000) {
        ColourUpAll(g, display);
    } else if (column != HalfChip) {
        // $25 up to $1000: break the next larger chip, or colour up when the rack is worth the chip.
        if (have(HigherValue(column))) BreakChip(g, display, column);
        else if (g.Bankroll >= column) ColourUpAll(g, display);
    }
}

std::optional<int> TakeChipFor(Game& g, RackDisplay& display, int amount) {
    const int column = ColumnFor(amount);
    PrepareChipsFor(g, display, amount);
    if (CountOf(g, column) == 0) {
        // The usual exchanges can leave the column empty (a rack of half chips, say). Break the nearest
        // larger chip down step by step, or else colour the smaller chips up step by step: each value
        // divides the next, so the smaller chips make one of the column's value whenever they are worth it.
        int higher = HigherValue(column);
        while (higher != 0 && CountOf(g, higher) == 0) higher = HigherValue(higher);
        if (higher != 0) {
            for (int v = higher; v != column; v = LowerValue(v)) BreakChip(g, display, LowerValue(v));
        } else {
            for (int v = HigherValue(HalfChip); v != 0 && LowerValue(v) != column; v = HigherValue(v))
                while (CountOf(g, LowerValue(v)) >= Rate(v)) ColourUp(g, display, v, Rate(v));
        }
    }
    if (!AdjustChips(g, column, -1)) return std::nullopt;
    display.ShowChipStacks();
    return column;
}

std::vector<SpotChips> PayoutChips(double amount, int spots) {
    std::vector<SpotChips> result;
    double left = amount;
    for (int spot = 3; spot <= spots && left > 0.001; ++spot) {
        int value = HalfChip;
        for (const int v : ChipValues)
            if (ChipWorth(v) <= left + 0.001) value = v;
        int count = static_cast<int>(std::floor((left + 0.001) / ChipWorth(value)));
        if (spot == spots) {
            // The last spot takes the rest in one kind of chip, however many: nothing is ever left unpaid.
            for (const int v : ChipValues) {
                const double n = left / ChipWorth(v);
                if (ChipWorth(v) <= left + 0.001 && SameMoney(n, std::round(n))) {
                    value = v;
                    count = static_cast<int>(std::lround(n));
                }
            }
        } else if (count > 2) {
            count = 2;
        }
        result.push_back({spot, value, count});
        left -= ChipWorth(value) * count;
    }
    return result;
}

} // namespace zvx
