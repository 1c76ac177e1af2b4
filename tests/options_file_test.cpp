#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

#include "engine/options_file.h"
#include "engine/startup.h"
#include "strategy/builtin_strategies.h"
#include "tests/temp_folder.h"

namespace zvx {
namespace {

using testing::ReadAll;
using testing::TempFolder;
using testing::WriteAll;

StrategyTable DefaultStrategy() {
    StrategyTable t;
    LoadDefaultStrategy(t);
    return t;
}

StrategyTable AdvancedStrategy() {
    StrategyTable t;
    LoadAdvancedStrategy(t);
    return t;
}

// The state start-up is in when it reads the options.
Game StartUpGame() {
    Game g;
    g.Options.FirstRun = true;
    return g;
}

void ExpectDefaultRulesAndPrefs(const Game& g) {
    EXPECT_EQ(g.Options.Rules, CasinoRules{});
    EXPECT_EQ(g.Options.Rules.Decks, 2);
    EXPECT_EQ(g.Options.Rules.Penetration, 3);
    EXPECT_EQ(g.Options.Rules.TableMinimum, 25);
    EXPECT_FALSE(g.Options.Rules.SurrenderAllowed);
    EXPECT_FALSE(g.Options.Rules.DealerHitsSoft17);
    EXPECT_TRUE(g.Options.Rules.DoubleAnyHand);
    EXPECT_TRUE(g.Options.Rules.DoubleAfterSplit);
    EXPECT_TRUE(g.Options.Rules.ResplitAllowed);
    EXPECT_TRUE(g.Options.Rules.PlayTwoHands);
    EXPECT_FALSE(g.Options.Prefs.AlwaysBetMinimum);
    EXPECT_TRUE(g.Options.Prefs.SoundOn);
    EXPECT_FALSE(g.Options.HideStrategyIntro);
    EXPECT_EQ(g.Strategy, DefaultStrategy());
}

// A record as this program writes it, with every field away from its default.
std::vector<std::uint8_t> CustomRecordBytes() {
    Game g;
    g.Options.Rules = CasinoRules{6, 2, 100, true, true, false, false, false, false};
    g.Options.Prefs = PlayerPreferences{12345, true, false};
    g.Options.FirstRun = false;
    g.Options.HideStrategyIntro = true;
    g.Strategy = AdvancedStrategy();
    OptionsBytes bytes{};
    g.Options.StrategyCopy = g.Strategy;
    g.Options.Version = CurrentVersionText();
    EncodeOptionsRecord(g.Options, bytes);
    return {bytes.begin(), bytes.end()};
}

TEST(OptionsFile, FirstSaveWritesTheWholeRecordWithTheVersionTag) {
    TempFolder dir;
    const std::string path = dir.File("ZVX.PRM");
    Game g = StartUpGame();
    LoadOptions(g, path);
    EXPECT_TRUE(g.FileError);
    ExpectDefaultRulesAndPrefs(g);
    EXPECT_TRUE(g.Options.FirstRun);

    g.OptionsChanged = true;
    ASSERT_TRUE(SaveOptions(g, path));
    EXPECT_FALSE(g.FileError);
    EXPECT_FALSE(g.OptionsChanged);

    const auto bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), OptionsRecordSize);
    const std::string tag = "\x0BVersion 1.1";
    EXPECT_EQ(std::string(bytes.begin() + 3870, bytes.begin() + 3882), tag);
    for (std::size_t i = 3882; i < 3886; ++i) EXPECT_EQ(bytes[i], 0) << i;
    // Rules and strategy copy at their offsets.
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes[2], 3);
    EXPECT_EQ(bytes[4], 25);
    EXPECT_EQ(bytes[10], 1);
    EXPECT_EQ(bytes[15], 1);
    EXPECT_EQ(bytes[16], 1);
    const StrategyTable def = DefaultStrategy();
    EXPECT_TRUE(std::equal(def.Bytes.begin(), def.Bytes.end(), bytes.begin() + 18));
    EXPECT_EQ(std::filesystem::directory_iterator(dir.Path())->path().filename(), "ZVX.PRM"); // no temporary left
}

