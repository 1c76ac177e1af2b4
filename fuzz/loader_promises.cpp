#include "fuzz/loader_promises.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <type_traits>
#include <vector>

#include "analysis/analysis_run.h"
#include "analysis/screens.h"
#include "engine/byte_io.h"
#include "engine/options_file.h"
#include "engine/real48.h"
#include "engine/round.h"
#include "engine/shell_view.h"
#include "engine/shoe.h"
#include "shell/game_file.h"
#include "strategy/builtin_strategies.h"

namespace zvx::fuzz {

namespace {

using Bytes = std::vector<std::uint8_t>;

// The layout of a PlayStats record, stated here on its own so that the checks do not trust the code they check.
constexpr std::size_t StatsRealRuns[][2] = {{0, 2 * CountSlots}, {336, 6}}; // first offset, number of Real48s
constexpr std::size_t StatsCounterRuns[][2] = {{252, CountSlots}, {372, 6}}; // first offset, number of int32s

// The options record's fields, likewise.
constexpr std::size_t OptionsFlagsFirst = 8;
constexpr std::size_t OptionsFlagsEnd = 18;

// The round of an analysis after which the File menu's load comes, and the round after which the analysis
// stops: the hour closes and the screens are drawn from the loaded statistics in between.
constexpr int LoadAfterRound = 95;
constexpr int StopAfterRound = 101;
constexpr std::int64_t StrategyRunHours = 1;

// Collects the first broken promise; later ones are usually its consequences.
class Verdict {
public:
    void Require(bool ok, const char* what) {
        if (!ok && !failure_) failure_ = what;
    }
    bool Failed() const { return failure_.has_value(); }
    std::optional<std::string> Result() && { return std::move(failure_); }

private:
    std::optional<std::string> failure_;
};

// A byte image of a part of the game state: two states agree on that part exactly when their images do.
class Image {
public:
    template <class T>
        requires std::is_arithmetic_v<T>
    void Add(T v) {
        AddRaw(&v, sizeof v);
    }
    // Arrays and vectors of numbers have no padding, so their bytes are their values.
    template <class T, std::size_t N>
        requires std::is_arithmetic_v<T>
    void Add(const std::array<T, N>& a) {
        AddRaw(a.data(), sizeof a);
    }
    template <class T>
        requires std::is_arithmetic_v<T>
    void Add(const std::vector<T>& v) {
        Add(v.size());
        AddRaw(v.data(), v.size() * sizeof(T));
    }
    void Add(const std::string& s) {
        Add(s.size());
        bytes_ += s;
    }
    const std::string& Bytes() const { return bytes_; }

private:
    void AddRaw(const void* p, std::size_t n) { bytes_.append(static_cast<const char*>(p), n); }

