#include "shell/game_file.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string_view>

#include "engine/betting.h"
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

// Every amount of the accounts (money, and the bets won and lost, a surrender counting half) is a sum of halves,
// and the analysis books them in whatever order is fastest because such sums are exact while below 2^52. An
// amount read from a file is made one of them: rounded to the nearest half and kept within 2^48, which leaves more
// room than any analysis can use. Amounts the program wrote are such halves already and read back unchanged.
constexpr double LargestLoadedAmount = 281474976710656.0; // 2^48

double GetAmount(std::span<const std::uint8_t> in, std::size_t at) {
    // Adding +0 turns the -0 that a small negative amount rounds to into the 0 the file would hold.
    const double halves = std::nearbyint(GetReal48(in, at) * 2) / 2 + 0.0;
    return std::clamp(halves, -LargestLoadedAmount, LargestLoadedAmount);
}

// A count read from a file cannot be below zero; a damaged one is read as none.
std::int64_t GetCounter(std::span<const std::uint8_t> in, std::size_t at) {
    return std::max<std::int32_t>(GetI32(in, at), 0);
}

// The clock as the file holds it; a load has refused minutes or seconds beyond 59 before.
RunClock ReadRunClock(std::span<const std::uint8_t> in) {
    RunClock clock;
    clock.Hours = GetU16(in, GameRunHoursOffset);
    clock.Minutes = GetU16(in, GameRunMinutesOffset);
    clock.Seconds = GetU16(in, GameRunSecondsOffset);
    return clock;
}

// Whether a PlayStats record holds only what a save writes: every amount a sum of halves within 2^48, no money
// put down below zero, no count below zero. A save writes nothing else, since the game books nothing else and
// a load takes nothing else in.
bool StatsBytesIntact(std::span<const std::uint8_t, PlayStatsSize> in) {
    const auto amount = [&in](std::size_t at) {
        const double v = GetReal48(in, at);
        return std::fabs(v) <= LargestLoadedAmount && std::nearbyint(v * 2) == v * 2;
    };
    const auto count = [&in](std::size_t at) { return GetI32(in, at) >= 0; };
    for (std::size_t k = 0; k < CountSlots; ++k) {
        const std::size_t bet = BetByCountOffset + k * Real48Size;
        if (!amount(WonByCountOffset + k * Real48Size) || !amount(bet) || GetReal48(in, bet) < 0 ||
            !count(HourHistogramOffset + k * 4))
            return false;
    }
    for (const std::size_t at : {HourWonOffset, TotalWonOffset, TotalBetOffset, SwingBalanceOffset, BetsWonOffset,
                                 BetsLostOffset})
        if (!amount(at)) return false;
    for (const std::size_t at : {SwingsLostOffset, SwingsWonOffset, HandsPlayedOffset, HandsSplitOffset,
                                 HandsDoubledOffset, BlackjacksOffset})
        if (!count(at)) return false;
    return true;
}

// The clock's minutes and seconds never pass 59, and no one has played fewer than no hours.
bool ClockBytesIntact(std::span<const std::uint8_t> in) {
    return GetU16(in, GameRunMinutesOffset) < 60 && GetU16(in, GameRunSecondsOffset) < 60 &&
           GetI32(in, GameHoursPlayedOffset) >= 0;
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
        s.WonByCount[k] = GetAmount(in, WonByCountOffset + k * Real48Size);
        s.BetByCount[k] = GetAmount(in, BetByCountOffset + k * Real48Size);
        s.HourHistogram[k] = GetCounter(in, HourHistogramOffset + k * 4);
    }
    s.HourWon = GetAmount(in, HourWonOffset);
    s.TotalWon = GetAmount(in, TotalWonOffset);
    s.TotalBet = GetAmount(in, TotalBetOffset);
    s.SwingBalance = GetAmount(in, SwingBalanceOffset);
    s.BetsWon = GetAmount(in, BetsWonOffset);
    s.BetsLost = GetAmount(in, BetsLostOffset);
    s.SwingsLost = GetCounter(in, SwingsLostOffset);
    s.SwingsWon = GetCounter(in, SwingsWonOffset);
    s.HandsPlayed = GetCounter(in, HandsPlayedOffset);
    s.HandsSplit = GetCounter(in, HandsSplitOffset);
    s.HandsDoubled = GetCounter(in, HandsDoubledOffset);
    s.Blackjacks = GetCounter(in, BlackjacksOffset);
    // The file keeps no round-by-round squares.
    s.RoundSquaresKnown = false;
    return s;
}

