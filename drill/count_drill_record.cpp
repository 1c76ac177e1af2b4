#include "drill/count_drill_record.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

namespace zvx {

namespace {

using json = nlohmann::ordered_json;

constexpr char FormatName[] = "zvx count drill record";
constexpr int FormatVersion = 1;
constexpr int MaxCount = 1'000'000'000;
constexpr double MaxSeconds = 1e9;
constexpr std::int64_t MaxTime = 253402300799; // the last second of the year 9999

constexpr std::array<std::pair<CountDrillKind, const char*>, 3> KindNames = {{
    {CountDrillKind::Running, "running"},
    {CountDrillKind::Countdown, "countdown"},
    {CountDrillKind::TrueCount, "true-count"},
}};

const char* KindName(CountDrillKind kind) {
    for (const auto& [k, name] : KindNames)
        if (k == kind) return name;
    return "";
}

std::optional<CountDrillKind> KindOf(const json& j) {
    if (!j.is_string()) return std::nullopt;
    for (const auto& [k, name] : KindNames)
        if (j.get<std::string>() == name) return k;
    return std::nullopt;
}

std::optional<CountingSystemId> SystemOf(const json& j) {
    if (!j.is_string()) return std::nullopt;
    return CountingSystemByKey(j.get<std::string>());
}

std::optional<int> CountOf(const json& j) {
    if (!j.is_number_integer()) return std::nullopt;
    const auto n = j.get<std::int64_t>();
    if (n < 0 || n > MaxCount) return std::nullopt;
    return static_cast<int>(n);
}

std::optional<double> SecondsOf(const json& j) {
    if (!j.is_number()) return std::nullopt;
    const double s = j.get<double>();
    if (!std::isfinite(s) || s < 0 || s > MaxSeconds) return std::nullopt;
    return s;
}

std::optional<CountSessionResult> SessionFrom(const json& j) {
    if (!j.is_object()) return std::nullopt;
    const auto kind = KindOf(j.value("drill", json()));
    const auto system = SystemOf(j.value("system", json()));
    const json started = j.value("started", json());
    const auto asked = CountOf(j.value("asked", json()));
    const auto right = CountOf(j.value("right", json()));
    const auto cards = CountOf(j.value("cards", json()));
    const auto seconds = SecondsOf(j.value("seconds", json()));
    const auto pace = SecondsOf(j.value("pace", json()));
    if (!kind || !system || !started.is_number_integer() || !asked || !right || !cards || !seconds || !pace)
        return std::nullopt;
    const auto when = started.get<std::int64_t>();
    if (when < 0 || when > MaxTime || *right > *asked) return std::nullopt;
    return CountSessionResult{*kind, *system, when, *asked, *right, *cards, *seconds, *pace};
}

} // namespace

void CountSessionResult::Add(bool right, int cards, double seconds) {
    ++Asked;
    if (right) ++Right;
    Cards += std::max(cards, 0);
    if (std::isfinite(seconds) && seconds > 0) Seconds += seconds;
}

void CountDrillRecord::Add(const CountSessionResult& session) {
    if (session.Asked == 0) return;
    Sessions.push_back(session);
    if (Sessions.size() > MaxSessions)
        Sessions.erase(Sessions.begin(),
                       Sessions.begin() + static_cast<std::ptrdiff_t>(Sessions.size() - MaxSessions));
}

std::optional<double> CountDrillRecord::BestCountdownOf(CountingSystemId system) const {
    return BestCountdown[static_cast<std::size_t>(system)];
}

bool CountDrillRecord::OfferCountdown(CountingSystemId system, double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0 || seconds > MaxSeconds) return false;
    auto& best = BestCountdown[static_cast<std::size_t>(system)];
    if (best && *best <= seconds) return false;
    best = seconds;
    return true;
}

std::string CountRecordToText(const CountDrillRecord& record) {
    json sessions = json::array();
    for (const CountSessionResult& s : record.Sessions)
        sessions.push_back({{"drill", KindName(s.Kind)},
                            {"system", std::string(CountingSystemOf(s.System).Key)},
                            {"started", s.Started},
                            {"asked", s.Asked},
                            {"right", s.Right},
                            {"cards", s.Cards},
                            {"seconds", s.Seconds},
                            {"pace", s.Pace}});
    json best = json::object();
    for (const CountingSystem& system : CountingSystems())
        if (const auto seconds = record.BestCountdownOf(system.Id)) best[std::string(system.Key)] = *seconds;
    const json file = {{"format", FormatName},
                       {"version", FormatVersion},
                       {"best_countdown_seconds", best},
                       {"sessions", sessions}};
    return file.dump(1) + "\n";
}

std::optional<CountDrillRecord> CountRecordFromText(const std::string& text) {
    const json file = json::parse(text, nullptr, false);
    if (file.is_discarded() || !file.is_object()) return std::nullopt;
    if (file.value("format", json()) != json(FormatName) ||
        file.value("version", json()) != json(FormatVersion))
        return std::nullopt;
    const json best = file.value("best_countdown_seconds", json::object());
    const json sessions = file.value("sessions", json::array());
    if (!best.is_object() || !sessions.is_array() || sessions.size() > CountDrillRecord::MaxSessions)
        return std::nullopt;
    CountDrillRecord record;
    for (const auto& [key, value] : best.items()) {
        const auto system = CountingSystemByKey(key);
        const auto seconds = SecondsOf(value);
        if (!system || !seconds || *seconds <= 0) return std::nullopt;
        record.BestCountdown[static_cast<std::size_t>(*system)] = *seconds;
    }
    for (const json& s : sessions) {
        auto session = SessionFrom(s);
        if (!session) return std::nullopt;
        record.Sessions.push_back(*session);
    }
    return record;
}

} // namespace zvx
