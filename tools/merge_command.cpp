#include "tools/merge_command.h"

#include <filesystem>
#include <iostream>
#include <memory>

#include "analysis/account_merge.h"
#include "analysis/study_manifest.h"
#include "engine/byte_io.h"
#include "shell/game_file.h"
#include "tools/analysis_output.h"
#include "tools/strategy_choice.h"

namespace zvx {

namespace {

// The first file named twice (under any name: a link, "./a.zvx"), as a refusal.
std::optional<std::string> FileGivenTwice(const std::vector<std::string>& files) {
    for (std::size_t i = 1; i < files.size(); ++i)
        for (std::size_t j = 0; j < i; ++j) {
            std::error_code ec;
            if (files[i] == files[j] || std::filesystem::equivalent(files[i], files[j], ec))
                return "'" + files[i] + "' is the same file as '" + files[j] + "'; nothing was merged";
        }
    return std::nullopt;
}

// The part's manifest when one lies beside it; a refusal when it is there but unreadable, not a manifest, or
// written for another file than the one now there.
std::optional<std::string> ReadManifest(const std::string& path, std::optional<StudyManifest>& manifest) {
    const std::string manifestPath = ManifestPath(path);
    std::error_code ec;
    if (!std::filesystem::exists(manifestPath, ec)) return std::nullopt;
    std::string why;
    const auto text = ReadPlainTextFile(manifestPath, &why);
    if (!text) return "cannot read '" + manifestPath + "': " + why;
    manifest = ParseManifest(*text, &why);
    if (!manifest) return "'" + manifestPath + "' is " + why;
    GameRecord record{};
    if (ReadRecordFile(path, record) != RecordReadStatus::Ok || Digest(record) != manifest->Digest)
        return "'" + manifestPath + "' does not describe '" + path + "' as it is now (the game file was replaced); " +
               "remove one of them";
    return std::nullopt;
}

} // namespace

int RunMerge(const Arguments& args) {
    auto refuse = [](const std::string& why) {
        std::cerr << "zvx-analysis: " << why << "\n";
        return FileFailure;
    };
    if (const auto error = CheckOutputPaths(args.Output)) return refuse(*error);
    const auto& files = args.MergeFiles;
    if (const auto twice = FileGivenTwice(files)) return refuse(*twice);

    // A part that cannot be merged exactly is refused, by name, before anything is written.
    std::vector<StudyPart> parts;
    auto load = [&parts](Game& g, const std::string& path) -> std::optional<std::string> {
        if (auto error = LoadNamedGameFile(g, path)) return error;
        if (const auto full = CounterAtFileLimit(g))
            return "'" + path + "' holds its " + *full + " at the largest count a game file can keep, so its " +
                   "true count is lost; merge smaller parts";
        StudyPart part{path, std::nullopt};
        if (auto error = ReadManifest(path, part.Manifest)) return error;
        parts.push_back(std::move(part));
        return std::nullopt;
    };
    auto merged = std::make_unique<Game>();
    if (const auto error = load(*merged, files.front())) return refuse(*error);
    for (std::size_t i = 1; i < files.size(); ++i) {
        auto part = std::make_unique<Game>();
        if (const auto error = load(*part, files[i])) return refuse(*error);
        if (const auto difference = FirstDifference(*merged, *part))
            return refuse("'" + files[i] + "' was not played like '" + files.front() + "' (" + *difference +
                          "); nothing was merged");
        MergeStatistics(*merged, *part);
    }

    bool allKnown = true;
    for (const StudyPart& p : parts)
        if (!p.Manifest) {
            if (args.ExpectStreams)
                return refuse("--expect-streams needs every part's manifest, and '" + p.Path + "' has none (" +
                              ManifestPath(p.Path) + ")");
            allKnown = false;
        }
    if (const auto problem = StudyProblem(parts, args.ExpectStreams)) return refuse(*problem);
    for (const StudyPart& p : parts)
        if (!p.Manifest)
            std::cerr << "zvx-analysis: warning: '" << p.Path << "' has no manifest (" << ManifestPath(p.Path)
                      << "): a part given twice or from another study cannot be told\n";

    // The odds screen's unit is the average bet of the last round, which in an analysis follows the rules.
    merged->SecondBoxActive = merged->Rules().PlayTwoHands;

    RunFacts facts;
    facts.Kind = "merge";
    facts.Strategy = StrategyName(merged->Strategy, "game files");
    facts.Jobs = 0;
    facts.Sources = files;
    facts.SquaresKnown = allKnown;
    facts.ManifestKnown = allKnown;
    if (allKnown) {
        // The manifests keep what the game files cannot: the hours' squares, and which study this is.
        const StudyManifest& first = *parts.front().Manifest;
        facts.Seed = first.Seed;
        facts.Generator = first.Generator;
        bool roundsKnown = true;
        for (const StudyPart& p : parts) {
            facts.Streams.insert(facts.Streams.end(), p.Manifest->Streams.begin(), p.Manifest->Streams.end());
            roundsKnown = roundsKnown && p.Manifest->RoundSquaresKnown;
            for (int i = 1; i <= StrategyCount; ++i)
                AddManifestSums(merged->Hands[static_cast<std::size_t>(i)].Stats, *p.Manifest, i);
        }
        for (int i = 1; i <= StrategyCount; ++i) merged->Hands[static_cast<std::size_t>(i)].Stats.RoundSquaresKnown = roundsKnown;
    }
    if (args.Output.Bankroll) facts.Bankroll = *args.Output.Bankroll;
    return WriteOutputs(*merged, args.Output, facts);
}

} // namespace zvx
