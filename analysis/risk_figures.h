#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "analysis/advantage_error.h"
#include "cards/hand.h"
#include "cards/wide_sum.h"

namespace zvx {

// The spread of a betting strategy's results and what follows from it, the round being the unit (a round with
// two boxes is one result, so the boxes' covariance is in it). From the exact sums of an account: n rounds, the
// sum of their results x (TotalWon) and of their squares (RoundSquares, in halves squared):
//   win rate       m = sum x / n                      standard deviation  s = sqrt((sum x^2 - n m^2) / (n - 1))
//   per 100 rounds 100 m and 10 s                     error of m          e = s / sqrt(n)
//   N0 = s^2 / m^2 (rounds until the expected win equals one standard deviation; never reached when m <= 0)
//   DI = 1000 m / s                                   SCORE = DI^2 = 10^6 m^2 / s^2 (none when m <= 0)
//   risk of ruin for a bankroll B = exp(-2 m B / s^2) (1 when m <= 0)
//   bankroll for a risk r       = -s^2 ln(r) / (2 m)  (none suffices when m <= 0)
// The last two are the diffusion (Brownian motion) approximation. Every interval is that of m -+ 1.96 e carried
// through the figure's formula with s held (s is known far better than m): where the interval of m reaches 0
// or below, N0 and the bankrolls have no upper end (infinite).

// Sums as a study keeps them; `RiskSums::Of` reads them from an account.
struct RiskSums {
    std::int64_t Rounds = 0;
    double Won = 0;     // dollars, a whole number of halves
    WideSum Squares;    // halves squared
    static RiskSums Of(const PlayStats& account);
};

struct RangedValue {
    double Value = 0;
    double Low = 0;
    double High = 0; // may be infinite: no bankroll suffices at the interval's poor end
};

inline constexpr std::array<double, 2> ShownRisks = {0.05, 0.135};

struct RiskFigures {
    std::int64_t Rounds = 0;
    double Unit = 0;        // the table minimum
    double WinPerRound = 0; // dollars
    double WinRateError = 0;
    double SdPerRound = 0;
    bool Wins = false; // m > 0: only then are N0, SCORE and the bankrolls for a risk figures at all
    std::optional<double> N0; // none unless the strategy wins
    RangedValue N0Range;      // High infinite while the interval of m reaches 0
    double DI = 0;
    RangedValue DIRange;
    double Score = 0;         // DI^2, negative for a losing strategy (kept so for the sign)
    RangedValue ScoreRange;   // of DI^2 over the interval of m (0 at its low end when that reaches 0)
    double Bankroll = 0;
    RangedValue RiskOfRuin;                                  // a fraction of 1
    std::array<RangedValue, ShownRisks.size()> BankrollFor{}; // dollars, for ShownRisks
};

// Nothing with fewer than two rounds or without the squares.
std::optional<RiskFigures> ComputeRisk(const RiskSums& sums, double unit, double bankroll);

// The starting bankroll at a table: 200 times its minimum.
double StartingBankroll(std::uint16_t tableMinimum);

} // namespace zvx
