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

// The item stands the active hand alone: the round flow marks it finished and the pointer moves on to the
// next hand in play order, which waits for its own decision (the stand gesture ends the whole turn).
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
