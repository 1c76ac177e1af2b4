#pragma once

#include "engine/game_state.h"

#include <string>

namespace zvx {

// The lines the windows add beside their own figures. Edges and costs are fractions of a bet.

// "-0.524 %"
std::string EdgePercentText(double edge);

// The strategy editor's line: the edited table's edge off the top and the best table's.
std::string EditorEdgeText(double edge, double bestEdge);
inline constexpr const char* EditorWorkingText = "Exact edge off the top: working it out...";

// A chart cell's hover text: its play, and what it costs each time its hand is dealt where it departs from
// the best table's play.
std::string ChartCellCostText(Action played, Action best, double cost);

// The analysis screens' lines: the exact edge per money bet (the screens' unit) beside strategy #1's
// simulated advantage, and why they differ.
std::string ExactBesideSimulatedText(double edge, double simulatedPercent);
// The same without a simulated figure (strategy #1 has bet nothing yet), or while the exact one is worked
// out.
std::string ExactAloneText(double edge);
inline constexpr const char* ExactWorkingText = "Exact advantage off the top: working it out...";
// The shoe is shared only when two boxes are played.
inline std::string ExactDifferenceText(bool twoBoxes) {
    return std::string("Why they differ: the exact figure is one box's first round of a fresh shoe; the simulation "
                       "deals on to the cut card from a changing shoe") +
           (twoBoxes ? " (two boxes share it)" : "") + " and has its own error.";
}

// The drill score's addition: what the session's mistakes cost in all.
std::string SessionCostText(double cost);

} // namespace zvx
