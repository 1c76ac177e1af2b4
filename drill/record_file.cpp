#include "drill/record_file.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <span>
#include <system_error>

#include "engine/safe_file.h"

namespace zvx {

namespace {

using nlohmann::json;

constexpr char FormatName[] = "zvx drill record";
constexpr int FormatVersion = 1;
constexpr char FileName[] = "drill-record.json";
constexpr int MaxCount = 1'000'000'000;
constexpr double MaxCost = 1e9;

constexpr std::array<std::pair<HandKind, const char*>, 3> KindNames = {
    {{HandKind::Hard, "hard"}, {HandKind::Soft, "soft"}, {HandKind::Pair, "pair"}}};
constexpr std::array<std::pair<Action, const char*>, 5> ActionNames = {
    {{Stand, "stand"}, {Hit, "hit"}, {DoubleDown, "double"}, {Split, "split"}, {Surrender, "surrender"}}};

template <class T, std::size_t N>
const char* NameOf(const std::array<std::pair<T, const char*>, N>& names, T value) {
    for (const auto& [v, name] : names)
        if (v == value) return name;
    return "";
}

template <class T, std::size_t N>
std::optional<T> ValueOf(const std::array<std::pair<T, const char*>, N>& names, const json& j) {
    if (!j.is_string()) return std::nullopt;
    for (const auto& [v, name] : names)
        if (j.get<std::string>() == name) return v;
    return std::nullopt;
}

std::optional<int> Count(const json& j) {
    if (!j.is_number_integer()) return std::nullopt;
    const auto n = j.get<std::int64_t>();
    if (n < 0 || n > MaxCount) return std::nullopt;
    return static_cast<int>(n);
}

std::optional<double> Cost(const json& j) {
    if (!j.is_number()) return std::nullopt;
    const double c = j.get<double>();
    if (!std::isfinite(c) || std::abs(c) > MaxCost) return std::nullopt;
    return c;
}

std::optional<MistakeTally> MistakeFrom(const json& j) {
    if (!j.is_object()) return std::nullopt;
    const auto taken = ValueOf(ActionNames, j.value("taken", json()));
    const auto right = ValueOf(ActionNames, j.value("right", json()));
    const auto count = Count(j.value("count", json()));
    const auto cost = Cost(j.value("cost", json()));
    const json advice = j.value("advice", json(""));
    if (!taken || !right || *taken == *right || !count || *count == 0 || !cost || !advice.is_string())
        return std::nullopt;
    return MistakeTally{*taken, *right, *count, *cost, advice.get<std::string>()};
}

std::optional<std::pair<DrillCell, CellTally>> CellFrom(const json& j) {
    if (!j.is_object()) return std::nullopt;
    const auto kind = ValueOf(KindNames, j.value("hand", json()));
    const auto total = Count(j.value("total", json()));
    const auto up = Count(j.value("up", json()));
    const auto judged = Count(j.value("judged", json()));
    const auto missed = Count(j.value("missed", json()));
    const auto cost = Cost(j.value("cost", json()));
    const json last = j.value("last_missed", json());
    const json mistakes = j.value("mistakes", json::array());
    if (!kind || !total || !up || !judged || !missed || !cost || !last.is_boolean() || !mistakes.is_array())
        return std::nullopt;
    const DrillCell cell{*kind, *total, *up};
    if (!IsPlausibleCell(cell) || *missed > *judged || (last.get<bool>() && *missed == 0)) return std::nullopt;
    CellTally tally{*judged, *missed, *cost, last.get<bool>(), {}};
    int counted = 0;
    for (const json& m : mistakes) {
        auto mistake = MistakeFrom(m);
        if (!mistake) return std::nullopt;
        counted += mistake->Count;
        tally.Mistakes.push_back(std::move(*mistake));
    }
    // Every miss is one of the cell's mistakes.
    if (counted != *missed) return std::nullopt;
    return std::pair{cell, std::move(tally)};
}

// The first free name beside the file for a copy set aside: ".damaged", then ".damaged-2" and on. A link
// there counts as taken, as anything does.
std::filesystem::path SetAsideName(const std::filesystem::path& path, const std::string& kind) {
    std::filesystem::path candidate = path;
    candidate += "." + kind;
    std::error_code ec;
    for (int n = 2; std::filesystem::symlink_status(candidate, ec).type() != std::filesystem::file_type::not_found &&
                    n < 1000;
         ++n) {
        candidate = path;
        candidate += "." + kind + "-" + std::to_string(n);
    }
    return candidate;
}

std::string NotAFileReason(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return "it is a folder";
    if (std::filesystem::is_fifo(path, ec)) return "it is a pipe";
    return "it is a device or something else that is not a file";
}

// Moves what stands at the record's name out of its way, so a new record can be written there and the old
// bytes are still the player's to look at.
RecordLoad SetAside(const std::filesystem::path& path, const std::string& kind, const std::string& reason) {
    RecordLoad load;
    const auto aside = SetAsideName(path, kind);
    std::error_code ec;
    std::filesystem::rename(path, aside, ec);
    if (ec) {
        load.Writable = false;
        load.Message = "Your drill record " + path.string() + " cannot be used (" + reason +
                       ") and could not be set aside (" + ec.message() +
                       "). It is left as it is, and this session's decisions are not kept.";
        return load;
    }
    load.Message = "Your drill record could not be used (" + reason + "). It has been set aside as " +
                   aside.string() + " and a new record is started.";
    return load;
}

} // namespace

std::filesystem::path DefaultRecordPath() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    // A relative XDG folder is to be ignored, as the convention asks.
    if (dataHome != nullptr && *dataHome == '/') return std::filesystem::path(dataHome) / "zvx" / FileName;
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') return {};
    return std::filesystem::path(home) / ".local" / "share" / "zvx" / FileName;
}

