#pragma once

#include "exact/exact_engine.h"
#include "strategy/strategy_chart.h"
#include "strategy/strategy_table.h"

#include <atomic>
#include <vector>

namespace zvx {

// The strategy editor's rows that can change a hand's play under these rules (a surrender row only where
// surrender is allowed, a soft double only where any two cards may double, ...): the rows the best table
// chooses.
std::vector<int> DecisionRows(const ExactRules& rules);

// The table with the highest edge off the top for the engine's rules, found from the exact values: starting
// from `start`, each up card's cells are changed one at a time while that raises the edge, until no single
// cell's change does. Rows that cannot matter under the rules keep `start`'s flags; each row's ALWAYS and
// NEVER bytes are set as the editor sets them. `stop`, set from another thread, ends the search early (the
// table is then only better than `start`).
StrategyTable BestTable(ExactEngine& engine, const StrategyTable& start,
                        const std::atomic<bool>* stop = nullptr);

// What one cell of a table costs: the edge gained, per initial bet, by giving that cell the best table's flag
// and leaving every other cell as it is. Only the cells where the two tables differ are listed.
struct CellCost {
    int RowCode = 0;
    int UpValue = 0; // 2..11
    double Cost = 0;
};
std::vector<CellCost> CellCosts(ExactEngine& engine, const StrategyTable& table, const StrategyTable& best);

// What each cell of the player's chart costs each time its hand is dealt: the value, in bets and given no
// dealer blackjack, of the best table's first play on that hand less the table's, averaged over the cards
// that make the hand (the plays after the first are the table's in both). Zero where the two agree.
using ChartCosts = std::array<std::array<double, ChartColumns>, ChartRows>;
ChartCosts ChartCellCosts(ExactEngine& engine, const StrategyTable& table, const StrategyTable& best,
                          const CasinoRules& rules);

// The value of one play among a hand's values, or nothing when the hand may not make it.
std::optional<double> ValueOfPlay(const PlayValues& values, Action play);

// Sets each row's ALWAYS and NEVER bytes from its up-card flags, as the editor keeps them.
void SetRowSummaries(StrategyTable& table);

} // namespace zvx
