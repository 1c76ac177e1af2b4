#pragma once

#include "shell/qt/main_form.h"

namespace zvx::gui {

struct TableBenchResult {
    double FirstCardShownMs = 0;  // from "&Computer Simulated Play" to the first card on the table
    double FirstCardLandedMs = 0; // ... and to that card lying on its place
    double DealFramesPerSecond = 0; // frames painted while the first round's cards fly in
    int DealFrames = 0;
    double IdleCpuPercent = 0;    // processor use while Normal Play waits for a bet
};

// Measures the table at the default speed in a window of the given size: computer play's first deal and
// Normal Play's wait for a bet. Writes no file.
TableBenchResult RunTableBench(const StartOptions& options, int width, int height);

} // namespace zvx::gui
