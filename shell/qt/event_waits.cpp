#include "shell/qt/event_waits.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <chrono>

namespace zvx::gui {

namespace {
// Reading the clock costs more than a fast round; look at it once every so many calls.
constexpr unsigned CallsPerClockRead = 256;
// A click or a menu is answered within this many milliseconds (well inside what a person notices).
constexpr long long EventIntervalNanoseconds = 10'000'000;
} // namespace

void WaitForNextEvent() { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); }

void LetEventsRun() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

bool EventTicker::Due() {
    if (++calls_ % CallsPerClockRead != 0) return false;
    const long long now =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    if (now - lastNanoseconds_ < EventIntervalNanoseconds) return false;
    lastNanoseconds_ = now;
    return true;
}

} // namespace zvx::gui
