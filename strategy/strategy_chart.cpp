#include "strategy/strategy_chart.h"

#include "strategy/recommend.h"

namespace zvx {

namespace {

constexpr int FirstHardTotal = 5;

std::array<ChartHand, ChartRows> MakeChartHands() {
    std::array<ChartHand, ChartRows> hands;
    std::size_t i = 0;
    for (int t = FirstHardTotal; t < FirstHardTotal + ChartHardRows; ++t)
        hands[i++] = {"Hard " + std::to_string(t), t, false, false};
    for (int other = 2; other < 2 + ChartSoftRows; ++other)
        hands[i++] = {"A," + std::to_string(other), 11 + other, true, false};
    for (int card = 2; card <= 10; ++card)
        hands[i++] = {std::to_string(card) + "," + std::to_string(card), 2 * card, false, true};
    hands[i++] = {"A,A", 12, true, true};
    return hands;
}

} // namespace

const std::array<ChartHand, ChartRows>& ChartHands() {
    static const std::array<ChartHand, ChartRows> hands = MakeChartHands();
    return hands;
}

ChartHandFlags FirstDecisionFlags(const ChartHand& hand, const CasinoRules& rules) {
    ChartHandFlags flags;
    flags.SoftAce = hand.Soft ? 1 : 0;
    flags.MaySplit = hand.Pair; // a fresh hand always has an empty slot to split into
    flags.MayDouble = rules.DoubleAnyHand || hand.Total == 10 || hand.Total == 11;
    flags.MaySurrender = rules.SurrenderAllowed;
    return flags;
}

StrategyChart BuildStrategyChart(const StrategyTable& strategy, const CasinoRules& rules) {
    StrategyChart chart{};
    const auto& hands = ChartHands();
    for (std::size_t row = 0; row < hands.size(); ++row) {
        const ChartHandFlags flags = FirstDecisionFlags(hands[row], rules);
        for (int column = 0; column < ChartColumns; ++column)
            chart[row][static_cast<std::size_t>(column)] =
                DecideAction(strategy, flags, ChartUpCard(column), hands[row].Total, NoAction).action;
    }
    return chart;
}

std::string ChartRulesText(const CasinoRules& rules) {
    std::string text = "Drawn for: " + std::to_string(rules.Decks) + (rules.Decks == 1 ? " deck, " : " decks, ");
    text += rules.DealerHitsSoft17 ? "dealer hits soft 17; " : "dealer stands on soft 17; ";
    text += rules.DoubleAnyHand ? "double any two cards" : "double on 10 and 11 only";
    text += rules.DoubleAfterSplit ? ", double after split" : ", no double after split";
    text += rules.ResplitAllowed ? ", re-split; " : ", no re-split; ";
    text += rules.SurrenderAllowed ? "surrender" : "no surrender";
    return text;
}

} // namespace zvx
