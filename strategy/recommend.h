#pragma once

#include <algorithm>

#include "cards/hand.h"
#include "engine/game_state.h"
#include "strategy/advice_case.h"
#include "strategy/strategy_table.h"

namespace zvx {

struct Recommendation {
    Action action;
    AdviceCase reason;
};

namespace detail {

// A row or up card outside the table reads as "no": a corrupt total or card can then never index past the
// table.
inline bool RowHas(const StrategyTable& strategy, int rowCode, int upCard) {
    return rowCode >= FirstStrategyRow && rowCode <= LastStrategyRow && upCard >= 2 && upCard <= 11 &&
           strategy.Row(rowCode)[upCard] != 0;
}

} // namespace detail

// The strategy's play for one hand. Pure and allocation-free: the analysis calls it for every decision of
// every round. An action the hand may not take (its MaySplit/MayDouble/MaySurrender flag clear) is never
// returned; the decision falls through to the next rule instead. previousAction is the action the player has
// just taken (0 under computer play); it only chooses which advice explains a forced hit on a low hard total.
// The hand is a THand, or any other form of a hand with its SoftAce and May... fields.
template <class Hand>
Recommendation DecideAction(const StrategyTable& strategy, const Hand& hand, int upCard, int total,
                            int previousAction) {
    using detail::RowHas;
    // The total is a 16-bit word of which only the low byte is a hand value.
    const int t = total & 0xFF;

    if (hand.SoftAce != 0) {
        if (t == 12 && hand.MaySplit && RowHas(strategy, SplitRows + 22, upCard))
            return {Split, AdviceCase::SplitAces};
        if (hand.MayDouble && RowHas(strategy, DoubleRows + t, upCard))
            return {DoubleDown, AdviceCase::DoubleSoft};
        if (t <= 16) return {Hit, AdviceCase::HitSoftLow};
        if (RowHas(strategy, HitRows + t, upCard)) return {Hit, AdviceCase::HitSoft};
        return {Stand, AdviceCase::StandSoft};
    }

    if (hand.MaySplit && RowHas(strategy, SplitRows + t, upCard)) return {Split, AdviceCase::SplitPair};
    if (t >= 17) return {Stand, AdviceCase::StandHard17};
    if (t >= 12) {
        if (hand.MaySurrender && RowHas(strategy, SurrenderRows + t, upCard)) {
            return {Surrender, AdviceCase::SurrenderHard};
        }
        if (RowHas(strategy, HitRows + t, upCard)) return {Hit, AdviceCase::HitHard};
        return {Stand, AdviceCase::StandHard};
    }
    if (hand.MayDouble && RowHas(strategy, DoubleRows + t, upCard))
        return {DoubleDown, AdviceCase::DoubleHard};
    // A low hard total always hits; the advice explains why the player's own choice was wrong.
    if (previousAction == DoubleDown) return {Hit, AdviceCase::DoNotDouble};
    if (previousAction == Split && hand.MaySplit && t > 7) return {Hit, AdviceCase::NeverSplitFours};
    return {Hit, AdviceCase::HitBelow12};
}

// DecideAction for computer play (previousAction 0) on a total of 2..21 against an up card of 2..11, where
// every row lies inside the table, worked out without a branch on the hand: each rule's row is read and the
// first rule that applies is chosen by selection, in DecideAction's order. The analysis decides with it; the
// tests compare it with DecideAction for every hand, flag and up card.
inline Action DecideQuickly(const StrategyTable& strategy, bool soft, int t, int upCard, bool maySplit,
                            bool mayDouble, bool maySurrender) {
    // The up card's column of the table, addressed by row code.
    const std::uint8_t* column = strategy.Bytes.data() + upCard;
    auto has = [column](int rowCode) { return column[(rowCode - FirstStrategyRow) * StrategyRowSize] != 0; };
    // A soft hand splits only as a pair of Aces (soft 12); a hard one doubles only below 12, and surrenders
    // only from 12 to 16.
    const bool split = maySplit & (soft ? (t == 12) & has(SplitRows + 22) : has(SplitRows + t));
    const bool doubleDown = mayDouble & (soft | (t < 12)) & has(DoubleRows + t);
    const bool surrender = maySurrender & !soft & (t >= 12) & (t < 17) & has(SurrenderRows + std::min(t, 16));
    const bool hitRow = has(HitRows + t);
    const bool hit = soft ? (t <= 16) | hitRow : (t < 12) | ((t < 17) & hitRow);
    const Action otherwise = hit ? Hit : Stand;
    const Action unlessSurrender = surrender ? Surrender : otherwise;
    const Action unlessDouble = doubleDown ? DoubleDown : unlessSurrender;
    return split ? Split : unlessDouble;
}

// The strategy's play for player hand 1..4 against the dealer's up-card value 2..11, followed by the advice
// step (which builds or clears AdviceText while the table is shown). Under AutoPlay the play is also stored
// in PlayerAction, where the round flow takes it as the computer's decision; otherwise PlayerAction is left
// alone so that the advice can compare it with the recommendation.
Action RecommendAction(Game& g, int hand, int upCard, int total);

} // namespace zvx
