#include "drill/count_drill_record_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

namespace zvx {

namespace {

constexpr char FileName[] = "count-drill-record.json";
constexpr std::size_t ChunkSize = 4096;

std::string Reason(const char* what, const std::filesystem::path& path, int error) {
    return std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

std::filesystem::path SetAsideName(const std::filesystem::path& path) {
    std::filesystem::path candidate = path;
    candidate += ".damaged";
    for (int n = 2; std::filesystem::exists(candidate) && n < 1000; ++n) {
        candidate = path;
        candidate += ".damaged-" + std::to_string(n);
    }
    return candidate;
}

} // namespace

std::filesystem::path CountRecordPathBeside(const std::filesystem::path& mistakesRecord) {
    return mistakesRecord.parent_path() / FileName;
}

CountRecordLoad LoadCountRecordFile(const std::filesystem::path& path) {
    CountRecordLoad load;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        if (ec) {
            load.Writable = false;
            load.Message = "Your count drill record at " + path.string() + " cannot be reached (" +
                           ec.message() + "): this session's drills are not kept.";
        }
        return load;
    }
    std::ifstream in(path, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof()) {
        load.Writable = false;
        load.Message = Reason("Your count drill record cannot be read:", path, errno) +
                       ". It is left as it is, and this session's drills are not kept.";
        return load;
    }
    if (auto record = CountRecordFromText(text)) {
        load.Record = std::move(*record);
        return load;
    }
    const auto aside = SetAsideName(path);
    std::filesystem::rename(path, aside, ec);
    if (ec) {
        load.Writable = false;
        load.Message = "Your count drill record " + path.string() +
                       " is damaged and could not be set aside (" + ec.message() +
                       "). It is left as it is, and this session's drills are not kept.";
        return load;
    }
    load.Message = "Your count drill record was damaged. It has been set aside as " + aside.string() +
                   " and a new record is started.";
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
    std::string temporary = path.string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return Reason("Cannot write beside", path, errno);
    const std::string text = CountRecordToText(record);
    std::size_t written = 0;
    int error = 0;
    while (written < text.size() && error == 0) {
        const ssize_t n = ::write(fd, text.data() + written, std::min(ChunkSize, text.size() - written));
        if (n < 0 && errno != EINTR) error = errno;
        if (n > 0) written += static_cast<std::size_t>(n);
        if (n > 0 && afterChunk) afterChunk(written);
    }
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        std::filesystem::remove(temporary, ec);
        return Reason("Cannot write", path, error);
    }
    return std::nullopt;
}

} // namespace zvx
