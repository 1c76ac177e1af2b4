#include "engine/safe_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zvx {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t SaveChunk = 4096;
// Room left in a file name for the temporary file's own marks, under the usual limit of 255 bytes.
constexpr std::size_t TemporaryStemLimit = 200;
constexpr mode_t FallbackUmask = 022;

// A descriptor that closes itself.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    void Take(int fd) { fd_ = fd; }
    int Get() const { return fd_; }
    // Closes now, for a caller that must know whether the close failed.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// The one opener: without blocking, and only what is a plain file once opened (a link to a plain file is one).
struct Opened {
    Descriptor File;
    RecordReadDetail Detail;
};

void OpenForReading(const std::string& path, Opened& opened) {
    RecordReadDetail& d = opened.Detail;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        d.Error = errno;
        // A folder cannot always be opened at all; it is still no file.
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) d.Status = RecordReadStatus::NotAFile;
        return;
    }
    opened.File.Take(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        d.Status = RecordReadStatus::NotAFile;
        return;
    }
    d.Length = info.st_size;
    d.Status = RecordReadStatus::Ok;
}

// Reads up to `size` bytes; fewer only at the end of the file or on an error (then in `error`).
std::size_t ReadUpTo(int fd, std::uint8_t* into, std::size_t size, int& error) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, into + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = errno;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    return got;
}

// The permissions a new file gets from the process's umask, which cannot be read without changing it except
// from the kernel's own account of the process.
mode_t NewFileMode() {
    mode_t mask = FallbackUmask;
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        while (std::fgets(line, sizeof line, status) != nullptr)
            if (std::strncmp(line, "Umask:", 6) == 0) {
                mask = static_cast<mode_t>(std::strtoul(line + 6, nullptr, 8));
                break;
            }
        std::fclose(status);
    }
    return 0666 & ~mask;
}

fs::path FolderOf(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes, const std::function<void(std::size_t)>& afterChunk) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const std::size_t piece = std::min(SaveChunk, bytes.size() - written);
        const ssize_t n = ::write(fd, bytes.data() + written, piece);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        written += static_cast<std::size_t>(n);
        if (afterChunk) afterChunk(written);
    }
    return true;
}

} // namespace

RecordReadDetail ReadRecordFileDetail(const std::string& path, std::span<std::uint8_t> record) {
    Opened opened;
    OpenForReading(path, opened);
    RecordReadDetail& d = opened.Detail;
    if (d.Status != RecordReadStatus::Ok) return d;
    const std::size_t got = ReadUpTo(opened.File.Get(), record.data(), record.size(), d.Error);
    std::uint8_t extra = 0;
    int ignored = 0;
    d.Longer = got == record.size() && ReadUpTo(opened.File.Get(), &extra, 1, ignored) == 1;
    d.Status = got == record.size() ? RecordReadStatus::Ok : RecordReadStatus::ReadFailed;
    return d;
}

RecordReadStatus ReadRecordFile(const std::string& path, std::span<std::uint8_t> record, bool* longer) {
    const RecordReadDetail d = ReadRecordFileDetail(path, record);
    if (longer != nullptr) *longer = d.Longer;
    return d.Status;
}

WholeFileRead ReadWholeFile(const std::string& path, std::size_t limit) {
    WholeFileRead result;
    Opened opened;
    OpenForReading(path, opened);
    result.Detail = opened.Detail;
    RecordReadDetail& d = result.Detail;
    if (d.Status != RecordReadStatus::Ok) return result;
    // The length is only what the file was when opened: it is read up to one byte past the limit whatever it
    // says, so a file that grows meanwhile is still never taken in whole.
    if (static_cast<std::uint64_t>(d.Length) > limit) {
        d.Status = RecordReadStatus::TooLarge;
        return result;
    }
    std::vector<std::uint8_t> buffer(std::min<std::size_t>(limit, static_cast<std::size_t>(d.Length)) + 1);
    std::size_t got = 0;
    for (;;) {
        got += ReadUpTo(opened.File.Get(), buffer.data() + got, buffer.size() - got, d.Error);
        if (d.Error != 0) {
            d.Status = RecordReadStatus::ReadFailed;
            return result;
        }
        if (got < buffer.size()) break;
        if (got > limit) {
            d.Status = RecordReadStatus::TooLarge;
            return result;
        }
        buffer.resize(std::min(limit + 1, 2 * buffer.size()));
    }
    result.Bytes.assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got));
    d.Length = static_cast<std::int64_t>(got);
    return result;
}

