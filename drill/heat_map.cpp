#include "drill/heat_map.h"

#include "drill/review_list.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zvx {

namespace {

constexpr double QuarterRate = 0.25;
constexpr double HalfRate = 0.5;

std::uint8_t Blend(std::uint8_t from, std::uint8_t to, double share) {
    return static_cast<std::uint8_t>(std::lround(from + (to - from) * share));
}

HeatColour Between(const HeatColour& from, const HeatColour& to, double share) {
    return {Blend(from.Red, to.Red, share), Blend(from.Green, to.Green, share),
            Blend(from.Blue, to.Blue, share)};
}

} // namespace

HeatMap BuildHeatMap(const DrillRecord& record) {
    HeatMap map{};
    for (const auto& [cell, tally] : record.Cells()) {
        const auto place = ChartPlaceOf(cell);
        if (!place) continue;
        HeatCell& heat = map[static_cast<std::size_t>(place->Row)][static_cast<std::size_t>(place->Column)];
        heat.Judged += tally.Judged;
        heat.Missed += tally.Missed;
        heat.Cost += tally.Cost;
    }
    return map;
}

HeatColour HeatColourOf(const HeatCell& cell) {
    if (cell.Judged <= 0) return UnjudgedColour;
    const double rate = std::clamp(cell.ErrorRate(), 0.0, 1.0);
    if (rate <= QuarterRate) return Between(NoMissColour, QuarterMissedColour, rate / QuarterRate);
    if (rate >= HalfRate) return HalfMissedColour;
    return Between(QuarterMissedColour, HalfMissedColour, (rate - QuarterRate) / (HalfRate - QuarterRate));
}

std::string HeatCellText(const ChartHand& hand, int upCard, const HeatCell& cell) {
    std::string text = hand.Label + " against " + UpCardLabel(upCard) + ": ";
    if (cell.Judged == 0) return text + "no decisions yet";
    char figures[96];
    std::snprintf(figures, sizeof figures, "%d of %d missed (%.0f %%)", cell.Missed, cell.Judged,
                  100 * cell.ErrorRate());
    text += figures;
    if (cell.Cost != 0) text += ", " + CostTotalPhrase(cell.Cost);
    return text;
}

} // namespace zvx
