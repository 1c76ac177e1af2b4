#pragma once

#include "engine/game_state.h"
#include "exact/best_table.h"

#include <optional>
#include <string>
#include <vector>

namespace zvx {

// What playing `played` instead of `recommended` costs on a hand of these card values (2..11, as the game
// holds them) against the up card's value, off the top of a fresh shoe under the rules, each play followed by
// the strategy's: in bets (0.041 is 4.1 % of the hand's bet). Nothing when either play is not open to the
// hand or is not a play (a hint). `unsplit` is false for a hand made by a split.
std::optional<double> PlayCost(const CasinoRules& rules, const StrategyTable& strategy, int upValue,
                               const std::vector<int>& cardValues, bool unsplit, Action played,
                               Action recommended);

// "costs 4.1 % of the bet", or for a play the strategy's own play does worse than, "gains 0.3 % of the bet".
std::string PlayCostText(double cost);

} // namespace zvx