TEST(OptionsFile, FieldsSitAtTheirOffsets) {
    const auto b = CustomRecordBytes();
    EXPECT_EQ(b[0], 6);
    EXPECT_EQ(b[1], 0);
    EXPECT_EQ(b[2], 2);
    EXPECT_EQ(b[4], 100);
    EXPECT_EQ(b[6] | (b[7] << 8), 12345);
    const std::vector<std::uint8_t> flags(b.begin() + 8, b.begin() + 18);
    EXPECT_EQ(flags, (std::vector<std::uint8_t>{1, 1, 0, 0, 0, 0, 1, 0, 0, 1}));
}

TEST(OptionsFile, RoundTripKeepsEveryField) {
    TempFolder dir;
    const std::string path = dir.File("ZVX.PRM");
    Game saved;
    saved.Options.Rules = CasinoRules{1, 2, 5, true, true, false, true, false, true};
    saved.Options.Prefs = PlayerPreferences{25000, true, false};
    saved.Options.HideStrategyIntro = true;
    saved.Strategy = AdvancedStrategy();
    ASSERT_TRUE(SaveOptions(saved, path));

    Game loaded = StartUpGame();
    LoadOptions(loaded, path);
    EXPECT_FALSE(loaded.FileError);
    EXPECT_EQ(loaded.Options, saved.Options);
    EXPECT_FALSE(loaded.Options.FirstRun);
    EXPECT_EQ(loaded.Strategy, AdvancedStrategy());
}

TEST(OptionsFile, SavedFileDecodesToTheSavedRecord) {
    TempFolder dir;
    const std::string path = dir.File("ZVX.PRM");
    WriteAll(path, CustomRecordBytes());
    Game g = StartUpGame();
    LoadOptions(g, path);
    ASSERT_TRUE(SaveOptions(g, dir.File("copy.prm")));
    EXPECT_EQ(ReadAll(dir.File("copy.prm")), CustomRecordBytes());
    EXPECT_EQ(g.Options.Rules, (CasinoRules{6, 2, 100, true, true, false, false, false, false}));
    EXPECT_EQ(g.Options.Prefs, (PlayerPreferences{12345, true, false}));
}

TEST(OptionsFile, AnotherVersionIsIgnoredWhole) {
    TempFolder dir;
    const std::string path = dir.File("ZVX.PRM");
    auto bytes = CustomRecordBytes();
    bytes[3870 + 11] = '0'; // "Version 1.0"
    bytes[16] = 0;          // FirstRun off in the file
    WriteAll(path, bytes);

    Game g = StartUpGame();
    LoadOptions(g, path);
    EXPECT_FALSE(g.FileError);
    ExpectDefaultRulesAndPrefs(g);
    EXPECT_EQ(g.Options.StrategyCopy, DefaultStrategy());
    // The speed and the first-run marker are not among the defaults: the file's values stay.
    EXPECT_EQ(g.Options.Prefs.AnimationSpeed, 12345);
    EXPECT_FALSE(g.Options.FirstRun);
}

TEST(OptionsFile, MissingOrShortFileGivesDefaultsAndKeepsStartUpValues) {
    TempFolder dir;
    const std::string path = dir.File("ZVX.PRM");
    auto bytes = CustomRecordBytes();
    bytes.resize(OptionsRecordSize - 1);
    WriteAll(path, bytes);

    std::filesystem::create_directory(dir.File("folder"));
    for (const std::string& p : {path, dir.File("absent.prm"), dir.File("folder")}) {
        Game g = StartUpGame();
        g.Options.Prefs.AnimationSpeed = 777; // whatever start-up holds
        g.Options.Rules.Decks = 6;
        g.Strategy = AdvancedStrategy();
        LoadOptions(g, p);
        EXPECT_TRUE(g.FileError) << p;
        ExpectDefaultRulesAndPrefs(g);
        EXPECT_EQ(g.Options.Prefs.AnimationSpeed, 777);
        EXPECT_TRUE(g.Options.FirstRun);
    }
}

