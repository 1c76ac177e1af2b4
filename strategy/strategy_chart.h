#pragma once

#include <array>
#include <string>

#include "engine/game_state.h"
#include "engine/options.h"
#include "strategy/strategy_table.h"

namespace zvx {

// The whole strategy as a player's chart: one row per starting hand, one column per dealer up card (2..9, 10,
// Ace), each cell the play the game makes on that hand's first two cards under the casino rules in force.
struct ChartHand {
    std::string Label;
    int Total = 0;
    bool Soft = false;
    bool Pair = false;
};

inline constexpr int ChartHardRows = 13; // hard 5..17; 18 and more always stand
inline constexpr int ChartSoftRows = 8;  // A,2..A,9
inline constexpr int ChartPairRows = 10; // 2,2..10,10 and A,A
inline constexpr int ChartRows = ChartHardRows + ChartSoftRows + ChartPairRows;
inline constexpr int ChartColumns = 10;

// The rows in chart order: hard totals, soft totals, pairs.
const std::array<ChartHand, ChartRows>& ChartHands();
// The dealer's up-card value (2..11) of a column.
inline constexpr int ChartUpCard(int column) { return column + 2; }

// The flags the round flow gives a hand of two cards that has not been split, under these rules.
struct ChartHandFlags {
    std::uint16_t SoftAce = 0;
    bool MaySplit = false;
    bool MayDouble = false;
    bool MaySurrender = false;
};
ChartHandFlags FirstDecisionFlags(const ChartHand& hand, const CasinoRules& rules);

using StrategyChart = std::array<std::array<Action, ChartColumns>, ChartRows>;

StrategyChart BuildStrategyChart(const StrategyTable& strategy, const CasinoRules& rules);

// The line under the chart naming every rule it depends on: the double and surrender rules decide what a cell
// can show (a double the rules forbid shows as the hit or stand played instead), and with the decks, soft 17,
// doubles after a split and re-splits they decide what each cell's play is worth. In the analysis window's
// words: "Drawn for: 2 decks, dealer stands on soft 17; double any two cards, double after split, re-split; no
// surrender".
std::string ChartRulesText(const CasinoRules& rules);

} // namespace zvx
