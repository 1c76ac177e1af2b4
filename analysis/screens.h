#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/game_state.h"

namespace zvx {

// The analysis window's grid as data: what each cell reads, how wide each column is, the caption and the
// highlighted band. The Qt window and the command-line tool both draw from it; neither computes a text.
inline constexpr int GridColumns = 7;
inline constexpr int GridRows = 20;

struct ScreenGrid {
    std::string Title;
    std::array<int, GridColumns> ColumnWidths{}; // pixels
    std::array<std::array<std::string, GridColumns>, GridRows> Cells{}; // Cells[row][column]
    // The highlighted selection; all 0 when there is none.
    int HighlightFirstRow = 0;
    int HighlightLastRow = 0;
    int HighlightFirstColumn = 0;
    int HighlightLastColumn = 0;

    // Cells are addressed column first, as the grid names them: Cell(3, 1) is column 3, row 1.
    std::string& Cell(int column, int row) { return Cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]; }
    const std::string& Cell(int column, int row) const {
        return Cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
};

// Values of AnalysisScreen. A click moves Statistics -> Odds -> Count -> Statistics.
inline constexpr std::uint8_t OddsScreen = 1;
inline constexpr std::uint8_t CountScreen = 2;
inline constexpr std::uint8_t StatisticsScreen = 3;

inline constexpr const char* StatisticsTitle = "STATISTICS, By Betting Strategy";
inline constexpr const char* OddsTitle = "ODDS OF WINNING/LOSING MULTIPLES OF AVERAGE BET, IN ONE HOUR (100 Hands)";
inline constexpr const char* CountTitle = "PLAYER ADVANTAGE BY CARD COUNT (Ratio of $Won/$Bet)";

// Row 0 of columns 3..6: betting strategies #1..#4.
inline constexpr std::array<const char*, StrategyCount> StrategyHeadings = {
    "    Basic Strategy", "    Card Counting", " Velt Simple Count", " Velt Max Strategy"};

// The single-strategy run (the corner button) bets strategy #4's count, but with two boxes it plays one box of one
// minimum at a count of 0 or +1 and two boxes of two minimums above: not #4's plan, so not #4's name. With one box
// it is #4's plan exactly.
inline constexpr const char* SingleStrategyHeading = " Velt Max Spread";

// The heading of a strategy's column in this run: Headings[strategy - 1], or the single-strategy run's own.
const char* StrategyHeading(const Game& g, int strategy);

// What a strategy bets in this run, in words, for a reader of the JSON.
std::string BettingPlanText(const Game& g, int strategy);

// The read-only line under the grid (Edit1), hidden with Button1 once the single-strategy run starts.
inline constexpr const char* ScreenCycleHint = " Click on Screen to Display Analysis Results in Other Formats";

// The analysis window's state (TSimForm): which screen is up, whether its labels must be rewritten, the clock
// second of the last refresh, and the grid itself. Run time lives in Game::RunTime because game files keep it.
struct AnalysisScreens {
    std::uint8_t AnalysisScreen = StatisticsScreen;
    bool RelabelPending = true;
    int LastClockSecond = -1; // -1: no refresh yet, so the first one always redraws
    bool ControlsVisible = true; // Button1 and Edit1
    ScreenGrid Grid;

    // An analysis starts: a fresh grid with the strategy headings, the statistics screen first, run time 0:00:00.
    void Open(Game& g);
    // The run ends: the window goes away.
    void Close(Game& g);
    // Rewrites the file-name cell, empties every data and label cell, then sets the current screen's labels,
    // column widths, highlighted band and title.
    void Relabel(const Game& g);
    // Relabels when pending, then fills the value cells of the current screen.
    void Redraw(const Game& g);
    // After a closed hour. With a clock second unlike the last one seen, the run time advances one second and
    // the grid is redrawn; with the same second nothing happens, so the screen changes at most once a second.
    // Under SingleStrategyMode the clock is ignored and every refresh redraws. Returns whether it redrew.
    bool Refresh(Game& g, int clockSecond);
    // A click on the window: the next screen, except in a single-strategy run, which has only the statistics.
    void FormClick(const Game& g);
    // The screen before, for a reader stepping back from the keyboard: Statistics -> Count -> Odds.
    void PreviousScreen(const Game& g);
    // The small button in the corner: switches to the single-strategy run, which shows strategy #4 alone.
    void Button1Click(Game& g);
};

// One second more, carrying 60 seconds into a minute and 60 minutes into an hour.
void AdvanceRunTime(RunClock& clock);

// "1:05:09": hours, then minutes and seconds as two digits each.
std::string RunTimeText(const RunClock& clock);

} // namespace zvx
