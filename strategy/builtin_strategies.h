#pragma once

#include "strategy/strategy_table.h"

namespace zvx {

// The two built-in playing strategies. Each replaces all 3852 bytes of the table; rows they do not name are
// zero.
void LoadDefaultStrategy(StrategyTable& table);
void LoadAdvancedStrategy(StrategyTable& table);

} // namespace zvx
