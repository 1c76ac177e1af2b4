#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cards/hand.h"
#include "engine/game_state.h"

namespace zvx {

// What a game file written by the tool belongs to, kept beside it as "<game file>.json": the game file's
// layout is fixed and has no room for it. A merge reads it to refuse a part given twice or from another study,
// and to add what the game file cannot keep (the hours' squares).
struct StudyManifest {
    std::uint32_t Seed = 0;
    std::string Generator = "classic";
    std::vector<std::uint32_t> Streams; // the streams the file holds, ascending; a classic run holds "stream" 0
    std::int64_t Hours = 0;
    std::string Digest; // of the game file's bytes, so a manifest left beside a replaced file is not believed
    std::array<double, StrategyCount + 1> HourWonSquares{}; // [0] unused
    // The exact sums behind the risk figures: each strategy's rounds and their squared results in halves.
    bool RoundSquaresKnown = false;
    std::array<std::int64_t, StrategyCount + 1> Rounds{};
    std::array<WideSum, StrategyCount + 1> RoundSquares{};
    std::string Rules;    // as JSON text, for the reader
    std::string Strategy; // "default", "advanced" or the file it came from
    // A merge some of whose parts had no manifest: Streams lists only the streams the others named, and the
    // sums of squares miss the unknown parts, so a later merge neither believes them nor checks a range by it.
    bool Incomplete = false;
};

std::string ManifestPath(const std::string& gameFile);

// FNV-1a, 64 bits, as 16 hexadecimal digits.
std::string Digest(std::span<const std::uint8_t> bytes);

// The manifest of a game as it is saved (`record`: its game file's bytes).
StudyManifest ManifestOf(const Game& g, std::span<const std::uint8_t> record, std::uint32_t seed,
                         const std::string& generator, std::vector<std::uint32_t> streams, const std::string& strategy);
std::string ManifestJson(const StudyManifest& m);
// Nothing when the text is not a manifest; `why` then says what is wrong with it.
std::optional<StudyManifest> ParseManifest(const std::string& text, std::string* why = nullptr);

// The last stream a study part can play (`--stream`).
inline constexpr std::uint32_t LastStream = 65535;

// A range of streams a study must hold exactly, as "0-7" or "3", within 0..LastStream.
struct StreamRange {
    std::uint32_t First = 0;
    std::uint32_t Last = 0;
    // Set when the text was no such range (empty, not numbers, past LastStream, backwards): one line saying
    // why, for the merge to refuse before it reads anything. The range is then 0-0 and means nothing.
    std::string Refusal = {};
};
// Always a range: a wrong text gives one whose Refusal says what is wrong.
std::optional<StreamRange> ParseStreamRange(const std::string& text);

// One part of a merge: its game file and its manifest (nothing when it has none).
struct StudyPart {
    std::string Path;
    std::optional<StudyManifest> Manifest;
};

// The first reason the parts are not one study, as one line naming the files: a stream given twice, another
// seed or generator than the first part's, and with `expected` a stream missing or outside it. Parts without
// a manifest are not judged (the caller warns about them).
// Adds what the manifest keeps and the game file cannot into an account loaded from that file.
void AddManifestSums(PlayStats& account, const StudyManifest& m, int strategy);

std::optional<std::string> StudyProblem(const std::vector<StudyPart>& parts, const std::optional<StreamRange>& expected);

} // namespace zvx
