#pragma once

#include <string>

#include "engine/game_state.h"
#include "engine/options_file.h"

namespace zvx {

// The animation speed a new player starts at, and the slider rule that turns a speed into delay units.
inline constexpr std::uint16_t DefaultAnimationSpeed = 8000;
double DelayFactorForSpeed(std::uint16_t animationSpeed);

// The program's start-up on the main window's first activation: the options file, the hands, the statistics
// and a shuffled shoe. The speed comes from the options file (the player's own setting) or, on a first start,
// is the default one: pauses wait on a clock, so the machine's speed has nothing left to calibrate.
// Leaves FirstRun set when there was no options file (or another version's); the caller then shows the
// "Mouse Moves" box and saves the options. An options file that was there but could not be used is no first
// start: FirstRun stays clear and the returned status says which file and why, for the caller to tell the
// player once (OptionsFileNotice gives the text).
OptionsFileStatus StartUp(Game& g, const std::string& optionsPath = "ZVX.PRM");

} // namespace zvx