    std::string bytes_;
};

void AddOptions(Image& im, const OptionsRecord& o) {
    const CasinoRules& r = o.Rules;
    for (const std::uint16_t v : {r.Decks, r.Penetration, r.TableMinimum, o.Prefs.AnimationSpeed}) im.Add(v);
    for (const bool b : {r.SurrenderAllowed, r.DealerHitsSoft17, r.DoubleAnyHand, r.DoubleAfterSplit, r.ResplitAllowed,
                         r.PlayTwoHands, o.Prefs.AlwaysBetMinimum, o.Prefs.SoundOn, o.FirstRun, o.HideStrategyIntro})
        im.Add(b);
    im.Add(o.StrategyCopy.Bytes);
    im.Add(o.Version);
}

void AddStats(Image& im, const PlayStats& s) {
    im.Add(s.WonByCount);
    im.Add(s.BetByCount);
    im.Add(s.HourHistogram);
    for (const double v : {s.HourWon, s.TotalWon, s.TotalBet, s.SwingBalance, s.BetsWon, s.BetsLost}) im.Add(v);
    for (const std::int64_t v : {s.SwingsLost, s.SwingsWon, s.HandsPlayed, s.HandsSplit, s.HandsDoubled, s.Blackjacks})
        im.Add(v);
}

void AddTally(Image& im, const RoundTally& t) {
    im.Add(t.Deferred);
    im.Add(t.Stakes);
    for (const std::int32_t v : {t.HandsPlaced, t.StakesCharged, t.Doubles, t.Splits, t.Blackjacks, t.HandsWon}) im.Add(v);
    im.Add(t.Won);
    im.Add(t.Lost);
    for (const std::uint16_t v : {t.Rules.Minimum, t.Rules.Decks}) im.Add(v);
    im.Add(t.Rules.TwoHands);
}

// What the options file reaches: the options and the live strategy.
std::string OptionsPart(const Game& g) {
    Image im;
    AddOptions(im, g.Options);
    im.Add(g.Strategy.Bytes);
    return im.Bytes();
}

// What a game file reaches beside the options: the accounts, the clock, the hour count, the unused word and the
// rounds waiting to be booked.
std::string AccountsPart(const Game& g) {
    Image im;
    for (const THand& h : g.Hands) AddStats(im, h.Stats);
    im.Add(g.RunTime.Hours);
    im.Add(g.RunTime.Minutes);
    im.Add(g.RunTime.Seconds);
    im.Add(g.HoursPlayed);
    im.Add(g.GameFileUnusedWord);
    for (const auto* tallies : {&g.Pending.ByCount, &g.Pending.BySimpleCount})
        for (const RoundTally& t : *tallies) AddTally(im, t);
    im.Add(g.Pending.Any);
    return im.Bytes();
}

// Everything no loader may touch: the table, the money, the shoe, the round and the flags (FileError aside,
// which the options file sets).
std::string UntouchedPart(const Game& g) {
    Image im;
    im.Add(g.DelayFactor);
    im.Add(g.RandomState);
    im.Add(g.FixedSeed.value_or(0));
    im.Add(g.FixedSeed.has_value());
    const ShoeState& s = g.Shoe;
    im.Add(s.Values);
    im.Add(s.Order);
    for (const TCard& c : s.Cards) {
        for (const std::uint16_t v : {c.Value, c.Slot}) im.Add(v);
        im.Add(c.CountTag);
        im.Add(c.Face);
    }
    for (const std::uint16_t v : {s.ShoeSize, s.CutCardPosition, s.CardBackStyle}) im.Add(v);
    im.Add(s.CardsDealt);
    im.Add(s.ShoeReady);
    for (const std::int32_t v : {g.RunningCount, g.AceFiveCount, g.CountIndexA, g.CountIndexB, g.RoundsPlayed,
                                 g.SimulationDelay})
        im.Add(v);
    for (const THand& h : g.Hands) {
        for (const TCard* c : h.Cards) im.Add(c == nullptr ? 0 : c->Face);
        im.Add(h.StrategyBets);
        for (const std::uint16_t v : {h.CardCount, h.Total, h.SoftAce, h.Bet, h.StakeMultiple}) im.Add(v);
        for (const bool b : {h.IsPair, h.IsBlackjack, h.Finished, h.IsUnsplit}) im.Add(b);
    }
    im.Add(g.Bankroll);
    im.Add(g.ChipCounts);
    im.Add(g.SwingThreshold);
    for (const std::uint16_t v : {g.CurrentBet, g.ChosenBet, g.PlayerAction, g.ActiveHand}) im.Add(v);
    AddTally(im, g.Tally);
    for (const bool b : {g.SecondBoxActive, g.TableShown, g.AutoPlay, g.PracticeDeckMode, g.SingleStrategyMode,
                         g.AnalysisWindowOpen, g.StopRequested, g.ExitRequested, g.OptionsChanged,
                         g.SaveOptionsOnReturn, g.OptionsReturn, g.RulesFormOpen, g.PreferencesFormOpen,
                         g.StrategyFormOpen, g.DecksChanged, g.LimitsChanged, g.PairedChips, g.BettingOpen,
                         g.CardDragActive, g.ChipDragActive, g.FirstBetBoxClick, g.PlainAnalysis})
        im.Add(b);
    im.Add(g.RunState);
    im.Add(g.AdviceText);
    im.Add(static_cast<int>(g.LastAdviceCase));
    im.Add(g.GameFileName);
    im.Add(g.StopAfterHours);
    return im.Bytes();
}

// A game in the middle of play, with a distinct value wherever a loader could write by mistake.
Game BusyGame() {
    Game g;
    g.Options.Rules = CasinoRules{4, 2, 5, true, true, false, false, true, false};
    g.Options.Prefs = PlayerPreferences{4321, true, false};
    g.Options.HideStrategyIntro = true;
    LoadAdvancedStrategy(g.Options.StrategyCopy);
    g.Options.Version = CurrentVersionText();
    LoadAdvancedStrategy(g.Strategy);
    g.Strategy.Bytes[7] = 0;
    g.FixedSeed = 77;
    BuildShoe(g);
    g.Shoe.CardsDealt = 9;
    g.RunningCount = 3;
    g.Hands[1].Bet = 25;
    g.Hands[1].CardCount = 2;
    g.Hands[1].Cards[1] = &g.Shoe.Cards[4];
    g.Bankroll = 5000;
    g.ChipCounts = {1, 2, 3, 4, 5, 6, 7};
    g.CurrentBet = 50;
    g.RoundsPlayed = 33;
    g.GameFileName = "MINE.ZVX";
    g.RunState = "RUNNING";
    g.GameFileUnusedWord = 0xBEEF;
    g.RunTime = RunClock{17, 42, 59};
    g.HoursPlayed = 123;
    g.Pending.Any = true;
    g.Pending.ByCount[3].HandsPlaced = 2;
    g.Pending.ByCount[3].Won = 1.5;
    for (std::size_t h = 0; h < g.Hands.size(); ++h) {
        PlayStats& s = g.Hands[h].Stats;
        s.WonByCount[h] = -12.5;
        s.BetByCount[h] = 25;
        s.HourHistogram[h + 2] = 7;
        s.TotalWon = 1000.0 + static_cast<double>(h);
        s.TotalBet = 9000;
        s.HandsPlayed = 400 + static_cast<std::int64_t>(h);
        s.SwingsWon = 2;
    }
    return g;
}

// The start-up's state when it reads the options file: the speed not yet measured, the first-run marker set,
// and the rest of a busy game, which the options file must not reach.
Game StartUpGame() {
    Game g = BusyGame();
    g.Options.Prefs.AnimationSpeed = 0;
    g.Options.FirstRun = true;
    return g;
}

bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    // An empty span may have no data pointer at all, which fwrite must not be given.
    const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

Bytes ReadFile(const std::string& path) {
    Bytes bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return bytes;
    std::array<std::uint8_t, 4096> chunk;
    for (std::size_t got; (got = std::fread(chunk.data(), 1, chunk.size(), f)) > 0;)
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
    std::fclose(f);
    return bytes;
}

StrategyTable DefaultStrategy() {
    StrategyTable t;
    LoadDefaultStrategy(t);
    return t;
}

bool IsFlag(std::uint8_t b) { return b <= 1; }
bool AllFlags(const StrategyTable& t) { return std::all_of(t.Bytes.begin(), t.Bytes.end(), IsFlag); }

bool RulesValid(const CasinoRules& r) {
    return r.Decks >= 1 && r.Decks <= 8 && (r.Penetration == 2 || r.Penetration == 3) &&
           (r.TableMinimum == 5 || r.TableMinimum == 25 || r.TableMinimum == 100);
}

bool SpeedValid(std::uint16_t speed) { return speed >= MinAnimationSpeed && speed <= MaxAnimationSpeed; }

// Amounts are sums of halves within 2^48, where the analysis's sums stay exact in any order.
constexpr double LargestAmount = 281474976710656.0;

bool StatsValid(const PlayStats& s) {
    const auto amount = [](double v) {
        return std::nearbyint(v * 2) == v * 2 && std::fabs(v) <= LargestAmount && !(v == 0 && std::signbit(v));
    };
    const auto count = [](std::int64_t n) { return n >= 0; };
    return std::all_of(s.WonByCount.begin(), s.WonByCount.end(), amount) &&
           std::all_of(s.BetByCount.begin(), s.BetByCount.end(), amount) &&
           std::all_of(s.HourHistogram.begin(), s.HourHistogram.end(), count) && amount(s.HourWon) &&
           amount(s.TotalWon) && amount(s.TotalBet) && amount(s.SwingBalance) && amount(s.BetsWon) &&
           amount(s.BetsLost) && count(s.SwingsLost) && count(s.SwingsWon) && count(s.HandsPlayed) &&
           count(s.HandsSplit) && count(s.HandsDoubled) && count(s.Blackjacks);
}

// The options record as a loader of this version must leave it: impossible rules replaced, the speed in range,
// every flag and strategy byte 0 or 1, the version text as it was.
Bytes RepairedOptionsBytes(std::span<const std::uint8_t> in) {
    Bytes out(in.begin(), in.begin() + OptionsRecordSize);
    const std::uint16_t decks = GetU16(out, 0);
    if (decks < 1 || decks > 8) PutU16(out, 0, 8);
    const std::uint16_t penetration = GetU16(out, 2);
    if (penetration != 2 && penetration != 3) PutU16(out, 2, 3);
    const std::uint16_t minimum = GetU16(out, 4);
    if (minimum != 5 && minimum != 25 && minimum != 100) PutU16(out, 4, 100);
    PutU16(out, 6, std::clamp(GetU16(out, 6), MinAnimationSpeed, MaxAnimationSpeed));
    for (std::size_t i = OptionsFlagsFirst; i < OptionsFlagsEnd; ++i) out[i] = out[i] != 0 ? 1 : 0;
    for (std::size_t i = OptionsStrategyOffset; i < OptionsVersionOffset; ++i) out[i] = std::min<std::uint8_t>(out[i], 1);
    return out;
}

// Why a load must refuse these bytes as a game file, if it must: a size other than one record, or a value no
// save writes (a penetration, table minimum, flag or strategy byte out of its range, a figure out of its own;
// the deck count and the speed are repaired instead).
std::optional<GameFileLoad> ExpectedRefusal(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != GameRecordSize) return GameFileLoad::WrongSize;
    const std::uint16_t penetration = GetU16(bytes, 2);
    const std::uint16_t minimum = GetU16(bytes, 4);
    const bool flagsSound = std::all_of(bytes.begin() + OptionsFlagsFirst, bytes.begin() + OptionsFlagsEnd, IsFlag) &&
                            std::all_of(bytes.begin() + OptionsStrategyOffset, bytes.begin() + OptionsVersionOffset, IsFlag) &&
                            std::all_of(bytes.begin() + GameStrategyOffset, bytes.end(), IsFlag);
    if ((penetration != 2 && penetration != 3) || (minimum != 5 && minimum != 25 && minimum != 100) || !flagsSound)
        return GameFileLoad::Damaged;
    // Figures no save writes: an amount not a half within 2^48, a bet below zero, a count below zero, the clock
    // past 59 minutes or seconds, hours played below zero.
    if (GetU16(bytes, GameRunMinutesOffset) > 59 || GetU16(bytes, GameRunSecondsOffset) > 59 ||
        GetI32(bytes, GameHoursPlayedOffset) < 0)
        return GameFileLoad::Damaged;
    for (int h = 0; h < HandCount; ++h) {
        const std::size_t base = GameStatsOffset + static_cast<std::size_t>(h) * PlayStatsSize;
        for (const auto& [first, n] : StatsRealRuns)
            for (std::size_t i = 0; i < n; ++i) {
                const double v = GetReal48(bytes, base + first + i * Real48Size);
                const bool bet = first == 0 && i >= CountSlots; // the bets by count follow the wins by count
                if (std::fabs(v) > LargestAmount || std::nearbyint(v * 2) != v * 2 || (bet && v < 0))
                    return GameFileLoad::Damaged;
            }
        for (const auto& [first, n] : StatsCounterRuns)
            for (std::size_t i = 0; i < n; ++i)
                if (GetI32(bytes, base + first + i * 4) < 0) return GameFileLoad::Damaged;
    }
    // Totals that contradict each other: judged on the accounts as a load reads them (rounded to halves).
    for (int h = 0; h < HandCount; ++h) {
        const std::size_t base = GameStatsOffset + static_cast<std::size_t>(h) * PlayStatsSize;
        if (AccountContradiction(DecodePlayStats(bytes.subspan(base).first<PlayStatsSize>())))
            return GameFileLoad::Contradictory;
    }
    return std::nullopt;
}

// The game record as a load followed by a save must give it back.
Bytes RepairedGameBytes(std::span<const std::uint8_t> in) {
    Bytes out(in.begin(), in.begin() + GameRecordSize);
    const Bytes options = RepairedOptionsBytes(in);
    std::copy(options.begin(), options.end(), out.begin());
    for (int h = 0; h < HandCount; ++h) {
        const std::size_t base = GameStatsOffset + static_cast<std::size_t>(h) * PlayStatsSize;
        for (const auto& [first, n] : StatsRealRuns)
            for (std::size_t i = 0; i < n; ++i) {
                const std::size_t at = base + first + i * Real48Size;
                // Rounded to a half within 2^48; an exponent byte of 0 is 0 whatever the other bytes hold.
                const double amount = std::nearbyint(GetReal48(out, at) * 2) / 2;
                PutReal48(out, at, std::clamp(amount, -LargestAmount, LargestAmount));
            }
        for (const auto& [first, n] : StatsCounterRuns)
            for (std::size_t i = 0; i < n; ++i) {
                const std::size_t at = base + first + i * 4;
                if (GetI32(out, at) < 0) PutI32(out, at, 0);
            }
    }
    // The clock carries whole minutes and hours upward; its hours field saturates.
    const std::int64_t seconds = std::int64_t{GetU16(out, GameRunHoursOffset)} * 3600 +
                                 std::int64_t{GetU16(out, GameRunMinutesOffset)} * 60 + GetU16(out, GameRunSecondsOffset);
    PutU16(out, GameRunHoursOffset, Saturate<std::uint16_t>(seconds / 3600));
    PutU16(out, GameRunMinutesOffset, static_cast<std::uint16_t>(seconds / 60 % 60));
    PutU16(out, GameRunSecondsOffset, static_cast<std::uint16_t>(seconds % 60));
    PutU16(out, GameSpareWordOffset, 0);
    if (GetI32(out, GameHoursPlayedOffset) < 0) PutI32(out, GameHoursPlayedOffset, 0);
    for (std::size_t i = GameStrategyOffset; i < GameRecordSize; ++i) out[i] = std::min<std::uint8_t>(out[i], 1);
    return out;
}

Bytes EncodedOptions(const OptionsRecord& o) {
    Bytes out(OptionsRecordSize);
    EncodeOptionsRecord(o, std::span<std::uint8_t, OptionsRecordSize>(out.data(), OptionsRecordSize));
    return out;
}

Bytes EncodedGame(const Game& g) {
    const GameRecord r = BuildGameRecord(g);
    return {r.begin(), r.end()};
}

// Draws every screen the analysis window can show, from a copy: the single-strategy switch is the screens' own.
void DrawEveryScreen(const Game& g) {
    Game copy = g;
    AnalysisScreens screens;
    screens.Open(copy);
    copy.RunTime = g.RunTime;
    for (int click = 0; click < 3; ++click) screens.FormClick(copy);
    screens.Button1Click(copy);
}

// The accounts, clock and counts of an analysis, to compare two ways of playing it.
std::string RunImage(const Game& g) {
    Image im;
    for (const THand& h : g.Hands) AddStats(im, h.Stats);
    im.Add(g.RunTime.Hours);
    im.Add(g.HoursPlayed);
    im.Add(g.RandomState);
    im.Add(g.Shoe.CardsDealt);
    im.Add(g.RunningCount);
    im.Add(g.AceFiveCount);
    return im.Bytes();
}

struct AnalysisRun {
    std::string Image; // RunImage as the run ends, before its reset
    std::optional<GameFileLoad> Loaded;
    int Refreshes = 0;
};

// The analysis window's side of a run: it draws every screen at each refresh, keeps the accounts as the run
// ends and, given a game file, has the user load it between two rounds, as the File menu does.
class AnalysisShell : public ShellView {
public:
    AnalysisShell(Game& g, AnalysisRun& run, const std::string* loadPath) : g_(g), run_(run), loadPath_(loadPath) {}
    void ProcessEvents() override {
        if (loadPath_ == nullptr) return;
        ++rounds_;
        if (rounds_ == LoadAfterRound) run_.Loaded = LoadGameFile(g_, *loadPath_);
        if (rounds_ >= StopAfterRound) g_.StopRequested = true;
    }
    void RefreshAnalysisWindow() override {
        ++run_.Refreshes;
        DrawEveryScreen(g_);
    }
    void CloseAnalysisWindow() override { run_.Image = RunImage(g_); }

private:
    Game& g_;
    AnalysisRun& run_;
    const std::string* loadPath_;
    int rounds_ = 0;
};

// An hour of analysis; with a game file, the file is loaded late in the hour and the run stops soon after it.
AnalysisRun PlayAnalysis(const CasinoRules& rules, const StrategyTable& strategy, std::uint32_t seed, bool single,
                         bool plain, const std::string* loadPath = nullptr) {
    Game g;
    g.Options.Rules = rules;
    g.Strategy = strategy;
    g.FixedSeed = seed;
    g.PlainAnalysis = plain;
    PrepareAnalysisRun(g);
    g.SingleStrategyMode = single;
    AnalysisRun run;
    AnalysisShell shell(g, run, loadPath);
    g.Shell = &shell;
    g.AnalysisWindowOpen = true;
    g.StopAfterHours = loadPath == nullptr ? StrategyRunHours : 0;
    RunGame(g);
    FinishAnalysisRun(g);
    return run;
}

} // namespace

