#include "analysis/risk_figures.h"

#include <cmath>
#include <limits>

namespace zvx {

namespace {

constexpr double Infinite = std::numeric_limits<double>::infinity();

double RuinAt(double m, double variance, double bankroll) {
    return m <= 0 ? 1.0 : std::exp(-2 * m * bankroll / variance);
}

double BankrollAt(double m, double variance, double risk) {
    return m <= 0 ? Infinite : -variance * std::log(risk) / (2 * m);
}

// n sum(x^2) - (sum x)^2, in halves, worked out exactly in 128 bits: both terms are huge and nearly equal for
// a long run, and a double would keep only their rounding.
long double DeviationsTimesRounds(const RiskSums& s) {
    __extension__ using I128 = __int128;
    __extension__ using U128 = unsigned __int128;
    const U128 squares = (static_cast<U128>(s.Squares.High) << 64) | s.Squares.Low;
    const I128 halves = static_cast<I128>(std::llround(s.Won * 2));
    const U128 n = static_cast<U128>(s.Rounds);
    const U128 product = n * squares;
    const U128 sumSquared = static_cast<U128>(halves * halves);
    if (product < sumSquared) return 0; // only if the sums were not of the same rounds
    return static_cast<long double>(product - sumSquared);
}

} // namespace

RiskSums RiskSums::Of(const PlayStats& a) {
    RiskSums s;
    s.Rounds = a.RoundsClosed;
    s.Won = a.TotalWon;
    s.Squares = a.RoundSquares;
    return s;
}

double StartingBankroll(std::uint16_t tableMinimum) { return 200.0 * tableMinimum; }

std::optional<RiskFigures> ComputeRisk(const RiskSums& s, double unit, double bankroll) {
    if (s.Rounds < 2) return std::nullopt;
    RiskFigures f;
    const auto n = static_cast<long double>(s.Rounds);
    f.Rounds = s.Rounds;
    f.Unit = unit;
    f.Bankroll = bankroll;
    f.WinPerRound = s.Won / static_cast<double>(s.Rounds);
    // Halves squared to dollars squared: a quarter.
    const long double variance = DeviationsTimesRounds(s) / (n * (n - 1)) / 4;
    f.SdPerRound = static_cast<double>(std::sqrt(variance));
    f.WinRateError = f.SdPerRound / std::sqrt(static_cast<double>(s.Rounds));
    const double m = f.WinPerRound;
    const double v = static_cast<double>(variance);
    f.Wins = m > 0;
    const double low = m - NormalQuantile975 * f.WinRateError;
    const double high = m + NormalQuantile975 * f.WinRateError;
    const auto n0At = [v](double rate) { return rate > 0 ? v / (rate * rate) : Infinite; };
    if (f.Wins && v > 0) {
        f.N0 = v / (m * m);
        f.N0Range = {*f.N0, n0At(high), n0At(low)};
    }
    const auto diAt = [&f](double rate) { return f.SdPerRound > 0 ? 1000 * rate / f.SdPerRound : 0; };
    f.DI = diAt(m);
    f.DIRange = {f.DI, diAt(low), diAt(high)};
    f.Score = f.DI * f.DI * (f.Wins ? 1 : -1);
    const auto scoreAt = [&diAt](double rate) { return rate > 0 ? diAt(rate) * diAt(rate) : 0; };
    f.ScoreRange = {f.Score, scoreAt(low), scoreAt(high)};
    f.RiskOfRuin = {RuinAt(m, v, bankroll), RuinAt(high, v, bankroll), RuinAt(low, v, bankroll)};
    for (std::size_t i = 0; i < ShownRisks.size(); ++i)
        f.BankrollFor[i] = {BankrollAt(m, v, ShownRisks[i]), BankrollAt(high, v, ShownRisks[i]),
                            BankrollAt(low, v, ShownRisks[i])};
    return f;
}

} // namespace zvx
