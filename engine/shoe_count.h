#pragma once

#include "cards/counting_systems.h"
#include "engine/game_state.h"

namespace zvx {

// Any counting system's figures over the shoe as dealt so far (every card dealt counts, the dealer's hole card
// included: a panel that hides it takes its tag off itself).
struct ShoeCount {
    int Running = 0;
    int CardsLeft = 0;
    double DecksLeft = 0.0;
    double True = 0.0;
};

ShoeCount CountOfShoe(const Game& g, const CountingSystem& system);

} // namespace zvx