std::optional<std::string> CheckOptionsFile(std::span<const std::uint8_t> bytes, const std::string& folder) {
    Verdict v;
    const std::string path = folder + "/" + OptionsFileName;
    if (!WriteFile(path, bytes)) return "cannot write " + path;

    static const Game before = StartUpGame();
    static const std::string untouched = UntouchedPart(before);
    static const std::string accounts = AccountsPart(before);
    Game g = before;
    LoadOptions(g, path);
    v.Require(UntouchedPart(g) == untouched, "the options file changed the game beyond its options");
    v.Require(AccountsPart(g) == accounts, "the options file changed the accounts");
    v.Require(g.Strategy == g.Options.StrategyCopy, "the live strategy is not the options' strategy copy");
    v.Require(AllFlags(g.Strategy), "a strategy byte is not a flag");
    v.Require(RulesValid(g.Options.Rules), "impossible rules were loaded");

    const OptionsRecord& o = g.Options;
    if (bytes.size() != OptionsRecordSize) {
        v.Require(g.FileError, "an options file of another length was not reported in FileError");
        v.Require(o.Rules == CasinoRules{} && !o.Prefs.AlwaysBetMinimum && o.Prefs.SoundOn && !o.HideStrategyIntro,
                  "an options file of another length did not give the default options");
        v.Require(o.Prefs.AnimationSpeed == before.Options.Prefs.AnimationSpeed && o.FirstRun == before.Options.FirstRun &&
                      o.Version == before.Options.Version,
                  "an options file of another length lost the start-up's speed, first-run marker or version text");
        v.Require(g.Strategy == DefaultStrategy(), "an options file of another length did not give the default strategy");
        return std::move(v).Result();
    }

    v.Require(!g.FileError, "a readable options file was reported as a failure");
    v.Require(SpeedValid(o.Prefs.AnimationSpeed), "the animation speed is out of range");
    if (std::equal(bytes.begin() + OptionsVersionOffset, bytes.begin() + OptionsVersionOffset + VersionTagSize,
                   CurrentVersionText().begin())) {
        v.Require(EncodedOptions(o) == RepairedOptionsBytes(bytes),
                  "the options record was not kept field by field where it was valid");
    } else {
        v.Require(o.Rules == CasinoRules{} && !o.Prefs.AlwaysBetMinimum && o.Prefs.SoundOn && !o.HideStrategyIntro &&
                      g.Strategy == DefaultStrategy(),
                  "a foreign options file did not give the defaults");
        v.Require(o.Prefs.AnimationSpeed == std::clamp(GetU16(bytes, 6), MinAnimationSpeed, MaxAnimationSpeed),
                  "a foreign options file did not give its speed, clamped");
        v.Require(o.FirstRun == (bytes[16] != 0), "a foreign options file did not give its first-run marker");
    }
    if (v.Failed()) return std::move(v).Result();

    // What was loaded saves, and loads back to the same state and the same bytes.
    const std::string again = folder + "/AGAIN.PRM";
    v.Require(SaveOptions(g, again), "the loaded options could not be saved");
    v.Require(!g.OptionsChanged && !g.FileError, "a successful options save left OptionsChanged or FileError set");
    Game reloaded = before;
    LoadOptions(reloaded, again);
    v.Require(OptionsPart(reloaded) == OptionsPart(g), "the saved options did not load back the same");
    const std::string third = folder + "/THIRD.PRM";
    v.Require(SaveOptions(reloaded, third), "the reloaded options could not be saved");
    v.Require(ReadFile(third) == ReadFile(again), "saving the reloaded options gave other bytes");
    return std::move(v).Result();
}

