#include "tools/indices_command.h"

#include "cards/counting_systems.h"
#include "engine/game_state.h"
#include "engine/options_file.h"
#include "engine/safe_file.h"
#include "exact/best_table.h"
#include "exact/index_plays.h"
#include "tools/analysis_arguments.h"
#include "tools/analysis_output.h"

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>

namespace zvx {

namespace {

using json = nlohmann::ordered_json;

constexpr const char* Description =
    R"(Index plays: the true counts at which a departure from basic strategy becomes the better play, found
with the exact engine for the rules and a counting system. For each whole true count of the range a shoe is
built half dealt, its dealt cards the shoe's own mix shifted along the system's tags until its running count
is the true count times the decks left; both plays of each hand are valued in it exactly (each followed by the
basic strategy for the rules), and the index is the smallest whole true count from which the departure is the
better play. Starts from the rules of ZVX.PRM in the current directory when it is readable and valid, else from
the defaults; the flags below override them.)";

struct IndicesArguments {
    std::optional<int> Decks;
    std::optional<bool> Surrender, Soft17, DoubleAny, Das, Resplit;
    std::string System = "hi-lo";
    std::optional<std::string> JsonPath;
    double Threshold = 0.001; // percent of the initial bet per round
    bool NoScan = false;
};

void AddSwitch(CLI::App& app, const char* flag, std::optional<bool>& target, const char* help) {
    app.add_option_function<int>(
           flag, [&target](const int& v) { target = v == 1; }, help)
        ->check(CLI::IsMember({0, 1}).description(""))
        ->type_name("0|1");
}

std::string RulesText(const ExactRules& r) {
    std::ostringstream s;
    s << r.Decks << (r.Decks == 1 ? " deck" : " decks") << ", dealer " << (r.HitsSoft17 ? "hits" : "stands")
      << " on soft 17, double " << (r.DoubleAnyHand ? "any two cards" : "on 10 and 11 only") << ", "
      << (r.DoubleAfterSplit ? "" : "no ") << "double after a split, "
      << (r.ResplitAllowed ? "re-split to 4 hands" : "no re-split") << ", "
      << (r.SurrenderAllowed ? "late surrender" : "no surrender");
    return s.str();
}

std::string IndexText(const IndexEntry& e, const IndexTable& t) {
    if (!e.Allowed) return "not offered";
    if (!e.Index) return "over " + SignedCount(t.HighCount);
    if (e.BelowRange) return SignedCount(t.LowCount) + " or less";
    return SignedCount(*e.Index);
}

std::string GroupName(IndexGroup g) {
    return g == IndexGroup::Usual ? "usual" : g == IndexGroup::Surrender ? "surrender" : "found";
}

json EntryJson(const IndexEntry& e, const IndexTable& t) {
    json j = {{"group", GroupName(e.Group)},
              {"hand", IndexHandName(e.Hand)},
              {"up", IndexUpName(e.Hand.Up)},
              {"low_play", IndexPlayName(e.Low)},
              {"high_play", IndexPlayName(e.High)},
              {"basic_play", IndexPlayName(e.TablePlaysHigh ? e.High : e.Low)},
              {"allowed", e.Allowed}};
    j["index"] = e.Index && !e.BelowRange ? json(*e.Index) : json(nullptr);
    j["index_text"] = IndexText(e, t);
    j["crossing"] = e.Crossing ? json(*e.Crossing) : json(nullptr);
    j["gain_percent"] = 100 * e.Gain;
    j["advice"] = IndexAdvice(e);
    j["difference_by_true_count"] = e.Difference;
    return j;
}

} // namespace

