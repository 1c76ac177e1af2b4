#include "analysis/analysis_run.h"

#include "engine/game_reset.h"
#include "engine/shoe.h"

namespace zvx {

void PrepareAnalysisRun(Game& g) {
    g.PracticeDeckMode = false;
    DestroyShoe(g);
    BuildShoe(g);
    g.StopRequested = true;
    g.SwingThreshold = 100.0 * g.Rules().TableMinimum;
    ResetGame(g);
    g.RunTime = RunClock{};
    g.StopRequested = false;
    g.SimulationDelay = 0;
    g.AutoPlay = true;
}

void FinishAnalysisRun(Game& g) {
    g.SingleStrategyMode = false;
    g.AutoPlay = false;
}

} // namespace zvx
