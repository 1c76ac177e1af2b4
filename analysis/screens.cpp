#include "analysis/screens.h"

#include <cstdio>
#include <cstdlib>

#include "analysis/number_format.h"

namespace zvx {

namespace {

constexpr int FixedColumnWidth = 2;
constexpr int MarginWidth = 5;
constexpr int CountMarginWidth = 20; // wide enough for the vertical words
constexpr int LabelWidth = 100;
constexpr int CountLabelWidth = 85;
constexpr int StrategyColumnWidth = 129;
constexpr int HiddenColumnWidth = 1;

constexpr int FirstStrategyColumn = 3;
constexpr int LastDataRow = GridRows - 1;
constexpr int ShownCountLimit = 9; // the by-count arrays go to +-10, the screens to +-9

// Count screen: an untouched count reads as no advantage rather than as a hole in the table.
constexpr const char* ZeroPercent = "       0.00 %";

constexpr const char* FileExtension = ".ZVX";
constexpr std::size_t FileNameCellLimit = 16;

int StrategyColumn(int strategy) { return strategy + 2; }
int RowOfCount(int k) { return 10 - k; }

const PlayStats& Account(const Game& g, int strategy) { return g.Hands[static_cast<std::size_t>(strategy)].Stats; }

std::string IntegerText(std::int64_t value) { return std::to_string(value); }

// The average bet of one round's boxes: the unit of the odds screen's rows.
std::int64_t AverageBet(const Game& g) {
    const std::int64_t minimum = g.Rules().TableMinimum;
    return g.SecondBoxActive ? 4 * minimum : 2 * minimum;
}

void SetBaseWidths(ScreenGrid& grid, int margin, int label) {
    grid.ColumnWidths = {FixedColumnWidth, margin, label, StrategyColumnWidth, StrategyColumnWidth,
                         StrategyColumnWidth, StrategyColumnWidth};
}

void HighlightUpperBand(ScreenGrid& grid) {
    grid.HighlightFirstRow = 1;
    grid.HighlightLastRow = 10;
    grid.HighlightFirstColumn = 2;
    grid.HighlightLastColumn = GridColumns - 1;
}

void LabelStatistics(ScreenGrid& grid, const Game& g) {
    if (!g.SingleStrategyMode) grid.Cell(2, 1) = " Run Time";
    grid.Cell(2, 3) = " Total Hands";
    grid.Cell(2, 4) = " Bet Per Hand";
    grid.Cell(2, 5) = " Won Per Hour";
    grid.Cell(2, 7) = " Advantage";
    grid.Cell(2, 9) = " Bets Won";
    grid.Cell(2, 10) = " Bets Lost";
    grid.Cell(2, 11) = " Pushed";
    grid.Cell(2, 13) = " Hands Split";
    grid.Cell(2, 14) = " Doubled";
    grid.Cell(2, 15) = " Blackjacks";
    // A swing is a run of 100 table minimums up or down.
    const std::string swing = "$" + GroupedNumber(100.0 * g.Rules().TableMinimum, 0);
    grid.Cell(2, 17) = " Won " + swing;
    grid.Cell(2, 18) = " Lost " + swing;
    grid.Cell(2, 19) = " Ratio";

    SetBaseWidths(grid, MarginWidth, LabelWidth);
    if (g.SingleStrategyMode) {
        for (int column = FirstStrategyColumn; column < StrategyColumn(StrategyCount); ++column)
            grid.ColumnWidths[static_cast<std::size_t>(column)] = HiddenColumnWidth;
    }
    grid.Title = StatisticsTitle;
}

void LabelOdds(ScreenGrid& grid, const Game& g) {
    const std::int64_t u = AverageBet(g);
    for (int k = 9; k >= 1; --k) grid.Cell(2, RowOfCount(k)) = "+ $" + IntegerText(k * u) + " / hour";
    for (int k = -1; k >= -9; --k) grid.Cell(2, RowOfCount(k)) = " - $" + IntegerText(-k * u) + " / hour";
    grid.Cell(2, RowOfCount(0)) = "    + / -  $" + IntegerText(u - 1);
    SetBaseWidths(grid, MarginWidth, LabelWidth);
    HighlightUpperBand(grid);
    grid.Title = OddsTitle;
}

void LabelCount(ScreenGrid& grid) {
    const char* card[] = {" C", " A", " R", " D"};
    for (int i = 0; i < 4; ++i) grid.Cell(1, 6 + i) = card[i];
    const char* count[] = {" C", " O", " U", " N", " T"};
    for (int i = 0; i < 5; ++i) grid.Cell(1, 11 + i) = count[i];
    for (int row : {4, 5, 16, 17}) grid.Cell(1, row) = " ";

    grid.Cell(2, RowOfCount(9)) = "            +9 >";
    for (int k = 8; k >= 1; --k) grid.Cell(2, RowOfCount(k)) = std::string(12, ' ') + "+" + IntegerText(k);
    grid.Cell(2, RowOfCount(0)) = std::string(14, ' ') + "0";
    for (int k = -1; k >= -8; --k) grid.Cell(2, RowOfCount(k)) = std::string(13, ' ') + IntegerText(k);
    grid.Cell(2, RowOfCount(-9)) = "             -9 <";

    for (int row = 1; row <= LastDataRow; ++row)
        for (int column = FirstStrategyColumn; column < GridColumns; ++column) grid.Cell(column, row) = ZeroPercent;

    SetBaseWidths(grid, CountMarginWidth, CountLabelWidth);
    HighlightUpperBand(grid);
    grid.Title = CountTitle;
}

void ClearColumn(ScreenGrid& grid, int column, int firstRow) {
    for (int row = firstRow; row <= LastDataRow; ++row) grid.Cell(column, row).clear();
}

// The advantage in percent of the money bet, three decimals.
std::string AdvantageText(double advantage) {
    const std::string number = FormatNumber(" %-6.3n", advantage);
    return (advantage < 0 ? "   " : "    ") + number + "%";
}

// How many swings won per swing lost, or lost per won, whichever is at least 1.
std::string SwingRatioText(std::int64_t won, std::int64_t lost) {
    if (won <= 0 || lost <= 0) return {};
    if (lost <= won) return "+" + FormatNumber(" %-4.1n", static_cast<double>(won) / static_cast<double>(lost));
    return "-" + FormatNumber(" %-4.1n", static_cast<double>(lost) / static_cast<double>(won));
}

void FillStatistics(ScreenGrid& grid, const Game& g) {
    if (!g.SingleStrategyMode) grid.Cell(FirstStrategyColumn, 1) = RunTimeText(g.RunTime);
    const double hours = static_cast<double>(g.HoursPlayed);
    for (int strategy = 1; strategy <= StrategyCount; ++strategy) {
        if (g.SingleStrategyMode && strategy != StrategyCount) continue;
        const int column = StrategyColumn(strategy);
        const PlayStats& s = Account(g, strategy);
        // A strategy that never bet has nothing to show; a loaded game may also have emptied a column.
        ClearColumn(grid, column, 3);
        if (s.HandsPlayed <= 0) continue;
        const double n = static_cast<double>(s.HandsPlayed);

        grid.Cell(column, 3) = FormatNumber(" %-14.0n", n);
        grid.Cell(column, 4) = MoneyText(s.TotalBet / n);
        if (hours > 0) grid.Cell(column, 5) = MoneyText(s.TotalWon / hours);
        if (s.TotalBet != 0) grid.Cell(column, 7) = AdvantageText(s.TotalWon * 100 / s.TotalBet);
        const double won = s.BetsWon / n;
        const double lost = s.BetsLost / n;
        grid.Cell(column, 9) = PercentText(won);
        grid.Cell(column, 10) = PercentText(lost);
        grid.Cell(column, 11) = PercentText(1 - won - lost);
        grid.Cell(column, 13) = PercentText(static_cast<double>(s.HandsSplit) / n);
        grid.Cell(column, 14) = PercentText(static_cast<double>(s.HandsDoubled) / n);
        grid.Cell(column, 15) = PercentText(static_cast<double>(s.Blackjacks) / n);
        grid.Cell(column, 17) = FormatNumber(" %-10.0n", static_cast<double>(s.SwingsWon));
        grid.Cell(column, 18) = FormatNumber(" %-10.0n", static_cast<double>(s.SwingsLost));
        grid.Cell(column, 19) = SwingRatioText(s.SwingsWon, s.SwingsLost);
    }
}

void FillOdds(ScreenGrid& grid, const Game& g) {
    for (int strategy = 1; strategy <= StrategyCount; ++strategy) {
        const int column = StrategyColumn(strategy);
        const PlayStats& s = Account(g, strategy);
        for (int k = ShownCountLimit; k >= -ShownCountLimit; --k) {
            std::string& cell = grid.Cell(column, RowOfCount(k));
            if (g.HoursPlayed <= 0) {
                cell.clear();
                continue;
            }
            const auto hoursAtLeastK = s.HourHistogram[static_cast<std::size_t>(CountSlot(k))];
            cell = PercentText(static_cast<double>(hoursAtLeastK) / static_cast<double>(g.HoursPlayed));
        }
    }
}

void FillCount(ScreenGrid& grid, const Game& g) {
    for (int strategy = 1; strategy <= StrategyCount; ++strategy) {
        const int column = StrategyColumn(strategy);
        const PlayStats& s = Account(g, strategy);
        // Strategies #3 and #4 never bet at a negative count.
        const int lowest = strategy <= 2 ? -ShownCountLimit : 0;
        for (int k = lowest; k <= ShownCountLimit; ++k) {
            const auto slot = static_cast<std::size_t>(CountSlot(k));
            const double bet = s.BetByCount[slot];
            grid.Cell(column, RowOfCount(k)) = bet != 0 ? PercentText(s.WonByCount[slot] / bet) : ZeroPercent;
        }
    }
}

} // namespace

const char* StrategyHeading(const Game& g, int strategy) {
    if (g.SingleStrategyMode && strategy == StrategyCount && g.Rules().PlayTwoHands) return SingleStrategyHeading;
    return StrategyHeadings[static_cast<std::size_t>(strategy - 1)];
}

std::string BettingPlanText(const Game& g, int strategy) {
    const auto& rules = g.Rules();
    if (g.SingleStrategyMode && strategy == StrategyCount && rules.PlayTwoHands)
        return "while the conventional count is not negative: one box of 1 minimum at 0 or +1, two boxes of 2 "
               "minimums above +1; no bet below 0";
    std::string plan;
    switch (strategy) {
    case 1: plan = "1 minimum every round"; break;
    case 2: plan = "1 minimum at a negative conventional count, 2 minimums otherwise"; break;
    case 3:
        // The count is clamped to +10 before the test: past 2 decks every count from 0 up bets.
        plan = 4 * rules.Decks - 1 < CountIndexLimit
                   ? "1 minimum while the simple count is 0 to " + std::to_string(4 * rules.Decks - 1) + ", else no bet"
                   : "1 minimum while the simple count is not negative, else no bet";
        break;
    default: plan = "1 minimum while the conventional count is not negative, else no bet"; break;
    }
    return plan + (rules.PlayTwoHands ? ", doubled on each of two boxes" : ", on one box");
}

void AnalysisScreens::Open(Game& g) {
    Grid = ScreenGrid{};
    SetBaseWidths(Grid, MarginWidth, LabelWidth);
    for (int strategy = 1; strategy <= StrategyCount; ++strategy)
        Grid.Cell(StrategyColumn(strategy), 0) = StrategyHeadings[static_cast<std::size_t>(strategy - 1)];
    AnalysisScreen = StatisticsScreen;
    RelabelPending = true;
    LastClockSecond = -1;
    ControlsVisible = true;
    g.RunTime = RunClock{};
}

void AnalysisScreens::Close(Game& g) {
    g.AnalysisWindowOpen = false;
    *this = AnalysisScreens{};
}

void AnalysisScreens::Relabel(const Game& g) {
    const auto extension = g.GameFileName.find(FileExtension);
    if (extension != std::string::npos) {
        std::string name = "\" " + g.GameFileName.substr(0, extension) + " \"";
        if (name.size() > FileNameCellLimit) name.resize(FileNameCellLimit);
        Grid.Cell(2, 0) = name;
    }
    for (int row = 1; row < GridRows; ++row)
        for (int column = 1; column < GridColumns; ++column) Grid.Cell(column, row).clear();
    Grid.HighlightFirstRow = Grid.HighlightLastRow = 0;
    Grid.HighlightFirstColumn = Grid.HighlightLastColumn = 0;

    switch (AnalysisScreen) {
    case OddsScreen: LabelOdds(Grid, g); break;
    case CountScreen: LabelCount(Grid); break;
    default: LabelStatistics(Grid, g); break;
    }
}

void AnalysisScreens::Redraw(const Game& g) {
    if (RelabelPending) {
        RelabelPending = false;
        Relabel(g);
    }
    switch (AnalysisScreen) {
    case OddsScreen: FillOdds(Grid, g); break;
    case CountScreen: FillCount(Grid, g); break;
    default: FillStatistics(Grid, g); break;
    }
}

bool AnalysisScreens::Refresh(Game& g, int clockSecond) {
    if (!g.SingleStrategyMode) {
        if (clockSecond == LastClockSecond) return false;
        LastClockSecond = clockSecond;
        AdvanceRunTime(g.RunTime);
    }
    Redraw(g);
    return true;
}

void AnalysisScreens::FormClick(const Game& g) {
    if (g.SingleStrategyMode) return;
    AnalysisScreen = AnalysisScreen == StatisticsScreen ? OddsScreen
                     : AnalysisScreen == OddsScreen     ? CountScreen
                                                        : StatisticsScreen;
    RelabelPending = true;
    Redraw(g);
}

void AnalysisScreens::PreviousScreen(const Game& g) {
    if (g.SingleStrategyMode) return;
    AnalysisScreen = AnalysisScreen == StatisticsScreen ? CountScreen
                     : AnalysisScreen == CountScreen    ? OddsScreen
                                                        : StatisticsScreen;
    RelabelPending = true;
    Redraw(g);
}

void AnalysisScreens::Button1Click(Game& g) {
    g.SingleStrategyMode = true;
    Grid.Cell(StrategyColumn(StrategyCount), 0) = StrategyHeading(g, StrategyCount);
    AnalysisScreen = StatisticsScreen;
    RelabelPending = true;
    ControlsVisible = false;
    Redraw(g);
}

void AdvanceRunTime(RunClock& clock) {
    if (++clock.Seconds < 60) return;
    clock.Seconds = 0;
    if (++clock.Minutes < 60) return;
    clock.Minutes = 0;
    ++clock.Hours;
}

std::string RunTimeText(const RunClock& clock) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%lld:%02u:%02u", static_cast<long long>(clock.Hours),
                  static_cast<unsigned>(clock.Minutes), static_cast<unsigned>(clock.Seconds));
    return buffer;
}

} // namespace zvx
