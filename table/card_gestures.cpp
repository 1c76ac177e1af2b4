#include "table/card_gestures.h"

#include "engine/table_view.h"
#include "table/chip_gestures.h"

namespace zvx {

namespace {

THand& Hand(Game& g, int slot) { return g.Hands[static_cast<std::size_t>(slot)]; }
bool PlayerSlot(int slot) { return slot >= 1 && slot < HandCount; }

void FinishSlotsBefore(Game& g, int slot) {
    if (slot == 1 || slot == 3 || slot == 4) Hand(g, 2).Finished = true;
    if (slot == 3 || slot == 4) Hand(g, 1).Finished = true;
    if (slot == 3) Hand(g, 4).Finished = true;
}

// A held bet of box 1 or 2: the surrender distance, the move that lifts it off its ring, and the click.
struct BetBox {
    int HomeLeft, HomeTop, SurrenderLeft, AwayLeft, ClickLeft;
};
constexpr BetBox Box1{Bet1Left, Bet1Top, 370, 323, 325};
constexpr BetBox Box2{Bet3Left, Bet3Top, 55, 11, 100};
constexpr int SurrenderTop = 320;
constexpr int AwayTop = 364;
constexpr int ClickTop = 375;

const BetBox& BoxOf(int slot) { return slot == 3 ? Box2 : Box1; }

} // namespace

void HitHand(Game& g, int slot) {
    if (!PlayerSlot(slot) || Hand(g, slot).Finished) return;
    g.ActiveHand = static_cast<std::uint16_t>(slot);
    g.PlayerAction = Hit;
    FinishSlotsBefore(g, slot);
}

// Slot 3 is always played last: standing it, with the hands before it, ends the player's turn.
void StandGesture(Game& g) {
    if (Hand(g, 3).CardCount > 0) g.ActiveHand = 3;
    g.PlayerAction = Stand;
}

bool SecondCardPress(Game& g, int slot) {
    if (!PlayerSlot(slot) || Hand(g, slot).Finished) return false;
    g.ActiveHand = static_cast<std::uint16_t>(slot);
    g.CardClickPending = true;
    g.CardDragActive = Hand(g, slot).MaySplit;
    return g.CardDragActive;
}

bool DragSplits(int homeLeft, int left) {
    const int distance = left > homeLeft ? left - homeLeft : homeLeft - left;
    return distance > SplitDragDistance;
}

int SplitTargetSlot(const Game& g) {
    for (const int slot : {3, 4, 2})
        if (g.Hands[static_cast<std::size_t>(slot)].CardCount == 0) return slot;
    return 0;
}

int SplitByDrag(Game& g, int slot) {
    g.CardDragActive = false;
    const int target = SplitTargetSlot(g);
    if (target == 0) return 0;
    g.CardClickPending = false;
    g.ActiveHand = static_cast<std::uint16_t>(slot);
    g.PlayerAction = Split;
    if (g.Table) {
        g.Table->MoveCard(slot, target);
        const int chip = g.PairedChips ? g.CurrentBet / 2 : g.CurrentBet;
        g.Table->PlaceBetChip(chip, target, false);
        if (g.PairedChips) g.Table->PlaceBetChip(chip, target, true);
    }
    return target;
}

void SecondCardRelease(Game& g, int slot) {
    g.CardDragActive = false;
    if (!g.CardClickPending) return;
    g.CardClickPending = false;
    // The split hands' second cards answer a click as their other cards do; the boxes' second cards hit the
    // slot chosen at the press and end nothing before it.
    if (slot == 2 || slot == 4) HitHand(g, slot);
    else g.PlayerAction = Hit;
}

bool BetPress(Game& g, int slot) {
    if (slot != 1 && slot != 3) return false;
    THand& hand = Hand(g, slot);
    if (hand.Finished) return false;
    if (slot == 1) Hand(g, 2).Finished = true;
    if (!hand.MaySurrender && !hand.MayDouble && !hand.MaySplit) return false;
    if (slot == 3) FinishSlotsBefore(g, 3);
    g.ActiveHand = static_cast<std::uint16_t>(slot);
    g.ChipDragActive = true;
    return true;
}

BetDrag BetMoved(Game& g, int slot, int left, int top) {
    if (!g.ChipDragActive) return BetDrag::Home;
    const BetBox& box = BoxOf(slot);
    if (top < SurrenderTop || left > box.SurrenderLeft) {
        g.ChipDragActive = false;
        if (Hand(g, slot).MaySurrender) {
            g.ActiveHand = static_cast<std::uint16_t>(slot);
            g.PlayerAction = Surrender;
            return BetDrag::Surrendered;
        }
        return BetDrag::SlidesBack;
    }
    if (top < AwayTop || left > box.AwayLeft) return BetDrag::Away;
    return BetDrag::Home;
}

void BetReleased(Game& g, int slot, int left, int top) {
    if (!g.ChipDragActive) return;
    g.ChipDragActive = false;
    if (left < BoxOf(slot).ClickLeft && top < ClickTop) PlaceChipBesideBet(g, slot);
}

void SplitBetPress(Game& g, int slot) {
    if ((slot == 2 || slot == 4) && !Hand(g, slot).Finished) PlaceChipBesideBet(g, slot);
}

} // namespace zvx
