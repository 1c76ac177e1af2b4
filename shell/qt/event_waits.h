#pragma once

#include <chrono>
#include <functional>

// The three ways the game loop waits inside Qt. Every wait of the round flow, the option forms and the
// analysis goes through one of these, so the program never spins on an idle table.
namespace zvx::gui {

// Waits for the player: blocks until at least one event has been handled.
void WaitForNextEvent();

// Lets the pending events run and returns at once.
void LetEventsRun();

// Pauses on the monotonic clock for a length of time, sleeping between events: what the pause shows (the
// step just drawn) is painted while it waits, and the menus stay live, but the caller keeps its own window
// from taking input meanwhile (see TPlayer). It ends early once `ended` holds (the game stopping).
void PauseOnClock(std::chrono::nanoseconds length, const std::function<bool()>& ended = {});

// Says when to let the pending events run, at most every few milliseconds: for loops that pass far more often
// than a person could notice (the analysis passes after every round). Cheap when it is not yet time.
class EventTicker {
public:
    bool Due();

private:
    unsigned calls_ = 0;
    long long lastNanoseconds_ = 0;
};

} // namespace zvx::gui
