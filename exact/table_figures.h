#pragma once

#include "exact/best_table.h"

#include <atomic>
#include <optional>

namespace zvx {

// The figures the strategy editor shows beside a table.
struct TableFigures {
    double Edge = 0;     // the table's edge off the top, per initial bet
    double Stakes = 1;   // the money it puts on the table a round, in initial bets
    double BestEdge = 0; // the best table's
    StrategyTable Best;
    ChartCosts Costs{}; // what each chart cell costs each time its hand is dealt, in bets
};

// Works the figures out; `stop`, set from another thread, ends the work early with nothing. Without
// `withBest` only the table's edge is worked out (the rest stays empty).
std::optional<TableFigures> WorkOutTableFigures(const CasinoRules& rules, const StrategyTable& table,
                                                const std::atomic<bool>* stop = nullptr,
                                                bool withBest = true);

// The best table for the rules, kept once found (any thread may ask). Nothing when stopped first.
std::optional<StrategyTable> BestTableFor(const CasinoRules& rules, const std::atomic<bool>* stop = nullptr);

} // namespace zvx
