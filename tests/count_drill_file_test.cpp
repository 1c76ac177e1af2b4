#include "drill/count_drill_record_file.h"
#include "tests/temp_folder.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace zvx {
namespace {

using testing::ReadAll;
using testing::TempFolder;
using testing::WriteAll;

std::vector<std::uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

// A record of many sessions: several pieces long when written.
CountDrillRecord Sessions(int count) {
    CountDrillRecord record;
    for (int i = 0; i < count; ++i)
        record.Add(CountSessionResult{static_cast<CountDrillKind>(i % 3),
                                      static_cast<CountingSystemId>(i % 6), 1765000000 + i, 1 + i % 4, i % 4,
                                      52 * (i % 5), 10.5 + i, 0.5 * (i % 20)});
    record.OfferCountdown(CountingSystemId::Zen, 33.25);
    return record;
}

TEST(CountDrillRecordFile, LivesBesideTheMistakesRecordAndReadsBackWhatWasWritten) {
    TempFolder folder;
    const auto path = CountRecordPathBeside(folder.Path() / "deep" / "zvx" / "drill-record.json");
    EXPECT_EQ(path, folder.Path() / "deep" / "zvx" / "count-drill-record.json");
    const CountRecordLoad missing = LoadCountRecordFile(path);
    EXPECT_EQ(missing.Message, std::nullopt) << "no file yet is an empty record";
    EXPECT_TRUE(missing.Writable);
    EXPECT_TRUE(missing.Record.Sessions.empty());

    const CountDrillRecord record = Sessions(12);
    ASSERT_EQ(SaveCountRecordFile(path, record), std::nullopt); // the folders are made
    const CountRecordLoad load = LoadCountRecordFile(path);
    EXPECT_EQ(load.Message, std::nullopt);
    EXPECT_EQ(load.Record, record);
    // Nothing but the record is left in the folder.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(path.parent_path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST(CountDrillRecordFile, AKillDuringAWriteLeavesTheOldFileWhole) {
    TempFolder folder;
    const auto path = folder.Path() / "count-drill-record.json";
    const CountDrillRecord old = Sessions(3);
    ASSERT_EQ(SaveCountRecordFile(path, old), std::nullopt);
    const auto oldBytes = ReadAll(path.string());
    const CountDrillRecord bigger = Sessions(200);
    ASSERT_GT(CountRecordToText(bigger).size(), 2 * 4096u);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The process dies with the new record half written.
        SaveCountRecordFile(path, bigger, [](std::size_t) { ::raise(SIGKILL); });
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);

    EXPECT_EQ(ReadAll(path.string()), oldBytes);
    EXPECT_EQ(LoadCountRecordFile(path).Record, old);
    ASSERT_EQ(SaveCountRecordFile(path, bigger), std::nullopt);
    EXPECT_EQ(LoadCountRecordFile(path).Record, bigger);
}

TEST(CountDrillRecordFile, ADamagedFileIsSetAsideAndNeverWrittenOver) {
    TempFolder folder;
    const auto path = folder.Path() / "count-drill-record.json";
    const std::string good = CountRecordToText(Sessions(4));
    WriteAll(path.string(), Bytes(good.substr(0, good.size() / 2)));
    const CountRecordLoad load = LoadCountRecordFile(path);
    ASSERT_TRUE(load.Message.has_value());
    EXPECT_NE(load.Message->find("set aside"), std::string::npos) << *load.Message;
    EXPECT_TRUE(load.Writable);
    EXPECT_TRUE(load.Record.Sessions.empty());
    EXPECT_EQ(ReadAll(path.string() + ".damaged"), Bytes(good.substr(0, good.size() / 2)));
    EXPECT_FALSE(std::filesystem::exists(path));

    // A folder by the record's name is moved out of the way unread, and the next save writes the record.
    std::filesystem::create_directory(path);
    const CountRecordLoad folderLoad = LoadCountRecordFile(path);
    ASSERT_TRUE(folderLoad.Message.has_value());
    EXPECT_TRUE(folderLoad.Writable);
    EXPECT_TRUE(std::filesystem::is_directory(path.string() + ".unreadable"));
    EXPECT_EQ(SaveCountRecordFile(path, Sessions(2)), std::nullopt);
    EXPECT_EQ(LoadCountRecordFile(path).Record, Sessions(2));
}

} // namespace
} // namespace zvx
