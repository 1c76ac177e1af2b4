#include "engine/settlement.h"

#include <string>

#include "engine/betting.h"
#include "engine/round.h"
#include "engine/shoe.h"
#include "engine/table_view.h"

namespace zvx {

namespace {

// The rack at the start, by table minimum: half, $5, $25, $100, $500, $1000, $5000 chips.
constexpr ChipArray StartingChips5 = {0, 10, 2, 4, 1, 0, 0};
constexpr ChipArray StartingChips25 = {0, 0, 8, 3, 3, 3, 0};
constexpr ChipArray StartingChips100 = {0, 0, 0, 10, 6, 6, 2};

} // namespace

void DealerPlay(Game& g) {
    THand& dealer = g.Hands[DealerSlot];
    g.PlayerAction = NoAction;
    while (g.PlayerAction != Stand) {
        const int total = dealer.Total;
        if (total > 17) g.PlayerAction = Stand;
        else if (total < 17) DealCard(g, DealerSlot);
        else if (g.Rules().DealerHitsSoft17 && dealer.SoftAce != 0) DealCard(g, DealerSlot);
        else g.PlayerAction = Stand;
        if (g.TableShown && g.Table) {
            g.Table->ShowHandText(DealerSlot, std::to_string(dealer.Total));
            if (g.TableShown && g.Table) g.Table->Pause(10);
        }
        // A stop during the drawing deals no more cards; without this the loop would never end.
        if (g.StopRequested) break;
    }
}

void SettleAgainstDealer(Game& g, int slot) {
    const int player = g.Hands[static_cast<std::size_t>(slot)].Total;
    const int dealer = g.Hands[DealerSlot].Total;
    if (player == 0) return;
    if (player < dealer) Settle(g, slot, -1);
    else if (player > dealer) Settle(g, slot, 1);
    else if (g.TableShown && g.Table) g.Table->ShowHandText(slot, "PUSH");
}

void Settle(Game& g, int slot, double r) {
    if (g.ActiveHand != 0) {
        THand& hand = g.Hands[static_cast<std::size_t>(slot)];
        hand.Total = 0;
        hand.Finished = true;
        NextHand(g);
    }
    BookSettlement(g, slot, r);
    if (g.TableShown && g.Table) g.Table->ShowHandResult(slot, r);
}

void NewBankroll(Game& g) {
    if (!g.TableShown) return;
    const int minimum = g.Rules().TableMinimum;
    const double start = 200.0 * minimum;
    g.Hands[1].Stats.HourWon = start;
    g.Bankroll = start;
    g.ChipCounts = minimum == 5 ? StartingChips5 : minimum == 25 ? StartingChips25 : StartingChips100;
    if (g.Table) g.Table->NewChipRack();
}

} // namespace zvx