int RunIndicesCommand(int argc, const char* const* argv) {
    IndicesArguments a;
    CLI::App app(Description, "zvx-analysis indices");
    app.add_option_function<int>(
           "--decks", [&a](const int& v) { a.Decks = v; }, "decks in the shoe")
        ->check(CLI::IsMember({1, 2, 4, 6, 8}).description(""))
        ->type_name("1|2|4|6|8");
    AddSwitch(app, "--surrender", a.Surrender, "Surrender Allowed");
    AddSwitch(app, "--soft17", a.Soft17, "Dealer Hits Soft 17");
    AddSwitch(app, "--double-any", a.DoubleAny, "Double Any Hand (0: only on 10 and 11)");
    AddSwitch(app, "--das", a.Das, "Double After Split");
    AddSwitch(app, "--resplit", a.Resplit, "Re-Split a Split Hand");
    std::string keys;
    for (const CountingSystem& s : CountingSystems()) keys += (keys.empty() ? "" : "|") + std::string(s.Key);
    app.add_option("--system", a.System, "the counting system (default hi-lo)")->type_name(keys);
    app.add_option("--threshold", a.Threshold,
                   "list a departure the scan finds when it adds at least P % of the initial bet a round "
                   "(default 0.001)")
        ->check(CLI::Range(0.0, 100.0).description(""))
        ->type_name("P");
    app.add_flag("--no-scan", a.NoScan, "only the usual eighteen and the four surrender plays");
    app.add_option_function<std::string>(
           "--json", [&a](const std::string& v) { a.JsonPath = v; },
           "write the table as JSON to FILE (- for standard output, instead of the text)")
        ->type_name("FILE|-");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::ParseError& e) {
        std::cerr << "zvx-analysis indices: " << e.what() << " (see --help)\n";
        return UsageError;
    }
    const auto systemId = CountingSystemByKey(a.System);
    if (!systemId) {
        std::cerr << "zvx-analysis indices: --system: '" << a.System << "' is not one of " << keys << "\n";
        return UsageError;
    }
    if (a.JsonPath && a.JsonPath->empty()) {
        std::cerr << "zvx-analysis indices: --json needs a file name or -\n";
        return UsageError;
    }
    // The output is checked before the work, so that a wrong name costs nothing and prints only the message.
    if (a.JsonPath && *a.JsonPath != "-") {
        if (const auto clash = OutputClash({{"--json", *a.JsonPath}},
                                           {{"the options file read at the start", OptionsFileName}})) {
            std::cerr << "zvx-analysis indices: " << *clash << "\n";
            return UsageError;
        }
        if (const auto problem = SaveProblem(*a.JsonPath)) {
            std::cerr << "zvx-analysis indices: " << OutputPathProblem(*a.JsonPath, *problem) << "\n";
            return FileFailure;
        }
    }

    auto game = std::make_unique<Game>();
    Game& g = *game;
    g.Options.FirstRun = true;
    LoadOptions(g); // the defaults when there is no valid options file; nothing is written back
    CasinoRules& rules = g.Options.Rules;
    if (a.Decks) rules.Decks = static_cast<std::uint16_t>(*a.Decks);
    if (a.Surrender) rules.SurrenderAllowed = *a.Surrender;
    if (a.Soft17) rules.DealerHitsSoft17 = *a.Soft17;
    if (a.DoubleAny) rules.DoubleAnyHand = *a.DoubleAny;
    if (a.Das) rules.DoubleAfterSplit = *a.Das;
    if (a.Resplit) rules.ResplitAllowed = *a.Resplit;
    const ExactRules exactRules = ExactRulesOf(rules);
    const CountingSystem& system = CountingSystemOf(*systemId);

    const auto start = std::chrono::steady_clock::now();
    // Every play after the first is basic strategy's: the best table for the rules, off the top.
    ExactEngine top(exactRules);
    const StrategyTable basic = BestTable(top, g.Strategy);
    IndexOptions options;
    options.Scan = !a.NoScan;
    options.GainThreshold = a.Threshold / 100;
    const IndexTable table = FindIndexPlays(exactRules, system, basic, options);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const bool jsonToStdout = a.JsonPath && *a.JsonPath == "-";
    if (!jsonToStdout) {
        std::cout << "Index plays, counting " << system.Name << ": " << RulesText(exactRules) << "\n"
                  << "Shoes " << table.CardsLeft << " cards from the end (" << 52 * exactRules.Decks
                  << " in the shoe), true counts " << SignedCount(table.LowCount) << " to "
                  << SignedCount(table.HighCount) << ", rounded down; the plays after the first are basic strategy's\n"
                  << "  hand        up  basic          index  departure                                      "
                     "crossing  gain %/round\n";
        IndexGroup last = IndexGroup::Usual;
        for (const IndexEntry& e : table.Entries) {
            if (e.Group != last) {
                std::cout << (e.Group == IndexGroup::Surrender ? "Surrender plays:\n"
                                                               : "Other departures the scan finds:\n");
                last = e.Group;
            }
            char crossing[16] = "";
            if (e.Crossing) std::snprintf(crossing, sizeof crossing, "%+.2f", *e.Crossing);
            char line[200];
            std::snprintf(line, sizeof line, "  %-11s %-3s %-14s %-6s %-46s %-8s  %.5f\n",
                          IndexHandName(e.Hand).c_str(), IndexUpName(e.Hand.Up).c_str(),
                          IndexPlayName(e.TablePlaysHigh ? e.High : e.Low).c_str(), IndexText(e, table).c_str(),
                          IndexAdvice(e).empty() ? "" : (IndexAdvice(e).substr(3)).c_str(), crossing,
                          100 * e.Gain);
            std::cout << line;
        }
        char time[64];
        std::snprintf(time, sizeof time, "Worked out in %.1f s.\n", seconds);
        std::cout << time;
    }
    if (a.JsonPath) {
        json j;
        j["schema_version"] = 1;
        j["kind"] = "indices";
        j["rules"] = {{"decks", exactRules.Decks},
                      {"dealer_hits_soft_17", exactRules.HitsSoft17},
                      {"double_any_hand", exactRules.DoubleAnyHand},
                      {"double_after_split", exactRules.DoubleAfterSplit},
                      {"resplit_allowed", exactRules.ResplitAllowed},
                      {"surrender_allowed", exactRules.SurrenderAllowed}};
        j["system"] = system.Key;
        j["cards_left"] = table.CardsLeft;
        j["true_counts"] = {table.LowCount, table.HighCount};
        json entries = json::array();
        for (const IndexEntry& e : table.Entries) entries.push_back(EntryJson(e, table));
        j["indices"] = entries;
        const std::string text = j.dump(2) + "\n";
        if (jsonToStdout) {
            std::cout << text;
        } else if (!SaveTextReplacing(*a.JsonPath, text)) {
            std::cerr << "zvx-analysis indices: cannot write '" << *a.JsonPath << "'\n";
            return FileFailure;
        }
    }
    std::cout.flush();
    return std::cout ? 0 : FileFailure;
}

} // namespace zvx