std::optional<std::string> CheckGameFile(std::span<const std::uint8_t> bytes, const std::string& folder) {
    Verdict v;
    const std::string path = folder + "/FUZZ.ZVX";
    if (!WriteFile(path, bytes)) return "cannot write " + path;

    static const Game before = BusyGame();
    static const std::string untouched = UntouchedPart(before);
    static const std::string loadable = OptionsPart(before) + AccountsPart(before);
    Game g = before;
    const GameFileLoad result = LoadGameFile(g, path);
    v.Require(UntouchedPart(g) == untouched, "the game file changed what it does not hold");
    if (const std::optional<GameFileLoad> refusal = ExpectedRefusal(bytes)) {
        v.Require(result == *refusal, bytes.size() != GameRecordSize ? "a game file of the wrong size was not refused"
                                                                      : "a damaged game file was not refused");
        v.Require(OptionsPart(g) + AccountsPart(g) == loadable, "a refused game file changed the game");
        return std::move(v).Result();
    }

    v.Require(result == GameFileLoad::Ok, "a sound game record was refused");
    v.Require(RulesValid(g.Options.Rules) && SpeedValid(g.Options.Prefs.AnimationSpeed),
              "impossible options were loaded");
    v.Require(AllFlags(g.Strategy) && AllFlags(g.Options.StrategyCopy), "a strategy byte is not a flag");
    v.Require(std::all_of(g.Hands.begin(), g.Hands.end(), [](const THand& h) { return StatsValid(h.Stats); }),
              "impossible statistics were loaded");
    v.Require(g.RunTime.Minutes < 60 && g.RunTime.Seconds < 60 && g.RunTime.Hours >= 0 && g.HoursPlayed >= 0,
              "an impossible run time or hour count was loaded");
    v.Require(!g.Pending.Any, "rounds from before the load were left to be booked into the loaded accounts");
    Bytes expected = RepairedGameBytes(bytes);
    expected[16] = before.Options.FirstRun ? 1 : 0; // the game's own marker, never the file's
    v.Require(EncodedGame(g) == expected,
              "the game record was not kept field by field where it was valid");
    if (v.Failed()) return std::move(v).Result();

    const std::string again = folder + "/AGAIN.ZVX";
    v.Require(SaveGameFile(g, again), "the loaded game could not be saved");
    Game reloaded = before;
    v.Require(LoadGameFile(reloaded, again) == GameFileLoad::Ok, "the saved game file was refused");
    v.Require(OptionsPart(reloaded) == OptionsPart(g) && AccountsPart(reloaded) == AccountsPart(g),
              "the saved game did not load back the same");
    v.Require(EncodedGame(reloaded) == ReadFile(again), "saving the reloaded game gives other bytes");
    if (v.Failed()) return std::move(v).Result();

    // Loaded between two rounds of an analysis, the file's accounts and rules carry the rest of the hour, its
    // close and every screen, the same through the analysis's shortcuts as the plain way.
    const std::uint32_t seed = GetU32(bytes, GameHoursPlayedOffset);
    const AnalysisRun plain = PlayAnalysis(CasinoRules{}, DefaultStrategy(), seed, false, true, &path);
    const AnalysisRun quick = PlayAnalysis(CasinoRules{}, DefaultStrategy(), seed, false, false, &path);
    v.Require(plain.Loaded == GameFileLoad::Ok && quick.Loaded == GameFileLoad::Ok,
              "a game file loaded during an analysis was refused");
    v.Require(plain.Refreshes == 1 && quick.Refreshes == 1,
              "the analysis did not close its hour after a game file was loaded");
    v.Require(plain.Image == quick.Image,
              "after a game file was loaded, the analysis played differently through its shortcuts");
    return std::move(v).Result();
}

