// zvx-analysis: Betting and Rules Analysis on the command line, on the same engine as the desktop program.

#include <iostream>
#include <memory>

#include "analysis/parallel_run.h"
#include "engine/game_state.h"
#include "engine/options_file.h"
#include "engine/random.h"
#include "tools/analysis_arguments.h"
#include "tools/analysis_output.h"
#include "tools/merge_command.h"
#include "tools/progress_line.h"
#include "tools/strategy_choice.h"

namespace {

using namespace zvx;

void ApplyRules(CasinoRules& rules, const Arguments& args) {
    if (args.Decks) rules.Decks = *args.Decks;
    if (args.Penetration) rules.Penetration = *args.Penetration;
    if (args.Minimum) rules.TableMinimum = *args.Minimum;
    if (args.Surrender) rules.SurrenderAllowed = *args.Surrender;
    if (args.Soft17) rules.DealerHitsSoft17 = *args.Soft17;
    if (args.DoubleAny) rules.DoubleAnyHand = *args.DoubleAny;
    if (args.Das) rules.DoubleAfterSplit = *args.Das;
    if (args.Resplit) rules.ResplitAllowed = *args.Resplit;
    if (args.TwoHands) rules.PlayTwoHands = *args.TwoHands;
}

int RunAnalysis(const Arguments& args) {
    auto start = std::make_unique<Game>();
    Game& g = *start;
    g.Options.FirstRun = true;
    LoadOptions(g); // the defaults when there is no valid options file; nothing is written back
    g.FileError = false;
    ApplyRules(g.Options.Rules, args);
    if (args.Strategy)
        if (const auto error = ChooseStrategy(g, *args.Strategy)) {
            std::cerr << "zvx-analysis: " << *error << "\n";
            return FileFailure;
        }
    if (const auto error = CheckOutputPaths(args.Output)) {
        std::cerr << "zvx-analysis: " << *error << "\n";
        return FileFailure;
    }

    AnalysisPlan plan;
    plan.Hours = args.Hours;
    plan.Jobs = args.Jobs;
    plan.Seed = args.Seed ? *args.Seed : ClockSeed();
    plan.Single = args.Single;

    RunTimeWatch watch;
    ProgressLine progress(args.Hours);
    progress.Show(0, 0); // at once: the first look at the jobs comes a quarter of a second later
    auto result = std::make_unique<Game>(RunAnalysisJobs(g, plan, [&](std::int64_t hoursDone) {
        watch.Look();
        progress.Show(hoursDone, watch.WallSeconds());
    }));
    progress.Clear();
    result->RunTime = watch.RunTime();

    RunFacts facts;
    facts.Strategy = StrategyName(g.Strategy, args.Strategy ? *args.Strategy : "ZVX.PRM");
    facts.Seed = plan.Seed;
    facts.Jobs = plan.Jobs;
    facts.WallSeconds = watch.WallSeconds();
    return WriteOutputs(*result, args.Output, facts);
}

} // namespace

int main(int argc, char** argv) {
    const ParsedArguments parsed = ParseArguments(argc, argv);
    if (!parsed.Args) {
        if (parsed.Status == 0) std::cout << parsed.Message;
        else std::cerr << "zvx-analysis: " << parsed.Message << "\n";
        return parsed.Status;
    }
    return parsed.Args->Merge ? RunMerge(*parsed.Args) : RunAnalysis(*parsed.Args);
}
