#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "engine/game_state.h"

namespace zvx {

// The run's clock as the analysis window keeps it: each look that sees a new wall-clock second advances the
// run time by one second, however long the gap was.
class RunTimeWatch {
public:
    void Look();
    const RunClock& RunTime() const { return runTime_; }
    double WallSeconds() const;

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    long long lastSecond_ = -1;
    RunClock runTime_;
};

// "42.0 % of 1,000,000 hours, 7.61 M rounds/s, 0:01:23 left": the share done, the speed so far and the time
// left at that speed.
std::string ProgressText(std::int64_t hoursDone, std::int64_t hours, double seconds);

// The progress line on standard error, rewritten in place, only when standard error is a terminal.
class ProgressLine {
public:
    explicit ProgressLine(std::int64_t hours);
    void Show(std::int64_t hoursDone, double seconds);
    void Clear();

private:
    std::int64_t hours_;
    bool terminal_;
    bool shown_ = false;
};

} // namespace zvx