std::optional<std::string> ReadPlainTextFile(const std::string& path, std::string* why, std::size_t limit) {
    WholeFileRead read = ReadWholeFile(path, limit);
    auto fail = [why](std::string reason) -> std::optional<std::string> {
        if (why != nullptr) *why = std::move(reason);
        return std::nullopt;
    };
    switch (read.Detail.Status) {
    case RecordReadStatus::Ok: return std::move(read.Bytes);
    case RecordReadStatus::NotAFile: return fail("not a plain file");
    case RecordReadStatus::TooLarge: return fail("larger than " + std::to_string(limit) + " bytes");
    case RecordReadStatus::NotFound:
    case RecordReadStatus::ReadFailed: break;
    }
    return fail(std::generic_category().message(read.Detail.Error != 0 ? read.Detail.Error : EIO));
}

bool MayReplace(const std::string& path, std::error_code* why) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) return true;
    if (why != nullptr)
        *why = std::make_error_code(S_ISDIR(info.st_mode) ? std::errc::is_a_directory : std::errc::operation_not_permitted);
    return false;
}

std::optional<std::string> SaveProblem(const std::string& path) {
    if (!MayReplace(path)) return "it is not a plain file";
    std::error_code ec;
    const fs::path folder = FolderOf(path);
    if (!fs::is_directory(folder, ec) || ::access(folder.c_str(), W_OK | X_OK) != 0)
        return "no such folder, or not writable";
    return std::nullopt;
}

bool SaveFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes, std::error_code* why,
                       const std::function<void(std::size_t)>& afterChunk) {
    auto fail = [why](int error) {
        if (why != nullptr) *why = std::error_code(error != 0 ? error : EIO, std::generic_category());
        return false;
    };
    std::error_code refusal;
    if (!MayReplace(path, &refusal)) {
        if (why != nullptr) *why = refusal;
        return false;
    }
    // The temporary file's name: hidden, after the target's, with six characters no other save shares.
    const fs::path target(path);
    std::string stem = target.filename().string();
    if (stem.size() > TemporaryStemLimit) stem.resize(TemporaryStemLimit);
    std::string name = (FolderOf(path) / ("." + stem + ".tmp-XXXXXX")).string();
    // O_EXCL: a name that exists in any form, a link or a pipe included, is passed over for another.
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return fail(errno);
    Descriptor file(fd);
    auto discard = [&name, &fail](int error) {
        ::unlink(name.c_str());
        return fail(error);
    };
    // The saved file keeps the permissions of the one it replaces; a new one gets the usual ones.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : NewFileMode();
    if (::fchmod(fd, mode) != 0) return discard(errno);
    if (!WriteAll(fd, bytes, afterChunk)) return discard(errno);
    if (::fsync(fd) != 0) return discard(errno);
    if (file.Close() != 0) return discard(errno);
    if (::rename(name.c_str(), path.c_str()) != 0) return discard(errno);
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    if (why != nullptr) why->clear();
    return true;
}

bool SaveTextReplacing(const std::string& path, const std::string& text, std::error_code* why) {
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    return SaveFileReplacing(path, bytes, why);
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    const fs::path placeA = fs::weakly_canonical(fs::absolute(a, ec), ec);
    if (ec) return a == b;
    const fs::path placeB = fs::weakly_canonical(fs::absolute(b, ec), ec);
    if (ec) return a == b;
    return placeA == placeB;
}

} // namespace zvx
