#include "drill/drill_keeper.h"
#include "drill/record_file.h"
#include "tests/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace zvx {
namespace {

using testing::ReadAll;
using testing::TempFolder;
using testing::WriteAll;

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

// A record of every chart cell, each with a mistake and its advice: several pieces long when written.
DrillRecord::CellMap BigRecord(int misses) {
    DrillRecord record;
    for (int up = 2; up <= 11; ++up)
        for (int total = 5; total <= 17; ++total) {
            JudgedDecision d;
            d.Cell = {HandKind::Hard, total, up};
            d.Taken = Stand;
            d.Right = Hit;
            d.Advice = "Hit " + std::to_string(total) + " against Dealer " + std::to_string(up);
            for (int i = 0; i < misses; ++i) record.Add(d, 0.0125 * (i + 1));
        }
    return record.Cells();
}

TEST(DrillRecordFile, WhatIsWrittenIsReadBack) {
    TempFolder folder;
    const auto path = folder.Path() / "deep" / "zvx" / "drill-record.json";
    const auto cells = BigRecord(2);
    ASSERT_EQ(SaveRecordFile(path, cells), std::nullopt); // the folders are made
    const RecordLoad load = LoadRecordFile(path);
    EXPECT_EQ(load.Message, std::nullopt);
    EXPECT_EQ(load.Cells, cells);
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".tmp"));
}

TEST(DrillRecordFile, AKillDuringAWriteLeavesTheOldFileWhole) {
    TempFolder folder;
    const auto path = folder.Path() / "drill-record.json";
    const auto old = BigRecord(1);
    ASSERT_EQ(SaveRecordFile(path, old), std::nullopt);
    const auto oldBytes = ReadAll(path.string());
    const auto bigger = BigRecord(3);
    ASSERT_GT(RecordToText(bigger).size(), 2 * 4096u);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The process dies with the new record half written.
        SaveRecordFile(path, bigger, [](std::size_t) { ::raise(SIGKILL); });
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);

    EXPECT_EQ(ReadAll(path.string()), oldBytes);
    const RecordLoad load = LoadRecordFile(path);
    EXPECT_EQ(load.Message, std::nullopt);
    EXPECT_EQ(load.Cells, old);
    // The next write goes over the half-written temporary file.
    ASSERT_EQ(SaveRecordFile(path, bigger), std::nullopt);
    EXPECT_EQ(LoadRecordFile(path).Cells, bigger);
}

TEST(DrillRecordFile, ADamagedFileIsSetAsideWithAMessageAndNeverWrittenOver) {
    TempFolder folder;
    const auto path = folder.Path() / "drill-record.json";
    const auto good = RecordToText(BigRecord(1));
    // Each is damaged in its own way: cut short, not JSON, another version, more misses than decisions,
    // misses not matching their mistakes, a cell no hand can be.
    std::string moreMissed = good;
    moreMissed.replace(moreMissed.find("\"missed\": 1"), 11, "\"missed\": 9");
    std::string uncounted = good;
    uncounted.replace(uncounted.find("\"count\": 1"), 10, "\"count\": 2");
    std::string badCell = good;
    badCell.replace(badCell.find("\"up\": 2"), 7, "\"up\": 1");
    std::string otherVersion = good;
    otherVersion.replace(otherVersion.find("\"version\": 1"), 12, "\"version\": 2");
    const std::vector<std::string> damaged = {good.substr(0, good.size() / 2), "\x01\x02garbage", otherVersion,
                                              moreMissed, uncounted, badCell};
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        WriteAll(path.string(), Bytes(damaged[i]));
        DrillKeeper keeper(path);
        const auto message = keeper.Load();
        ASSERT_TRUE(message.has_value());
        EXPECT_NE(message->find("set aside"), std::string::npos) << *message;
        EXPECT_TRUE(keeper.Record().Cells().empty());
        // The damaged bytes are kept under a name of their own: the first ".damaged", the next numbered.
        const std::string aside = path.string() + (i == 0 ? ".damaged" : ".damaged-" + std::to_string(i + 1));
        EXPECT_EQ(ReadAll(aside), Bytes(damaged[i]));
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    EXPECT_TRUE(RecordFromText(good).has_value());
}

TEST(DrillRecordFile, TheRecordLivesInTheUsersDataFolder) {
    const char* savedXdg = std::getenv("XDG_DATA_HOME");
    const std::string kept = savedXdg ? savedXdg : "";
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("XDG_DATA_HOME", "/data/home", 1);
    EXPECT_EQ(DefaultRecordPath(), std::filesystem::path("/data/home/zvx/drill-record.json"));
    ::setenv("XDG_DATA_HOME", "relative", 1); // not a usable data home
    ::setenv("HOME", "/home/player", 1);
    EXPECT_EQ(DefaultRecordPath(), std::filesystem::path("/home/player/.local/share/zvx/drill-record.json"));
    ::setenv("HOME", home.c_str(), 1);
    if (savedXdg) ::setenv("XDG_DATA_HOME", kept.c_str(), 1);
    else ::unsetenv("XDG_DATA_HOME");
}

} // namespace
} // namespace zvx
