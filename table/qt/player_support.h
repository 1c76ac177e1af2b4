#pragma once

// What the table window's files share: the scopes that keep the window alive and busy, and two small helpers.

#include <QString>

#include <cmath>
#include <string>

#include "table/pacing.h"
#include "table/qt/player.h"

namespace zvx::gui {

inline QString Q(const std::string& text) { return QString::fromStdString(text); }

// A step toward a target that stops short by less than the step count.
inline int TowardTarget(double distance, int steps) {
    const int step = StepOffset(static_cast<int>(std::lround(std::fabs(distance))), steps);
    return distance < 0 ? -step : step;
}

// Keeps the window alive while one of its calls is on the stack: their pauses and waits run the menus, and a
// reset or a new game there closes this window, which must then wait until the call has returned.
class StayScope {
public:
    explicit StayScope(TPlayer& player) : player_(player) { ++player_.onStack_; }
    ~StayScope() {
        if (--player_.onStack_ > 0 || !player_.deleteWhenIdle_) return;
        player_.deleteWhenIdle_ = false;
        if (player_.deferredParent_) player_.deferredParent_->deleteLater();
        else player_.deleteLater();
    }
    StayScope(const StayScope&) = delete;
    StayScope& operator=(const StayScope&) = delete;

private:
    TPlayer& player_;
};

// Marks the window busy with an animation (the player's input waits for it), and keeps it alive meanwhile.
class BusyScope {
public:
    explicit BusyScope(TPlayer& player) : player_(player), stay_(player) { ++player_.busy_; }
    ~BusyScope() { --player_.busy_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    TPlayer& player_;
    StayScope stay_;
};

} // namespace zvx::gui
