#include "engine/options_file.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string_view>

#include "engine/byte_io.h"
#include "strategy/builtin_strategies.h"

namespace zvx {

namespace {

constexpr std::size_t DecksOffset = 0;
constexpr std::size_t PenetrationOffset = 2;
constexpr std::size_t TableMinimumOffset = 4;
constexpr std::size_t AnimationSpeedOffset = 6;
constexpr std::size_t SurrenderOffset = 8;
constexpr std::size_t HitsSoft17Offset = 9;
constexpr std::size_t DoubleAnyOffset = 10;
constexpr std::size_t DoubleAfterSplitOffset = 11;
constexpr std::size_t ResplitOffset = 12;
constexpr std::size_t TwoHandsOffset = 13;
constexpr std::size_t BetMinimumOffset = 14;
constexpr std::size_t SoundOffset = 15;
constexpr std::size_t FirstRunOffset = 16;
constexpr std::size_t HideIntroOffset = 17;

constexpr std::string_view VersionTagText = "Version 1.1";
static_assert(VersionTagText.size() + 1 == VersionTagSize);

constexpr std::uint16_t MaxDecks = 8;
constexpr std::uint16_t FallbackDecks = 8;
constexpr std::uint16_t FallbackPenetration = 3;
constexpr std::uint16_t FallbackTableMinimum = 100;

std::uint8_t Flag(bool b) { return b ? 1 : 0; }

} // namespace

VersionText CurrentVersionText() {
    VersionText v{};
    v[0] = static_cast<std::uint8_t>(VersionTagText.size());
    std::copy(VersionTagText.begin(), VersionTagText.end(), v.begin() + 1);
    return v;
}

bool HasCurrentVersionTag(const OptionsRecord& record) {
    const VersionText expected = CurrentVersionText();
    return std::equal(expected.begin(), expected.begin() + VersionTagSize, record.Version.begin());
}

void EncodeOptionsRecord(const OptionsRecord& record, std::span<std::uint8_t, OptionsRecordSize> out) {
    const CasinoRules& r = record.Rules;
    const PlayerPreferences& p = record.Prefs;
    PutU16(out, DecksOffset, r.Decks);
    PutU16(out, PenetrationOffset, r.Penetration);
    PutU16(out, TableMinimumOffset, r.TableMinimum);
    PutU16(out, AnimationSpeedOffset, p.AnimationSpeed);
    PutU8(out, SurrenderOffset, Flag(r.SurrenderAllowed));
    PutU8(out, HitsSoft17Offset, Flag(r.DealerHitsSoft17));
    PutU8(out, DoubleAnyOffset, Flag(r.DoubleAnyHand));
    PutU8(out, DoubleAfterSplitOffset, Flag(r.DoubleAfterSplit));
    PutU8(out, ResplitOffset, Flag(r.ResplitAllowed));
    PutU8(out, TwoHandsOffset, Flag(r.PlayTwoHands));
    PutU8(out, BetMinimumOffset, Flag(p.AlwaysBetMinimum));
    PutU8(out, SoundOffset, Flag(p.SoundOn));
    PutU8(out, FirstRunOffset, Flag(record.FirstRun));
    PutU8(out, HideIntroOffset, Flag(record.HideStrategyIntro));
    std::copy(record.StrategyCopy.Bytes.begin(), record.StrategyCopy.Bytes.end(),
              out.begin() + OptionsStrategyOffset);
    std::copy(record.Version.begin(), record.Version.end(), out.begin() + OptionsVersionOffset);
}

OptionsRecord DecodeOptionsRecord(std::span<const std::uint8_t, OptionsRecordSize> in) {
    OptionsRecord record;
    CasinoRules& r = record.Rules;
    PlayerPreferences& p = record.Prefs;
    r.Decks = GetU16(in, DecksOffset);
    r.Penetration = GetU16(in, PenetrationOffset);
    r.TableMinimum = GetU16(in, TableMinimumOffset);
    p.AnimationSpeed = GetU16(in, AnimationSpeedOffset);
    r.SurrenderAllowed = GetU8(in, SurrenderOffset) != 0;
    r.DealerHitsSoft17 = GetU8(in, HitsSoft17Offset) != 0;
    r.DoubleAnyHand = GetU8(in, DoubleAnyOffset) != 0;
    r.DoubleAfterSplit = GetU8(in, DoubleAfterSplitOffset) != 0;
    r.ResplitAllowed = GetU8(in, ResplitOffset) != 0;
    r.PlayTwoHands = GetU8(in, TwoHandsOffset) != 0;
    p.AlwaysBetMinimum = GetU8(in, BetMinimumOffset) != 0;
    p.SoundOn = GetU8(in, SoundOffset) != 0;
    record.FirstRun = GetU8(in, FirstRunOffset) != 0;
    record.HideStrategyIntro = GetU8(in, HideIntroOffset) != 0;
    const auto strategy = in.subspan(OptionsStrategyOffset, StrategyTableSize);
    std::copy(strategy.begin(), strategy.end(), record.StrategyCopy.Bytes.begin());
    const auto version = in.subspan(OptionsVersionOffset, record.Version.size());
    std::copy(version.begin(), version.end(), record.Version.begin());
    return record;
}

void RepairRules(CasinoRules& rules) {
    if (rules.Decks < 1 || rules.Decks > MaxDecks) rules.Decks = FallbackDecks;
    if (rules.Penetration != 2 && rules.Penetration != 3) rules.Penetration = FallbackPenetration;
    if (rules.TableMinimum != 5 && rules.TableMinimum != 25 && rules.TableMinimum != 100) {
        rules.TableMinimum = FallbackTableMinimum;
    }
}

void RepairAnimationSpeed(PlayerPreferences& prefs) {
    prefs.AnimationSpeed = std::clamp(prefs.AnimationSpeed, MinAnimationSpeed, MaxAnimationSpeed);
}

void RepairStrategy(StrategyTable& table) {
    for (auto& b : table.Bytes) {
        if (b > 1) b = 1;
    }
}

bool OptionsBytesIntact(std::span<const std::uint8_t, OptionsRecordSize> in) {
    const std::uint16_t penetration = GetU16(in, PenetrationOffset);
    const std::uint16_t minimum = GetU16(in, TableMinimumOffset);
    if (penetration != 2 && penetration != 3) return false;
    if (minimum != 5 && minimum != 25 && minimum != 100) return false;
    const auto flags = in.subspan(SurrenderOffset, HideIntroOffset - SurrenderOffset + 1);
    const auto strategy = in.subspan(OptionsStrategyOffset, StrategyTableSize);
    auto isFlag = [](std::uint8_t b) { return b <= 1; };
    return std::all_of(flags.begin(), flags.end(), isFlag) && std::all_of(strategy.begin(), strategy.end(), isFlag);
}

void RepairOptionsRecord(OptionsRecord& record) {
    RepairRules(record.Rules);
    RepairAnimationSpeed(record.Prefs);
    RepairStrategy(record.StrategyCopy);
}

void InstallDefaultOptions(Game& game) {
    OptionsRecord& o = game.Options;
    const std::uint16_t speed = o.Prefs.AnimationSpeed;
    const bool firstRun = o.FirstRun;
    o.Rules = CasinoRules{};
    o.Prefs = PlayerPreferences{};
    o.Prefs.AnimationSpeed = speed;
    o.FirstRun = firstRun;
    o.HideStrategyIntro = false;
    LoadDefaultStrategy(game.Strategy);
    o.StrategyCopy = game.Strategy;
}

namespace {

std::string LengthReason(std::int64_t length) {
    return "it is " + std::to_string(length) + " bytes long, not " + std::to_string(OptionsRecordSize);
}

std::string TroubleReason(const RecordReadDetail& read, const std::string& path) {
    if (read.Status == RecordReadStatus::NotAFile) {
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec)) return "it is a folder";
        if (std::filesystem::is_fifo(path, ec)) return "it is a pipe";
        return "it is not a plain file";
    }
    if (read.Status == RecordReadStatus::ReadFailed && read.Error == 0) return LengthReason(read.Length);
    return std::generic_category().message(read.Error != 0 ? read.Error : EIO);
}

