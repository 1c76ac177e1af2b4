#include "table/pacing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zvx {

namespace {

// Round half to even, whatever the rounding mode of the moment.
int RoundEven(double x) {
    const double r = std::round(x);
    if (std::fabs(x - std::trunc(x)) == 0.5 && std::fmod(r, 2.0) != 0) return static_cast<int>(r - std::copysign(1.0, x));
    return static_cast<int>(r);
}

int AtLeastOne(int n) { return n < 1 ? 1 : n; }

std::chrono::nanoseconds Units(double delayFactor, double units) {
    if (units <= 0 || delayFactor <= 0) return std::chrono::nanoseconds(0);
    return std::chrono::nanoseconds(std::llround(units * delayFactor * MicrosecondsPerDelayFactor * 1000.0));
}

} // namespace

std::chrono::nanoseconds DelayUnit(double delayFactor) {
    return std::chrono::nanoseconds(std::llround(delayFactor * MicrosecondsPerDelayFactor * 1000.0));
}

std::chrono::nanoseconds PauseLength(const Game& g, int units) {
    if (g.PracticeDeckMode || units <= 0 || !g.TableShown) return std::chrono::nanoseconds(0);
    return Units(g.DelayFactor, units);
}

std::chrono::nanoseconds AdvicePauseLength(const Game& g, int units) {
    if (!g.TableShown) return std::chrono::nanoseconds(0);
    // The speed bar's left end gives SimulationDelay 100, which shows the text without a pause.
    const int u = units > 99 ? 100 - units : units;
    return Units(g.DelayFactor, static_cast<double>(pauses::AdviceScale) * u);
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