// A longer file is no options file, even when it begins with one: it is kept aside, not taken.
TEST(OptionsFile, LongerFileIsSetAsideNotTaken) {
    TempFolder dir;
    const std::string path = dir.File("ZVX.PRM");
    auto bytes = CustomRecordBytes();
    bytes.resize(OptionsRecordSize + 50, 0xEE);
    WriteAll(path, bytes);
    Game g = StartUpGame();
    const OptionsFileStatus status = LoadOptions(g, path);
    EXPECT_EQ(status.Trouble, OptionsFileTrouble::Damaged);
    EXPECT_EQ(status.KeptAs, path + ".damaged");
    ExpectDefaultRulesAndPrefs(g);
    EXPECT_EQ(ReadAll(path + ".damaged"), bytes);
}

struct Damage {
    std::size_t Offset;
    int Value;
};

Game LoadDamaged(const TempFolder& dir, std::initializer_list<Damage> damage) {
    auto bytes = CustomRecordBytes();
    for (const Damage& d : damage) {
        bytes[d.Offset] = static_cast<std::uint8_t>(d.Value & 0xFF);
        if (d.Offset < 8) bytes[d.Offset + 1] = static_cast<std::uint8_t>(d.Value >> 8);
    }
    const std::string path = dir.File("ZVX.PRM");
    WriteAll(path, bytes);
    Game g = StartUpGame();
    LoadOptions(g, path);
    return g;
}

TEST(OptionsFile, ImpossibleRulesAreRepaired) {
    TempFolder dir;
    for (int decks : {0, 9, 65535}) EXPECT_EQ(LoadDamaged(dir, {{0, decks}}).Options.Rules.Decks, 8);
    for (int decks : {1, 3, 8}) EXPECT_EQ(LoadDamaged(dir, {{0, decks}}).Options.Rules.Decks, decks);
    for (int pen : {0, 1, 4, 300}) EXPECT_EQ(LoadDamaged(dir, {{2, pen}}).Options.Rules.Penetration, 3);
    EXPECT_EQ(LoadDamaged(dir, {{2, 2}}).Options.Rules.Penetration, 2);
    for (int min : {0, 10, 50, 1000}) {
        EXPECT_EQ(LoadDamaged(dir, {{4, min}}).Options.Rules.TableMinimum, 100);
    }
    for (int min : {5, 25}) EXPECT_EQ(LoadDamaged(dir, {{4, min}}).Options.Rules.TableMinimum, min);
}

TEST(OptionsFile, SpeedIsClampedAndFlagsAreOneOrZero) {
    TempFolder dir;
    EXPECT_EQ(LoadDamaged(dir, {{6, 0}}).Options.Prefs.AnimationSpeed, 1000);
    EXPECT_EQ(LoadDamaged(dir, {{6, 999}}).Options.Prefs.AnimationSpeed, 1000);
    EXPECT_EQ(LoadDamaged(dir, {{6, 25001}}).Options.Prefs.AnimationSpeed, 25000);
    EXPECT_EQ(LoadDamaged(dir, {{6, 1000}}).Options.Prefs.AnimationSpeed, 1000);

    std::initializer_list<Damage> allFlags = {{8, 2},  {9, 0x80}, {10, 7},  {11, 255}, {12, 3},
                                              {13, 9}, {14, 0x10}, {15, 2}, {16, 4},   {17, 200}};
    Game g = LoadDamaged(dir, allFlags);
    EXPECT_EQ(g.Options.Rules, (CasinoRules{6, 2, 100, true, true, true, true, true, true}));
    EXPECT_TRUE(g.Options.Prefs.AlwaysBetMinimum);
    EXPECT_TRUE(g.Options.Prefs.SoundOn);
    EXPECT_TRUE(g.Options.FirstRun);
    EXPECT_TRUE(g.Options.HideStrategyIntro);

    // Saved again, each flag is written as 1.
    ASSERT_TRUE(SaveOptions(g, dir.File("again.prm")));
    const auto b = ReadAll(dir.File("again.prm"));
    for (std::size_t i = 8; i < 18; ++i) EXPECT_EQ(b[i], 1) << i;
}

