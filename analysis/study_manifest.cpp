#include "analysis/study_manifest.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include <nlohmann/json.hpp>

namespace zvx {

namespace {

using json = nlohmann::ordered_json;

constexpr int ManifestVersion = 1;

std::string StreamsText(const std::vector<std::uint32_t>& streams) {
    std::string text;
    for (const auto s : streams) text += (text.empty() ? "" : ",") + std::to_string(s);
    return text;
}

} // namespace

std::string ManifestPath(const std::string& gameFile) { return gameFile + ".json"; }

std::string Digest(std::span<const std::uint8_t> bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (const std::uint8_t b : bytes) {
        h ^= b;
        h *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

StudyManifest ManifestOf(const Game& g, std::span<const std::uint8_t> record, std::uint32_t seed,
                         const std::string& generator, std::vector<std::uint32_t> streams, const std::string& strategy) {
    StudyManifest m;
    m.Seed = seed;
    m.Generator = generator;
    std::sort(streams.begin(), streams.end());
    m.Streams = std::move(streams);
    m.Hours = g.HoursPlayed;
    m.Digest = Digest(record);
    m.RoundSquaresKnown = true;
    for (int i = 1; i <= StrategyCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const PlayStats& a = g.Hands[at].Stats;
        m.HourWonSquares[at] = a.HourWonSquares;
        m.Rounds[at] = a.RoundsClosed;
        m.RoundSquares[at] = a.RoundSquares;
        m.RoundSquaresKnown = m.RoundSquaresKnown && a.RoundSquaresKnown;
    }
    const CasinoRules& r = g.Rules();
    m.Rules = json{{"decks", r.Decks},
                   {"penetration", r.Penetration},
                   {"table_minimum", r.TableMinimum},
                   {"surrender", r.SurrenderAllowed},
                   {"dealer_hits_soft17", r.DealerHitsSoft17},
                   {"double_any_hand", r.DoubleAnyHand},
                   {"double_after_split", r.DoubleAfterSplit},
                   {"resplit", r.ResplitAllowed},
                   {"two_hands", r.PlayTwoHands}}
                  .dump();
    m.Strategy = strategy;
    return m;
}

std::string ManifestJson(const StudyManifest& m) {
    json squares = json::array();
    json rounds = json::array();
    json roundSquares = json::array();
    for (int i = 1; i <= StrategyCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        squares.push_back(m.HourWonSquares[at]);
        rounds.push_back(m.Rounds[at]);
        roundSquares.push_back(m.RoundSquares[at].Decimal());
    }
    json j = {{"manifest_version", ManifestVersion},
                    {"seed", m.Seed},
                    {"generator", m.Generator},
                    {"streams", m.Streams},
                    {"hours", m.Hours},
                    {"game_file_fnv1a64", m.Digest},
                    {"rules", json::parse(m.Rules.empty() ? "{}" : m.Rules)},
                    {"playing_strategy", m.Strategy},
                    {"hour_won_squares", squares}};
    if (m.Incomplete) j["incomplete"] = true;
    if (m.RoundSquaresKnown) {
        j["rounds"] = rounds;
        j["round_squares_halves"] = roundSquares;
    }
    return j.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

std::optional<StudyManifest> ParseManifest(const std::string& text, std::string* why) {
    try {
        const json j = json::parse(text);
        if (j.at("manifest_version").get<int>() != ManifestVersion) {
            if (why != nullptr) *why = "another manifest version";
            return std::nullopt;
        }
        StudyManifest m;
        m.Seed = j.at("seed").get<std::uint32_t>();
        m.Generator = j.at("generator").get<std::string>();
        m.Streams = j.at("streams").get<std::vector<std::uint32_t>>();
        std::sort(m.Streams.begin(), m.Streams.end());
        m.Hours = j.at("hours").get<std::int64_t>();
        m.Digest = j.at("game_file_fnv1a64").get<std::string>();
        m.Rules = j.at("rules").dump();
        m.Strategy = j.at("playing_strategy").get<std::string>();
        m.Incomplete = j.value("incomplete", false);
        const auto squares = j.at("hour_won_squares").get<std::vector<double>>();
        if (squares.size() != StrategyCount) throw std::out_of_range("squares");
        for (int i = 1; i <= StrategyCount; ++i) m.HourWonSquares[static_cast<std::size_t>(i)] = squares[static_cast<std::size_t>(i - 1)];
        if (j.contains("round_squares_halves")) {
            const auto rounds = j.at("rounds").get<std::vector<std::int64_t>>();
            const auto sums = j.at("round_squares_halves").get<std::vector<std::string>>();
            if (rounds.size() != StrategyCount || sums.size() != StrategyCount) throw std::out_of_range("sums");
            for (int i = 1; i <= StrategyCount; ++i) {
                const auto at = static_cast<std::size_t>(i);
                const auto sum = WideSum::FromDecimal(sums[at - 1]);
                if (!sum || rounds[at - 1] < 0) throw std::out_of_range("sum");
                m.Rounds[at] = rounds[at - 1];
                m.RoundSquares[at] = *sum;
            }
            m.RoundSquaresKnown = true;
        }
        return m;
    } catch (const std::exception&) {
        if (why != nullptr) *why = "not a study manifest";
        return std::nullopt;
    }
}

void AddManifestSums(PlayStats& a, const StudyManifest& m, int strategy) {
    const auto at = static_cast<std::size_t>(strategy);
    a.HourWonSquares += m.HourWonSquares[at];
    a.RoundsClosed += m.Rounds[at];
    a.RoundSquares.Add(m.RoundSquares[at]);
}

std::optional<StreamRange> ParseStreamRange(const std::string& text) {
    const auto refuse = [&text](const std::string& why) {
        StreamRange r;
        r.Refusal = "'" + text + "' " + why + " (streams are 0.." + std::to_string(LastStream) + ", as in 0-99)";
        return r;
    };
    // Each number is read digit by digit and stops counting past the limit, so no length of digits wraps
    // round or makes a range too long to check.
    std::uint64_t numbers[2] = {0, 0};
    int count = 0;
    bool digits = false;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : '\0';
        if (c >= '0' && c <= '9') {
            numbers[count] = std::min<std::uint64_t>(numbers[count] * 10 + static_cast<std::uint64_t>(c - '0'),
                                                     std::uint64_t{LastStream} + 1);
            digits = true;
        } else if ((c == '-' && count == 0 && digits) || (c == '\0' && digits)) {
            ++count;
            digits = false;
        } else {
            return refuse(text.empty() ? "is no range" : "is not a range of streams");
        }
    }
    if (count == 1) numbers[1] = numbers[0];
    if (numbers[0] > LastStream || numbers[1] > LastStream)
        return refuse("goes past stream " + std::to_string(LastStream) + ", the last a study can have");
    if (numbers[0] > numbers[1]) return refuse("starts after it ends");
    return StreamRange{static_cast<std::uint32_t>(numbers[0]), static_cast<std::uint32_t>(numbers[1]), {}};
}

std::optional<std::string> StudyProblem(const std::vector<StudyPart>& parts, const std::optional<StreamRange>& expected) {
    const StudyPart* first = nullptr;
    std::map<std::uint32_t, const StudyPart*> owner;
    for (const StudyPart& p : parts) {
        if (!p.Manifest) continue;
        const StudyManifest& m = *p.Manifest;
        if (first == nullptr) first = &p;
        const StudyManifest& f = *first->Manifest;
        if (m.Seed != f.Seed)
            return "'" + p.Path + "' belongs to seed " + std::to_string(m.Seed) + ", not seed " + std::to_string(f.Seed) +
                   " like '" + first->Path + "'; nothing was merged";
        if (m.Generator != f.Generator)
            return "'" + p.Path + "' was played with the " + m.Generator + " generator, '" + first->Path + "' with the " +
                   f.Generator + " one; nothing was merged";
        for (const auto s : m.Streams) {
            const auto [at, fresh] = owner.emplace(s, &p);
            if (!fresh)
                return "'" + p.Path + "' holds stream " + std::to_string(s) + " again (already in '" + at->second->Path +
                       "'); nothing was merged";
            if (expected && (s < expected->First || s > expected->Last))
                return "'" + p.Path + "' holds stream " + std::to_string(s) + ", outside the expected " +
                       std::to_string(expected->First) + "-" + std::to_string(expected->Last) + "; nothing was merged";
        }
    }
    if (expected) {
        std::vector<std::uint32_t> missing;
        for (std::uint64_t s = expected->First; s <= expected->Last; ++s)
            if (!owner.count(static_cast<std::uint32_t>(s))) missing.push_back(static_cast<std::uint32_t>(s));
        if (!missing.empty())
            return "stream" + std::string(missing.size() > 1 ? "s " : " ") + StreamsText(missing) + " of " +
                   std::to_string(expected->First) + "-" + std::to_string(expected->Last) +
                   (missing.size() > 1 ? " are" : " is") + " missing; nothing was merged";
    }
    return std::nullopt;
}

} // namespace zvx
