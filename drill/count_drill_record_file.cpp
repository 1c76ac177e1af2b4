#include "drill/count_drill_record_file.h"

#include "engine/safe_file.h"

#include <cerrno>
#include <cstdint>
#include <span>
#include <system_error>

namespace zvx {

namespace {

constexpr char FileName[] = "count-drill-record.json";
// Several times the fullest record: every session it keeps, each with its longest figures. A larger file is
// no record of ours and is set aside unread.
constexpr std::size_t CountRecordFileLimit = 4u << 20;

std::filesystem::path SetAsideName(const std::filesystem::path& path, const std::string& kind) {
    std::filesystem::path candidate = path;
    candidate += "." + kind;
    std::error_code ec;
    for (int n = 2;
         std::filesystem::symlink_status(candidate, ec).type() != std::filesystem::file_type::not_found &&
         n < 1000;
         ++n) {
        candidate = path;
        candidate += "." + kind + "-" + std::to_string(n);
    }
    return candidate;
}

// Moves what stands at the record's name out of its way, so a new record can be written there and the old
// bytes are still the player's to look at.
CountRecordLoad SetAside(const std::filesystem::path& path, const std::string& kind,
                         const std::string& reason) {
    CountRecordLoad load;
    const auto aside = SetAsideName(path, kind);
    std::error_code ec;
    std::filesystem::rename(path, aside, ec);
    if (ec) {
        load.Writable = false;
        load.Message = "Your count drill record " + path.string() + " cannot be used (" + reason +
                       ") and could not be set aside (" + ec.message() +
                       "). It is left as it is, and this session's drills are not kept.";
        return load;
    }
    load.Message = "Your count drill record could not be used (" + reason + "). It has been set aside as " +
                   aside.string() + " and a new record is started.";
    return load;
}

} // namespace

std::filesystem::path CountRecordPathBeside(const std::filesystem::path& mistakesRecord) {
    return mistakesRecord.parent_path() / FileName;
}

CountRecordLoad LoadCountRecordFile(const std::filesystem::path& path) {
    const WholeFileRead read = ReadWholeFile(path.string(), CountRecordFileLimit);
    const RecordReadDetail& d = read.Detail;
    switch (d.Status) {
    case RecordReadStatus::Ok:
        break;
    case RecordReadStatus::NotFound:
        if (d.Error == ENOENT) return {};
        [[fallthrough]];
    case RecordReadStatus::ReadFailed: {
        // No permission, or the disk fails: the file may be fine, so it is neither moved nor written over.
        CountRecordLoad load;
        load.Writable = false;
        load.Message = "Your count drill record " + path.string() + " cannot be read (" +
                       std::generic_category().message(d.Error != 0 ? d.Error : EIO) +
                       "). It is left as it is, and this session's drills are not kept.";
        return load;
    }
    case RecordReadStatus::NotAFile:
        return SetAside(path, "unreadable", "it is not a plain file");
    case RecordReadStatus::TooLarge:
        return SetAside(path, "damaged", "it is larger than any record");
    }
    auto record = CountRecordFromText(read.Bytes);
    if (!record) return SetAside(path, "damaged", "it is damaged, or not a record this version writes");
    CountRecordLoad load;
    load.Record = std::move(*record);
    return load;
}

std::optional<std::string> SaveCountRecordFile(const std::filesystem::path& path,
                                               const CountDrillRecord& record,
                                               const std::function<void(std::size_t)>& afterChunk) {
    std::error_code ec;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ec);
        if (ec) return "Cannot make the folder " + path.parent_path().string() + ": " + ec.message();
    }
    const std::string text = CountRecordToText(record);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
    if (!SaveFileReplacing(path.string(), bytes, &ec, afterChunk))
        return "Cannot write " + path.string() + ": " + ec.message();
    return std::nullopt;
}

} // namespace zvx
