#pragma once

#include <cstdint>

#include "analysis/screens.h"
#include "shell/qt/main_form.h"

namespace zvx::gui {

struct WindowAnalysisResult {
    ScreenGrid Grid;       // the statistics screen as the run left it
    std::int64_t Rounds = 0;
    double Seconds = 0;    // wall time of the analysis itself
};

// Starts the main window, runs Betting and Rules Analysis from its menu item for `hours` hours with the
// window's own event handling and refreshes, and returns the final statistics screen.
WindowAnalysisResult RunAnalysisInWindow(const StartOptions& options, std::int64_t hours);

} // namespace zvx::gui
