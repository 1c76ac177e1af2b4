// zvx: the desktop program.

#include <QApplication>
#include <QIcon>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/screen_render.h"
#include "drill/record_file.h"
#include "shell/qt/analysis_bench.h"
#include "shell/qt/main_form.h"
#include "table/qt/table_bench.h"

namespace {

constexpr const char* Usage = R"(Usage: zvx [--seed S] [--analysis-hours N] [--table-bench]

Zorvex Professional BlackJack: play at the table, drill decisions on the practice deck, watch the computer
play, and compare four betting strategies. The options file ZVX.PRM lives in the current directory.

  --seed S              shuffle every shoe from seed S (0..4294967295) instead of the clock, so a game,
                        a drill or an analysis can be repeated exactly
  --analysis-hours N    unattended: run Betting and Rules Analysis in the window for N hours of 100 rounds,
                        print the statistics screen with each strategy's S.E. and 95 % interval and
                        the speed, and quit (writes no file)
  --table-bench         unattended: measure the table at the default speed (time to the first card of
                        computer play, frames per second while it deals, the length of a computer
                        round with and without a split at the speed bar's right end (100), start (50)
                        and left end (1), processor use while Normal Play waits for a bet), print the
                        figures and quit (writes no file)
  --help                show this text

Without a display the program cannot open its window; zvx-analysis plays the analysis on the command line.
)";

template <typename T>
std::optional<T> ParseNumber(std::string_view text) {
    T value{};
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end || text.empty()) return std::nullopt;
    return value;
}

bool HaveDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

int UsageError(const std::string& message) {
    std::cerr << "zvx: " << message << " (see --help)\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    zvx::gui::StartOptions options;
    std::optional<long long> analysisHours;
    bool tableBench = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << Usage;
            return 0;
        }
        if (arg == "--table-bench") {
            tableBench = true;
            continue;
        }
        if (arg != "--seed" && arg != "--analysis-hours") return UsageError("unknown flag '" + std::string(arg) + "'");
        if (i + 1 >= argc) return UsageError(std::string(arg) + " needs a value");
        const std::string_view value = argv[++i];
        if (arg == "--seed") {
            options.Seed = ParseNumber<std::uint32_t>(value);
            if (!options.Seed)
                return UsageError("--seed must be a whole number from 0 to 4294967295, not '" + std::string(value) + "'");
        } else {
            analysisHours = ParseNumber<long long>(value);
            if (!analysisHours || *analysisHours < 1 || *analysisHours > 1000000000)
                return UsageError("--analysis-hours must be a whole number from 1 to 1000000000, not '" +
                                  std::string(value) + "'");
        }
    }
    if (!HaveDisplay()) {
        std::cerr << "zvx: no display to open the window on (DISPLAY is not set); zvx-analysis runs the analysis "
                     "on the command line\n";
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Zorvex Professional BlackJack 32");
    QApplication::setWindowIcon(QIcon(":/icons/zvx.svg"));
    if (analysisHours) {
        options.Unattended = true;
        const auto result = zvx::gui::RunAnalysisInWindow(options, *analysisHours);
        std::cout << zvx::RenderAligned(result.Grid, result.ErrorLines);
        std::fprintf(stderr, "%lld rounds in %.3f s: %.0f rounds/s\n", static_cast<long long>(result.Rounds),
                     result.Seconds, result.Seconds > 0 ? static_cast<double>(result.Rounds) / result.Seconds : 0.0);
        return 0;
    }
    if (tableBench) {
        options.Unattended = true;
        const auto r = zvx::gui::RunTableBench(options, 1024, 768);
        std::printf("first card shown %.0f ms, landed %.0f ms after the menu item\n", r.FirstCardShownMs,
                    r.FirstCardLandedMs);
        std::printf("first deal: %d frames, %.0f frames/s\n", r.DealFrames, r.DealFramesPerSecond);
        std::printf("waiting for a bet: %.2f %% of a core\n", r.IdleCpuPercent);
        for (const auto& round : r.ComputerRounds)
            std::printf("computer round, speed bar at %d: %.1f s, with a split %.1f s\n", round.BarPosition,
                        round.PlainSeconds, round.SplitSeconds);
        return 0;
    }
    options.DrillRecordPath = zvx::DefaultRecordPath().string();
    zvx::gui::TMainForm window(options);
    window.show();
    return QApplication::exec();
}
