#pragma once

#include <chrono>

#include "engine/game_state.h"

namespace zvx {

// Every pause of the table, in delay units. A unit lasts longer the higher the speed setting (see
// DelayUnit); the step counts grow with the same setting, so a faster "computer" moves more smoothly.
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
inline constexpr int AdviceScale = 30;    // an advice unit is this many delay units
} // namespace pauses

// How long one delay unit lasts: 2.4 microseconds per unit of DelayFactor, so that at the default speed
// (8000, DelayFactor 3219) a unit is 7.7 ms and a player's card, 16 steps of 2 units, lands in a quarter
// of a second. The preferences slider scales it through DelayFactor.
inline constexpr double MicrosecondsPerDelayFactor = 2.4;
std::chrono::nanoseconds DelayUnit(double delayFactor);

// The real length of Pause(units) and AdvicePause(units) for the game's mode and speed: zero when nothing
// is to wait (no table, the practice deck, no units).
std::chrono::nanoseconds PauseLength(const Game& g, int units);
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
