#include "analysis/advantage_error.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zvx {

std::optional<AdvantageError> EstimateAdvantageError(const PlayStats& a, std::int64_t hours, bool squaresKnown) {
    if (!squaresKnown || hours < 2 || a.TotalBet <= 0) return std::nullopt;
    const double n = static_cast<double>(hours);
    const double mean = a.TotalWon / n;
    // The squares' sum less n times the squared mean is the sum of squared deviations; rounding can leave a
    // hair below 0 when every hour won the same.
    const double deviations = std::max(0.0, a.HourWonSquares - n * mean * mean);
    const double hourVariance = deviations / (n - 1);
    AdvantageError e;
    e.Advantage = a.TotalWon * 100 / a.TotalBet;
    e.StandardError = std::sqrt(hourVariance * n) * 100 / a.TotalBet;
    e.Low = e.Advantage - NormalQuantile975 * e.StandardError;
    e.High = e.Advantage + NormalQuantile975 * e.StandardError;
    return e;
}

std::vector<ScreenLine> AdvantageErrorLines(const Game& g, bool squaresKnown, bool reliable) {
    ScreenLine errors;
    ScreenLine intervals;
    errors[2] = reliable ? " S.E. [95 %]" : " S.E. unreliable";
    constexpr int FirstStrategyColumn = 3;
    if (!squaresKnown) {
        errors[FirstStrategyColumn] = "not known: game files keep no hour-by-hour results";
        return {errors};
    }
    for (int strategy = 1; strategy <= StrategyCount; ++strategy) {
        const auto e = EstimateAdvantageError(g.Hands[static_cast<std::size_t>(strategy)].Stats, g.HoursPlayed, true);
        if (!e) continue;
        char text[96];
        const auto column = static_cast<std::size_t>(FirstStrategyColumn + strategy - 1);
        std::snprintf(text, sizeof text, "%.3f", e->StandardError);
        errors[column] = text;
        std::snprintf(text, sizeof text, "[%.2f, %.2f]", e->Low, e->High);
        intervals[column] = text;
    }
    return {errors, intervals};
}

ScreenLine AdvantageErrorLine(const Game& g, bool squaresKnown, bool reliable) {
    const std::vector<ScreenLine> lines = AdvantageErrorLines(g, squaresKnown, reliable);
    ScreenLine line = lines.front();
    if (lines.size() > 1)
        for (std::size_t column = 0; column < line.size(); ++column)
            if (!lines[1][column].empty()) line[column] += " " + lines[1][column];
    return line;
}

} // namespace zvx
