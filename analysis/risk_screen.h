#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/screen_render.h"
#include "analysis/screens.h"
#include "engine/game_state.h"

namespace zvx {

inline constexpr const char* RiskTitle = "RISK AND PRECISION";

// The risk view of an analysis as a grid like the three screens': the strategy headings in row 0, a label in
// column 2 and each shown strategy's figure in columns 3..6 (strategy #4 alone in single-strategy mode), one
// round dealt being the unit. `bankroll` is the one the risk of ruin is worked out for. An account whose squares
// are not known (a loaded game file, a merge without manifests) says so instead of its figures. A strategy that
// does not win on average reads "never" for N0, SCORE and the bankrolls for a risk: no number of rounds or size
// of bankroll does it.
ScreenGrid RiskScreen(const Game& g, double bankroll);

// The notes under the risk view, saying what its figures measure: one text a line.
std::vector<std::string> RiskNotes();
// The same as lines under the printed grid, each text starting in the label column.
std::vector<ScreenLine> RiskNoteLines();

// A strategy's first bets of a round (before doubles and splits), in table minimums, per round dealt: each
// box's stake is fixed for #1, #3 and #4 (two minimums with two boxes), so it is their first hands times it;
// #2 bets one stake more than #1 exactly where #4 bets, so it is #1's and #4's together. Nothing for the
// single-strategy run with two boxes (one box or two by the count: the hands do not tell the mix) or before a
// round was closed.
std::optional<double> UnitsBetPerRound(const Game& g, int strategy);

// The bankroll the analysis window's risk view works with: the player's current one, or the table's starting
// bankroll when there is none (an analysis started before any table play).
double RiskViewBankroll(const Game& g);

} // namespace zvx
