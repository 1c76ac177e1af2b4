#pragma once

#include <cstdint>
#include <vector>

#include "analysis/screen_render.h"
#include "analysis/screens.h"
#include "shell/qt/main_form.h"

namespace zvx::gui {

struct WindowAnalysisResult {
    ScreenGrid Grid;       // the statistics screen as the run left it
    std::vector<ScreenLine> ErrorLines; // the lines under it: each strategy's S.E. and 95 % interval
    std::int64_t Rounds = 0;
    double Seconds = 0;    // wall time of the analysis itself
};

// Starts the main window, runs Betting and Rules Analysis from its menu item for `hours` hours with the
// window's own event handling and refreshes, and returns the final statistics screen with the lines under it.
WindowAnalysisResult RunAnalysisInWindow(const StartOptions& options, std::int64_t hours);

} // namespace zvx::gui
