#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/screen_render.h"
#include "cards/hand.h"
#include "engine/game_state.h"

namespace zvx {

// The error of an account's advantage, in percent like the screen's advantage (the total won per money bet).
struct AdvantageError {
    double Advantage = 0;     // TotalWon * 100 / TotalBet
    double StandardError = 0; // of the advantage
    double Low = 0;           // the 95 % interval: Advantage -+ 1.96 StandardError
    double High = 0;
};

// The factor of every 95 % interval the program gives: the normal distribution's 97.5 % point (1.959964) to the
// two decimals the texts name.
inline constexpr double NormalQuantile975 = 1.96;

// The error the screens and the JSON give, from the rounds' results: the spread of a round (the same exact sums
// the risk figures use) times the square root of the rounds, per money bet. With it the advantage's interval
// and the risk figures' intervals come from one estimate, so they cannot disagree on whether the strategy wins.
// Nothing when the account has no bets, fewer than two rounds, or no squares (a loaded game file), or when
// `squaresKnown` is false (a merge that cannot know them).
std::optional<AdvantageError> AdvantageErrorFromRounds(const PlayStats& account, bool squaresKnown);

// The same by batch means over hours: the hours' results taken as independent draws of one distribution (an hour
// spans several shoes, so neighbouring hours share little). It agrees with the rounds' estimate within its own
// noise (the rounds within a shoe share little too); the JSON keeps it beside it. Nothing when the account has no
// bets or fewer than two hours, or when its squares are unknown.
std::optional<AdvantageError> EstimateAdvantageError(const PlayStats& account, std::int64_t hours, bool squaresKnown);

// The line under the analysis window's grid: " S.E. [95 %]", then per shown strategy its standard error (from the
// rounds' results) and the interval ("0.012 [-0.23, -0.18]"); for a merge of game files one cell saying why there is none. Errors of a
// run whose shoes repeated are labelled " S.E. unreliable". A window's cells fit such a text; a terminal's
// columns do not, so the tool prints AdvantageErrorLines instead.
ScreenLine AdvantageErrorLine(const Game& g, bool squaresKnown, bool reliable = true);

// The lines under the statistics screen, each cell in its strategy's column: " S.E. [95 %]" and each shown
// strategy's standard error ("0.012"), then a line of the intervals ("[-0.23, -0.18]") beneath them; for a
// merge that cannot know them one line with one cell saying why. Errors of a run whose shoes repeated are
// labelled " S.E. unreliable".
std::vector<ScreenLine> AdvantageErrorLines(const Game& g, bool squaresKnown, bool reliable = true);

} // namespace zvx
