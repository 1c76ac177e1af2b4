#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "engine/byte_io.h"
#include "engine/real48.h"
#include "shell/game_file.h"
#include "strategy/builtin_strategies.h"
#include "tests/temp_folder.h"

namespace zvx {
namespace {

using testing::ReadAll;
using testing::TempFolder;
using testing::WriteAll;

double At48(const std::vector<std::uint8_t>& b, std::size_t at) { return GetReal48(b, at); }
std::int32_t At32(const std::vector<std::uint8_t>& b, std::size_t at) { return GetI32(b, at); }
std::uint16_t At16(const std::vector<std::uint8_t>& b, std::size_t at) { return GetU16(b, at); }

// A game in the middle of a run, with distinct values everywhere the file reaches.
Game PlayedGame() {
    Game g;
    g.Options.Rules = CasinoRules{6, 2, 5, true, false, true, false, true, false};
    g.Options.Prefs = PlayerPreferences{4321, true, true};
    g.Options.HideStrategyIntro = true;
    LoadDefaultStrategy(g.Options.StrategyCopy);
    g.Options.Version[0] = 11;
    std::memcpy(g.Options.Version.data() + 1, "Version 1.1", 11);
    LoadAdvancedStrategy(g.Strategy);
    g.GameFileUnusedWord = 0xBEEF;
    for (int h = 0; h < HandCount; ++h) {
        PlayStats& s = g.Hands[static_cast<std::size_t>(h)].Stats;
        for (int k = 0; k < CountSlots; ++k) {
            s.WonByCount[static_cast<std::size_t>(k)] = h * 1000 + k - 10.5;
            s.BetByCount[static_cast<std::size_t>(k)] = h * 2000 + 25 * k;
            s.HourHistogram[static_cast<std::size_t>(k)] = h * 100 + k;
        }
        s.HourWon = -37.5 - h;
        s.TotalWon = 1e9 + h;
        s.TotalBet = 2.5e9 + h;
        s.SwingBalance = -1234.5;
        s.BetsWon = 400 + h;
        s.BetsLost = 410.5 + h;
        s.SwingsLost = 3 + h;
        s.SwingsWon = 4 + h;
        s.HandsPlayed = 1000 + h;
        s.HandsSplit = 20 + h;
        s.HandsDoubled = 30 + h;
        s.Blackjacks = 40 + h;
    }
    g.RunTime = RunClock{17, 42, 59};
    g.HoursPlayed = 123456;
    return g;
}

TEST(GameFile, RecordHoldsEachFieldAtItsOffset) {
    TempFolder dir;
    Game g = PlayedGame();
    const std::string path = dir.File("GAME.ZVX");
    ASSERT_TRUE(SaveGameFile(g, path));
    EXPECT_FALSE(g.FileError);
    const auto b = ReadAll(path);
    ASSERT_EQ(b.size(), 9732u);

    EXPECT_EQ(At16(b, 0), 6);
    EXPECT_EQ(At16(b, 2), 2);
    EXPECT_EQ(At16(b, 4), 5);
    EXPECT_EQ(At16(b, 6), 4321);
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 8, b.begin() + 18),
              (std::vector<std::uint8_t>{1, 0, 1, 0, 1, 0, 1, 1, 0, 1}));
    StrategyTable def;
    LoadDefaultStrategy(def);
    EXPECT_TRUE(std::equal(def.Bytes.begin(), def.Bytes.end(), b.begin() + 18));
    EXPECT_EQ(std::string(b.begin() + 3870, b.begin() + 3882), "\x0BVersion 1.1");
    EXPECT_EQ(At16(b, 3886), 0xBEEF);

