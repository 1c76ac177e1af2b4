#pragma once

#include <cstdint>
#include <string>

#include "engine/options.h"

namespace zvx {

// The lines under the analysis window's grid: how long the run has played and the rules it plays under, so the
// figures above them (or a picture of them) say what they are figures of.

// "Hours Played: 1,234"; an hour is 100 rounds.
std::string HoursPlayedText(std::int64_t hours);

// "Rules: 6 decks, 3/4 dealt, $25 minimum, 2 hands; double any two cards, double after split, re-split;
// dealer stands on soft 17; no surrender".
std::string RulesInForceText(const CasinoRules& rules);

} // namespace zvx
