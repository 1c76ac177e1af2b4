#include "shell/game_file.h"

#include "analysis/betting.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "engine/byte_io.h"
#include "engine/real48.h"

namespace zvx {

namespace {

// Offsets inside a PlayStats record.
constexpr std::size_t WonByCountOffset = 0;
constexpr std::size_t BetByCountOffset = 126;
constexpr std::size_t HourHistogramOffset = 252;
constexpr std::size_t HourWonOffset = 336;
constexpr std::size_t TotalWonOffset = 342;
constexpr std::size_t TotalBetOffset = 348;
constexpr std::size_t SwingBalanceOffset = 354;
constexpr std::size_t BetsWonOffset = 360;
constexpr std::size_t BetsLostOffset = 366;
constexpr std::size_t SwingsLostOffset = 372;
constexpr std::size_t SwingsWonOffset = 376;
constexpr std::size_t HandsPlayedOffset = 380;
constexpr std::size_t HandsSplitOffset = 384;
constexpr std::size_t HandsDoubledOffset = 388;
constexpr std::size_t BlackjacksOffset = 392;
static_assert(BlackjacksOffset + 4 == PlayStatsSize);
static_assert(BetByCountOffset == WonByCountOffset + CountSlots * Real48Size);
static_assert(HourHistogramOffset == BetByCountOffset + CountSlots * Real48Size);
static_assert(HourWonOffset == HourHistogramOffset + CountSlots * 4);

constexpr std::string_view GameFileExtension = ".ZVX";

std::size_t StatsOffset(int hand) { return GameStatsOffset + static_cast<std::size_t>(hand) * PlayStatsSize; }

void PutCounter(std::span<std::uint8_t> out, std::size_t at, std::int64_t v) {
    PutI32(out, at, Saturate<std::int32_t>(v));
}

} // namespace

void EncodePlayStats(const PlayStats& s, std::span<std::uint8_t, PlayStatsSize> out) {
    for (std::size_t k = 0; k < CountSlots; ++k) {
        PutReal48(out, WonByCountOffset + k * Real48Size, s.WonByCount[k]);
        PutReal48(out, BetByCountOffset + k * Real48Size, s.BetByCount[k]);
        PutCounter(out, HourHistogramOffset + k * 4, s.HourHistogram[k]);
    }
    PutReal48(out, HourWonOffset, s.HourWon);
    PutReal48(out, TotalWonOffset, s.TotalWon);
    PutReal48(out, TotalBetOffset, s.TotalBet);
    PutReal48(out, SwingBalanceOffset, s.SwingBalance);
    PutReal48(out, BetsWonOffset, s.BetsWon);
    PutReal48(out, BetsLostOffset, s.BetsLost);
    PutCounter(out, SwingsLostOffset, s.SwingsLost);
    PutCounter(out, SwingsWonOffset, s.SwingsWon);
    PutCounter(out, HandsPlayedOffset, s.HandsPlayed);
    PutCounter(out, HandsSplitOffset, s.HandsSplit);
    PutCounter(out, HandsDoubledOffset, s.HandsDoubled);
    PutCounter(out, BlackjacksOffset, s.Blackjacks);
}

PlayStats DecodePlayStats(std::span<const std::uint8_t, PlayStatsSize> in) {
    PlayStats s;
    for (std::size_t k = 0; k < CountSlots; ++k) {
        s.WonByCount[k] = GetReal48(in, WonByCountOffset + k * Real48Size);
        s.BetByCount[k] = GetReal48(in, BetByCountOffset + k * Real48Size);
        s.HourHistogram[k] = GetI32(in, HourHistogramOffset + k * 4);
    }
    s.HourWon = GetReal48(in, HourWonOffset);
    s.TotalWon = GetReal48(in, TotalWonOffset);
    s.TotalBet = GetReal48(in, TotalBetOffset);
    s.SwingBalance = GetReal48(in, SwingBalanceOffset);
    s.BetsWon = GetReal48(in, BetsWonOffset);
    s.BetsLost = GetReal48(in, BetsLostOffset);
    s.SwingsLost = GetI32(in, SwingsLostOffset);
    s.SwingsWon = GetI32(in, SwingsWonOffset);
    s.HandsPlayed = GetI32(in, HandsPlayedOffset);
    s.HandsSplit = GetI32(in, HandsSplitOffset);
    s.HandsDoubled = GetI32(in, HandsDoubledOffset);
    s.Blackjacks = GetI32(in, BlackjacksOffset);
    return s;
}

GameRecord BuildGameRecord(const Game& game) {
    GameRecord record{};
    const std::span<std::uint8_t> all(record);
    EncodeOptionsRecord(game.Options, all.first<OptionsRecordSize>());
    PutU16(all, GameUnusedWordOffset, game.GameFileUnusedWord);
    for (int h = 0; h < HandCount; ++h) {
        EncodePlayStats(game.Hands[static_cast<std::size_t>(h)].Stats,
                        all.subspan(StatsOffset(h)).first<PlayStatsSize>());
    }
    PutU16(all, GameRunHoursOffset, Saturate<std::uint16_t>(game.RunTime.Hours));
    PutU16(all, GameRunMinutesOffset, game.RunTime.Minutes);
    PutU16(all, GameRunSecondsOffset, game.RunTime.Seconds);
    PutU16(all, GameSpareWordOffset, 0);
    PutI32(all, GameHoursPlayedOffset, Saturate<std::int32_t>(game.HoursPlayed));
    std::copy(game.Strategy.Bytes.begin(), game.Strategy.Bytes.end(), record.begin() + GameStrategyOffset);
    return record;
}

bool SaveGameFile(Game& game, const std::string& path, std::error_code* why) {
    BookPendingRounds(game);
    const GameRecord record = BuildGameRecord(game);
    const bool ok = WriteRecordFileReplacing(path, record, why);
    game.FileError = !ok;
    return ok;
}

GameFileLoad LoadGameFile(Game& game, const std::string& path) {
    GameRecord record{};
    bool longer = false;
    switch (ReadRecordFile(path, record, &longer)) {
    case RecordReadStatus::Ok: break;
    case RecordReadStatus::NotFound: return GameFileLoad::NotFound;
    case RecordReadStatus::ReadFailed:
        // A folder opens but cannot be read; a file that is merely short is the wrong size.
        return std::filesystem::is_regular_file(path) ? GameFileLoad::WrongSize : GameFileLoad::ReadFailed;
    }
    if (longer) return GameFileLoad::WrongSize;

    // Everything is checked, decoded and repaired first, so the live state is replaced in one step or not at all.
    const std::span<const std::uint8_t> all(record);
    const auto strategyBytes = all.subspan(GameStrategyOffset, StrategyTableSize);
    if (!OptionsBytesIntact(all.first<OptionsRecordSize>()) ||
        !std::all_of(strategyBytes.begin(), strategyBytes.end(), [](std::uint8_t b) { return b <= 1; }))
        return GameFileLoad::Damaged;
    OptionsRecord options = DecodeOptionsRecord(all.first<OptionsRecordSize>());
    RepairOptionsRecord(options);
    std::array<PlayStats, HandCount> stats;
    for (int h = 0; h < HandCount; ++h) {
        stats[static_cast<std::size_t>(h)] = DecodePlayStats(all.subspan(StatsOffset(h)).first<PlayStatsSize>());
    }
    RunClock runTime;
    runTime.Hours = GetU16(all, GameRunHoursOffset);
    runTime.Minutes = GetU16(all, GameRunMinutesOffset);
    runTime.Seconds = GetU16(all, GameRunSecondsOffset);
    StrategyTable strategy;
    std::copy(strategyBytes.begin(), strategyBytes.end(), strategy.Bytes.begin());

    game.Options = options;
    for (int h = 0; h < HandCount; ++h) game.Hands[static_cast<std::size_t>(h)].Stats = stats[static_cast<std::size_t>(h)];
    // The file's accounts replace the game's, and with them any rounds still waiting to be booked.
    game.Pending = PendingRounds{};
    game.RunTime = runTime;
    game.GameFileUnusedWord = GetU16(all, GameUnusedWordOffset);
    game.HoursPlayed = GetI32(all, GameHoursPlayedOffset);
    game.Strategy = strategy;
    return GameFileLoad::Ok;
}

std::optional<std::string> GameFileNameFromInput(const std::string& typed) {
    if (typed.empty()) return std::nullopt;
    std::string name = typed;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
    if (name.find(GameFileExtension) == std::string::npos) name += GameFileExtension;
    return name;
}

std::string GameFileLoadProblem(GameFileLoad result) {
    switch (result) {
    case GameFileLoad::Ok: return {};
    case GameFileLoad::NotFound: return "it cannot be opened";
    case GameFileLoad::ReadFailed: return "it cannot be read";
    case GameFileLoad::WrongSize: return "a game file is exactly " + std::to_string(GameRecordSize) + " bytes long";
    case GameFileLoad::Damaged: return "it holds rules, settings or strategy entries that no saved game holds";
    }
    return {};
}

namespace {

bool SameFolder(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    return (fs::path(a) / "").lexically_normal() == (fs::path(b) / "").lexically_normal();
}

std::string InFolder(const std::string& folder, const std::string& name, const std::string& currentFolder) {
    if (folder.empty() || SameFolder(folder, currentFolder)) return name;
    return (std::filesystem::path(folder) / name).string();
}

} // namespace

std::optional<std::string> GameFileToSave(const std::string& folder, const std::string& picked,
                                          const std::string& currentFolder) {
    const std::optional<std::string> name = GameFileNameFromInput(picked);
    if (!name) return std::nullopt;
    return InFolder(folder, *name, currentFolder);
}

std::string GameFileToLoad(const std::string& folder, const std::string& picked, const std::string& currentFolder) {
    const std::string asPicked = InFolder(folder, picked, currentFolder);
    std::error_code ec;
    if (picked.empty() || std::filesystem::is_regular_file(std::filesystem::path(folder) / picked, ec))
        return asPicked;
    return GameFileToSave(folder, picked, currentFolder).value_or(asPicked);
}

std::string ProposedGameFileName(const std::string& current) {
    return current.empty() ? std::string(DefaultGameFileName) : current;
}

} // namespace zvx