    for (std::size_t h = 0; h < 5; ++h) {
        const std::size_t base = 3888 + 396 * h;
        const double hd = static_cast<double>(h);
        EXPECT_EQ(At48(b, base + 0), hd * 1000 - 10.5);
        EXPECT_EQ(At48(b, base + 6 * 20), hd * 1000 + 9.5);
        EXPECT_EQ(At48(b, base + 126 + 6 * 4), hd * 2000 + 100);
        EXPECT_EQ(At32(b, base + 252 + 4 * 3), static_cast<std::int32_t>(h * 100 + 3));
        EXPECT_EQ(At48(b, base + 336), -37.5 - hd);
        EXPECT_EQ(At48(b, base + 342), 1e9 + hd);
        EXPECT_EQ(At48(b, base + 348), 2.5e9 + hd);
        EXPECT_EQ(At48(b, base + 354), -1234.5);
        EXPECT_EQ(At48(b, base + 360), 400 + hd);
        EXPECT_EQ(At48(b, base + 366), 410.5 + hd);
        EXPECT_EQ(At32(b, base + 372), static_cast<std::int32_t>(3 + h));
        EXPECT_EQ(At32(b, base + 376), static_cast<std::int32_t>(4 + h));
        EXPECT_EQ(At32(b, base + 380), static_cast<std::int32_t>(1000 + h));
        EXPECT_EQ(At32(b, base + 384), static_cast<std::int32_t>(20 + h));
        EXPECT_EQ(At32(b, base + 388), static_cast<std::int32_t>(30 + h));
        EXPECT_EQ(At32(b, base + 392), static_cast<std::int32_t>(40 + h));
    }
    // Byte-level check of one Real48: -37.5 of hand 0's HourWon.
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 3888 + 336, b.begin() + 3888 + 342),
              (std::vector<std::uint8_t>{0x86, 0, 0, 0, 0, 0x96}));

    EXPECT_EQ(At16(b, 5868), 17);
    EXPECT_EQ(At16(b, 5870), 42);
    EXPECT_EQ(At16(b, 5872), 59);
    EXPECT_EQ(At16(b, 5874), 0);
    EXPECT_EQ(At32(b, 5876), 123456);
    EXPECT_TRUE(std::equal(g.Strategy.Bytes.begin(), g.Strategy.Bytes.end(), b.begin() + 5880));
}

TEST(GameFile, RoundTripReplacesOnlyWhatTheFileHolds) {
    TempFolder dir;
    Game saved = PlayedGame();
    const std::string path = dir.File("GAME.ZVX");
    ASSERT_TRUE(SaveGameFile(saved, path));

    Game g;
    g.Bankroll = 5000;
    g.CurrentBet = 50;
    g.RoundsPlayed = 33;
    g.Hands[1].Bet = 25;
    g.Hands[1].CardCount = 2;
    ASSERT_EQ(LoadGameFile(g, path), GameFileLoad::Ok);

    EXPECT_EQ(g.Options, saved.Options);
    EXPECT_EQ(g.Strategy, saved.Strategy);
    EXPECT_EQ(g.GameFileUnusedWord, 0xBEEF);
    EXPECT_EQ(g.HoursPlayed, 123456);
    EXPECT_EQ(g.RunTime.Hours, 17);
    EXPECT_EQ(g.RunTime.Minutes, 42);
    EXPECT_EQ(g.RunTime.Seconds, 59);
    for (int h = 0; h < HandCount; ++h) {
        const PlayStats& a = g.Hands[static_cast<std::size_t>(h)].Stats;
        const PlayStats& e = saved.Hands[static_cast<std::size_t>(h)].Stats;
        EXPECT_EQ(a.WonByCount, e.WonByCount);
        EXPECT_EQ(a.BetByCount, e.BetByCount);
        EXPECT_EQ(a.HourHistogram, e.HourHistogram);
        EXPECT_EQ(a.HourWon, e.HourWon);
        EXPECT_EQ(a.TotalWon, e.TotalWon);
        EXPECT_EQ(a.TotalBet, e.TotalBet);
        EXPECT_EQ(a.SwingBalance, e.SwingBalance);
        EXPECT_EQ(a.BetsWon, e.BetsWon);
        EXPECT_EQ(a.BetsLost, e.BetsLost);
        EXPECT_EQ(a.SwingsLost, e.SwingsLost);
        EXPECT_EQ(a.SwingsWon, e.SwingsWon);
        EXPECT_EQ(a.HandsPlayed, e.HandsPlayed);
        EXPECT_EQ(a.HandsSplit, e.HandsSplit);
        EXPECT_EQ(a.HandsDoubled, e.HandsDoubled);
        EXPECT_EQ(a.Blackjacks, e.Blackjacks);
    }
    // The file holds no money on the table, bets or round state.
    EXPECT_EQ(g.Bankroll, 5000);
    EXPECT_EQ(g.CurrentBet, 50);
    EXPECT_EQ(g.RoundsPlayed, 33);
    EXPECT_EQ(g.Hands[1].Bet, 25);
    EXPECT_EQ(g.Hands[1].CardCount, 2);

    // Saving what was loaded gives the same bytes.
    ASSERT_TRUE(SaveGameFile(g, dir.File("AGAIN.ZVX")));
    EXPECT_EQ(ReadAll(dir.File("AGAIN.ZVX")), ReadAll(path));
}