TEST(OptionsFile, StrategyBytesAreFlags) {
    TempFolder dir;
    const std::size_t row215 = 18 + (215 - FirstStrategyRow) * StrategyRowSize;
    Game g = LoadDamaged(dir, {{row215 + 2, 2}, {row215 + 3, 0xFF}, {18, 0x41}});
    StrategyTable expected = AdvancedStrategy();
    expected.Row(215)[2] = 1;
    expected.Row(215)[3] = 1;
    expected.Bytes[0] = 1;
    EXPECT_EQ(g.Strategy, expected);
    EXPECT_EQ(g.Options.StrategyCopy, expected);
}

TEST(OptionsFile, FailedSaveKeepsTheOldFile) {
    TempFolder dir;
    // A directory where the file should be: the rename cannot replace it.
    const std::string blocked = dir.File("ZVX.PRM");
    std::filesystem::create_directory(blocked);
    WriteAll(blocked + "/inside", {1, 2, 3});
    Game g;
    g.OptionsChanged = true;
    EXPECT_FALSE(SaveOptions(g, blocked));
    EXPECT_TRUE(g.FileError);
    EXPECT_TRUE(g.OptionsChanged);
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    EXPECT_EQ(ReadAll(blocked + "/inside"), (std::vector<std::uint8_t>{1, 2, 3}));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path())) ++entries;
    EXPECT_EQ(entries, 1); // the temporary is gone

    // A folder that does not exist.
    EXPECT_FALSE(SaveOptions(g, dir.File("no/such/folder/ZVX.PRM")));
    EXPECT_TRUE(g.FileError);

    // A later good save clears the error.
    EXPECT_TRUE(SaveOptions(g, dir.File("ok.prm")));
    EXPECT_FALSE(g.FileError);
    EXPECT_FALSE(g.OptionsChanged);
}

TEST(OptionsFile, FailedWriteKeepsTheOldFile) {
    TempFolder dir;
    const std::string path = dir.File("ZVX.PRM");
    const auto old = CustomRecordBytes();
    WriteAll(path, old);
    // The write fails halfway, as on a full disk: the file size limit stops it after 1000 bytes.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 1000;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    Game g;
    g.OptionsChanged = true;
    const bool written = SaveOptions(g, path);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_TRUE(g.FileError);
    EXPECT_TRUE(g.OptionsChanged);
    EXPECT_EQ(ReadAll(path), old);
    // The half-written temporary file is gone.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1);
}

TEST(OptionsFile, UnwritableFolderKeepsTheOldFile) {
    TempFolder dir;
    const std::string path = dir.File("ZVX.PRM");
    const auto old = CustomRecordBytes();
    WriteAll(path, old);
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (std::FILE* probe = std::fopen(dir.File("probe").c_str(), "wb")) { // running with rights that ignore modes
        std::fclose(probe);
        GTEST_SKIP() << "folder permissions are not enforced for this user";
    }
    Game g;
    EXPECT_FALSE(SaveOptions(g, path));
    EXPECT_TRUE(g.FileError);
    EXPECT_EQ(ReadAll(path), old);
}

TEST(OptionsFile, SaveStampsTheTagOverAForeignVersion) {
    TempFolder dir;
    Game g;
    g.Options.Version.fill(0x55);
    ASSERT_TRUE(SaveOptions(g, dir.File("ZVX.PRM")));
    EXPECT_EQ(g.Options.Version, CurrentVersionText());
    EXPECT_TRUE(HasCurrentVersionTag(g.Options));
}

