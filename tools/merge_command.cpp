#include "tools/merge_command.h"

#include <algorithm>
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

// A study file already at the save path is replaced only by a merge of the same study (the same seed,
// generator, rules and playing strategy: more or fewer of its parts). A file without a manifest belongs to no
// study and is replaced as any output is. For a command-line tool "asking" is refusing with the way out.
std::optional<std::string> OtherStudyAt(const std::string& savePath, const StudyManifest& merged, bool seedKnown) {
    const std::string manifestPath = ManifestPath(savePath);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(savePath, ec) || !std::filesystem::is_regular_file(manifestPath, ec))
        return std::nullopt;
    const auto text = ReadPlainTextFile(manifestPath);
    const auto there = text ? ParseManifest(*text) : std::nullopt;
    if (!there) return std::nullopt;
    std::string difference;
    if (seedKnown && there->Seed != merged.Seed)
        difference = "seed " + std::to_string(there->Seed) + ", not " + std::to_string(merged.Seed);
    else if (seedKnown && there->Generator != merged.Generator)
        difference = "the " + there->Generator + " generator, not the " + merged.Generator + " one";
    else if (there->Rules != merged.Rules)
        difference = "other rules";
    else if (there->Strategy != merged.Strategy)
        difference = "the playing strategy " + there->Strategy + ", not " + merged.Strategy;
    if (difference.empty()) return std::nullopt;
    return "'" + savePath + "' holds another study (" + difference + "); nothing was written: remove it and " +
           manifestPath + ", give --force to replace it, or --save elsewhere";
}

// With some parts' manifests missing the merged file still gets one: the streams the others named, marked
// incomplete, so what it holds is not taken for the whole study.
bool WriteIncompleteManifest(const Game& merged, const std::string& savePath, const RunFacts& facts) {
    const GameRecord record = BuildGameRecord(merged);
    StudyManifest m = ManifestOf(merged, record, *facts.Seed, facts.Generator, facts.Streams, facts.Strategy);
    m.Incomplete = true;
    m.RoundSquaresKnown = false;
    const std::string text = ManifestJson(m);
    return WriteRecordFileReplacing(ManifestPath(savePath),
                                    std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

} // namespace

int RunMerge(const Arguments& args) {
    auto refuse = [](const std::string& why) {
        std::cerr << "zvx-analysis: " << why << "\n";
        return FileFailure;
    };
    if (args.ExpectStreams && !args.ExpectStreams->Refusal.empty()) {
        std::cerr << "zvx-analysis: --expect-streams: " << args.ExpectStreams->Refusal << "\n";
        return UsageError;
    }
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

    // A part is known when its manifest names all it holds; a merge of parts some without manifests has one
    // marked incomplete, whose streams are still checked but whose sums are not believed.
    bool allKnown = true;
    bool anyManifest = false;
    for (const StudyPart& p : parts) {
        const bool known = p.Manifest && !p.Manifest->Incomplete;
        if (!known && args.ExpectStreams)
            return refuse("--expect-streams needs every part's manifest, and '" + p.Path + "' has " +
                          (p.Manifest ? "an incomplete one (" : "none (") + ManifestPath(p.Path) + ")");
        allKnown = allKnown && known;
        anyManifest = anyManifest || p.Manifest;
    }
    if (const auto problem = StudyProblem(parts, args.ExpectStreams)) return refuse(*problem);

    RunFacts facts;
    for (const StudyPart& p : parts) {
        std::string warning;
        if (!p.Manifest)
            warning = "'" + p.Path + "' has no manifest (" + ManifestPath(p.Path) +
                      "): a part given twice or from another study cannot be told";
        else if (p.Manifest->Incomplete)
            warning = "'" + p.Path + "' is a merge of parts some of which had no manifest: the streams they held " +
                      "are not known, so a part given twice cannot be told";
        if (warning.empty()) continue;
        std::cerr << "zvx-analysis: warning: " << warning << "\n";
        facts.Warnings.push_back(warning);
    }

    // The odds screen's unit is the average bet of the last round, which in an analysis follows the rules.
    merged->SecondBoxActive = merged->Rules().PlayTwoHands;

    facts.Kind = "merge";
    facts.Strategy = StrategyName(merged->Strategy, "game files");
    facts.Jobs = 0;
    facts.Sources = files;
    facts.SquaresKnown = allKnown;
    facts.ManifestKnown = allKnown;
    const StudyPart* firstKnown = nullptr;
    for (const StudyPart& p : parts)
        if (p.Manifest && firstKnown == nullptr) firstKnown = &p;
    if (firstKnown != nullptr) {
        // The manifests keep what the game files cannot: the hours' squares, and which study this is.
        facts.Seed = firstKnown->Manifest->Seed;
        facts.Generator = firstKnown->Manifest->Generator;
        for (const StudyPart& p : parts)
            if (p.Manifest) facts.Streams.insert(facts.Streams.end(), p.Manifest->Streams.begin(), p.Manifest->Streams.end());
        std::sort(facts.Streams.begin(), facts.Streams.end());
    }
    if (allKnown) {
        bool roundsKnown = true;
        for (const StudyPart& p : parts) {
            roundsKnown = roundsKnown && p.Manifest->RoundSquaresKnown;
            for (int i = 1; i <= StrategyCount; ++i)
                AddManifestSums(merged->Hands[static_cast<std::size_t>(i)].Stats, *p.Manifest, i);
        }
        for (int i = 1; i <= StrategyCount; ++i) merged->Hands[static_cast<std::size_t>(i)].Stats.RoundSquaresKnown = roundsKnown;
    }
    if (args.Output.SavePath) {
        const StudyManifest study =
            ManifestOf(*merged, {}, facts.Seed.value_or(0), facts.Generator, facts.Streams, facts.Strategy);
        if (const auto other = args.Force ? std::nullopt : OtherStudyAt(*args.Output.SavePath, study, facts.Seed.has_value())) return refuse(*other);
    }
    if (args.Output.Bankroll) facts.Bankroll = *args.Output.Bankroll;
    const int status = WriteOutputs(*merged, args.Output, facts);
    if (status == 0 && args.Output.SavePath && !allKnown && anyManifest &&
        !WriteIncompleteManifest(*merged, *args.Output.SavePath, facts)) {
        std::cerr << "zvx-analysis: could not write '" << ManifestPath(*args.Output.SavePath)
                  << "'; a merge will not know what the game file belongs to\n";
        return FileFailure;
    }
    return status;
}

} // namespace zvx