std::optional<std::string> CheckStrategyFile(std::span<const std::uint8_t> bytes, const std::string& folder) {
    Verdict v;
    const std::string path = folder + "/STRATEGY.ZVX";
    if (!WriteFile(path, bytes)) return "cannot write " + path;

    StrategyTable before;
    LoadAdvancedStrategy(before);
    StrategyTable strategy = before;
    const std::optional<std::string> error = LoadStrategyFromGameFile(strategy, path);
    if (ExpectedRefusal(bytes)) {
        v.Require(error.has_value() && !error->empty(), "a refused game file gave no reason");
        v.Require(strategy == before, "a refused game file changed the strategy");
        return std::move(v).Result();
    }
    v.Require(!error.has_value(), "a sound game record was refused as a strategy");
    v.Require(std::equal(strategy.Bytes.begin(), strategy.Bytes.end(), bytes.begin() + GameStrategyOffset),
              "the strategy is not the file's live table");
    if (v.Failed()) return std::move(v).Result();

    // Played with rules and a seed the file also supplies, an hour of analysis gives the same accounts through
    // the analysis's shortcuts as the plain way, whatever the strategy.
    OptionsRecord options = DecodeOptionsRecord(std::span<const std::uint8_t, OptionsRecordSize>(bytes.first<OptionsRecordSize>()));
    RepairRules(options.Rules);
    const std::uint32_t seed = GetU32(bytes, GameHoursPlayedOffset);
    const bool single = options.HideStrategyIntro;
    v.Require(PlayAnalysis(options.Rules, strategy, seed, single, true).Image ==
                  PlayAnalysis(options.Rules, strategy, seed, single, false).Image,
              "an analysis with this strategy plays differently through its shortcuts");
    return std::move(v).Result();
}

