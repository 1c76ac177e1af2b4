// What an analysis shows beside its grid, and what it derives from the rules when a game file brings others.

#include <gtest/gtest.h>

#include <memory>

#include "analysis/analysis_run.h"
#include "analysis/run_notes.h"
#include "analysis/screens.h"
#include "engine/betting.h"
#include "shell/game_file.h"
#include "strategy/builtin_strategies.h"
#include "strategy/strategy_chart.h"
#include "tests/temp_folder.h"

namespace zvx {
namespace {

TEST(RunNotes, HoursAreGroupedAndEveryRuleIsNamedEitherWay) {
    EXPECT_EQ(HoursPlayedText(0), "Hours Played: 0");
    EXPECT_EQ(HoursPlayedText(1234567), "Hours Played: 1,234,567");

    const CasinoRules usual{6, 3, 25, false, false, true, true, true, true};
    EXPECT_EQ(RulesInForceText(usual), "Rules: 6 decks, 3/4 dealt, $25 minimum, 2 hands; double any two cards, "
                                       "double after split, re-split; dealer stands on soft 17; no surrender");
    const CasinoRules other{1, 2, 100, true, true, false, false, false, false};
    EXPECT_EQ(RulesInForceText(other), "Rules: 1 deck, 1/2 dealt, $100 minimum, 1 hand; double on 10 and 11 only, "
                                       "no double after split, no re-split; dealer hits soft 17; surrender");
}

TEST(RunNotes, TheChartNamesEveryRuleItDependsOn) {
    CasinoRules rules;
    rules.Decks = 2;
    rules.DealerHitsSoft17 = false;
    rules.DoubleAnyHand = true;
    rules.SurrenderAllowed = false;
    EXPECT_EQ(ChartRulesText(rules), "Drawn for: 2 decks, dealer stands on soft 17; double any two cards, "
                                     "double after split, re-split; no surrender");
    const CasinoRules other{1, 2, 100, true, true, false, false, false, false};
    EXPECT_EQ(ChartRulesText(other), "Drawn for: 1 deck, dealer hits soft 17; double on 10 and 11 only, "
                                     "no double after split, no re-split; surrender");
}

TEST(RunNotes, StepsBackThroughTheScreensButNotInASingleStrategyRun) {
    Game g;
    AnalysisScreens screens;
    screens.Open(g);
    screens.Redraw(g);
    screens.PreviousScreen(g);
    EXPECT_EQ(screens.AnalysisScreen, CountScreen);
    EXPECT_EQ(screens.Grid.Title, CountTitle);
    screens.PreviousScreen(g);
    EXPECT_EQ(screens.AnalysisScreen, OddsScreen);
    screens.PreviousScreen(g);
    EXPECT_EQ(screens.AnalysisScreen, StatisticsScreen);
    EXPECT_EQ(screens.Grid.Title, StatisticsTitle);
    screens.Button1Click(g);
    screens.PreviousScreen(g);
    EXPECT_EQ(screens.AnalysisScreen, StatisticsScreen);
}

// A $5 analysis into which a $25, eight-deck game file is loaded between two rounds.
struct LoadedIntoAnalysis {
    LoadedIntoAnalysis() {
        Game saved;
        saved.Options.Rules.TableMinimum = 25;
        saved.Options.Rules.Decks = 8;
        saved.Options.Rules.Penetration = 2;
        LoadDefaultStrategy(saved.Strategy);
        EXPECT_TRUE(SaveGameFile(saved, folder.File("BIG.ZVX")));

        g->Options.Rules.TableMinimum = 5;
        g->Options.Rules.Decks = 1;
        LoadDefaultStrategy(g->Strategy);
        g->FixedSeed = 3;
        PrepareAnalysisRun(*g);
        EXPECT_EQ(LoadGameFile(*g, folder.File("BIG.ZVX")), GameFileLoad::Ok);
    }
    testing::TempFolder folder;
    std::unique_ptr<Game> g = std::make_unique<Game>();
};

TEST(LoadIntoAnalysis, SwingsAreCountedAtTheLoadedMinimum) {
    LoadedIntoAnalysis run;
    Game& g = *run.g;
    AdoptLoadedRules(g);
    EXPECT_EQ(g.SwingThreshold, 2500);
    // An hour $600 up is a swing of a $5 table ($500) but not of a $25 one ($2,500).
    PlayStats& account = g.Hands[1].Stats;
    account.HourWon = 600;
    CloseHour(g);
    EXPECT_EQ(account.SwingsWon, 0);
    account.HourWon = 2000;
    CloseHour(g);
    EXPECT_EQ(account.SwingsWon, 1);
}

TEST(LoadIntoAnalysis, TheShoeIsBuiltAgainOnlyForOtherDecksOrPenetration) {
    LoadedIntoAnalysis run;
    Game& g = *run.g;
    g.Shoe.CardsDealt = 20;
    AdoptLoadedRules(g);
    EXPECT_EQ(g.Shoe.ShoeSize, 8 * 52);
    EXPECT_EQ(g.Shoe.CutCardPosition, 8 * 26);
    EXPECT_EQ(g.Shoe.CardsDealt, 0);
    EXPECT_EQ(g.Shoe.Order.size(), 8u * 52);

    // The same rules again (a second load of the file): the shoe in play goes on.
    g.Shoe.CardsDealt = 30;
    AdoptLoadedRules(g);
    EXPECT_EQ(g.Shoe.CardsDealt, 30);
}

} // namespace
} // namespace zvx
