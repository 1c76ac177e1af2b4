#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "drill/drill_record.h"
#include "strategy/strategy_chart.h"

namespace zvx {

// The record laid over the strategy chart: each chart cell's decisions, misses and cost.
struct HeatCell {
    int Judged = 0;
    int Missed = 0;
    double Cost = 0;

    double ErrorRate() const { return Judged > 0 ? static_cast<double>(Missed) / Judged : 0.0; }
};
using HeatMap = std::array<std::array<HeatCell, ChartColumns>, ChartRows>;

HeatMap BuildHeatMap(const DrillRecord& record);

struct HeatColour {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    friend bool operator==(const HeatColour&, const HeatColour&) = default;
};

// Grey for a cell never judged; otherwise from green (no misses) through yellow (one in four missed) to red
// (half or more missed).
HeatColour HeatColourOf(const HeatCell& cell);
inline constexpr HeatColour UnjudgedColour{215, 215, 215};
inline constexpr HeatColour NoMissColour{120, 200, 110};
inline constexpr HeatColour QuarterMissedColour{245, 215, 80};
inline constexpr HeatColour HalfMissedColour{225, 70, 60};

// The cell's counts for its tooltip: "Hard 16 against 10: 3 of 8 missed (38 %), cost 12.0 % of a bet".
std::string HeatCellText(const ChartHand& hand, int upCard, const HeatCell& cell);

} // namespace zvx
