#include "tools/progress_line.h"

#include <unistd.h>

#include <cstdio>

#include "analysis/number_format.h"
#include "analysis/screens.h"

namespace zvx {

void RunTimeWatch::Look() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const long long second = std::chrono::duration_cast<std::chrono::seconds>(now).count();
    if (second == lastSecond_) return;
    lastSecond_ = second;
    AdvanceRunTime(runTime_);
}

double RunTimeWatch::WallSeconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

std::string ProgressText(std::int64_t hoursDone, std::int64_t hours, double seconds) {
    constexpr double RoundsPerHour = 100;
    const double done = static_cast<double>(hoursDone);
    const double share = hours > 0 ? done / static_cast<double>(hours) : 0;
    const double rate = seconds > 0 ? done * RoundsPerHour / seconds : 0;
    std::string text = GroupedNumber(share * 100, 1) + " % of " + GroupedNumber(static_cast<double>(hours), 0) +
                       " hours, " + GroupedNumber(rate / 1e6, 2) + " M rounds/s";
    if (done > 0 && hoursDone < hours) {
        const double left = seconds * (static_cast<double>(hours) - done) / done;
        RunClock clock;
        const auto whole = static_cast<std::int64_t>(left + 0.5);
        clock.Hours = whole / 3600;
        clock.Minutes = static_cast<std::uint16_t>(whole / 60 % 60);
        clock.Seconds = static_cast<std::uint16_t>(whole % 60);
        text += ", " + RunTimeText(clock) + " left";
    }
    return text;
}

ProgressLine::ProgressLine(std::int64_t hours) : hours_(hours), terminal_(isatty(STDERR_FILENO) != 0) {}

void ProgressLine::Show(std::int64_t hoursDone, double seconds) {
    if (!terminal_) return;
    std::fprintf(stderr, "\r%s\033[K", ProgressText(hoursDone, hours_, seconds).c_str());
    std::fflush(stderr);
    shown_ = true;
}

void ProgressLine::Clear() {
    if (!shown_) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    shown_ = false;
}

} // namespace zvx
