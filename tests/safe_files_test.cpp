// What every save and every load promises against hostile names: links, pipes, folders, devices, huge files.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "drill/drill_keeper.h"
#include "drill/record_file.h"
#include "engine/options_file.h"
#include "engine/safe_file.h"
#include "shell/game_file.h"
#include "tests/temp_folder.h"

namespace zvx {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;
using testing::TempFolder;
using testing::WriteAll;

const std::vector<std::uint8_t> VictimBytes = {'k', 'e', 'e', 'p', ' ', 'm', 'e'};

// A record of one mistake, enough to tell a written record from an empty one.
DrillRecord::CellMap OneMistake() {
    DrillRecord record;
    JudgedDecision d;
    d.Cell = {HandKind::Hard, 16, 10};
    d.Taken = Stand;
    d.Right = Hit;
    d.Advice = "Hit 16 against Dealer 10";
    record.Add(d, 0.1);
    return record.Cells();
}

// The names every save used to write through, and one the tool's check used: each holds a link to the victim
// or a pipe, which a save must neither follow nor open.
struct Planted {
    std::string Victim;
    std::vector<std::string> Links;
    std::vector<std::string> Pipes;
};

Planted PlantAt(const TempFolder& folder, const std::vector<std::string>& linkNames,
                const std::vector<std::string>& pipeNames) {
    Planted p{folder.File("victim"), {}, {}};
    WriteAll(p.Victim, VictimBytes);
    for (const auto& name : linkNames) {
        p.Links.push_back(folder.File(name));
        EXPECT_EQ(::symlink(p.Victim.c_str(), p.Links.back().c_str()), 0);
    }
    for (const auto& name : pipeNames) {
        p.Pipes.push_back(folder.File(name));
        EXPECT_EQ(::mkfifo(p.Pipes.back().c_str(), 0644), 0);
    }
    return p;
}

void ExpectUntouched(const Planted& p) {
    EXPECT_EQ(ReadAll(p.Victim), VictimBytes);
    for (const auto& link : p.Links) EXPECT_TRUE(fs::is_symlink(link)) << link;
    for (const auto& pipe : p.Pipes) EXPECT_TRUE(fs::is_fifo(pipe)) << pipe;
}

TEST(SafeFiles, NoSaveFollowsALinkOrOpensAPipeBesideItsFile) {
    TempFolder folder;
    const Planted planted = PlantAt(folder, {"GAME.ZVX.tmp~", "ZVX.PRM.tmp~", "r.json.tmp~", "drill-record.json.tmp"},
                                    {"GAME.ZVX.tmp", "drill-record.json.tmp~", "r.json.tmp"});

    Game g;
    ASSERT_TRUE(SaveGameFile(g, folder.File("GAME.ZVX")));
    ASSERT_TRUE(SaveOptions(g, folder.File("ZVX.PRM")));
    ASSERT_TRUE(SaveTextReplacing(folder.File("r.json"), "{}\n"));
    ASSERT_EQ(SaveRecordFile(folder.Path() / "drill-record.json", OneMistake()), std::nullopt);

    ExpectUntouched(planted);
    for (const char* name : {"GAME.ZVX", "ZVX.PRM", "r.json", "drill-record.json"})
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder.File(name)))) << name;
    EXPECT_EQ(ReadAll(folder.File("GAME.ZVX")).size(), GameRecordSize);
    EXPECT_EQ(LoadRecordFile(folder.Path() / "drill-record.json").Cells, OneMistake());
    // Nothing else is left beside them: each temporary file was renamed into place.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1 + 4 + 3 + 4);
}