std::string RecordToText(const DrillRecord::CellMap& cells) {
    json list = json::array();
    for (const auto& [cell, tally] : cells) {
        json mistakes = json::array();
        for (const MistakeTally& m : tally.Mistakes)
            mistakes.push_back({{"taken", NameOf(ActionNames, m.Taken)},
                                {"right", NameOf(ActionNames, m.Right)},
                                {"count", m.Count},
                                {"cost", m.Cost},
                                {"advice", m.Advice}});
        list.push_back({{"hand", NameOf(KindNames, cell.Kind)},
                        {"total", cell.Total},
                        {"up", cell.UpCard},
                        {"judged", tally.Judged},
                        {"missed", tally.Missed},
                        {"cost", tally.Cost},
                        {"last_missed", tally.LastMissed},
                        {"mistakes", std::move(mistakes)}});
    }
    const json file = {{"format", FormatName}, {"version", FormatVersion}, {"cells", std::move(list)}};
    return file.dump(1) + "\n";
}

std::optional<DrillRecord::CellMap> RecordFromText(const std::string& text) {
    const json file = json::parse(text, nullptr, false);
    if (file.is_discarded() || !file.is_object()) return std::nullopt;
    if (file.value("format", json()) != FormatName || file.value("version", json()) != FormatVersion)
        return std::nullopt;
    const json cells = file.value("cells", json());
    if (!cells.is_array()) return std::nullopt;
    DrillRecord::CellMap result;
    for (const json& c : cells) {
        auto entry = CellFrom(c);
        if (!entry || !result.emplace(std::move(*entry)).second) return std::nullopt;
    }
    return result;
}

RecordLoad LoadRecordFile(const std::filesystem::path& path) {
    const WholeFileRead read = ReadWholeFile(path.string(), RecordFileLimit);
    const RecordReadDetail& d = read.Detail;
    switch (d.Status) {
    case RecordReadStatus::Ok: break;
    case RecordReadStatus::NotFound:
        if (d.Error == ENOENT) return {};
        [[fallthrough]];
    case RecordReadStatus::ReadFailed: {
        // No permission, or the disk fails: the file may be fine, so it is neither moved nor written over.
        RecordLoad load;
        load.Writable = false;
        load.Message = "Your drill record " + path.string() + " cannot be read (" +
                       std::generic_category().message(d.Error != 0 ? d.Error : EIO) +
                       "). It is left as it is, and this session's decisions are not kept.";
        return load;
    }
    case RecordReadStatus::NotAFile: return SetAside(path, "unreadable", NotAFileReason(path));
    case RecordReadStatus::TooLarge:
        return SetAside(path, "damaged",
                        "it is larger than " + std::to_string(RecordFileLimit >> 20) + " MB, more than any record holds");
    }
    RecordLoad load;
    auto cells = RecordFromText(read.Bytes);
    if (!cells) return SetAside(path, "damaged", "it is damaged, or not a record this version writes");
    load.Cells = std::move(*cells);
    return load;
}

std::optional<std::string> SaveRecordFile(const std::filesystem::path& path, const DrillRecord::CellMap& cells,
                                          const std::function<void(std::size_t)>& afterChunk) {
    std::error_code ec;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ec);
        if (ec) return "Cannot make the folder " + path.parent_path().string() + ": " + ec.message();
    }
    const std::string text = RecordToText(cells);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    if (!SaveFileReplacing(path.string(), bytes, &ec, afterChunk))
        return "Cannot write " + path.string() + ": " + ec.message();
    return std::nullopt;
}

} // namespace zvx
