#pragma once

#include "drill/count_drill_record.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace zvx {

// The count drill record lives beside the mistakes record: the same folder, "count-drill-record.json".
std::filesystem::path CountRecordPathBeside(const std::filesystem::path& mistakesRecord);

struct CountRecordLoad {
    CountDrillRecord Record;
    std::optional<std::string> Message; // for the player: what happened to a file that could not be used
    bool Writable = true;               // false when a file is there that must not be written over
};

// Reads the record. A missing file is an empty record; a damaged one is set aside beside itself (".damaged")
// and the record starts afresh; a file that can be neither read nor set aside is left alone and not written
// over.
CountRecordLoad LoadCountRecordFile(const std::filesystem::path& path);

// Writes the record so that a failure or a kill at any moment leaves either the old file whole or the new
// one. Returns the reason when it fails. `afterChunk` (for tests) runs after each piece is written.
std::optional<std::string>
SaveCountRecordFile(const std::filesystem::path& path, const CountDrillRecord& record,
                    const std::function<void(std::size_t written)>& afterChunk = {});

} // namespace zvx
