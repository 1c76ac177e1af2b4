#include "table/chip_gestures.h"

#include <array>

#include "engine/table_view.h"

namespace zvx {

namespace {

constexpr std::array<int, ChipKinds> RackValues = {2, 5, 25, 100, 500, 1000, 5000};
constexpr const char* NotEnoughChips = "SORRY ... You do not have enough chips to double your bet";

// The split and play order: acting on a slot ends the slots played before it (2, 1, 4, 3).
void FinishSlotsBefore(Game& g, int slot) {
    auto finish = [&](int s) { g.Hands[static_cast<std::size_t>(s)].Finished = true; };
    switch (slot) {
    case 1: finish(2); break;
    case 4: finish(2); finish(1); break;
    case 3: finish(2); finish(1); finish(4); break;
    default: break;
    }
}

// A bet of two equal chips is twice a chip's value.
bool MadeOfTwoChips(int bet) { return bet == 10 || bet == 50 || bet == 200 || bet == 2000; }

void Refuse(Game& g, const std::string& text) {
    if (g.TableShown && g.Table) g.Table->ShowRefusal(text);
}

// The chips of a bet on one box: one chip of the bet's value, or two of half of it with the ring.
void PlaceBoxBet(Game& g, int bet, int slot) {
    g.Table->PlaceBetChip(bet, slot, false);
    if (g.PairedChips) g.Table->PlaceBetChip(bet, slot, true);
}

void BetOneChip(Game& g, int amount) {
    g.PairedChips = false;
    const int boxes = g.SecondBoxActive ? 2 : 1;
    if (static_cast<double>(amount) * boxes > g.Bankroll) {
        Refuse(g, NotEnoughChips);
        return;
    }
    g.ChosenBet = static_cast<std::uint16_t>(amount);
    g.Table->PlaceBetChip(amount, 1, false);
    if (g.SecondBoxActive) {
        g.Table->PrepareChipsFor(amount);
        g.Table->PlaceBetChip(amount, 3, false);
    }
}

void BetTwoChips(Game& g, int amount) {
    const int boxes = g.SecondBoxActive ? 2 : 1;
    if (static_cast<double>(amount) * boxes > g.Bankroll) {
        Refuse(g, NotEnoughChips);
        return;
    }
    g.PairedChips = true;
    g.ChosenBet = static_cast<std::uint16_t>(amount);
    g.Table->PlaceBetChip(amount, 1, false);
    g.Table->Pause(20);
    g.Table->PlaceBetChip(amount, 1, true);
    if (g.SecondBoxActive) {
        g.Table->PrepareChipsFor(amount);
        g.Table->PlaceBetChip(amount, 3, false);
        g.Table->Pause(20);
        g.Table->PlaceBetChip(amount, 3, true);
    }
}

} // namespace

int RackIndex(int chipValue) {
    for (int i = 0; i < ChipKinds; ++i)
        if (RackValues[static_cast<std::size_t>(i)] == chipValue) return i;
    return -1;
}

PickUp PickUpChip(int tableMinimum, int chipValue, bool chipHeld) {
    const std::string minimum = "SORRY ... Table Minimum is $" + std::to_string(tableMinimum);
    switch (chipValue) {
    case 5:
        if (tableMinimum < 25) return {true, {}};
        return {false, minimum};
    case 25:
        if (!chipHeld && tableMinimum < 100) return {true, {}};
        if (tableMinimum > 25) return {false, "SORRY ... Table Minimum is $100"};
        return {false, {}};
    case 100:
    case 500:
        return {true, {}};
    case 1000:
        if (tableMinimum > 5) return {true, {}};
        return {false, "SORRY ... Maximum Bet is $500"};
    case 5000:
        if (tableMinimum == 100) return {true, {}};
        return {false, tableMinimum > 5 ? "SORRY ... Maximum Bet is $1000" : "SORRY ... Maximum Bet is $500"};
    default:
        return {false, HalfChipRefusal(tableMinimum)};
    }
}

std::string HalfChipRefusal(int tableMinimum) { return "SORRY ... Table Minimum is $" + std::to_string(tableMinimum); }

void CycleTableLimits(Game& g) {
    auto& minimum = g.Options.Rules.TableMinimum;
    if (minimum == 5) minimum = 25;
    else if (minimum == 25) minimum = 100;
    else if (minimum == 100) minimum = 5;
    if (g.TableShown && g.Table) g.Table->ShowAdvice("");
}

bool RepeatLastBet(Game& g) {
    if (!g.Table) return false;
    const int minimum = g.Rules().TableMinimum;
    int bet = g.CurrentBet;
    if (minimum > bet || bet > g.Bankroll) {
        bet = minimum;
        g.PairedChips = false;
    }
    int chosen = 0;
    if (g.SecondBoxActive) {
        // Two boxes of $5 chips are $10 a box, two chips each, as BetTwoHands makes them.
        const bool fivesOnTwoBoxes = bet == 5;
        const int perBox = fivesOnTwoBoxes ? 10 : bet;
        if (perBox > g.Bankroll) return false;
        chosen = perBox;
        if (2.0 * perBox > g.Bankroll) {
            g.SecondBoxActive = false;
            g.PairedChips = false;
            chosen = bet;
        } else if (fivesOnTwoBoxes) {
            g.PairedChips = true;
        }
    } else if (bet <= g.Bankroll) {
        chosen = bet;
    } else if (minimum > g.Bankroll) {
        return false;
    } else {
        g.PairedChips = false;
        chosen = minimum;
    }
    if (!MadeOfTwoChips(chosen)) g.PairedChips = false;
    g.ChosenBet = static_cast<std::uint16_t>(chosen);
    if (!g.Table->SpotHasChips(1)) PlaceBoxBet(g, chosen, 1);
    if (g.SecondBoxActive && !g.Table->SpotHasChips(3)) PlaceBoxBet(g, chosen, 3);
    return true;
}

void BetBox1Press(Game& g) {
    if (!g.BettingOpen || !g.Table || g.Table->SpotHasChips(1)) return;
    if (!g.FirstBetBoxClick) {
        g.FirstBetBoxClick = true;
        return;
    }
    DoubleLastBet(g);
}

void DoubleLastBet(Game& g) {
    if (!g.Table) return;
    const int minimum = g.Rules().TableMinimum;
    const int boxes = g.SecondBoxActive ? 2 : 1;
    if (2.0 * g.CurrentBet * boxes > g.Bankroll) {
        Refuse(g, NotEnoughChips);
        RepeatLastBet(g);
        return;
    }
    const char* maximumText = minimum == 5 ? "SORRY ... Maximum Bet is $500" : "SORRY ... Maximum Bet is $1,000";
    switch (g.CurrentBet) {
    case 5: BetTwoChips(g, 10); break;
    case 10: BetOneChip(g, 25); break;
    case 25: BetTwoChips(g, 50); break;
    case 50: BetOneChip(g, 100); break;
    case 100: BetTwoChips(g, 200); break;
    case 200: BetOneChip(g, 500); break;
    case 500:
        if (minimum == 5) {
            Refuse(g, "SORRY ... Maximum Bet is $500");
            BetOneChip(g, 500);
        } else {
            BetOneChip(g, 1000);
        }
        break;
    case 1000:
    case 2000:
        if (minimum == 100) {
            if (g.CurrentBet == 1000) BetTwoChips(g, 2000);
            else BetOneChip(g, 5000);
        } else {
            Refuse(g, maximumText);
            BetOneChip(g, minimum == 5 ? 500 : 1000);
        }
        break;
    case 5000:
        Refuse(g, "SORRY ... Maximum Bet is $5000");
        BetOneChip(g, 5000);
        break;
    default:
        return;
    }
    g.Table->PrepareChipsFor(g.ChosenBet);
}

void BetTwoHands(Game& g, int chipValue) {
    if (!g.Table || chipValue <= 0 || chipValue < g.Rules().TableMinimum) return;
    const bool fives = chipValue == 5;
    // Both boxes, and two chips each for $5 chips: refused before anything moves when the rack cannot pay.
    if ((fives ? 4.0 : 2.0) * chipValue > g.Bankroll) {
        Refuse(g, NotEnoughChips);
        return;
    }
    g.SecondBoxActive = true;
    g.ChosenBet = static_cast<std::uint16_t>(chipValue);
    g.Table->PlaceBetChip(chipValue, 3, false);
    if (!fives) {
        g.PairedChips = false;
        g.Table->PlaceBetChip(chipValue, 1, false);
        return;
    }
    g.PairedChips = true;
    g.Table->Pause(5);
    g.Table->PlaceBetChip(chipValue, 3, true);
    g.Table->PlaceBetChip(chipValue, 1, false);
    g.Table->Pause(5);
    g.Table->PlaceBetChip(chipValue, 1, true);
    g.ChosenBet = 10;
}

ChipRelease ReleaseChip(Game& g, int chipValue, int left) {
    if (!g.Table || chipValue < g.Rules().TableMinimum) return ChipRelease::BackToRack;
    if (g.BettingOpen) {
        if (left < 100 && g.Rules().PlayTwoHands) {
            BetTwoHands(g, chipValue);
            return g.ChosenBet != 0 ? ChipRelease::BetOnBoth : ChipRelease::BackToRack;
        }
        if (chipValue > g.Bankroll) return ChipRelease::BackToRack;
        g.SecondBoxActive = false;
        g.PairedChips = false;
        g.Table->PlaceBetChip(chipValue, 1, false);
        g.ChosenBet = static_cast<std::uint16_t>(chipValue);
        return ChipRelease::BetOnBox1;
    }
    if (chipValue != g.CurrentBet && 2 * chipValue != g.CurrentBet) return ChipRelease::BackToRack;
    int slot = 0;
    if (left > 280 && left < 400) slot = 1;
    else if (left > 450 && left < 550 && g.Table->SpotHasChips(2)) slot = 2;
    else if (left < 100 && g.Table->SpotHasChips(3)) slot = 3;
    else if (left > 140 && left < 300 && g.Table->SpotHasChips(4)) slot = 4;
    if (slot == 0) return ChipRelease::BackToRack;
    PlaceChipBesideBet(g, slot);
    return g.PlayerAction == NoAction ? ChipRelease::BackToRack : ChipRelease::Beside;
}

void PlaceChipBesideBet(Game& g, int slot) {
    if (slot < 1 || slot >= HandCount || g.Bankroll < g.CurrentBet) return;
    THand& hand = g.Hands[static_cast<std::size_t>(slot)];
    if (hand.Finished) return;
    g.ActiveHand = static_cast<std::uint16_t>(slot);
    if (hand.MaySplit) {
        if ((hand.Total == 8 || hand.Total == 10) && hand.MayDouble) {
            const bool shown = g.TableShown && g.Table;
            if (g.PracticeDeckMode || (shown && g.Table->AskYesNoBeside("Double Down on the Pair? (No = Split)", slot)))
                g.PlayerAction = DoubleDown;
        }
        if (g.PlayerAction == NoAction) g.PlayerAction = Split;
        return;
    }
    if (hand.MayDouble) {
        g.PlayerAction = DoubleDown;
        FinishSlotsBefore(g, slot);
    }
}

Exchange PlanExchange(const Game& g, int chipValue) {
    const int kind = RackIndex(chipValue);
    if (kind < 1 || g.Bankroll < chipValue) return {};
    auto count = [&](int value) { return g.ChipCounts[static_cast<std::size_t>(RackIndex(value))]; };
    if (count(chipValue) < 1) return {};
    auto up = [](int target, int given) { return Exchange{Exchange::ColourUp, target, given, 1}; };
    auto down = [](int target, int received) { return Exchange{Exchange::Break, target, 1, received}; };
    switch (chipValue) {
    case 5: // five $5 for a $25; with fewer there is nothing to exchange
        return count(5) >= 5 ? up(25, 5) : Exchange{};
    case 25: return count(25) > 3 && count(5) >= 1 ? up(100, 4) : down(5, 5);
    case 100: return count(100) > 4 && count(25) >= 1 ? up(500, 5) : down(25, 4);
    case 500: return count(500) > 1 && count(100) >= 1 ? up(1000, 2) : down(100, 5);
    case 1000: return count(1000) > 4 && count(500) >= 1 ? up(5000, 5) : down(500, 2);
    default: return down(1000, 5);
    }
}

} // namespace zvx
