#pragma once

#include <optional>

#include "drill/judged_decision.h"
#include "engine/game_state.h"

namespace zvx {

// Works out what a missed decision cost, in bets (0.041 is 4.1 % of the hand's bet). The record keeps a cost
// of 0 where no source is given or a source cannot tell.
class CostSource {
public:
    virtual ~CostSource() = default;
    virtual std::optional<double> CostOf(const Game& g, const JudgedDecision& decision) = 0;
};

} // namespace zvx
