#include "drill/judged_decision.h"

namespace zvx {

JudgedDecision JudgedDecisionOf(const Game& g, int hand, Action taken, Action right) {
    const THand& h = g.Hands[static_cast<std::size_t>(hand)];
    const TCard* up = g.Hands[DealerSlot].Cards[1];
    JudgedDecision d;
    for (int i = 1; i <= h.CardCount && i <= MaxCardsPerHand; ++i)
        if (const TCard* card = h.Cards[static_cast<std::size_t>(i)]) d.CardValues.push_back(card->Value);
    const bool pair = d.CardValues.size() == 2 && d.CardValues[0] == d.CardValues[1];
    const int first = d.CardValues.empty() ? 0 : d.CardValues[0];
    // Only the low byte of the total is a hand value, as in the decision.
    d.Cell = CellOf(h.Total & 0xFF, h.SoftAce != 0, pair, first, up != nullptr ? up->Value : 0);
    d.Unsplit = h.IsUnsplit;
    d.Taken = taken;
    d.Right = right;
    if (d.Missed()) d.Advice = g.AdviceText;
    return d;
}

} // namespace zvx