TEST(GameFile, HugeCountersSaturate) {
    Game g;
    PlayStats& s = g.Hands[2].Stats;
    s.HandsPlayed = std::int64_t{1} << 40;
    s.SwingsLost = -(std::int64_t{1} << 40);
    s.HourHistogram[19] = std::numeric_limits<std::int64_t>::max();
    s.TotalBet = 1e300;
    s.TotalWon = -1e300;
    g.RunTime.Hours = 70000;
    g.HoursPlayed = std::int64_t{5} << 32;
    const GameRecord r = BuildGameRecord(g);
    const std::vector<std::uint8_t> b(r.begin(), r.end());
    const std::size_t base = 3888 + 396 * 2;
    EXPECT_EQ(At32(b, base + 380), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(At32(b, base + 372), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(At32(b, base + 252 + 4 * 19), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + base + 348, b.begin() + base + 354),
              (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + base + 342, b.begin() + base + 348),
              (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(At16(b, 5868), 65535);
    EXPECT_EQ(At32(b, 5876), std::numeric_limits<std::int32_t>::max());
}

// The state a refused load must leave exactly as it was.
Game RunningGame() {
    Game g;
    g.Options.Rules.Decks = 4;
    g.HoursPlayed = 9;
    g.Hands[1].Stats.HandsPlayed = 77;
    LoadDefaultStrategy(g.Strategy);
    return g;
}

void ExpectUntouched(const Game& g) {
    const Game fresh = RunningGame();
    EXPECT_EQ(g.Options, fresh.Options);
    EXPECT_EQ(g.HoursPlayed, 9);
    EXPECT_EQ(g.Hands[1].Stats.HandsPlayed, 77);
    EXPECT_EQ(g.Strategy, fresh.Strategy);
}

TEST(GameFile, MissingShortLongerOrFolderChangesNothing) {
    TempFolder dir;
    Game saved = PlayedGame();
    const std::string path = dir.File("SIZE.ZVX");
    ASSERT_TRUE(SaveGameFile(saved, path));
    const auto bytes = ReadAll(path);

    Game g = RunningGame();
    EXPECT_EQ(LoadGameFile(g, dir.File("NONE.ZVX")), GameFileLoad::NotFound);
    auto shorter = bytes;
    shorter.pop_back();
    WriteAll(path, shorter);
    EXPECT_EQ(LoadGameFile(g, path), GameFileLoad::WrongSize);
    // A longer file is not one this program wrote: some other file was given the extension.
    auto longer = bytes;
    longer.push_back(0);
    WriteAll(path, longer);
    EXPECT_EQ(LoadGameFile(g, path), GameFileLoad::WrongSize);
    WriteAll(path, {});
    EXPECT_EQ(LoadGameFile(g, path), GameFileLoad::WrongSize);
    std::filesystem::create_directory(dir.File("FOLDER.ZVX"));
    EXPECT_EQ(LoadGameFile(g, dir.File("FOLDER.ZVX")), GameFileLoad::NotAFile);
    // A pipe would block the open (and the read) forever: it is refused before either waits.
    ASSERT_EQ(::mkfifo(dir.File("PIPE.ZVX").c_str(), 0600), 0);
    EXPECT_EQ(LoadGameFile(g, dir.File("PIPE.ZVX")), GameFileLoad::NotAFile);
    StrategyTable strategy = g.Strategy;
    EXPECT_NE(LoadStrategyFromGameFile(strategy, dir.File("PIPE.ZVX")).value_or("").find("not a file"),
              std::string::npos);
    EXPECT_EQ(strategy, g.Strategy);
    ExpectUntouched(g);

    WriteAll(path, bytes);
    EXPECT_EQ(LoadGameFile(g, path), GameFileLoad::Ok);
    EXPECT_EQ(g.HoursPlayed, 123456);
}

TEST(GameFile, DamagedValuesRefuseTheWholeFile) {
    TempFolder dir;
    const GameRecord good = BuildGameRecord(PlayedGame());
    const std::string path = dir.File("BAD.ZVX");
    struct Damage {
        const char* what;
        std::size_t at;
        std::uint16_t value;
        bool word;
    };
    const Damage damages[] = {
        {"penetration", 2, 7, true},      {"penetration 0", 2, 0, true},
        {"table minimum", 4, 30, true},   {"a rule switch", 9, 5, false},
        {"the sound flag", 15, 2, false}, {"the strategy intro flag", 17, 0xFF, false},
        {"the saved strategy copy", 18 + 12 * 5 + 4, 9, false},
        {"the live strategy", 5880 + 12 * 7 + 2, 2, false},
        {"the live strategy's last byte", GameRecordSize - 1, 3, false},
    };
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.what);
        GameRecord r = good;
        if (d.word) PutU16(r, d.at, d.value);
        else r[d.at] = static_cast<std::uint8_t>(d.value);
        WriteAll(path, std::vector<std::uint8_t>(r.begin(), r.end()));
        Game g = RunningGame();
        EXPECT_EQ(LoadGameFile(g, path), GameFileLoad::Damaged);
        ExpectUntouched(g);
    }
}

TEST(GameFile, DeckCountAndSpeedAreBroughtIntoRange) {
    TempFolder dir;
    GameRecord r = BuildGameRecord(PlayedGame());
    PutU16(r, 0, 0);     // decks
    PutU16(r, 6, 60000); // speed
    // A foreign version text is not a reason to refuse a game file.
    r[3870 + 11] = '0';
    const std::string path = dir.File("RANGE.ZVX");
    WriteAll(path, std::vector<std::uint8_t>(r.begin(), r.end()));

    Game g;
    ASSERT_EQ(LoadGameFile(g, path), GameFileLoad::Ok);
    EXPECT_EQ(g.Options.Rules.Decks, 8);
    EXPECT_EQ(g.Options.Prefs.AnimationSpeed, 25000);
    EXPECT_EQ(g.Options.Rules.Penetration, 2);
    EXPECT_EQ(g.Options.Version[11], '0');
    EXPECT_EQ(g.HoursPlayed, 123456);

    PutU16(r, 0, 9);
    PutU16(r, 6, 10);
    WriteAll(path, std::vector<std::uint8_t>(r.begin(), r.end()));
    ASSERT_EQ(LoadGameFile(g, path), GameFileLoad::Ok);
    EXPECT_EQ(g.Options.Rules.Decks, 8);
    EXPECT_EQ(g.Options.Prefs.AnimationSpeed, 1000);
}

// Totals no play could have booked: the all-ones money of a damaged file once loaded as "Advantage 100 %".
TEST(GameFile, ContradictoryTotalsRefuseTheWholeFile) {
    TempFolder dir;
    const std::string path = dir.File("SUMS.ZVX");
    auto loadWith = [&](int hand, const std::function<void(PlayStats&)>& change) {
        Game saved = PlayedGame();
        change(saved.Hands[static_cast<std::size_t>(hand)].Stats);
        const GameRecord r = BuildGameRecord(saved);
        WriteAll(path, std::vector<std::uint8_t>(r.begin(), r.end()));
        Game g = RunningGame();
        const GameFileLoad result = LoadGameFile(g, path);
        if (result != GameFileLoad::Ok) ExpectUntouched(g);
        return result;
    };
    constexpr auto Refused = GameFileLoad::Contradictory;
    EXPECT_EQ(loadWith(2, [](PlayStats& s) { s.TotalWon = s.TotalBet * 1.5 + 0.5; }), Refused);
    EXPECT_EQ(loadWith(3, [](PlayStats& s) { s.TotalWon = -s.TotalBet - 0.5; }), Refused);
    EXPECT_EQ(loadWith(4, [](PlayStats& s) { s.TotalBet = -5; s.TotalWon = 0; }), Refused);
    EXPECT_EQ(loadWith(1, [](PlayStats& s) { s.BetsLost = -0.5; }), Refused);
    EXPECT_EQ(loadWith(0, [](PlayStats& s) { s.BetsWon = static_cast<double>(s.HandsPlayed + s.HandsSplit) - s.BetsLost + 1; }),
              Refused);
    // The ends of what play can book still load: one blackjack, every stake lost, every hand settled.
    EXPECT_EQ(loadWith(1, [](PlayStats& s) { s.TotalWon = s.TotalBet * 1.5; }), GameFileLoad::Ok);
    EXPECT_EQ(loadWith(1, [](PlayStats& s) { s.TotalWon = -s.TotalBet; }), GameFileLoad::Ok);
    EXPECT_EQ(loadWith(1, [](PlayStats& s) { s.BetsWon = static_cast<double>(s.HandsPlayed + s.HandsSplit) - s.BetsLost; }),
              GameFileLoad::Ok);
    // A count the file keeps at its largest value has lost its true size, so a long study still loads.
    EXPECT_EQ(loadWith(1, [](PlayStats& s) { s.HandsPlayed = 5'000'000'000; s.BetsWon = 4e9; }), GameFileLoad::Ok);

    // Every money field all ones, as a damaged disk gives them: amounts beyond any a save writes.
    GameRecord r = BuildGameRecord(PlayedGame());
    for (std::size_t at : {GameStatsOffset + 342, GameStatsOffset + 348, GameStatsOffset + 360, GameStatsOffset + 366})
        std::fill_n(r.begin() + static_cast<std::ptrdiff_t>(at), 6, 0xFF);
    WriteAll(path, std::vector<std::uint8_t>(r.begin(), r.end()));
    Game g = RunningGame();
    EXPECT_EQ(LoadGameFile(g, path), GameFileLoad::Damaged);
    ExpectUntouched(g);
    EXPECT_NE(GameFileLoadProblem(Refused).find("contradict"), std::string::npos);
}

// A save renames its temporary over the target: over a pipe or a device (as root) that would replace the node.
TEST(GameFile, SaveNeverReplacesWhatIsNotAFile) {
    TempFolder dir;
    const std::string pipe = dir.File("PIPE.ZVX");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::filesystem::create_directory(dir.File("FOLDER.ZVX"));
    Game g = PlayedGame();
    for (const std::string& target : {pipe, dir.File("FOLDER.ZVX")}) {
        std::error_code why;
        EXPECT_FALSE(SaveGameFile(g, target, &why)) << target;
        EXPECT_TRUE(why) << target;
        EXPECT_TRUE(g.FileError);
    }
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path())) ++entries;
    EXPECT_EQ(entries, 2); // no temporary was left beside them
}

// The first-start box belongs to the program's own start-up: a saved game never brings it back.
TEST(GameFile, LoadKeepsTheGamesFirstRunMarker) {
    TempFolder dir;
    Game saved = PlayedGame();
    saved.Options.FirstRun = true;
    const std::string path = dir.File("FIRST.ZVX");
    ASSERT_TRUE(SaveGameFile(saved, path));
    Game g = RunningGame();
    g.Options.FirstRun = false;
    ASSERT_EQ(LoadGameFile(g, path), GameFileLoad::Ok);
    EXPECT_FALSE(g.Options.FirstRun);
    EXPECT_EQ(g.Options.Prefs.AnimationSpeed, 4321);
}

TEST(GameFile, EveryRefusalHasAReason) {
    for (GameFileLoad r : {GameFileLoad::NotFound, GameFileLoad::ReadFailed, GameFileLoad::WrongSize,
                           GameFileLoad::Damaged, GameFileLoad::NotAFile, GameFileLoad::Contradictory})
        EXPECT_FALSE(GameFileLoadProblem(r).empty());
    EXPECT_NE(GameFileLoadProblem(GameFileLoad::WrongSize).find("9732"), std::string::npos);
}

// Every figure no save can write refuses the file and changes nothing: read as none or clamped, a damaged count
// or amount was shown as a figure of play (all-FF bets by count read as 100.00 % at every count, hours played of
// -1 as none, which a merge then halved the hours by).
TEST(GameFile, LoadRefusesEveryFigureNoSaveWrites) {
    TempFolder dir;
    const Game saved = PlayedGame();
    const GameRecord good = BuildGameRecord(saved);
    const std::size_t hand1 = 3888 + 396;
    const std::size_t hand2 = 3888 + 396 * 2;
    const std::size_t hand3 = 3888 + 396 * 3;
    struct Poke {
        const char* What;
        std::function<void(std::span<std::uint8_t>)> Apply;
    };
    const auto allFF = [](std::size_t first) {
        return [first](std::span<std::uint8_t> b) {
            for (std::size_t k = 0; k < CountSlots; ++k)
                for (std::size_t i = 0; i < 6; ++i) b[first + k * 6 + i] = 0xFF;
        };
    };
    const std::vector<Poke> pokes = {
        {"bets by count all FF", allFF(hand1 + 126)},
        {"wins by count all FF", allFF(hand1)},
        {"a bet by count below zero", [&](auto b) { PutReal48(b, hand1 + 126 + 6 * 4, -25); }},
        {"hands played below zero", [&](auto b) { PutI32(b, hand2 + 380, -5); }},
        {"swings lost below zero", [&](auto b) { PutI32(b, hand2 + 372, -1); }},
        {"an hour of the histogram below zero", [&](auto b) { PutI32(b, hand2 + 252 + 4 * 3, -70000); }},
        {"hours played of -1", [](auto b) { PutI32(b, 5876, -1); }},
        {"75 minutes", [](auto b) { PutU16(b, 5870, 75); }},
        {"60 seconds", [](auto b) { PutU16(b, 5872, 60); }},
        {"an amount of 2.3e-9 dollars", [&](auto b) { PutReal48(b, hand1 + 6 * 7, 2.3283064365386963e-09); }},
        {"a quarter dollar won", [&](auto b) { PutReal48(b, hand1 + 342, 7.25); }},
        {"a swing balance of -0.2", [&](auto b) { PutReal48(b, hand1 + 354, -0.2); }},
        {"an amount beyond 2^48", [&](auto b) { PutReal48(b, hand3 + 354, 1e30); }},
    };
    const std::string path = dir.File("DAMAGED.ZVX");
    for (const Poke& poke : pokes) {
        SCOPED_TRACE(poke.What);
        GameRecord r = good;
        poke.Apply(r);
        WriteAll(path, std::vector<std::uint8_t>(r.begin(), r.end()));
        Game g = saved;
        EXPECT_EQ(LoadGameFile(g, path), GameFileLoad::Damaged);
        EXPECT_EQ(BuildGameRecord(g), good); // nothing changed
    }

    // What a save writes loads back unchanged, the largest values it can write included.
    Game full = saved;
    full.HoursPlayed = std::numeric_limits<std::int32_t>::max();
    full.Hands[1].Stats.HandsPlayed = std::numeric_limits<std::int32_t>::max();
    full.Hands[1].Stats.SwingBalance = -std::ldexp(1.0, 38) - 0.5; // the most a Real48 keeps to the half
    full.RunTime = {65535, 59, 59};
    ASSERT_TRUE(SaveGameFile(full, path));
    Game g;
    ASSERT_EQ(LoadGameFile(g, path), GameFileLoad::Ok);
    EXPECT_EQ(BuildGameRecord(g), BuildGameRecord(full));
    EXPECT_EQ(g.Hands[1].Stats.SwingBalance, full.Hands[1].Stats.SwingBalance);
}

TEST(GameFile, StrategyFromAGameFile) {
    TempFolder dir;
    Game saved = PlayedGame();
    saved.Strategy.Bytes[12 * 3 + 5] = 0;
    const std::string path = dir.File("STRAT.ZVX");
    ASSERT_TRUE(SaveGameFile(saved, path));
    auto bytes = ReadAll(path);

    StrategyTable strategy;
    EXPECT_EQ(LoadStrategyFromGameFile(strategy, path), std::nullopt);
    EXPECT_EQ(strategy, saved.Strategy);

    // A missing, short or damaged file says why and leaves the strategy alone.
    const auto missing = LoadStrategyFromGameFile(strategy, dir.File("NONE.ZVX"));
    ASSERT_TRUE(missing.has_value());
    EXPECT_NE(missing->find("cannot open"), std::string::npos);
    bytes[5880 + 12 * 4 + 6] = 0x40;
    WriteAll(path, bytes);
    const auto damaged = LoadStrategyFromGameFile(strategy, path);
    ASSERT_TRUE(damaged.has_value());
    EXPECT_NE(damaged->find("not a game file"), std::string::npos);
    bytes.resize(GameRecordSize - 1);
    WriteAll(path, bytes);
    const auto shortFile = LoadStrategyFromGameFile(strategy, path);
    ASSERT_TRUE(shortFile.has_value());
    EXPECT_NE(shortFile->find("not a game file"), std::string::npos);
    EXPECT_EQ(strategy, saved.Strategy);
}

TEST(GameFile, FailedSaveKeepsTheOldFile) {
    TempFolder dir;
    const std::string path = dir.File("GAME.ZVX");
    std::filesystem::create_directory(path);
    Game g = PlayedGame();
    std::error_code why;
    EXPECT_FALSE(SaveGameFile(g, path, &why));
    EXPECT_TRUE(g.FileError);
    EXPECT_EQ(why, std::errc::is_a_directory);
    EXPECT_FALSE(SaveGameFile(g, dir.File("no-such-folder/GAME.ZVX"), &why));
    EXPECT_EQ(why, std::errc::no_such_file_or_directory);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp~"));

    // Replacing an existing file works and leaves the new content only.
    const std::string other = dir.File("OTHER.ZVX");
    WriteAll(other, std::vector<std::uint8_t>(20000, 0x11));
    EXPECT_TRUE(SaveGameFile(g, other, &why));
    EXPECT_FALSE(g.FileError);
    EXPECT_FALSE(why);
    EXPECT_EQ(ReadAll(other).size(), GameRecordSize);
}

TEST(GameFile, PickerNameRule) {
    EXPECT_EQ(GameFileNameFromInput(""), std::nullopt);
    EXPECT_EQ(GameFileNameFromInput("mygame"), "MYGAME.ZVX");
    EXPECT_EQ(GameFileNameFromInput("old.zvx.bak"), "OLD.ZVX.BAK");
    EXPECT_EQ(GameFileNameFromInput("lastgame.zvx"), "LASTGAME.ZVX");
    EXPECT_EQ(GameFileNameFromInput("Save.Zvx"), "SAVE.ZVX");
    EXPECT_EQ(GameFileNameFromInput("game.txt"), "GAME.TXT.ZVX");
    EXPECT_EQ(GameFileNameFromInput("a_b-1"), "A_B-1.ZVX");
    EXPECT_EQ(ProposedGameFileName(""), "lastgame.zvx");
    EXPECT_EQ(ProposedGameFileName("MYGAME.ZVX"), "MYGAME.ZVX");
}

TEST(GameFile, PickedNamesKeepTheirFolder) {
    TempFolder dir;
    const std::string here = dir.Path().string();
    const std::string sub = dir.File("Saves");
    std::filesystem::create_directory(sub);
    EXPECT_EQ(GameFileToSave(here, "mygame", here), "MYGAME.ZVX");
    EXPECT_EQ(GameFileToSave(here + "/", "mygame", here), "MYGAME.ZVX");
    // The rule upper-cases the name only: the folder "Saves" exists as it is spelt.
    EXPECT_EQ(GameFileToSave(sub, "week1", here), sub + "/WEEK1.ZVX");
    EXPECT_EQ(GameFileToSave(here, "", here), std::nullopt);
}

TEST(GameFile, LoadReadsThePickedFileWhateverItsCase) {
    TempFolder dir;
    const std::string here = dir.Path().string();
    WriteAll(dir.File("lastgame.zvx"), {1});
    WriteAll(dir.File("OTHER.ZVX"), {1});
    // Picked in the list as it lies on the disk: that file, not an upper-case name that does not exist.
    EXPECT_EQ(GameFileToLoad(here, "lastgame.zvx", here), "lastgame.zvx");
    // Typed without the extension or in lower case: the name a save would have made.
    EXPECT_EQ(GameFileToLoad(here, "other", here), "OTHER.ZVX");
    EXPECT_EQ(GameFileToLoad(here, "other.zvx", here), "OTHER.ZVX");
    EXPECT_EQ(GameFileToLoad(here, "nothing", here), "NOTHING.ZVX");
    EXPECT_EQ(GameFileToLoad(dir.File("sub"), "x.zvx", here), dir.File("sub") + "/X.ZVX");
}

} // namespace
} // namespace zvx