std::optional<std::string> CheckReal48(std::span<const std::uint8_t> bytes) {
    Verdict v;
    if (bytes.size() >= Real48Size) {
        Real48 r{};
        std::copy_n(bytes.begin(), Real48Size, r.begin());
        const double d = Real48ToDouble(r);
        v.Require(std::isfinite(d), "a Real48 decoded to a value that is not finite");
        Real48 expected = r;
        if (r[0] == 0) expected = Real48{};
        v.Require(r[0] != 0 || (d == 0 && !std::signbit(d)), "a Real48 with exponent byte 0 is not +0");
        v.Require(DoubleToReal48(d) == expected, "a Real48 did not survive decoding and encoding");
    }
    if (bytes.size() >= Real48Size + sizeof(double)) {
        double x = 0;
        std::memcpy(&x, bytes.data() + Real48Size, sizeof x);
        const double y = Real48ToDouble(DoubleToReal48(x));
        const double largest = std::ldexp(std::ldexp(1.0, 40) - 1, 255 - 129 - 39);
        const double smallest = std::ldexp(1.0, 1 - 129);
        double nearest = 0;
        if (std::isnan(x) || x == 0) {
            nearest = 0;
        } else {
            // x rounded to 40 significant bits, ties to even (the default rounding of nearbyint).
            int e = 0;
            const double m = std::frexp(std::fabs(x), &e);
            const double rounded = std::ldexp(std::nearbyint(std::ldexp(m, 40)), e - 40);
            nearest = rounded < smallest ? 0 : std::min(rounded, largest);
            if (std::signbit(x)) nearest = -nearest;
        }
        v.Require(y == nearest && (y != 0 || !std::signbit(y)), "a double did not encode to the nearest Real48");
    }
    return std::move(v).Result();
}

} // namespace zvx::fuzz
