#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "drill/drill_record.h"

namespace zvx {

// The largest record file read: several times the fullest record this program can write (every cell of the
// chart with every kind of mistake), so a larger file is no record of ours and is set aside unread.
inline constexpr std::size_t RecordFileLimit = 8u << 20;

// The record's place: $XDG_DATA_HOME/zvx/drill-record.json, or ~/.local/share/zvx/drill-record.json when that
// is not set. Empty when neither variable gives a folder.
std::filesystem::path DefaultRecordPath();

// The file's text, and its reading: nothing when the text is not a record this program writes (bad JSON,
// another format or version, counts or cells out of range).
std::string RecordToText(const DrillRecord::CellMap& cells);
std::optional<DrillRecord::CellMap> RecordFromText(const std::string& text);

struct RecordLoad {
    DrillRecord::CellMap Cells;
    std::optional<std::string> Message; // for the player: what happened to a file that could not be used
    bool Writable = true;               // false when a file is there that must not be written over
};

// Reads the record. A missing file is an empty record. A damaged or foreign one, or one larger than
// RecordFileLimit, is renamed beside itself (".damaged", numbered when that is taken), and a folder, a pipe or a
// device at its name is moved aside as ".unreadable"; the record then starts afresh, with one message. A file
// that cannot be read (no permission) or cannot be set aside is left alone and the record is not written this
// session. Nothing here blocks or reads more than the limit.
RecordLoad LoadRecordFile(const std::filesystem::path& path);

// Writes the record through SaveFileReplacing, so a failure or a kill at any moment leaves either the old file
// or the new. Makes the folder when missing. Returns the reason when it fails. `afterChunk` (for tests) runs after each piece is written.
std::optional<std::string> SaveRecordFile(const std::filesystem::path& path, const DrillRecord::CellMap& cells,
                                          const std::function<void(std::size_t written)>& afterChunk = {});

} // namespace zvx
