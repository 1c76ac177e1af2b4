#include "shell/qt/event_waits.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <thread>

namespace zvx::gui {

namespace {
// Reading the clock costs more than a fast round; look at it once every so many calls.
constexpr unsigned CallsPerClockRead = 256;
// A click or a menu is answered within this many milliseconds (well inside what a person notices).
constexpr long long EventIntervalNanoseconds = 10'000'000;
} // namespace

void WaitForNextEvent() { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); }

void LetEventsRun() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void PauseOnClock(std::chrono::nanoseconds length, const std::function<bool()>& ended) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + length;
    // The step just drawn is painted first, whatever the length.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    for (;;) {
        if (ended && ended()) return;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() < 2) break;
        // A timer wakes the wait; until then the thread sleeps in the event dispatcher.
        QTimer wake;
        wake.setSingleShot(true);
        wake.setTimerType(Qt::PreciseTimer);
        wake.start(static_cast<int>(left.count() - 1));
        while (wake.isActive() && !(ended && ended()))
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    std::this_thread::sleep_until(end);
}

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
