#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "drill/drill_record.h"

namespace zvx {

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

// Reads the record. A missing file is an empty record. A damaged one is renamed beside itself (".damaged",
// numbered when that is taken) and the record starts afresh; a file that can be neither read nor set aside is
// left alone and the record is not written this session.
RecordLoad LoadRecordFile(const std::filesystem::path& path);

// Writes the record to a temporary file in the same folder, flushes it to the disk and renames it over the
// old one, so a failure or a kill at any moment leaves either the old file or the new. Makes the folder when
// missing. Returns the reason when it fails. `afterChunk` (for tests) runs after each piece is written.
std::optional<std::string> SaveRecordFile(const std::filesystem::path& path, const DrillRecord::CellMap& cells,
                                          const std::function<void(std::size_t written)>& afterChunk = {});

} // namespace zvx
