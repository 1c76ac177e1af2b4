#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/screen_render.h"
#include "analysis/screens.h"

namespace zvx {
namespace {

using Widths = std::array<int, GridColumns>;

PlayStats& Account(Game& g, int strategy) { return g.Hands[static_cast<std::size_t>(strategy)].Stats; }

Game MakeGame(std::uint16_t tableMinimum, bool secondBox = false) {
    Game g;
    g.Options.Rules.TableMinimum = tableMinimum;
    g.Options.Rules.PlayTwoHands = secondBox;
    g.SecondBoxActive = secondBox;
    return g;
}

// An analysis window opened and shown once on the given game.
AnalysisScreens OpenedScreens(Game& g) {
    AnalysisScreens screens;
    screens.Open(g);
    screens.Redraw(g);
    return screens;
}

void ShowScreen(AnalysisScreens& screens, const Game& g, std::uint8_t screen) {
    while (screens.AnalysisScreen != screen) screens.FormClick(g);
}

void ExpectNoNonsense(const ScreenGrid& grid) {
    for (int row = 0; row < GridRows; ++row)
        for (int column = 0; column < GridColumns; ++column) {
            const std::string& cell = grid.Cell(column, row);
            EXPECT_EQ(cell.find("nan"), std::string::npos) << column << "," << row << ": " << cell;
            EXPECT_EQ(cell.find("inf"), std::string::npos) << column << "," << row << ": " << cell;
        }
}

// Two hours of play, strategies #1, #2 and #4 with hands and #3 never betting.
Game PlayedGame() {
    Game g = MakeGame(25);
    g.HoursPlayed = 2;
    PlayStats& s1 = Account(g, 1);
    s1.HandsPlayed = 200;
    s1.TotalBet = 5000;
    s1.TotalWon = -250;
    s1.BetsWon = 86;
    s1.BetsLost = 96;
    s1.HandsSplit = 4;
    s1.HandsDoubled = 20;
    s1.Blackjacks = 9;
    s1.SwingsWon = 12;
    s1.SwingsLost = 4;
    PlayStats& s2 = Account(g, 2);
    s2.HandsPlayed = 1234;
    s2.TotalBet = 7500;
    s2.TotalWon = 150;
    s2.SwingsWon = 4;
    s2.SwingsLost = 12;
    PlayStats& s4 = Account(g, 4);
    s4.HandsPlayed = 100;
    s4.TotalBet = 2500;
    s4.SwingsWon = 5;
    s4.SwingsLost = 0;
    return g;
}

TEST(StatisticsScreen, LabelsTitleAndWidthsByTableMinimum) {
    const struct {
        std::uint16_t minimum;
        const char* won;
        const char* lost;
    } cases[] = {{5, " Won $500", " Lost $500"}, {25, " Won $2,500", " Lost $2,500"}, {100, " Won $10,000", " Lost $10,000"}};
    for (const auto& c : cases) {
        Game g = MakeGame(c.minimum);
        const ScreenGrid& grid = OpenedScreens(g).Grid;
        EXPECT_EQ(grid.Cell(2, 17), c.won);
        EXPECT_EQ(grid.Cell(2, 18), c.lost);
        EXPECT_EQ(grid.Title, "STATISTICS, By Betting Strategy");
        EXPECT_EQ(grid.ColumnWidths, (Widths{2, 5, 100, 129, 129, 129, 129}));
        EXPECT_EQ(grid.HighlightFirstRow, 0);
        EXPECT_EQ(grid.HighlightLastRow, 0);
        EXPECT_EQ(grid.Cell(3, 0), "    Basic Strategy");
        EXPECT_EQ(grid.Cell(4, 0), "    Card Counting");
        EXPECT_EQ(grid.Cell(5, 0), " Velt Simple Count");
        EXPECT_EQ(grid.Cell(6, 0), " Velt Max Strategy");
        const std::vector<std::pair<int, const char*>> labels = {
            {1, " Run Time"}, {3, " Total Hands"}, {4, " Bet Per Hand"}, {5, " Won Per Hour"},
            {7, " Advantage"}, {9, " Bets Won"}, {10, " Bets Lost"}, {11, " Pushed"}, {13, " Hands Split"},
            {14, " Doubled"}, {15, " Blackjacks"}, {19, " Ratio"}};
        for (const auto& [row, label] : labels) EXPECT_EQ(grid.Cell(2, row), label) << row;
        for (int row : {2, 6, 8, 12, 16}) EXPECT_EQ(grid.Cell(2, row), "") << row;
        EXPECT_EQ(grid.Cell(3, 1), "0:00:00");
    }
}

TEST(StatisticsScreen, ValuesOfAKnownState) {
    Game g = PlayedGame();
    const ScreenGrid& grid = OpenedScreens(g).Grid;
    // Strategy #1, column 3.
    EXPECT_EQ(grid.Cell(3, 3), " 200           ");
    EXPECT_EQ(grid.Cell(3, 4), "$   25.00       ");
    EXPECT_EQ(grid.Cell(3, 5), "$  -125.00      ");
    EXPECT_EQ(grid.Cell(3, 7), "    -5.000%");
    EXPECT_EQ(grid.Cell(3, 9), "     43.00 %");
    EXPECT_EQ(grid.Cell(3, 10), "     48.00 %");
    EXPECT_EQ(grid.Cell(3, 11), "       9.00 %");
    EXPECT_EQ(grid.Cell(3, 13), "       2.00 %");
    EXPECT_EQ(grid.Cell(3, 14), "     10.00 %");
    EXPECT_EQ(grid.Cell(3, 15), "       4.50 %");
    EXPECT_EQ(grid.Cell(3, 17), " 12        ");
    EXPECT_EQ(grid.Cell(3, 18), " 4         ");
    EXPECT_EQ(grid.Cell(3, 19), "+ 3.0 ");
    // Strategy #2: separators in the hand count, a positive advantage, more swings lost than won.
    EXPECT_EQ(grid.Cell(4, 3), " 1,234         ");
    EXPECT_EQ(grid.Cell(4, 7), "     2.000 %");
    EXPECT_EQ(grid.Cell(4, 9), "       0.00 %");
    EXPECT_EQ(grid.Cell(4, 11), "   100.00 %");
    EXPECT_EQ(grid.Cell(4, 19), "- 3.0 ");
    // Strategy #3 never bet: its column stays empty.
    for (int row = 1; row < GridRows; ++row) EXPECT_EQ(grid.Cell(5, row), "") << row;
    // Strategy #4 never lost a swing: no ratio.
    EXPECT_EQ(grid.Cell(6, 17), " 5         ");
    EXPECT_EQ(grid.Cell(6, 18), " 0         ");
    EXPECT_EQ(grid.Cell(6, 19), "");
    EXPECT_EQ(grid.Cell(6, 7), "     0.000 %");
    // The run time is shown in column 3 only.
    EXPECT_EQ(grid.Cell(3, 1), "0:00:00");
    EXPECT_EQ(grid.Cell(4, 1), "");
}

TEST(StatisticsScreen, EqualSwingCountsReadPlusOne) {
    Game g = PlayedGame();
    Account(g, 1).SwingsWon = 7;
    Account(g, 1).SwingsLost = 7;
    EXPECT_EQ(OpenedScreens(g).Grid.Cell(3, 19), "+ 1.0 ");
}

TEST(StatisticsScreen, ZeroHoursAndZeroStakesNeverDivide) {
    Game g = PlayedGame();
    g.HoursPlayed = 0;
    Account(g, 4).TotalBet = 0; // only a damaged game file could hold hands without stakes
    AnalysisScreens screens = OpenedScreens(g);
    EXPECT_EQ(screens.Grid.Cell(3, 5), "");
    EXPECT_EQ(screens.Grid.Cell(6, 7), "");
    ExpectNoNonsense(screens.Grid);
    ShowScreen(screens, g, OddsScreen);
    for (int row = 1; row < GridRows; ++row) EXPECT_EQ(screens.Grid.Cell(3, row), "") << row;
    ExpectNoNonsense(screens.Grid);
    ShowScreen(screens, g, CountScreen);
    ExpectNoNonsense(screens.Grid);
}

TEST(StatisticsScreen, AColumnWhoseHandsVanishIsEmptiedOnTheNextRedraw) {
    Game g = PlayedGame();
    AnalysisScreens screens = OpenedScreens(g);
    Account(g, 1) = PlayStats{}; // a loaded game file replaces the accounts
    screens.Redraw(g);
    for (int row = 3; row < GridRows; ++row) EXPECT_EQ(screens.Grid.Cell(3, row), "") << row;
}

TEST(OddsScreen, LabelsForEachTableMinimumAndBoxCount) {
    const struct {
        std::uint16_t minimum;
        bool twoBoxes;
        const char* top;
        const char* ninth;
        const char* middle;
        const char* bottom;
    } cases[] = {
        {25, false, "+ $450 / hour", "+ $50 / hour", "    + / -  $49", " - $450 / hour"},
        {5, false, "+ $90 / hour", "+ $10 / hour", "    + / -  $9", " - $90 / hour"},
        {25, true, "+ $900 / hour", "+ $100 / hour", "    + / -  $99", " - $900 / hour"},
        {100, true, "+ $3600 / hour", "+ $400 / hour", "    + / -  $399", " - $3600 / hour"},
    };
    for (const auto& c : cases) {
        Game g = MakeGame(c.minimum, c.twoBoxes);
        AnalysisScreens screens = OpenedScreens(g);
        screens.FormClick(g);
        ASSERT_EQ(screens.AnalysisScreen, OddsScreen);
        const ScreenGrid& grid = screens.Grid;
        EXPECT_EQ(grid.Title, "ODDS OF WINNING/LOSING MULTIPLES OF AVERAGE BET, IN ONE HOUR (100 Hands)");
        EXPECT_EQ(grid.Cell(2, 1), c.top);
        EXPECT_EQ(grid.Cell(2, 9), c.ninth);
        EXPECT_EQ(grid.Cell(2, 10), c.middle);
        EXPECT_EQ(grid.Cell(2, 19), c.bottom);
        EXPECT_EQ(grid.ColumnWidths, (Widths{2, 5, 100, 129, 129, 129, 129}));
        EXPECT_EQ(grid.HighlightFirstRow, 1);
        EXPECT_EQ(grid.HighlightLastRow, 10);
        EXPECT_EQ(grid.HighlightFirstColumn, 2);
        EXPECT_EQ(grid.HighlightLastColumn, 6);
        EXPECT_EQ(grid.Cell(3, 1), ""); // no run time here: row 1 belongs to +9 average bets
        EXPECT_EQ(grid.Cell(3, 0), "    Basic Strategy");
    }
}

TEST(OddsScreen, EveryRowIsAMultipleOfTheAverageBet) {
    Game g = MakeGame(25);
    AnalysisScreens screens = OpenedScreens(g);
    screens.FormClick(g);
    for (int k = 1; k <= 9; ++k) {
        EXPECT_EQ(screens.Grid.Cell(2, 10 - k), "+ $" + std::to_string(50 * k) + " / hour");
        EXPECT_EQ(screens.Grid.Cell(2, 10 + k), " - $" + std::to_string(50 * k) + " / hour");
    }
}

TEST(OddsScreen, ShareOfHoursPerMultiple) {
    Game g = PlayedGame();
    g.HoursPlayed = 4;
    PlayStats& s = Account(g, 2);
    s.HourHistogram[CountSlot(1)] = 2;
    s.HourHistogram[CountSlot(0)] = 1;
    s.HourHistogram[CountSlot(-9)] = 4;
    s.HourHistogram[CountSlot(10)] = 4; // never shown
    AnalysisScreens screens = OpenedScreens(g);
    ShowScreen(screens, g, OddsScreen);
    const ScreenGrid& grid = screens.Grid;
    EXPECT_EQ(grid.Cell(4, 9), "     50.00 %");
    EXPECT_EQ(grid.Cell(4, 10), "     25.00 %");
    EXPECT_EQ(grid.Cell(4, 19), "   100.00 %");
    EXPECT_EQ(grid.Cell(4, 1), "       0.00 %");
    EXPECT_EQ(grid.Cell(3, 5), "       0.00 %");
}

TEST(CountScreen, LabelsWidthsAndZeroTexts) {
    Game g = MakeGame(25);
    AnalysisScreens screens = OpenedScreens(g);
    ShowScreen(screens, g, CountScreen);
    const ScreenGrid& grid = screens.Grid;
    EXPECT_EQ(grid.Title, "PLAYER ADVANTAGE BY CARD COUNT (Ratio of $Won/$Bet)");
    EXPECT_EQ(grid.ColumnWidths, (Widths{2, 20, 85, 129, 129, 129, 129}));
    EXPECT_EQ(grid.HighlightFirstRow, 1);
    EXPECT_EQ(grid.HighlightLastRow, 10);
    const char* column1[GridRows] = {"", "", "", "", " ", " ", " C", " A", " R", " D",
                                     "", " C", " O", " U", " N", " T", " ", " ", "", ""};
    for (int row = 0; row < GridRows; ++row) EXPECT_EQ(grid.Cell(1, row), column1[row]) << row;
    EXPECT_EQ(grid.Cell(2, 1), "            +9 >");
    EXPECT_EQ(grid.Cell(2, 2), "            +8");
    EXPECT_EQ(grid.Cell(2, 9), "            +1");
    EXPECT_EQ(grid.Cell(2, 10), "              0");
    EXPECT_EQ(grid.Cell(2, 11), "             -1");
    EXPECT_EQ(grid.Cell(2, 18), "             -8");
    EXPECT_EQ(grid.Cell(2, 19), "             -9 <");
    for (int row = 1; row < GridRows; ++row)
        for (int column = 3; column < GridColumns; ++column) EXPECT_EQ(grid.Cell(column, row), "       0.00 %");
}

TEST(CountScreen, RatioOfWonToBetWhereAStrategyBet) {
    Game g = PlayedGame();
    PlayStats& s1 = Account(g, 1);
    s1.BetByCount[CountSlot(3)] = 100;
    s1.WonByCount[CountSlot(3)] = 100;
    s1.BetByCount[CountSlot(-2)] = 50;
    s1.WonByCount[CountSlot(-2)] = -25;
    s1.BetByCount[CountSlot(9)] = 50;
    s1.WonByCount[CountSlot(9)] = 75; // a blackjack
    s1.BetByCount[CountSlot(10)] = 50; // +-10 are not shown
    s1.WonByCount[CountSlot(10)] = 50;
    PlayStats& s3 = Account(g, 3);
    s3.BetByCount[CountSlot(-2)] = 50; // strategy #3 is only shown from 0 up
    s3.WonByCount[CountSlot(-2)] = 50;
    s3.BetByCount[CountSlot(0)] = 25;
    s3.WonByCount[CountSlot(0)] = -25;
    PlayStats& s2 = Account(g, 2);
    s2.WonByCount[CountSlot(5)] = 30; // never bet at 5: stays at zero
    AnalysisScreens screens = OpenedScreens(g);
    ShowScreen(screens, g, CountScreen);
    const ScreenGrid& grid = screens.Grid;
    EXPECT_EQ(grid.Cell(3, 7), "   100.00 %");
    EXPECT_EQ(grid.Cell(3, 12), "    -50.00 %");
    EXPECT_EQ(grid.Cell(3, 1), "   150.00 %");
    EXPECT_EQ(grid.Cell(5, 12), "       0.00 %");
    EXPECT_EQ(grid.Cell(5, 10), "  -100.00 %");
    EXPECT_EQ(grid.Cell(4, 5), "       0.00 %");
    ExpectNoNonsense(grid);
}

TEST(ScreenCycle, ClicksGoStatisticsOddsCountAndBack) {
    Game g = MakeGame(25);
    g.RunTime = RunClock{3, 4, 5};
    AnalysisScreens screens;
    screens.AnalysisScreen = CountScreen;
    screens.RelabelPending = false;
    screens.Open(g);
    EXPECT_EQ(screens.AnalysisScreen, StatisticsScreen);
    EXPECT_TRUE(screens.RelabelPending);
    EXPECT_EQ(RunTimeText(g.RunTime), "0:00:00");
    screens.Redraw(g);
    EXPECT_FALSE(screens.RelabelPending);

    const std::uint8_t expected[] = {OddsScreen, CountScreen, StatisticsScreen, OddsScreen};
    const char* titles[] = {OddsTitle, CountTitle, StatisticsTitle, OddsTitle};
    for (int i = 0; i < 4; ++i) {
        screens.FormClick(g);
        EXPECT_EQ(screens.AnalysisScreen, expected[i]);
        EXPECT_FALSE(screens.RelabelPending); // relabelled at once
        EXPECT_EQ(screens.Grid.Title, titles[i]);
    }
}

TEST(ScreenCycle, SingleStrategyShowsStrategyFourAloneAndIgnoresClicks) {
    Game g = PlayedGame();
    AnalysisScreens screens = OpenedScreens(g);
    screens.FormClick(g); // on the odds screen when the button is pressed
    screens.Button1Click(g);
    EXPECT_TRUE(g.SingleStrategyMode);
    EXPECT_FALSE(screens.ControlsVisible);
    EXPECT_EQ(screens.AnalysisScreen, StatisticsScreen);
    const ScreenGrid& grid = screens.Grid;
    EXPECT_EQ(grid.ColumnWidths, (Widths{2, 5, 100, 1, 1, 1, 129}));
    EXPECT_EQ(grid.Cell(2, 1), "");
    EXPECT_EQ(grid.Cell(3, 1), "");
    EXPECT_EQ(grid.Cell(3, 3), "");
    EXPECT_EQ(grid.Cell(4, 3), "");
    EXPECT_EQ(grid.Cell(6, 3), " 100           ");
    EXPECT_EQ(grid.Cell(2, 3), " Total Hands");

    const ScreenGrid before = screens.Grid;
    screens.FormClick(g);
    EXPECT_EQ(screens.AnalysisScreen, StatisticsScreen);
    EXPECT_EQ(screens.Grid.Title, before.Title);
    EXPECT_EQ(screens.Grid.Cells, before.Cells);
}

TEST(RunTime, OneSecondPerRefreshThatSeesANewClockSecond) {
    Game g = PlayedGame();
    AnalysisScreens screens;
    screens.Open(g);
    EXPECT_TRUE(screens.Refresh(g, 5));
    EXPECT_EQ(RunTimeText(g.RunTime), "0:00:01");
    EXPECT_EQ(screens.Grid.Cell(3, 1), "0:00:01");
    EXPECT_FALSE(screens.Refresh(g, 5));
    EXPECT_EQ(RunTimeText(g.RunTime), "0:00:01");
    EXPECT_TRUE(screens.Refresh(g, 42)); // a long gap still counts one second
    EXPECT_EQ(screens.Grid.Cell(3, 1), "0:00:02");
    EXPECT_TRUE(screens.Refresh(g, 5));
    EXPECT_EQ(RunTimeText(g.RunTime), "0:00:03");
}

TEST(RunTime, NotAdvancedUnderSingleStrategyButEveryRefreshRedraws) {
    Game g = PlayedGame();
    AnalysisScreens screens;
    screens.Open(g);
    screens.Button1Click(g);
    Account(g, 4).HandsPlayed = 300;
    EXPECT_TRUE(screens.Refresh(g, 5));
    Account(g, 4).HandsPlayed = 400;
    EXPECT_TRUE(screens.Refresh(g, 5));
    EXPECT_EQ(screens.Grid.Cell(6, 3), " 400           ");
    EXPECT_EQ(RunTimeText(g.RunTime), "0:00:00");
    EXPECT_EQ(screens.Grid.Cell(3, 1), "");
}

TEST(RunTime, CarriesAndText) {
    RunClock clock{0, 59, 59};
    AdvanceRunTime(clock);
    EXPECT_EQ(RunTimeText(clock), "1:00:00");
    clock = RunClock{1, 5, 8};
    AdvanceRunTime(clock);
    EXPECT_EQ(RunTimeText(clock), "1:05:09");
    clock = RunClock{12, 0, 59};
    AdvanceRunTime(clock);
    EXPECT_EQ(RunTimeText(clock), "12:01:00");
}

TEST(Relabel, GameFileNameCell) {
    Game g = MakeGame(25);
    AnalysisScreens screens = OpenedScreens(g);
    EXPECT_EQ(screens.Grid.Cell(2, 0), "");
    g.GameFileName = "MYGAME.ZVX";
    screens.Redraw(g);
    EXPECT_EQ(screens.Grid.Cell(2, 0), ""); // shown only after a save asks for a relabel
    screens.RelabelPending = true;
    screens.Redraw(g);
    EXPECT_EQ(screens.Grid.Cell(2, 0), "\" MYGAME \"");
    g.GameFileName = "OLD.ZVX.BAK";
    screens.Relabel(g);
    EXPECT_EQ(screens.Grid.Cell(2, 0), "\" OLD \"");
    g.GameFileName = "AVERYLONGGAMENAME.ZVX";
    screens.Relabel(g);
    EXPECT_EQ(screens.Grid.Cell(2, 0), "\" AVERYLONGGAMEN");
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(Render, TsvHasTwentyLinesOfSevenCells) {
    Game g = PlayedGame();
    const ScreenGrid& grid = OpenedScreens(g).Grid;
    const std::string tsv = RenderTsv(grid);
    const auto lines = Lines(tsv);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(tsv.back(), '\n');
    for (const auto& line : lines) EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 6) << line;
    EXPECT_EQ(lines[0], "\t\t\t    Basic Strategy\t    Card Counting\t Velt Simple Count\t Velt Max Strategy");
    EXPECT_EQ(lines[19].substr(0, 9), "\t\t Ratio\t");
}

TEST(Render, AlignedColumnsAndHiddenStrategies) {
    Game g = PlayedGame();
    AnalysisScreens screens = OpenedScreens(g);
    auto lines = Lines(RenderAligned(screens.Grid));
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[0], StatisticsTitle);
    // Strategy #1's texts start at the same place on every row.
    const auto headingAt = lines[1].find("    Basic Strategy");
    EXPECT_EQ(lines[4].find(" 200"), headingAt);
    EXPECT_EQ(lines[10].find("     43.00 %"), headingAt);
    EXPECT_EQ(lines[20].find("+ 3.0"), headingAt);

    screens.Button1Click(g);
    lines = Lines(RenderAligned(screens.Grid));
    EXPECT_EQ(lines[1].find("Basic Strategy"), std::string::npos);
    EXPECT_NE(lines[1].find(" Velt Max Strategy"), std::string::npos);
    EXPECT_EQ(lines[4].find(" 200"), std::string::npos);
}

} // namespace
} // namespace zvx
