#include "tools/analysis_output.h"

#include <filesystem>
#include <iostream>

#include "analysis/advantage_error.h"
#include "analysis/risk_figures.h"
#include "analysis/risk_screen.h"
#include "analysis/screen_render.h"
#include "analysis/screens.h"
#include "analysis/study_manifest.h"
#include "engine/betting.h"
#include "engine/safe_file.h"
#include "exact/exact_texts.h"
#include "shell/game_file.h"

namespace zvx {

namespace {

std::string ScreenText(Game& g, const OutputChoice& out, const RunFacts& facts) {
    if (out.Screen == RiskScreenNumber) {
        BookPendingRounds(g);
        const ScreenGrid grid = RiskScreen(g, facts.Bankroll > 0 ? facts.Bankroll : StartingBankroll(g.Rules().TableMinimum));
        return out.Tsv ? RenderTsv(grid) : RenderAligned(grid, RiskNoteLines());
    }
    const RunClock runTime = g.RunTime;
    AnalysisScreens screens;
    screens.Open(g); // clears the run time, as a window opening at the start of a run would
    if (g.SingleStrategyMode) screens.Button1Click(g);
    g.RunTime = runTime;
    screens.AnalysisScreen = static_cast<std::uint8_t>(out.Screen);
    screens.RelabelPending = true;
    screens.Redraw(g);
    if (out.Tsv) return RenderTsv(screens.Grid);
    if (out.Screen != StatisticsScreen) return RenderAligned(screens.Grid);
    return RenderAligned(screens.Grid, AdvantageErrorLines(g, facts.SquaresKnown, facts.ErrorsReliable));
}

bool WriteText(const std::string& path, const std::string& text) { return SaveTextReplacing(path, text); }

// The manifest beside a saved game file; a merge of parts without manifests has none, and then a manifest
// left there from an earlier file is removed, since it no longer describes the file.
bool WriteManifest(const Game& result, const std::string& savePath, const RunFacts& facts) {
    const std::string path = ManifestPath(savePath);
    if (!facts.ManifestKnown || !facts.Seed) {
        std::error_code ignored;
        if (std::filesystem::is_regular_file(path, ignored)) std::filesystem::remove(path, ignored);
        return true;
    }
    const GameRecord record = BuildGameRecord(result);
    const StudyManifest m = ManifestOf(result, record, *facts.Seed, facts.Generator, facts.Streams, facts.Strategy);
    return WriteText(path, ManifestJson(m));
}

// The --exact lines under the screen: the exact advantage beside strategy #1's simulated one, and why they
// differ.
std::string ExactLines(const Game& result, const RunFacts& facts) {
    const PlayStats& first = result.Hands[1].Stats;
    const double exact = *facts.ExactEdge / facts.ExactStakes;
    const double simulated = first.TotalBet > 0 ? 100 * first.TotalWon / first.TotalBet : 0;
    return "\n" + ExactBesideSimulatedText(exact, simulated) + "\n" + ExactDifferenceText(result.Rules().PlayTwoHands) + "\n";
}

} // namespace

std::string OutputPathProblem(const std::string& path, const std::string& problem) {
    // A device or a pipe is never replaced by the renamed temporary a save writes.
    if (problem == "it is not a plain file") return "will not replace '" + path + "': " + problem;
    return "cannot write '" + path + "' (" + problem + ")";
}

std::optional<std::string> CheckOutputPaths(const OutputChoice& out) {
    const std::optional<std::string> json = out.JsonPath == "-" ? std::nullopt : out.JsonPath;
    const std::optional<std::string> manifest =
        out.SavePath ? std::optional<std::string>(ManifestPath(*out.SavePath)) : std::nullopt;
    for (const auto& path : {out.SavePath, json, manifest}) {
        if (!path) continue;
        if (const auto problem = SaveProblem(*path)) return OutputPathProblem(*path, *problem);
    }
    return std::nullopt;
}

int WriteOutputs(Game& result, const OutputChoice& out, const RunFacts& facts) {
    const bool jsonToStdout = out.JsonPath && *out.JsonPath == "-";
    std::cout << (jsonToStdout ? ResultJson(result, facts) : ScreenText(result, out, facts));
    if (!jsonToStdout && facts.ExactEdge) std::cout << ExactLines(result, facts);
    std::cout.flush();
    int status = std::cout ? 0 : FileFailure;
    if (out.SavePath && !SaveGameFile(result, *out.SavePath)) {
        std::cerr << "zvx-analysis: could not write '" << *out.SavePath << "'; nothing was changed there\n";
        status = FileFailure;
    } else if (out.SavePath && !WriteManifest(result, *out.SavePath, facts)) {
        std::cerr << "zvx-analysis: could not write '" << ManifestPath(*out.SavePath)
                  << "'; a merge will not know what the game file belongs to\n";
        status = FileFailure;
    }
    if (out.JsonPath && !jsonToStdout && !WriteText(*out.JsonPath, ResultJson(result, facts))) {
        std::cerr << "zvx-analysis: could not write '" << *out.JsonPath << "'; nothing was changed there\n";
        status = FileFailure;
    }
    return status;
}

} // namespace zvx