// A link at the target's own name is replaced by the saved file; what it pointed to is left alone.
TEST(SafeFiles, ASaveReplacesALinkAtItsNameNotTheFileBehindIt) {
    TempFolder folder;
    const Planted planted = PlantAt(folder, {}, {});
    const std::string target = folder.File("out.zvx");
    ASSERT_EQ(::symlink(planted.Victim.c_str(), target.c_str()), 0);
    Game g;
    ASSERT_TRUE(SaveGameFile(g, target));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(target)));
    EXPECT_EQ(ReadAll(target).size(), GameRecordSize);
    EXPECT_EQ(ReadAll(planted.Victim), VictimBytes);
}

TEST(SafeFiles, AFailedSaveLeavesNoTemporaryFileAndKeepsTheOldOne) {
    TempFolder folder;
    const std::string target = folder.File("out.json");
    WriteAll(target, VictimBytes);
    ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    // Something takes the name while the save writes: the rename fails, and the half-made file goes.
    std::error_code why;
    const std::string text(10000, 'x');
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    const std::string blocked = folder.File("blocked");
    EXPECT_FALSE(SaveFileReplacing(blocked, bytes, &why, [&](std::size_t) { fs::create_directories(blocked + "/x"); }));
    EXPECT_TRUE(why);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 2);
    // A file replaced keeps its permissions.
    ASSERT_TRUE(SaveFileReplacing(target, bytes));
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(ReadAll(target).size(), text.size());
}

// The record's name taken by a folder aborted the desktop program at every start, a pipe hung it, a link to
// /dev/zero or a huge file grew it to gigabytes. Each is set aside with one message, and the record goes on.
TEST(SafeFiles, AHostileDrillRecordIsSetAsideAndTheRecordGoesOn) {
    TempFolder folder;
    const fs::path path = folder.Path() / "drill-record.json";
    struct Hostile {
        const char* What;
        std::function<void()> Make;
        const char* Aside;
    };
    const std::vector<Hostile> cases = {
        {"a folder", [&] { fs::create_directories(path / "inside"); }, "unreadable"},
        {"a pipe", [&] { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); }, "unreadable"},
        {"a link to /dev/zero", [&] { fs::create_symlink("/dev/zero", path); }, "unreadable"},
        {"a file of 100 MB",
         [&] {
             WriteAll(path.string(), {'{'});
             fs::resize_file(path, 100u << 20);
         },
         "damaged"},
        {"a file just past the limit",
         [&] {
             WriteAll(path.string(), {' '});
             fs::resize_file(path, RecordFileLimit + 1);
         },
         "damaged"},
        {"a foreign record", [&] { WriteAll(path.string(), {'{', '"', 'a', '"', ':', '1', '}'}); }, "damaged"},
    };
    for (const Hostile& c : cases) {
        SCOPED_TRACE(c.What);
        fs::remove_all(folder.Path());
        fs::create_directories(folder.Path());
        c.Make();
        DrillKeeper keeper(path);
        const auto message = keeper.Load();
        ASSERT_TRUE(message.has_value());
        EXPECT_NE(message->find("set aside"), std::string::npos) << *message;
        EXPECT_TRUE(keeper.Kept());
        const fs::path aside = path.string() + "." + c.Aside;
        EXPECT_TRUE(fs::exists(fs::symlink_status(aside)));
        EXPECT_FALSE(fs::exists(fs::symlink_status(path)));
        // The record is written afresh, as a plain file.
        Game g;
        JudgedDecision d;
        d.Cell = {HandKind::Hard, 12, 4};
        d.Taken = d.Right = Stand;
        keeper.Take(g, d);
        EXPECT_EQ(keeper.TakeMessage(), std::nullopt);
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path)));
        EXPECT_EQ(LoadRecordFile(path).Cells.size(), 1u);
    }
}

