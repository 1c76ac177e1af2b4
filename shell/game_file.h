#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <system_error>

#include "cards/hand.h"
#include "engine/game_state.h"
#include "engine/options_file.h"

namespace zvx {

// A game file: one record of 9732 bytes, little-endian, money and statistics as Real48.
//      0  the options record (3886 bytes)
//   3886  a word no one reads, carried over from the last loaded file
//   3888  the PlayStats of Hands 0..4, 396 bytes each
//   5868  RunTime hours, minutes, seconds (16-bit each), then an unused zero word
//   5876  HoursPlayed (32-bit signed)
//   5880  the live strategy table (3852 bytes)
inline constexpr std::size_t GameRecordSize = 9732;
inline constexpr std::size_t GameUnusedWordOffset = 3886;
inline constexpr std::size_t GameStatsOffset = 3888;
inline constexpr std::size_t PlayStatsSize = 396;
inline constexpr std::size_t GameRunHoursOffset = 5868;
inline constexpr std::size_t GameRunMinutesOffset = 5870;
inline constexpr std::size_t GameRunSecondsOffset = 5872;
inline constexpr std::size_t GameSpareWordOffset = 5874;
inline constexpr std::size_t GameHoursPlayedOffset = 5876;
inline constexpr std::size_t GameStrategyOffset = 5880;
static_assert(GameUnusedWordOffset == OptionsRecordSize);
static_assert(GameStatsOffset + HandCount * PlayStatsSize == GameRunHoursOffset);
static_assert(GameStrategyOffset + StrategyTableSize == GameRecordSize);

using GameRecord = std::array<std::uint8_t, GameRecordSize>;

// One PlayStats record in its 396-byte file form. Counters too wide for their field are written as the field's
// largest (or smallest) value. Read back, a counter below zero is zero and an amount is rounded to the nearest
// half within 2^48 (the range in which the analysis's sums are exact).
void EncodePlayStats(const PlayStats& stats, std::span<std::uint8_t, PlayStatsSize> out);
PlayStats DecodePlayStats(std::span<const std::uint8_t, PlayStatsSize> in);

GameRecord BuildGameRecord(const Game& game);

// Writes the record through a temporary file beside `path`, so a failed save leaves the previous file intact.
// FileError tells whether it failed; `why`, when given, receives the reason.
bool SaveGameFile(Game& game, const std::string& path, std::error_code* why = nullptr);

enum class GameFileLoad {
    Ok,
    NotFound,   // the file could not be opened
    ReadFailed, // opened but unreadable
    WrongSize,  // not exactly one record long
    Damaged,    // holds a value no save writes
    NotAFile,   // a folder, a pipe or a device: refused before a byte is read
    Contradictory, // its totals contradict each other: no play could have booked them
};

// The first way an account's totals contradict each other, as words ("more won than was bet"), or nothing.
// Money is never below zero where it counts money put down, nothing wins more than 3 to 2 of what was bet or
// loses more than was bet (a count's win is booked where the round ended, its bet where it began, so the
// counts are not held to this), and the bets won and lost (a surrender counting
// half) are no more than the hands settled: those placed plus those split off. A count at the largest value
// the file can keep no longer knows its true value and is not held against the others.
std::optional<std::string> AccountContradiction(const PlayStats& account);

// Reads the file; only a file of exactly one record whose values a save could have written changes anything.
// A deck count outside 1..8 becomes 8 and the animation speed is clamped to 1000..25000; any other rule, flag or
// strategy byte out of its range refuses the file, and so does any figure no save writes (an amount that is not
// a sum of halves within 2^48, money bet below zero, a count or the hours played below zero, the clock's minutes
// or seconds beyond 59), and totals that contradict each other. The file's first-run marker is not taken: the
// game keeps its own, so a file never brings back the first-start box. Then the options, the five PlayStats, RunTime, the unused word,
// HoursPlayed and the live strategy are replaced. Cards, stakes, the shoe and the bankroll are left alone.
GameFileLoad LoadGameFile(Game& game, const std::string& path);

// Why a load changed nothing, as the end of a sentence naming the file ("... is not a game file: <reason>").
std::string GameFileLoadProblem(GameFileLoad result);

// Takes the live strategy of game file `path` (checked as LoadGameFile checks it) into `strategy`. A missing,
// wrong-sized or damaged file leaves `strategy` as it was and gives the reason as a text for the user.
std::optional<std::string> LoadStrategyFromGameFile(StrategyTable& strategy, const std::string& path);

// The picker's rule for a typed name: nothing for an empty text; otherwise upper case, with ".ZVX" added unless
// the text already contains it.
std::optional<std::string> GameFileNameFromInput(const std::string& typed);

inline constexpr const char DefaultGameFileName[] = "lastgame.zvx";

// The file a load reads for a name picked in `folder`: the picked file itself when it exists (a name picked in
// the list need not be upper case), otherwise the name a save would have given it. The current folder's files
// are named without their folder.
std::string GameFileToLoad(const std::string& folder, const std::string& picked, const std::string& currentFolder);
// The file a save writes for a name picked in `folder` (the naming rule on the name, never on the folder);
// nothing for an empty name.
std::optional<std::string> GameFileToSave(const std::string& folder, const std::string& picked,
                                          const std::string& currentFolder);

// The name the picker offers: the current one, or "lastgame.zvx" when none has been used yet.
std::string ProposedGameFileName(const std::string& current);

} // namespace zvx
