#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "engine/game_state.h"
#include "engine/options.h"

namespace zvx {

// The options record on disk: 3886 bytes, little-endian, the whole content of the options file.
//      0  Decks (16)            2  Penetration (16)      4  TableMinimum (16)    6  AnimationSpeed (16)
//      8  SurrenderAllowed      9  DealerHitsSoft17     10  DoubleAnyHand       11  DoubleAfterSplit
//     12  ResplitAllowed       13  PlayTwoHands         14  AlwaysBetMinimum    15  SoundOn
//     16  FirstRun             17  HideStrategyIntro    18  strategy copy (3852 bytes)
//   3870  version text: a length byte and up to 15 characters; "Version 1.1" and 4 reserved zero bytes when saved
inline constexpr std::size_t OptionsRecordSize = 3886;
inline constexpr std::size_t OptionsStrategyOffset = 18;
inline constexpr std::size_t OptionsVersionOffset = 3870;
inline constexpr std::size_t VersionTagSize = 12;
static_assert(OptionsStrategyOffset + StrategyTableSize == OptionsVersionOffset);
static_assert(OptionsVersionOffset + std::tuple_size_v<VersionText> == OptionsRecordSize);

inline constexpr const char OptionsFileName[] = "ZVX.PRM";

using OptionsBytes = std::array<std::uint8_t, OptionsRecordSize>;

// The version text this program writes: length byte 11, "Version 1.1", then zeros.
VersionText CurrentVersionText();
// Whether the first 12 bytes of the version text are this program's tag.
bool HasCurrentVersionTag(const OptionsRecord& record);

// Field by field, with no checking; a non-zero flag byte reads as set.
void EncodeOptionsRecord(const OptionsRecord& record, std::span<std::uint8_t, OptionsRecordSize> out);
OptionsRecord DecodeOptionsRecord(std::span<const std::uint8_t, OptionsRecordSize> in);

// Impossible values are replaced before they can reach the engine: decks outside 1..8 by 8, a penetration other
// than 2 or 3 by 3, a table minimum other than 5, 25 or 100 by 100, the animation speed clamped to 1000..25000.
void RepairRules(CasinoRules& rules);
void RepairAnimationSpeed(PlayerPreferences& prefs);
// Strategy bytes are flags: anything other than 0 or 1 becomes 1.
void RepairStrategy(StrategyTable& table);
// Whether every value of the record is one a save writes, apart from the deck count and the speed, which the
// repairs above bring back into range: penetration 2 or 3, table minimum 5, 25 or 100, flag and strategy bytes
// 0 or 1.
bool OptionsBytesIntact(std::span<const std::uint8_t, OptionsRecordSize> in);
// All of the above on the rules, preferences and strategy copy.
void RepairOptionsRecord(OptionsRecord& record);

// Installs the default rules and preferences and the default strategy (live table and saved copy). Leaves
// AnimationSpeed and FirstRun alone: start-up measures the speed afterwards, and FirstRun is start-up's own.
void InstallDefaultOptions(Game& game);

// What start-up found wrong with the options file, for the player to be told once. A missing file is no
// trouble (a first start); neither is another version's file, whose options are simply not taken.
enum class OptionsFileTrouble {
    None,
    Unreadable, // there, but it cannot be read (no permission, an input/output error)
    NotAFile,   // a folder, a pipe or a device has the options file's name
    Damaged,    // shorter or longer than an options file: nothing in it can be trusted
};

struct OptionsFileStatus {
    OptionsFileTrouble Trouble = OptionsFileTrouble::None;
    std::string Path;   // the options file as named
    std::string Reason; // why, in words: "permission denied", "it is a folder", "it is 12 bytes long, not 3886"
    std::string KeptAs; // where the file was set aside; empty when it could not be moved (or was not to be)
    bool Troubled() const { return Trouble != OptionsFileTrouble::None; }
};

// What the options file is to the load: moved aside when troubled (the desktop program), or left where it
// is (zvx-analysis, which never writes the player's files).
enum class TroubledOptionsFile { SetAside, LeaveInPlace };

// Reads the options file. With this program's version tag the record (repaired) replaces the options and its
// strategy copy becomes the live strategy; a missing or foreign file gives the defaults silently. A file that
// cannot be read, is not a plain file or is not exactly one record long gives the defaults too, and is renamed beside itself
// ("ZVX.PRM.unreadable", "ZVX.PRM.damaged-2", ...) so the next save cannot replace the player's options; when
// that rename fails the path is remembered in Game::OptionsFileProtected and SaveOptions refuses it.
// FileError tells whether the read failed.
OptionsFileStatus LoadOptions(Game& game, const std::string& path = OptionsFileName,
                              TroubledOptionsFile troubled = TroubledOptionsFile::SetAside);

// The sentence the player is told about a troubled options file: which file, why, where it was kept, and
// that the defaults are in force. Empty when nothing was wrong.
std::string OptionsFileNotice(const OptionsFileStatus& status);

// Copies the live strategy into the record, stamps the version tag and writes the record through a temporary
// file, so the previous file survives any failure. A file start-up could not read and could not set aside is
// never written over. Success clears OptionsChanged; FileError tells whether it failed.
bool SaveOptions(Game& game, const std::string& path = OptionsFileName);

} // namespace zvx