std::optional<std::string> AccountContradiction(const PlayStats& a) {
    constexpr std::int64_t CountLimit = std::numeric_limits<std::int32_t>::max();
    // 3 to 2 on a blackjack is the most any stake wins; a lost stake loses itself.
    auto overWon = [](double won, double bet) { return won > 1.5 * bet; };
    auto overLost = [](double won, double bet) { return -won > bet; };
    if (a.TotalBet < 0) return "less than nothing bet";
    if (overWon(a.TotalWon, a.TotalBet)) return "more won than a stake can win";
    if (overLost(a.TotalWon, a.TotalBet)) return "more lost than was bet";
    if (a.BetsWon < 0 || a.BetsLost < 0) return "bets won or lost below none";
    if (a.HandsPlayed < CountLimit && a.HandsSplit < CountLimit &&
        a.BetsWon + a.BetsLost > static_cast<double>(a.HandsPlayed + a.HandsSplit))
        return "more bets won and lost than hands played";
    return std::nullopt;
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
    const RecordReadDetail read = ReadRecordFileDetail(path, record);
    longer = read.Longer;
    switch (read.Status) {
    case RecordReadStatus::Ok: break;
    case RecordReadStatus::NotFound: return GameFileLoad::NotFound;
    case RecordReadStatus::NotAFile: return GameFileLoad::NotAFile;
    case RecordReadStatus::TooLarge: return GameFileLoad::WrongSize; // no record read has a limit
    case RecordReadStatus::ReadFailed:
        // A file that is merely short is the wrong size; one whose bytes cannot be read is unreadable.
        return read.Error == 0 ? GameFileLoad::WrongSize : GameFileLoad::ReadFailed;
    }
    if (longer) return GameFileLoad::WrongSize;

    // Everything is checked, decoded and repaired first, so the live state is replaced in one step or not at all.
    const std::span<const std::uint8_t> all(record);
    const auto strategyBytes = all.subspan(GameStrategyOffset, StrategyTableSize);
    if (!OptionsBytesIntact(all.first<OptionsRecordSize>()) ||
        !std::all_of(strategyBytes.begin(), strategyBytes.end(), [](std::uint8_t b) { return b <= 1; }))
        return GameFileLoad::Damaged;
    if (!ClockBytesIntact(all)) return GameFileLoad::Damaged;
    for (int h = 0; h < HandCount; ++h)
        if (!StatsBytesIntact(all.subspan(StatsOffset(h)).first<PlayStatsSize>())) return GameFileLoad::Damaged;
    OptionsRecord options = DecodeOptionsRecord(all.first<OptionsRecordSize>());
    RepairOptionsRecord(options);
    std::array<PlayStats, HandCount> stats;
    for (int h = 0; h < HandCount; ++h) {
        stats[static_cast<std::size_t>(h)] = DecodePlayStats(all.subspan(StatsOffset(h)).first<PlayStatsSize>());
    }
    for (const PlayStats& account : stats)
        if (AccountContradiction(account)) return GameFileLoad::Contradictory;
    // The first-run marker belongs to this program's start-up, not to a saved game.
    options.FirstRun = game.Options.FirstRun;
    const RunClock runTime = ReadRunClock(all);
    StrategyTable strategy;
    std::copy(strategyBytes.begin(), strategyBytes.end(), strategy.Bytes.begin());

    game.Options = options;
    for (int h = 0; h < HandCount; ++h) game.Hands[static_cast<std::size_t>(h)].Stats = stats[static_cast<std::size_t>(h)];
    // The file's accounts replace the game's, and with them any rounds still waiting to be booked.
    game.Pending = PendingRounds{};
    game.RunTime = runTime;
    game.GameFileUnusedWord = GetU16(all, GameUnusedWordOffset);
    game.HoursPlayed = GetCounter(all, GameHoursPlayedOffset);
    game.Strategy = strategy;
    return GameFileLoad::Ok;
}

std::optional<std::string> LoadStrategyFromGameFile(StrategyTable& strategy, const std::string& path) {
    Game fromFile;
    const GameFileLoad result = LoadGameFile(fromFile, path);
    switch (result) {
    case GameFileLoad::Ok: break;
    case GameFileLoad::NotFound: return "cannot open game file '" + path + "'";
    default: return "'" + path + "' is not a game file: " + GameFileLoadProblem(result);
    }
    strategy = fromFile.Strategy;
    return std::nullopt;
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
    case GameFileLoad::Damaged:
        return "it holds rules, settings, figures or strategy entries that no saved game holds";
    case GameFileLoad::NotAFile: return "it is a folder, a device or a pipe, not a file";
    case GameFileLoad::Contradictory: return "its totals contradict each other, as no saved game's do";
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
