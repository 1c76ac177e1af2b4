#pragma once

#include "cards/counting_systems.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zvx {

enum class CountDrillKind : std::uint8_t { Running, Countdown, TrueCount };

// One session of a count drill: how many counts were asked and how many were right, and how fast the cards
// went.
struct CountSessionResult {
    CountDrillKind Kind = CountDrillKind::Running;
    CountingSystemId System = CountingSystemId::HiLo;
    std::int64_t Started = 0; // seconds since 1970, UTC
    int Asked = 0;
    int Right = 0;
    int Cards = 0;        // cards counted
    double Seconds = 0.0; // time taken over them, answers included
    double Pace = 0.0;    // the pace set, cards per second (0 when the player turns the cards)

    // The share of counts right, 0..1 (0 with nothing asked).
    double Accuracy() const { return Asked > 0 ? static_cast<double>(Right) / Asked : 0.0; }
    // Cards counted per second of the time taken.
    double CardsPerSecond() const { return Seconds > 0 ? Cards / Seconds : 0.0; }
    void Add(bool right, int cards, double seconds);
    friend bool operator==(const CountSessionResult&, const CountSessionResult&) = default;
};

// The player's count drill record: the sessions, newest last, and the best deck countdown time per system.
struct CountDrillRecord {
    // The oldest sessions give way beyond this many, so the file stays small.
    static constexpr std::size_t MaxSessions = 2000;

    std::vector<CountSessionResult> Sessions;
    std::array<std::optional<double>, CountingSystemCount> BestCountdown{};

    // Keeps a session that asked anything.
    void Add(const CountSessionResult& session);
    std::optional<double> BestCountdownOf(CountingSystemId system) const;
    // Records a right countdown's time; true when it beats the best so far.
    bool OfferCountdown(CountingSystemId system, double seconds);
    friend bool operator==(const CountDrillRecord&, const CountDrillRecord&) = default;
};

// The record's file text ("count-drill-record.json") and its reading: nothing when the text is not a record
// this program writes (bad JSON, another format or version, figures out of range).
std::string CountRecordToText(const CountDrillRecord& record);
std::optional<CountDrillRecord> CountRecordFromText(const std::string& text);

} // namespace zvx
