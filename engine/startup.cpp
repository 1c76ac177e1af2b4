#include "engine/startup.h"

#include "engine/game_reset.h"
#include "engine/options_file.h"
#include "engine/shoe.h"

namespace zvx {

double DelayFactorForSpeed(std::uint16_t animationSpeed) {
    const double scaled = animationSpeed * (1.0 / 141.0);
    return scaled * scaled;
}

OptionsFileStatus StartUp(Game& g, const std::string& optionsPath) {
    g.RunState = "RUNNING";
    g.SingleStrategyMode = false;
    g.ExitRequested = false;
    g.GameFileName.clear();
    g.SimulationDelay = 1;
    g.RulesFormOpen = g.PreferencesFormOpen = g.StrategyFormOpen = false;
    g.TableShown = false;
    g.OptionsChanged = false;
    g.Options.FirstRun = true;
    g.OptionsFileProtected.clear();
    const OptionsFileStatus status = LoadOptions(g, optionsPath);
    // A file whose first-run mark is set was never completed by a start-up; so is one without our tag. A
    // player whose file went wrong is no new player: the message about the file replaces the greeting.
    if (g.FileError) g.Options.FirstRun = !status.Troubled();

    g.PracticeDeckMode = false;
    CreateHands(g.Hands);
    ResetStatistics(g);
    g.Shoe.ShoeReady = false;
    BuildShoe(g);

    auto& prefs = g.Options.Prefs;
    if (g.Options.FirstRun || prefs.AnimationSpeed < MinAnimationSpeed || prefs.AnimationSpeed > MaxAnimationSpeed)
        prefs.AnimationSpeed = DefaultAnimationSpeed;
    g.DelayFactor = DelayFactorForSpeed(prefs.AnimationSpeed);
    return status;
}

} // namespace zvx
