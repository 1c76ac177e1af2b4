#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cerrno>
#include <filesystem>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zvx {

// Little-endian put/get at a byte offset. Records on disk are written field by field with these, never by copying
// structs, so the layout does not depend on the compiler's padding or the machine's byte order.

inline void PutU8(std::span<std::uint8_t> out, std::size_t at, std::uint8_t v) { out[at] = v; }

inline void PutU16(std::span<std::uint8_t> out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<std::uint8_t>(v & 0xFFu);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void PutU32(std::span<std::uint8_t> out, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFFu);
}

inline void PutI32(std::span<std::uint8_t> out, std::size_t at, std::int32_t v) {
    PutU32(out, at, static_cast<std::uint32_t>(v));
}

inline std::uint8_t GetU8(std::span<const std::uint8_t> in, std::size_t at) { return in[at]; }

inline std::uint16_t GetU16(std::span<const std::uint8_t> in, std::size_t at) {
    return static_cast<std::uint16_t>(in[at] | (in[at + 1] << 8));
}

inline std::uint32_t GetU32(std::span<const std::uint8_t> in, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(in[at + i]) << (8 * i);
    return v;
}

inline std::int32_t GetI32(std::span<const std::uint8_t> in, std::size_t at) {
    return static_cast<std::int32_t>(GetU32(in, at));
}

// The in-memory counters are wider than their file fields; a value that does not fit is written as the field's
// nearest end rather than wrapped, so a long run shows "very many" instead of a negative count.
template <typename Narrow>
Narrow Saturate(std::int64_t v) {
    if (v < static_cast<std::int64_t>(std::numeric_limits<Narrow>::min())) return std::numeric_limits<Narrow>::min();
    if (v > static_cast<std::int64_t>(std::numeric_limits<Narrow>::max())) return std::numeric_limits<Narrow>::max();
    return static_cast<Narrow>(v);
}

// Whole-record files.

enum class RecordReadStatus {
    Ok,
    NotFound,   // the file could not be opened
    ReadFailed, // opened, but a whole record could not be read
    NotAFile,   // a folder, a pipe, a device: nothing a record was ever saved as
};

// What a read found out beyond its status: the system's reason when it failed, and the file's length.
struct RecordReadDetail {
    RecordReadStatus Status = RecordReadStatus::NotFound;
    int Error = 0;           // errno of a failed open or read
    std::int64_t Length = 0; // of a plain file
    bool Longer = false;     // the file goes on past the record
};

// Reads the first `size` bytes of a plain file. The file is opened without blocking and checked before a
// byte is read, so a pipe or a device named like a saved file is refused instead of waited on forever.
inline RecordReadDetail ReadRecordFileDetail(const std::string& path, std::span<std::uint8_t> record) {
    RecordReadDetail d;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        d.Error = errno;
        // A folder cannot always be opened at all; it is still no file.
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) d.Status = RecordReadStatus::NotAFile;
        return d;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        d.Status = RecordReadStatus::NotAFile;
        ::close(fd);
        return d;
    }
    d.Length = info.st_size;
    std::size_t got = 0;
    while (got < record.size()) {
        const ssize_t n = ::read(fd, record.data() + got, record.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) d.Error = errno;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    std::uint8_t extra = 0;
    d.Longer = got == record.size() && ::read(fd, &extra, 1) == 1;
    ::close(fd);
    d.Status = got == record.size() ? RecordReadStatus::Ok : RecordReadStatus::ReadFailed;
    return d;
}

// Reads the first `size` bytes of the file; a longer file is read for its first record only.
inline RecordReadStatus ReadRecordFile(const std::string& path, std::span<std::uint8_t> record,
                                       bool* longer = nullptr) {
    const RecordReadDetail d = ReadRecordFileDetail(path, record);
    if (longer != nullptr) *longer = d.Longer;
    return d.Status;
}

// Reads a whole plain text file (a few megabytes at most are expected), refusing what is not a plain file
// as ReadRecordFileDetail does. Nothing when it cannot be read; `why` then says why, in words.
inline std::optional<std::string> ReadPlainTextFile(const std::string& path, std::string* why = nullptr) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    auto fail = [why](std::string reason) -> std::optional<std::string> {
        if (why != nullptr) *why = std::move(reason);
        return std::nullopt;
    };
    if (fd < 0) return fail(std::generic_category().message(errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return fail("not a plain file");
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return fail(std::generic_category().message(error));
        }
        if (n == 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

// Whether a save may put a new file at `path`: nothing is there yet, or a plain file is (a link to one
// counts as one). A folder, a device or a pipe is never replaced by a renamed temporary. `why`, when given,
// receives the reason of a refusal: "Is a directory", or for a device or a pipe "Operation not permitted".
inline bool MayReplace(const std::string& path, std::error_code* why = nullptr) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) return true;
    if (why != nullptr)
        *why = std::make_error_code(S_ISDIR(info.st_mode) ? std::errc::is_a_directory : std::errc::operation_not_permitted);
    return false;
}

// Writes the record to a temporary file beside `path` and renames it over the old file, so that a failed write
// never leaves the user with a truncated or missing file. On failure the temporary is removed and the old file is
// left as it was. A target that exists and is not a plain file is refused before anything is written.
// `why`, when given, receives the reason of a failure.
inline bool WriteRecordFileReplacing(const std::string& path, std::span<const std::uint8_t> record,
                                     std::error_code* why = nullptr) {
    namespace fs = std::filesystem;
    if (!MayReplace(path, why)) return false;
    const fs::path target(path);
    fs::path temp = target;
    temp += ".tmp~";

    std::error_code failure;
    auto note = [&failure] {
        if (!failure) failure = std::error_code(errno != 0 ? errno : EIO, std::generic_category());
    };
    errno = 0;
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    const bool opened = f != nullptr;
    bool ok = opened;
    if (!opened) note();
    if (opened) {
        ok = std::fwrite(record.data(), 1, record.size(), f) == record.size() && std::fflush(f) == 0;
        if (!ok) note();
        if (std::fclose(f) != 0) {
            note();
            ok = false;
        }
    }
    if (ok) {
        fs::rename(temp, target, failure);
        ok = !failure;
    }
    std::error_code ignored;
    if (!ok && opened) fs::remove(temp, ignored);
    if (why != nullptr) *why = failure;
    return ok;
}

} // namespace zvx
