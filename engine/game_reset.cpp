#include "engine/game_reset.h"

#include "engine/shell_view.h"
#include "engine/table_view.h"

namespace zvx {

void ResetStatistics(Game& g) {
    g.RunTime = RunClock{};
    g.HoursPlayed = 0;
    for (int i = 1; i < HandCount; ++i) g.Hands[static_cast<std::size_t>(i)].Stats = PlayStats{};
    // Rounds still waiting to be booked belong to the statistics just cleared.
    g.Pending = PendingRounds{};
}

void ResetGame(Game& g) {
    g.PracticeDeckMode = false;
    g.RunTime = RunClock{};

    // These values together release every wait of the round flow.
    g.Hands[DealerSlot].Finished = true;
    if (g.ActiveHand >= 1 && g.ActiveHand < HandCount) g.Hands[g.ActiveHand].Finished = true;
    g.ActiveHand = 0;
    g.PlayerAction = Stand;
    g.ChosenBet = g.Rules().TableMinimum;
    g.StopRequested = true;

    g.GameFileName.clear();
    if (g.TableShown) {
        g.TableShown = false;
        if (g.Table) g.Table->CloseTableWindow();
    }
    if (g.AnalysisWindowOpen) {
        g.AnalysisWindowOpen = false;
        if (g.Shell) g.Shell->CloseAnalysisWindow();
    }
    ResetStatistics(g);
}

} // namespace zvx