// A file that is there but cannot be used is set aside untouched, the defaults rule, and the player is told
// which file and why; nothing afterwards writes over it.
TEST(OptionsFile, TroubledFileIsSetAsideAndNamedNotOverwritten) {
    TempFolder dir;
    const std::string path = dir.File("ZVX.PRM");
    auto shortBytes = CustomRecordBytes();
    shortBytes.resize(100);
    WriteAll(path, shortBytes);
    Game g = StartUpGame();
    const OptionsFileStatus damaged = StartUp(g, path);
    EXPECT_EQ(damaged.Trouble, OptionsFileTrouble::Damaged);
    EXPECT_EQ(damaged.KeptAs, path + ".damaged");
    EXPECT_EQ(ReadAll(path + ".damaged"), shortBytes);
    EXPECT_FALSE(g.Options.FirstRun); // no greeting: the notice speaks instead
    ExpectDefaultRulesAndPrefs(g);
    const std::string notice = OptionsFileNotice(damaged);
    EXPECT_NE(notice.find(path), std::string::npos);
    EXPECT_NE(notice.find("100 bytes long"), std::string::npos);
    EXPECT_NE(notice.find(path + ".damaged"), std::string::npos);
    // A second damaged file does not take the first one's place.
    WriteAll(path, {1, 2, 3});
    EXPECT_EQ(LoadOptions(g, path).KeptAs, path + ".damaged-2");
    EXPECT_EQ(ReadAll(path + ".damaged"), shortBytes);

    // A folder under the name: moved aside whole, contents and all.
    std::filesystem::create_directory(path);
    WriteAll(path + "/inside", {7});
    const OptionsFileStatus folder = LoadOptions(g, path);
    EXPECT_EQ(folder.Trouble, OptionsFileTrouble::NotAFile);
    EXPECT_EQ(folder.Reason, "it is a folder");
    EXPECT_EQ(ReadAll(folder.KeptAs + "/inside"), (std::vector<std::uint8_t>{7}));
    EXPECT_TRUE(SaveOptions(g, path)); // the name is free again
    EXPECT_FALSE(g.Options.FirstRun);

    // Neither a missing file nor another version's is trouble.
    std::filesystem::remove(path);
    EXPECT_FALSE(LoadOptions(g, path).Troubled());
    EXPECT_FALSE(OptionsFileNotice(LoadOptions(g, path)).size());
}

// A pipe named like the options file used to hang start-up on the open; it is refused at once.
TEST(OptionsFile, PipeIsRefusedWithoutWaitingAndLeftInPlaceWhenAsked) {
    TempFolder dir;
    const std::string path = dir.File("ZVX.PRM");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    Game g = StartUpGame();
    const OptionsFileStatus status = LoadOptions(g, path, TroubledOptionsFile::LeaveInPlace);
    EXPECT_EQ(status.Trouble, OptionsFileTrouble::NotAFile);
    EXPECT_EQ(status.Reason, "it is a pipe");
    EXPECT_TRUE(status.KeptAs.empty());
    EXPECT_TRUE(std::filesystem::is_fifo(path));
    EXPECT_TRUE(g.FileError);
    // A save never renames its temporary over the pipe.
    EXPECT_FALSE(SaveOptions(g, path));
    EXPECT_TRUE(std::filesystem::is_fifo(path));
}

// When the troubled file cannot be moved (a read-only folder), it is protected from every later save.
TEST(OptionsFile, UnmovableTroubledFileIsNeverSavedOver) {
    TempFolder dir;
    const std::string path = dir.File("ZVX.PRM");
    WriteAll(path, {1, 2, 3});
    Game g = StartUpGame();
    g.OptionsFileProtected = path; // what a failed rename leaves behind
    EXPECT_FALSE(SaveOptions(g, path));
    EXPECT_TRUE(g.FileError);
    EXPECT_EQ(ReadAll(path), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_TRUE(SaveOptions(g, dir.File("OTHER.PRM")));
    const OptionsFileStatus status{OptionsFileTrouble::Unreadable, path, "permission denied", ""};
    EXPECT_NE(OptionsFileNotice(status).find("will not be written over"), std::string::npos);
}

} // namespace
} // namespace zvx
