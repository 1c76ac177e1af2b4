#pragma once

#include <array>

namespace zvx {

// The box that introduces the four betting strategies when an analysis starts (and, while the analysis window
// is open, in place of the about box).
inline constexpr const char* StrategyIntroCaption = "Betting Strategies";
inline constexpr const char* StrategyIntroHideButton = "Do Not Show This Screen Again";
inline constexpr std::array<const char*, 11> StrategyIntroLines = {
    " Conventional Betting Strategies:  ",
    "   #1: Use Zorvex BlackJack playing strategy, ",
    "         Always bet table minimum",
    "   #2: Conventional card count (2 to 6 = +1, 10 & Ace = -1) ",
    "         Bet low with - count, high with + count",
    "",
    " Zorvex BlackJack Betting Strategies:",
    "   #3: with Simple card count (5 = +1, Ace = -1) ",
    "   #4: with Conventional card count ",
    "        ",
    " To review this screen, select \"Help - About ZVX\"  ",
};

} // namespace zvx