// The limit is far beyond the fullest record this program can write: every cell with every kind of mistake.
TEST(SafeFiles, TheFullestDrillRecordIsFarBelowTheLimit) {
    DrillRecord record;
    const std::vector<std::pair<HandKind, std::pair<int, int>>> kinds = {
        {HandKind::Hard, {4, 21}}, {HandKind::Soft, {12, 21}}, {HandKind::Pair, {2, 11}}};
    const Action plays[] = {Stand, Hit, DoubleDown, Split, Surrender};
    for (const auto& [kind, totals] : kinds)
        for (int total = totals.first; total <= totals.second; ++total)
            for (int up = 2; up <= 11; ++up)
                for (Action taken : plays)
                    for (Action right : plays) {
                        if (taken == right) continue;
                        JudgedDecision d;
                        d.Cell = {kind, total, up};
                        d.Taken = taken;
                        d.Right = right;
                        d.Advice = "Double Down with Soft " + std::to_string(total) + " against Dealer Ace";
                        record.Add(d, -123456.789012345);
                    }
    auto cells = record.Cells();
    for (auto& [cell, tally] : cells) {
        tally.Judged = 1'000'000'000;
        tally.Missed = 20 * 49'999'999;
        tally.Cost = -999999999.123456789;
        for (MistakeTally& m : tally.Mistakes) m.Count = 49'999'999;
    }
    const std::string text = RecordToText(cells);
    ASSERT_TRUE(RecordFromText(text).has_value());
    EXPECT_LT(4 * text.size(), RecordFileLimit) << text.size();
}

// An options file too long for one (a game file, or random bytes) was taken for another version and replaced
// by the defaults at the next save: it is set aside like a short one.
TEST(SafeFiles, ALongOptionsFileIsSetAsideAndKept) {
    TempFolder folder;
    const std::string path = folder.File("ZVX.PRM");
    Game played;
    played.Options.Rules.Decks = 6;
    ASSERT_TRUE(SaveGameFile(played, path));
    std::vector<std::uint8_t> random(1'500'000);
    for (std::size_t i = 0; i < random.size(); ++i) random[i] = static_cast<std::uint8_t>(i * 2654435761u >> 13);
    const std::vector<std::vector<std::uint8_t>> contents = {ReadAll(path), random};
    for (std::size_t i = 0; i < contents.size(); ++i) {
        SCOPED_TRACE(i);
        WriteAll(path, contents[i]);
        Game g;
        const OptionsFileStatus status = LoadOptions(g, path);
        EXPECT_EQ(status.Trouble, OptionsFileTrouble::Damaged);
        EXPECT_NE(status.Reason.find("bytes long, not 3886"), std::string::npos) << status.Reason;
        EXPECT_NE(OptionsFileNotice(status).find("kept as"), std::string::npos);
        EXPECT_EQ(g.Options.Rules.Decks, CasinoRules{}.Decks);
        ASSERT_TRUE(SaveOptions(g, path));
        EXPECT_EQ(ReadAll(status.KeptAs), contents[i]);
        EXPECT_EQ(ReadAll(path).size(), OptionsRecordSize);
    }
}

// The opener refuses what is no plain file without waiting on it, and a text beyond its limit unread.
TEST(SafeFiles, TheOpenerNeverBlocksAndKeepsToItsLimit) {
    TempFolder folder;
    const std::string pipe = folder.File("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    std::string why;
    EXPECT_EQ(ReadPlainTextFile(pipe, &why), std::nullopt);
    EXPECT_EQ(why, "not a plain file");
    EXPECT_EQ(ReadWholeFile("/dev/zero", 1 << 20).Detail.Status, RecordReadStatus::NotAFile);
    const std::string text = folder.File("text");
    WriteAll(text, std::vector<std::uint8_t>(1001, 'a'));
    EXPECT_EQ(ReadWholeFile(text, 1000).Detail.Status, RecordReadStatus::TooLarge);
    EXPECT_EQ(ReadWholeFile(text, 1001).Bytes.size(), 1001u);
    EXPECT_EQ(ReadPlainTextFile(text, &why, 10), std::nullopt);
    EXPECT_NE(why.find("larger than"), std::string::npos);
}

} // namespace
} // namespace zvx
