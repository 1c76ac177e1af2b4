#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/game_state.h"

namespace zvx {

// The version of the JSON below; it goes up when a field changes its meaning or goes away (new fields
// alone keep it).
inline constexpr int ResultSchemaVersion = 2;

// What the result itself does not say: where it came from and how long it took.
struct RunFacts {
    std::string Kind = "analysis"; // or "merge"
    std::string Strategy;          // "default", "advanced", or the file the playing strategy came from
    std::optional<std::uint32_t> Seed;
    int Jobs = 1;
    double WallSeconds = 0;
    bool SquaresKnown = true;          // false for a merge of game files: no error can be given
    std::vector<std::string> Sources;  // the merged files
    std::string Generator = "classic"; // or "long"
    std::optional<std::uint32_t> Stream;
    std::vector<std::uint32_t> Streams; // the study streams the result holds (a run: its own; classic: 0)
    bool ManifestKnown = true;          // false for a merge of parts without manifests: none is written
    std::vector<std::string> Warnings; // said on standard error during the run
    bool ErrorsReliable = true;        // false once the classic generator went round its cycle
    double Bankroll = 0;               // for the risk of ruin; 0: the table's starting bankroll
    // With --exact: the playing strategy's exact edge off the top per initial bet, and the stakes of a round.
    std::optional<double> ExactEdge;
    double ExactStakes = 1;
};

// Every figure of the three analysis screens as numbers, with the rules and the facts of the run, as one
// JSON document (indented, ending in a newline). Rates are fractions of 1; advantages are in percent, as
// on the screens; a figure that cannot be worked out (nothing bet) is null.
std::string ResultJson(const Game& result, const RunFacts& facts);

} // namespace zvx
