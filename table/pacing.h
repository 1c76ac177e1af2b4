#pragma once

#include <chrono>

#include "engine/game_state.h"

namespace zvx {

// Every pause of the table, in delay units. The step counts grow with the speed setting, so a slower setting
// moves more smoothly; the real length of a unit is worked out below so that whole animations take the times a
// player can follow.
namespace pauses {
inline constexpr int SlideStep = 2;       // each step of a sliding card, chip or cut card
inline constexpr int FlipStep = 1;        // each step of the hole card's flip
inline constexpr int ExchangeChip = 1;    // each chip joining an exchange stack
inline constexpr int BetChip = 5;         // after a bet chip lands; before an exchange stack flies off
inline constexpr int ChipFlight = 10;     // after every chip flight and the cut card's slide
inline constexpr int ExchangeArrive = 20; // before the dealer's exchange chips come and join the rack
inline constexpr int PayoutShown = 20;    // after a settlement that left winnings on the table
inline constexpr int EvenMoney = 100;     // after an even-money payout
inline constexpr int BeforeShuffle = 200;
inline constexpr int ShuffleSettle = 10;  // before and after the shuffle's flicker
} // namespace pauses

// The speed setting the table runs at: AnimationSpeed, or the default when it was never set.
int TableSpeed(const Game& g);

// The real time of a player's card flying from the shoe to its place: a quarter of a second at the default
// setting, a twentieth at the fast end (1000), eight tenths at the slow end (25000); between them it follows a
// power of the setting, so each notch of the slider changes the pace by the same proportion.
std::chrono::nanoseconds CardFlightTime(int speed);
// One delay unit of an animation's steps (sized so that a player's card takes CardFlightTime), and of the
// pauses that hold a picture (in proportion to CardFlightTime, 7.8 ms at the default).
std::chrono::nanoseconds StepUnit(int speed);
std::chrono::nanoseconds HoldUnit(int speed);

// Computer play at the table: the share of the animations' and pauses' own time they take at a position of
// the speed bar (its SimulationDelay, below): the bar paces the cards and chips as well as the commentary, so
// that a plain two-box round takes about 4 s at the right end and 9 s at the start, commentary included.
// 1 at the left end: there the table moves as in Normal Play. Each notch changes it by the same proportion.
double ComputerPlayPace(int simulationDelay);

// The real length of the pauses for the game's mode and speed: zero when nothing is to wait (no table, the
// practice deck, no units, a DelayFactor of zero). In computer play the speed bar's pace applies.
std::chrono::nanoseconds PauseLength(const Game& g, int units);     // a picture held
std::chrono::nanoseconds StepPauseLength(const Game& g, int units); // the steps of an animation

// Computer play at the table: how long a commentary text stays up, and the pause after each round, for the
// speed bar's SimulationDelay (101 - position: 1 at the right end, 50 at the default, 100 at the left end).
// Reading time, not a machine's speed: 0.3 s at the right end, 2 s at the default, 5 s at the left end,
// linear in the bar between them, so a position further left always reads longer.
std::chrono::nanoseconds CommentaryTime(int simulationDelay);
std::chrono::nanoseconds AdvicePauseLength(const Game& g, int units);

// Step counts of the animations, from AnimationSpeed; each at least 1. Rounding is half to even.
int DealSteps(int speed, int targetTop);
int ChipSteps(int speed, int dx, int dy);
int SplitSteps(int speed, int dx);
int CutCardSteps(int speed);
int FlipSteps(int speed);
int FlipWidthStep(int flipSteps);
// The shuffle's flicker: how many shoe positions it shows, and the pause after each of its pictures.
int ShuffleFlickerCards(int speed);
int ShuffleFlickerPause(int speed);

// A per-step offset that stops short of the distance by less than the step count: truncated toward zero.
int StepOffset(int distance, int steps);
// The cut card's steps are rounded instead.
int RoundedStepOffset(int distance, int steps);

} // namespace zvx