OptionsFileTrouble TroubleOf(const RecordReadDetail& read) {
    if (read.Status == RecordReadStatus::NotAFile) return OptionsFileTrouble::NotAFile;
    if (read.Status == RecordReadStatus::ReadFailed && read.Error == 0) return OptionsFileTrouble::Damaged;
    return OptionsFileTrouble::Unreadable;
}

// The first free name beside `path`: "ZVX.PRM.damaged", then "ZVX.PRM.damaged-2", ...
std::string FreeNameBeside(const std::string& path, const std::string& kind) {
    const std::string base = path + "." + kind;
    std::error_code ec;
    std::string name = base;
    for (int n = 2; std::filesystem::symlink_status(name, ec).type() != std::filesystem::file_type::not_found; ++n)
        name = base + "-" + std::to_string(n);
    return name;
}

} // namespace

OptionsFileStatus LoadOptions(Game& game, const std::string& path, TroubledOptionsFile troubled) {
    OptionsBytes bytes{};
    const RecordReadDetail read = ReadRecordFileDetail(path, bytes);
    // A file longer than one record is no options file either (a game file, or anything else given that
    // name): taken for a foreign version, it would be replaced by the defaults at the next save.
    const bool tooLong = read.Status == RecordReadStatus::Ok && read.Longer;
    game.FileError = read.Status != RecordReadStatus::Ok || tooLong;
    OptionsFileStatus status;
    status.Path = path;
    if (game.FileError) {
        InstallDefaultOptions(game);
        if (read.Status == RecordReadStatus::NotFound && read.Error == ENOENT) return status;
        status.Trouble = tooLong ? OptionsFileTrouble::Damaged : TroubleOf(read);
        status.Reason = tooLong ? LengthReason(read.Length) : TroubleReason(read, path);
        if (troubled == TroubledOptionsFile::LeaveInPlace) return status;
        const std::string aside =
            FreeNameBeside(path, status.Trouble == OptionsFileTrouble::Damaged ? "damaged" : "unreadable");
        std::error_code ec;
        std::filesystem::rename(path, aside, ec);
        if (ec) game.OptionsFileProtected = path;
        else status.KeptAs = aside;
        return status;
    }

    OptionsRecord record = DecodeOptionsRecord(bytes);
    if (HasCurrentVersionTag(record)) {
        RepairOptionsRecord(record);
        game.Options = record;
        game.Strategy = record.StrategyCopy;
        return status;
    }

    // A foreign record still supplies its speed and first-run marker; the speed is kept in range because a
    // speed of 0 would make every animation instant until start-up measures it again.
    game.Options = record;
    RepairAnimationSpeed(game.Options.Prefs);
    InstallDefaultOptions(game);
    return status;
}

std::string OptionsFileNotice(const OptionsFileStatus& s) {
    if (!s.Troubled()) return {};
    std::string text = "Your options file \"" + s.Path + "\" could not be used: " + s.Reason + ".\n\n";
    if (!s.KeptAs.empty())
        text += "It was kept as \"" + s.KeptAs + "\", untouched. ";
    else
        text += "It could not be set aside, so it will not be written over: options changed now last until "
                "you close the program. ";
    text += "The program runs on the default options.";
    return text;
}

bool SaveOptions(Game& game, const std::string& path) {
    if (!game.OptionsFileProtected.empty() && game.OptionsFileProtected == path) {
        game.FileError = true;
        return false;
    }
    game.Options.StrategyCopy = game.Strategy;
    game.Options.Version = CurrentVersionText();
    OptionsBytes bytes{};
    EncodeOptionsRecord(game.Options, bytes);
    const bool ok = WriteRecordFileReplacing(path, bytes);
    game.FileError = !ok;
    if (ok) game.OptionsChanged = false;
    return ok;
}

} // namespace zvx
