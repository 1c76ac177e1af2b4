#include "shell/qt/analysis_bench.h"

#include <QAction>

#include <chrono>

namespace zvx::gui {

WindowAnalysisResult RunAnalysisInWindow(const StartOptions& options, std::int64_t hours) {
    TMainForm window(options);
    window.show();
    window.AppOnActivate();
    Game& g = window.game();
    g.StopAfterHours = hours;
    const auto start = std::chrono::steady_clock::now();
    window.AnalysisClick();
    const auto end = std::chrono::steady_clock::now();
    WindowAnalysisResult result;
    result.Grid = window.lastAnalysisGrid();
    result.ErrorLines = window.lastAnalysisErrorLines();
    result.Rounds = hours * 100;
    result.Seconds = std::chrono::duration<double>(end - start).count();
    g.StopAfterHours = 0;
    return result;
}

} // namespace zvx::gui
