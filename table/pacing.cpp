#include "table/pacing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/options.h"
#include "engine/startup.h"

namespace zvx {

namespace {

// Round half to even, whatever the rounding mode of the moment.
int RoundEven(double x) {
    const double r = std::round(x);
    if (std::fabs(x - std::trunc(x)) == 0.5 && std::fmod(r, 2.0) != 0) return static_cast<int>(r - std::copysign(1.0, x));
    return static_cast<int>(r);
}

int AtLeastOne(int n) { return n < 1 ? 1 : n; }

using Seconds = std::chrono::duration<double>;

constexpr double DefaultCardFlight = 0.25;
constexpr double FastCardFlight = 0.05;
constexpr double SlowCardFlight = 0.8;
constexpr double Commentary[] = {0.3, 2.0, 5.0}; // at SimulationDelay 1, 50 and 100
// ComputerPlayPace at SimulationDelay 1, 50 and 100. A plain round's bets, deal, payouts and sweep take 8.7 s
// of the table's own time and about a second more to draw: at the right end they share the round's 4 s with
// 0.9 s of commentary, at the start its 9 s with 6 s.
constexpr double ComputerPace[] = {0.24, 0.245, 1.0};
// A player's card place lies below the dealer's row: the deal's longer step count.
constexpr int PlayerCardTop = 150;

std::chrono::nanoseconds Nanoseconds(double seconds) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Seconds(seconds));
}

// CardFlightTime in seconds: a power of the setting through the default and the nearer end.
double CardFlightSeconds(int speed) {
    const double s = std::clamp(speed, static_cast<int>(MinAnimationSpeed), static_cast<int>(MaxAnimationSpeed));
    const double ratio = s / DefaultAnimationSpeed;
    const double end = s < DefaultAnimationSpeed ? MinAnimationSpeed : MaxAnimationSpeed;
    const double endTime = s < DefaultAnimationSpeed ? FastCardFlight : SlowCardFlight;
    const double exponent = std::log(endTime / DefaultCardFlight) / std::log(end / DefaultAnimationSpeed);
    return DefaultCardFlight * std::pow(ratio, exponent);
}

// A DelayFactor of zero or less counts down nothing: the pauses vanish (tests run the table that way).
bool Waits(const Game& g, int units) { return !g.PracticeDeckMode && units > 0 && g.TableShown && g.DelayFactor > 0; }

std::chrono::nanoseconds Paced(const Game& g, std::chrono::nanoseconds length) {
    if (!g.AutoPlay || g.SimulationDelay <= 0) return length;
    return Nanoseconds(Seconds(length).count() * ComputerPlayPace(g.SimulationDelay));
}

} // namespace

int TableSpeed(const Game& g) {
    const int speed = g.Prefs().AnimationSpeed;
    return speed >= MinAnimationSpeed ? speed : DefaultAnimationSpeed;
}

std::chrono::nanoseconds CardFlightTime(int speed) { return Nanoseconds(CardFlightSeconds(speed)); }

std::chrono::nanoseconds StepUnit(int speed) {
    return Nanoseconds(CardFlightSeconds(speed) / (DealSteps(speed, PlayerCardTop) * pauses::SlideStep));
}

std::chrono::nanoseconds HoldUnit(int speed) {
    const double defaultUnit = DefaultCardFlight / (DealSteps(DefaultAnimationSpeed, PlayerCardTop) * pauses::SlideStep);
    return Nanoseconds(defaultUnit * CardFlightSeconds(speed) / DefaultCardFlight);
}

double ComputerPlayPace(int simulationDelay) {
    const double d = std::clamp(simulationDelay, 1, 100);
    const double share = d <= 50 ? (d - 1) / 49 : (d - 50) / 50;
    const double from = d <= 50 ? ComputerPace[0] : ComputerPace[1];
    const double to = d <= 50 ? ComputerPace[1] : ComputerPace[2];
    return from * std::pow(to / from, share);
}

std::chrono::nanoseconds PauseLength(const Game& g, int units) {
    return Waits(g, units) ? Paced(g, units * HoldUnit(TableSpeed(g))) : std::chrono::nanoseconds(0);
}

std::chrono::nanoseconds StepPauseLength(const Game& g, int units) {
    return Waits(g, units) ? Paced(g, units * StepUnit(TableSpeed(g))) : std::chrono::nanoseconds(0);
}

std::chrono::nanoseconds CommentaryTime(int simulationDelay) {
    if (simulationDelay <= 0) return std::chrono::nanoseconds(0);
    const double d = std::min(simulationDelay, 100);
    const double seconds = d <= 50 ? Commentary[0] + (d - 1) * (Commentary[1] - Commentary[0]) / 49
                                   : Commentary[1] + (d - 50) * (Commentary[2] - Commentary[1]) / 50;
    return Nanoseconds(seconds);
}

std::chrono::nanoseconds AdvicePauseLength(const Game& g, int units) {
    return g.TableShown && g.DelayFactor > 0 ? CommentaryTime(units) : std::chrono::nanoseconds(0);
}

int DealSteps(int speed, int targetTop) { return AtLeastOne(RoundEven(speed * (targetTop < 100 ? 0.001 : 0.002))); }

int ChipSteps(int speed, int dx, int dy) {
    const bool shortMove = std::abs(dx) < 100 && std::abs(dy) < 100;
    return AtLeastOne(RoundEven(speed * (shortMove ? 0.001 : 0.0025)));
}

int SplitSteps(int speed, int dx) { return AtLeastOne(RoundEven(speed * (std::abs(dx) < 200 ? 0.001 : 0.002))); }

int CutCardSteps(int speed) { return AtLeastOne(RoundEven(speed * 0.001)); }

int FlipSteps(int speed) { return speed <= 1800 ? 1 : AtLeastOne(RoundEven(speed / 1800.0)); }

int FlipWidthStep(int flipSteps) { return RoundEven(36.0 / flipSteps); }

int ShuffleFlickerCards(int speed) { return std::min(RoundEven(speed * 0.00125) + 25, 40); }

int ShuffleFlickerPause(int speed) { return speed > 4999 ? 5 : 1; }

int StepOffset(int distance, int steps) { return distance / steps; }

int RoundedStepOffset(int distance, int steps) { return RoundEven(static_cast<double>(distance) / steps); }

} // namespace zvx
