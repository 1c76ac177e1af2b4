#include "tools/merge_command.h"

#include <iostream>
#include <memory>

#include "analysis/account_merge.h"
#include "tools/analysis_output.h"
#include "tools/strategy_choice.h"

namespace zvx {

int RunMerge(const Arguments& args) {
    if (const auto error = CheckOutputPaths(args.Output)) {
        std::cerr << "zvx-analysis: " << *error << "\n";
        return FileFailure;
    }
    const auto& files = args.MergeFiles;
    // A part that cannot be merged exactly is refused, by name, before anything is written.
    auto load = [](Game& g, const std::string& path) -> std::optional<std::string> {
        if (auto error = LoadNamedGameFile(g, path)) return error;
        if (const auto full = CounterAtFileLimit(g))
            return "'" + path + "' holds its " + *full + " at the largest count a game file can keep, so its " +
                   "true count is lost; merge smaller parts";
        return std::nullopt;
    };
    auto merged = std::make_unique<Game>();
    if (const auto error = load(*merged, files.front())) {
        std::cerr << "zvx-analysis: " << *error << "\n";
        return FileFailure;
    }
    for (std::size_t i = 1; i < files.size(); ++i) {
        auto part = std::make_unique<Game>();
        if (const auto error = load(*part, files[i])) {
            std::cerr << "zvx-analysis: " << *error << "\n";
            return FileFailure;
        }
        if (const auto difference = FirstDifference(*merged, *part)) {
            std::cerr << "zvx-analysis: '" << files[i] << "' was not played like '" << files.front()
                      << "' (" << *difference << "); nothing was merged\n";
            return FileFailure;
        }
        MergeStatistics(*merged, *part);
    }
    // The odds screen's unit is the average bet of the last round, which in an analysis follows the rules.
    merged->SecondBoxActive = merged->Rules().PlayTwoHands;

    RunFacts facts;
    facts.Kind = "merge";
    facts.Strategy = StrategyName(merged->Strategy, "game files");
    facts.Jobs = 0;
    facts.SquaresKnown = false;
    facts.Sources = files;
    return WriteOutputs(*merged, args.Output, facts);
}

} // namespace zvx
