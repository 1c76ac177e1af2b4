#include "analysis/analysis_run.h"

#include "engine/game_reset.h"
#include "engine/shoe.h"

namespace zvx {

namespace {

// A swing is a run of 100 table minimums won or lost.
double SwingThresholdFor(const CasinoRules& rules) { return 100.0 * rules.TableMinimum; }

// Whether the shoe in play is the one the rules would build.
bool ShoeMatchesRules(const Game& g) {
    const int decks = g.Rules().Decks;
    const int cards = decks * RanksPerSuit(g);
    return g.Shoe.ShoeReady && g.Shoe.ShoeSize == 4 * cards && g.Shoe.CutCardPosition == cards * g.Rules().Penetration;
}

} // namespace

void PrepareAnalysisRun(Game& g) {
    g.PracticeDeckMode = false;
    DestroyShoe(g);
    BuildShoe(g);
    g.StopRequested = true;
    g.SwingThreshold = SwingThresholdFor(g.Rules());
    ResetGame(g);
    g.RunTime = RunClock{};
    g.StopRequested = false;
    g.SimulationDelay = 0;
    g.AutoPlay = true;
}

void AdoptLoadedRules(Game& g) {
    g.SwingThreshold = SwingThresholdFor(g.Rules());
    if (ShoeMatchesRules(g)) return;
    DestroyShoe(g);
    BuildShoe(g);
    g.AceFiveCount = 0; // the counts start again with the new shoe
}

void FinishAnalysisRun(Game& g) {
    g.SingleStrategyMode = false;
    g.AutoPlay = false;
}

} // namespace zvx
