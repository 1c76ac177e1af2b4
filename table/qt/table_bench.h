#pragma once

#include <vector>

#include "shell/qt/main_form.h"

namespace zvx::gui {

struct TableBenchResult {
    double FirstCardShownMs = 0;  // from "&Computer Simulated Play" to the first card on the table
    double FirstCardLandedMs = 0; // ... and to that card lying on its place
    double DealFramesPerSecond = 0; // frames painted while the first round's cards fly in
    int DealFrames = 0;
    double IdleCpuPercent = 0;    // processor use while Normal Play waits for a bet
    // Computer play, one two-box round from sweep to sweep, at the speed bar's right end, its starting
    // position and its left end: a round of two plain hands, and one in which box 1 splits a pair.
    struct RoundLengths {
        int BarPosition = 0;
        double PlainSeconds = 0;
        double SplitSeconds = 0;
    };
    std::vector<RoundLengths> ComputerRounds;
};

// Measures the table at the default speed in a window of the given size: computer play's first deal, the
// length of its rounds at three positions of the speed bar, and Normal Play's wait for a bet. Writes no file.
TableBenchResult RunTableBench(const StartOptions& options, int width, int height);

} // namespace zvx::gui
