#include "analysis/advantage_error.h"

#include <algorithm>
#include <cmath>

#include "analysis/number_format.h"
#include "analysis/risk_figures.h"

namespace zvx {

namespace {

AdvantageError WithInterval(double advantage, double standardError) {
    return {advantage, standardError, advantage - NormalQuantile975 * standardError,
            advantage + NormalQuantile975 * standardError};
}

} // namespace

std::optional<AdvantageError> AdvantageErrorFromRounds(const PlayStats& a, bool squaresKnown) {
    if (!squaresKnown || !a.RoundSquaresKnown || a.TotalBet <= 0) return std::nullopt;
    const auto f = ComputeRisk(RiskSums::Of(a), 1, 1);
    if (!f) return std::nullopt;
    // The total won has the variance n s^2; the advantage is it per money bet.
    const double n = static_cast<double>(f->Rounds);
    return WithInterval(a.TotalWon * 100 / a.TotalBet, f->SdPerRound * std::sqrt(n) * 100 / a.TotalBet);
}

std::optional<AdvantageError> EstimateAdvantageError(const PlayStats& a, std::int64_t hours, bool squaresKnown) {
    if (!squaresKnown || hours < 2 || a.TotalBet <= 0) return std::nullopt;
    const double n = static_cast<double>(hours);
    const double mean = a.TotalWon / n;
    // The squares' sum less n times the squared mean is the sum of squared deviations; rounding can leave a
    // hair below 0 when every hour won the same.
    const double deviations = std::max(0.0, a.HourWonSquares - n * mean * mean);
    const double hourVariance = deviations / (n - 1);
    return WithInterval(a.TotalWon * 100 / a.TotalBet, std::sqrt(hourVariance * n) * 100 / a.TotalBet);
}

std::vector<ScreenLine> AdvantageErrorLines(const Game& g, bool squaresKnown, bool reliable) {
    ScreenLine errors;
    ScreenLine intervals;
    errors[2] = reliable ? " S.E. [95 %]" : " S.E. unreliable";
    constexpr int FirstStrategyColumn = 3;
    if (!squaresKnown) {
        errors[FirstStrategyColumn] = "not known: game files keep no round-by-round results";
        return {errors};
    }
    for (int strategy = 1; strategy <= StrategyCount; ++strategy) {
        if (g.SingleStrategyMode && strategy != StrategyCount) continue;
        const auto e = AdvantageErrorFromRounds(g.Hands[static_cast<std::size_t>(strategy)].Stats, true);
        if (!e) continue;
        const auto column = static_cast<std::size_t>(FirstStrategyColumn + strategy - 1);
        errors[column] = GroupedNumber(e->StandardError, 3);
        intervals[column] = IntervalText(e->Low, e->High, 2);
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
