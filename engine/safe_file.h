#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <system_error>

namespace zvx {

// The one way this program reads a file and the one way it writes one.
//
// A read opens without blocking and looks at what it opened before reading a byte, so a pipe, a device or a
// folder named like a saved file is refused instead of waited on (or read for ever, as /dev/zero would be), and
// it never takes in more than its caller's size limit.
//
// A save writes a temporary file of a fresh name of its own, made exclusively in the target's folder (a link or
// a pipe already at some name is never opened, let alone followed), flushes it to the disk and renames it over
// the target, so a failure or a kill at any moment leaves the old file or the new one. A failed save removes its
// temporary file; one left by a kill is never read or reused by anything, since no two saves share a name.

enum class RecordReadStatus {
    Ok,
    NotFound,   // the file could not be opened
    ReadFailed, // opened, but a whole record could not be read
    NotAFile,   // a folder, a pipe, a device: nothing a record was ever saved as
    TooLarge,   // longer than the reader's limit: not read at all
};

// What a read found out beyond its status: the system's reason when it failed, and the file's length.
struct RecordReadDetail {
    RecordReadStatus Status = RecordReadStatus::NotFound;
    int Error = 0;           // errno of a failed open or read
    std::int64_t Length = 0; // of a plain file
    bool Longer = false;     // the file goes on past the record
};

// Reads the first `record.size()` bytes of a plain file; `Longer` tells whether it goes on.
RecordReadDetail ReadRecordFileDetail(const std::string& path, std::span<std::uint8_t> record);

// Reads the first `size` bytes of the file; a longer file is read for its first record only.
RecordReadStatus ReadRecordFile(const std::string& path, std::span<std::uint8_t> record, bool* longer = nullptr);

// A whole file, when it is a plain file of at most `limit` bytes.
struct WholeFileRead {
    RecordReadDetail Detail; // Longer is unused; TooLarge when the file passes the limit
    std::string Bytes;
};
WholeFileRead ReadWholeFile(const std::string& path, std::size_t limit);

// The largest text file ReadPlainTextFile takes: far beyond any manifest this program writes.
inline constexpr std::size_t PlainTextLimit = 16u << 20;

// Reads a whole plain text file of at most `limit` bytes. Nothing when it cannot be read; `why` then says why,
// in words ("not a plain file", "larger than 16777216 bytes", or the system's reason).
std::optional<std::string> ReadPlainTextFile(const std::string& path, std::string* why = nullptr,
                                             std::size_t limit = PlainTextLimit);

// Whether a save may put a new file at `path`: nothing is there yet, or a plain file is (a link to one
// counts as one; the save replaces the link, never the file it points to). A folder, a device or a pipe is
// never replaced by a renamed temporary. `why`, when given, receives the reason of a refusal: "Is a
// directory", or for a device or a pipe "Operation not permitted".
bool MayReplace(const std::string& path, std::error_code* why = nullptr);

// What stands in the way of saving at `path`, checked before any work so that a wrong name costs nothing:
// "it is not a plain file" or "no such folder, or not writable". Nothing when a save may go ahead.
std::optional<std::string> SaveProblem(const std::string& path);

// Saves `bytes` as the file `path` as told above. A target that exists and is not a plain file is refused
// before anything is written, and so is a missing folder. `why`, when given, receives the reason of a
// failure. `afterChunk` (for tests) runs after each piece of the temporary file is written.
bool SaveFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes, std::error_code* why = nullptr,
                       const std::function<void(std::size_t written)>& afterChunk = {});
bool SaveTextReplacing(const std::string& path, const std::string& text, std::error_code* why = nullptr);

// Whether two names are one file: the same place once links and "." and ".." are resolved, or (both existing)
// the same file under two names.
bool SameFile(const std::string& a, const std::string& b);

} // namespace zvx
