#pragma once

#include <vector>

#include "exact/exact_engine.h"
#include "strategy/strategy_table.h"

namespace zvx {

// The rows of the table that can change a hand's play under these rules (a surrender row only where
// surrender is allowed, a soft double only where any two cards may double, ...).
std::vector<int> DecisionRows(const ExactRules& rules);

// The table with the highest edge off the top for the engine's rules, found from the exact values: starting
// from `start`, each up card's cells are changed one at a time while that raises the edge, until no single
// cell's change does. Rows that cannot matter under the rules keep `start`'s flags; each row's ALWAYS and
// NEVER bytes are set as the editor sets them.
StrategyTable BestTable(ExactEngine& engine, const StrategyTable& start);

// What one cell of a table costs: the edge gained, per initial bet, by giving that cell the best table's flag
// and leaving every other cell as it is. Only the cells where the two tables differ are listed.
struct CellCost {
    int RowCode = 0;
    int UpValue = 0; // 2..11
    double Cost = 0;
};
std::vector<CellCost> CellCosts(ExactEngine& engine, const StrategyTable& table, const StrategyTable& best);

// Sets each row's ALWAYS and NEVER bytes from its up-card flags, as the editor keeps them.
void SetRowSummaries(StrategyTable& table);

} // namespace zvx
