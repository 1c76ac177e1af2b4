#include "engine/action_items.h"

#include "engine/table_view.h"

namespace zvx {

namespace {

constexpr unsigned AllItems = BetItem | StandItem | HitItem | DoubleItem | SplitItem | SurrenderItem | HintItem |
                              Separators;

bool Deciding(const Game& g) { return g.TableShown && g.Table && g.ActiveHand >= 1 && g.ActiveHand < HandCount; }

void Choose(Game& g, Action action) {
    if (!Deciding(g)) return;
    g.PlayerAction = action;
    g.Table->HideActionItems(AllItems);
}

} // namespace

// The item ends the player's turn on the active hand the way the stand gesture does: the round flow marks
// the hand finished when it carries the stand out.
void StandItemClick(Game& g) { Choose(g, Stand); }

void HitItemClick(Game& g) { Choose(g, Hit); }

void DoubleItemClick(Game& g) {
    if (!Deciding(g) || !g.Hands[g.ActiveHand].MayDouble) return;
    g.Table->ShowDoubleChips(g.ActiveHand);
    Choose(g, DoubleDown);
}

void SplitItemClick(Game& g) {
    if (!Deciding(g) || !g.Hands[g.ActiveHand].MaySplit) return;
    Choose(g, Split);
}

void SurrenderItemClick(Game& g) {
    if (!Deciding(g) || !g.Hands[g.ActiveHand].MaySurrender) return;
    Choose(g, Surrender);
}

// A hint keeps the decision open: the round flow shows the advice and waits again.
void HintItemClick(Game& g) {
    if (Deciding(g)) g.PlayerAction = Hint;
}

} // namespace zvx
