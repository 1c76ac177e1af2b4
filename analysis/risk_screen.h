#pragma once

#include <string>

#include "analysis/screens.h"
#include "engine/game_state.h"

namespace zvx {

inline constexpr const char* RiskTitle = "RISK AND PRECISION";

// The risk view of an analysis as a grid like the three screens': the strategy headings in row 0, a label in
// column 2 and each shown strategy's figure in columns 3..6 (strategy #4 alone in single-strategy mode), one
// round being the unit. `bankroll` is the one the risk of ruin is worked out for. An account whose squares
// are not known (a loaded game file, a merge without manifests) says so instead of its figures.
ScreenGrid RiskScreen(const Game& g, double bankroll);

// The bankroll the analysis window's risk view works with: the player's current one, or the table's starting
// bankroll when there is none (an analysis started before any table play).
double RiskViewBankroll(const Game& g);

} // namespace zvx
