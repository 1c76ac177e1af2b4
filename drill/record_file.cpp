#include "drill/record_file.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace zvx {

namespace {

using nlohmann::json;

constexpr char FormatName[] = "zvx drill record";
constexpr int FormatVersion = 1;
constexpr char FileName[] = "drill-record.json";
constexpr std::size_t ChunkSize = 4096;
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

std::optional<std::string> ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return text;
}

// The first free name beside the file for a damaged copy: ".damaged", then ".damaged-2" and on.
std::filesystem::path SetAsideName(const std::filesystem::path& path) {
    std::filesystem::path candidate = path;
    candidate += ".damaged";
    for (int n = 2; std::filesystem::exists(candidate) && n < 1000; ++n) {
        candidate = path;
        candidate += ".damaged-" + std::to_string(n);
    }
    return candidate;
}

std::string Reason(const char* what, const std::filesystem::path& path, int error) {
    return std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

bool WriteAllTo(int fd, const std::string& text, const std::function<void(std::size_t)>& afterChunk) {
    std::size_t written = 0;
    while (written < text.size()) {
        const std::size_t piece = std::min(ChunkSize, text.size() - written);
        const ssize_t n = ::write(fd, text.data() + written, piece);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        written += static_cast<std::size_t>(n);
        if (afterChunk) afterChunk(written);
    }
    return true;
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
    RecordLoad load;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        if (ec) {
            load.Writable = false;
            load.Message = "Your drill record at " + path.string() + " cannot be reached (" + ec.message() +
                           "): this session's decisions are not kept.";
        }
        return load;
    }
    const auto text = ReadWhole(path);
    if (!text) {
        load.Writable = false;
        load.Message = Reason("Your drill record cannot be read:", path, errno) +
                       ". It is left as it is, and this session's decisions are not kept.";
        return load;
    }
    if (auto cells = RecordFromText(*text)) {
        load.Cells = std::move(*cells);
        return load;
    }
    const auto aside = SetAsideName(path);
    std::filesystem::rename(path, aside, ec);
    if (ec) {
        load.Writable = false;
        load.Message = "Your drill record " + path.string() + " is damaged and could not be set aside (" +
                       ec.message() + "). It is left as it is, and this session's decisions are not kept.";
        return load;
    }
    load.Message = "Your drill record was damaged. It has been set aside as " + aside.string() +
                   " and a new record is started.";
    return load;
}

std::optional<std::string> SaveRecordFile(const std::filesystem::path& path, const DrillRecord::CellMap& cells,
                                          const std::function<void(std::size_t)>& afterChunk) {
    std::error_code ec;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ec);
        if (ec) return "Cannot make the folder " + path.parent_path().string() + ": " + ec.message();
    }
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    const std::string text = RecordToText(cells);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return Reason("Cannot write", temporary, errno);
    const bool written = WriteAllTo(fd, text, afterChunk);
    const int writeError = errno;
    const bool synced = written && ::fsync(fd) == 0;
    const int syncError = errno;
    if (::close(fd) != 0 || !written || !synced) {
        const int error = !written ? writeError : !synced ? syncError : errno;
        std::filesystem::remove(temporary, ec);
        return Reason("Cannot write", temporary, error);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        std::filesystem::remove(temporary, ec);
        return Reason("Cannot replace", path, error);
    }
    return std::nullopt;
}

} // namespace zvx
