// zvx-analysis: Betting and Rules Analysis on the command line, on the same engine as the desktop program.

#include <iostream>
#include <memory>
#include <string_view>

#include "analysis/parallel_run.h"
#include "engine/game_state.h"
#include "engine/options_file.h"
#include "engine/random.h"
#include "exact/exact_engine.h"
#include "engine/startup.h"
#include "tools/analysis_arguments.h"
#include "tools/analysis_output.h"
#include "tools/exact_command.h"
#include "tools/indices_command.h"
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
    // The defaults when there is no valid options file; nothing is written back, nor moved.
    const OptionsFileStatus options = LoadOptions(g, OptionsFileName, TroubledOptionsFile::LeaveInPlace);
    if (options.Troubled())
        std::cerr << "zvx-analysis: warning: '" << options.Path << "' cannot be used (" << options.Reason
                  << "); the default options are used\n";
    g.FileError = false;
    // A saved game carries the preferences in force: the file's, else a new player's, who has been greeted.
    g.Options.FirstRun = false;
    if (g.Options.Prefs.AnimationSpeed < MinAnimationSpeed || g.Options.Prefs.AnimationSpeed > MaxAnimationSpeed)
        g.Options.Prefs.AnimationSpeed = DefaultAnimationSpeed;
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
    plan.Shuffler = args.Shuffler ? *args.Shuffler : DefaultGenerator(args.Jobs, args.Stream.has_value());
    plan.Stream = args.Stream.value_or(0);

    RunFacts facts;
    CycleWarning cycle(plan.Shuffler);
    RunTimeWatch watch;
    ProgressLine progress(args.Hours);
    auto warnIfRepeating = [&](std::uint64_t keys) {
        if (const auto warning = cycle.Check(keys)) {
            progress.Clear();
            std::cerr << "zvx-analysis: warning: " << *warning << "\n";
            facts.Warnings.push_back(*warning);
        }
    };
    progress.Show(0, 0); // at once: the first look at the jobs comes a quarter of a second later
    auto result = std::make_unique<Game>(RunAnalysisJobs(g, plan, [&](const AnalysisProgress& p) {
        watch.Look();
        warnIfRepeating(p.Keys);
        progress.Show(p.Hours, watch.WallSeconds());
    }));
    progress.Clear();
    result->RunTime = watch.RunTime();

    facts.Generator = GeneratorName(plan.Shuffler);
    facts.Stream = args.Stream;
    facts.Streams = {plan.Stream};
    facts.ErrorsReliable = !cycle.Given();
    facts.Strategy = StrategyName(g.Strategy, args.Strategy ? *args.Strategy : "ZVX.PRM");
    facts.Seed = plan.Seed;
    facts.Jobs = UsefulJobs(plan);
    facts.WallSeconds = watch.WallSeconds();
    if (args.Output.Bankroll) facts.Bankroll = *args.Output.Bankroll;
    if (args.Exact) {
        ExactEngine engine(ExactRulesOf(g.Rules()));
        facts.ExactEdge = engine.TableEdge(g.Strategy);
        facts.ExactStakes = engine.TableStakes(g.Strategy);
    }
    return WriteOutputs(*result, args.Output, facts);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "exact") return RunExactCommand(argc - 1, argv + 1);
    if (argc > 1 && std::string_view(argv[1]) == "indices") return RunIndicesCommand(argc - 1, argv + 1);
    const ParsedArguments parsed = ParseArguments(argc, argv);
    if (!parsed.Args) {
        if (parsed.Status == 0) std::cout << parsed.Message;
        else std::cerr << "zvx-analysis: " << parsed.Message << "\n";
        return parsed.Status;
    }
    return parsed.Args->Merge ? RunMerge(*parsed.Args) : RunAnalysis(*parsed.Args);
}
