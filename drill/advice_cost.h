#pragma once

#include <memory>

#include "drill/cost_source.h"

namespace zvx {

// Prices a missed decision at the cost the drill score has just worked out for it (Game::Drill.LastCost, from
// the exact engine), so that the record and the status bar's session cost add up the same mistakes alike.
std::unique_ptr<CostSource> MakeAdviceCosts();

} // namespace zvx
