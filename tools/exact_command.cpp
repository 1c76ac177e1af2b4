#include "tools/exact_command.h"

#include "engine/safe_file.h"
#include "engine/game_state.h"
#include "engine/options_file.h"
#include "exact/best_table.h"
#include "exact/exact_engine.h"
#include "strategy/strategy_chart.h"
#include "tools/analysis_arguments.h"
#include "tools/analysis_output.h"
#include "tools/strategy_choice.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>

namespace zvx {

namespace {

using json = nlohmann::ordered_json;

constexpr const char* Description =
    R"(Exact analysis: the expected result of one box dealt off the top of a fresh shoe, worked out over every
card, for the playing strategy played exactly as the game plays it. Starts from the rules and strategy of
ZVX.PRM in the current directory when it is readable and valid, else from the defaults; the flags below
override them. With --best it also finds the best table for the rules and what each of the strategy's
departures from it costs.)";

struct ExactArguments {
    std::optional<int> Decks;
    std::optional<bool> Surrender, Soft17, DoubleAny, Das, Resplit;
    std::optional<std::string> Strategy;
    std::optional<std::string> JsonPath;
    bool Best = false;
};

void AddSwitch(CLI::App& app, const char* flag, std::optional<bool>& target, const char* help) {
    app.add_option_function<int>(
           flag, [&target](const int& v) { target = v == 1; }, help)
        ->check(CLI::IsMember({0, 1}).description(""))
        ->type_name("0|1");
}

std::string Percent(double fraction, int places = 4) {
    char text[32];
    std::snprintf(text, sizeof text, "%+.*f %%", places, 100 * fraction);
    return text;
}

std::string Unsigned(double fraction, int places = 4) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f %%", places, 100 * fraction);
    return text;
}

std::string Fixed(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

std::string UpName(int upValue) {
    return upValue == 11 ? "A" : std::to_string(upValue);
}

std::string RowName(int row) {
    const int base = row / 100 * 100;
    const int t = row - base;
    const auto total = [](int v) { return std::to_string(v); };
    if (base == SplitRows) return t == 22 ? "split Aces" : "split " + std::to_string(t / 2) + "'s";
    if (base == SurrenderRows) return "surrender hard " + total(t);
    // Hard totals double below 12 and hit from 12 to 16; the other rows of these bases are soft totals.
    const bool soft = base == DoubleRows ? t >= 12 : t >= 17;
    return std::string(base == DoubleRows ? "double " : "hit ") + (soft ? "soft " : "hard ") + total(t);
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

char PlayLetter(Action a) {
    switch (a) {
    case Stand:
        return 'S';
    case Hit:
        return 'H';
    case DoubleDown:
        return 'D';
    case Split:
        return 'P';
    case Surrender:
        return 'R';
    default:
        return '?';
    }
}

std::string ChartText(const StrategyTable& table, const CasinoRules& rules) {
    const StrategyChart chart = BuildStrategyChart(table, rules);
    std::ostringstream s;
    s << std::string(11, ' ');
    for (int column = 0; column < ChartColumns; ++column)
        s << " " << (column == 8 ? "" : " ") << UpName(ChartUpCard(column));
    s << "\n";
    const auto& hands = ChartHands();
    for (std::size_t row = 0; row < hands.size(); ++row) {
        char label[16];
        std::snprintf(label, sizeof label, "%-9s", hands[row].Label.c_str());
        s << "  " << label;
        for (const Action a : chart[row])
            s << "  " << PlayLetter(a);
        s << "\n";
    }
    return s.str();
}

json RulesJson(const ExactRules& r) {
    return {{"decks", r.Decks},
            {"dealer_hits_soft_17", r.HitsSoft17},
            {"double_any_hand", r.DoubleAnyHand},
            {"double_after_split", r.DoubleAfterSplit},
            {"resplit_allowed", r.ResplitAllowed},
            {"surrender_allowed", r.SurrenderAllowed}};
}

json TableJson(const StrategyTable& table) {
    json rows = json::object();
    for (const int row : DecisionRows({8, false, true, true, true, true})) {
        json ups = json::array();
        for (int u = 2; u <= 11; ++u)
            if (table.Has(row, u)) ups.push_back(UpName(u));
        rows[std::to_string(row)] = ups;
    }
    return rows;
}

json ValuesJson(const PlayValues& v) {
    json j = json::object();
    const auto put = [&j](const char* name, const std::optional<double>& value) {
        j[name] = value ? json(*value) : json(nullptr);
    };
    put("stand", v.Stand);
    put("hit", v.Hit);
    put("double", v.Double);
    put("split", v.Split);
    put("surrender", v.Surrender);
    return j;
}

std::string CardName(int rank) {
    return rank == AceRank ? "A" : rank == TenRank ? "10" : std::to_string(rank);
}

} // namespace

int RunExactCommand(int argc, const char* const* argv) {
    ExactArguments a;
    CLI::App app(Description, "zvx-analysis exact");
    app.add_option_function<int>(
           "--decks", [&a](const int& v) { a.Decks = v; }, "decks in the shoe")
        ->check(CLI::IsMember({1, 2, 4, 6, 8}).description(""))
        ->type_name("1|2|4|6|8");
    AddSwitch(app, "--surrender", a.Surrender, "Surrender Allowed");
    AddSwitch(app, "--soft17", a.Soft17, "Dealer Hits Soft 17");
    AddSwitch(app, "--double-any", a.DoubleAny, "Double Any Hand (0: only on 10 and 11)");
    AddSwitch(app, "--das", a.Das, "Double After Split");
    AddSwitch(app, "--resplit", a.Resplit, "Re-Split a Split Hand");
    app.add_option_function<std::string>(
           "--strategy", [&a](const std::string& v) { a.Strategy = v; },
           "the playing strategy: a built-in set, or the live strategy of game file FILE")
        ->type_name("default|advanced|FILE");
    app.add_flag("--best", a.Best,
                 "also find the best table for the rules and the cost of each departure from it");
    app.add_option_function<std::string>(
           "--json", [&a](const std::string& v) { a.JsonPath = v; },
           "write every figure as JSON to FILE (- for standard output, instead of the text)")
        ->type_name("FILE|-");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::ParseError& e) {
        std::cerr << "zvx-analysis exact: " << e.what() << " (see --help)\n";
        return UsageError;
    }
    if (a.Strategy && a.Strategy->empty()) {
        std::cerr << "zvx-analysis exact: --strategy needs default, advanced or a game file\n";
        return UsageError;
    }
    if (a.JsonPath && a.JsonPath->empty()) {
        std::cerr << "zvx-analysis exact: --json needs a file name or -\n";
        return UsageError;
    }

    // The output is checked before the work, so that a wrong name costs nothing and prints only the message.
    if (a.JsonPath && *a.JsonPath != "-") {
        std::vector<NamedFile> inputs = {{"the options file read at the start", OptionsFileName}};
        if (a.Strategy && *a.Strategy != "default" && *a.Strategy != "advanced")
            inputs.push_back({"the --strategy game file", *a.Strategy});
        if (const auto clash = OutputClash({{"--json", *a.JsonPath}}, inputs)) {
            std::cerr << "zvx-analysis exact: " << *clash << "\n";
            return UsageError;
        }
        if (const auto problem = SaveProblem(*a.JsonPath)) {
            std::cerr << "zvx-analysis exact: " << OutputPathProblem(*a.JsonPath, *problem) << "\n";
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
    if (a.Strategy)
        if (const auto error = ChooseStrategy(g, *a.Strategy)) {
            std::cerr << "zvx-analysis exact: " << *error << "\n";
            return FileFailure;
        }
    const std::string strategyName = StrategyName(g.Strategy, a.Strategy ? *a.Strategy : "ZVX.PRM");

    const ExactRules exactRules = ExactRulesOf(rules);
    ExactEngine engine(exactRules);
    const double edge = engine.TableEdge(g.Strategy);
    const double stakes = engine.TableStakes(g.Strategy);
    std::optional<StrategyTable> best;
    double bestEdge = 0;
    std::vector<CellCost> costs;
    if (a.Best) {
        best = BestTable(engine, g.Strategy);
        bestEdge = engine.TableEdge(*best);
        costs = CellCosts(engine, g.Strategy, *best);
        std::stable_sort(costs.begin(), costs.end(),
                         [](const CellCost& x, const CellCost& y) { return x.Cost > y.Cost; });
    }

    const bool jsonToStdout = a.JsonPath && *a.JsonPath == "-";
    if (!jsonToStdout) {
        std::cout
            << "Exact analysis: one box dealt off the top of a fresh shoe, blackjack paying 3:2, the dealer\n"
            << "peeking, split Aces taking one card each (splits exact, re-splits included)\n"
            << "Rules: " << RulesText(exactRules) << "\n"
            << "Playing strategy (" << strategyName << "): " << Percent(edge) << " of the initial bet\n"
            << "  " << Percent(edge / stakes) << " of the money bet (the analysis screens' unit), "
            << Fixed(stakes) << " initial bets staked a round with splits and doubles\n";
        if (best) {
            std::cout << "Best table for these rules: " << Percent(bestEdge) << " of the initial bet\n";
            if (costs.empty()) {
                std::cout << "The playing strategy is the best table wherever it matters.\n";
            } else {
                std::cout << "The playing strategy gives away " << Unsigned(bestEdge - edge)
                          << " of the initial bet against it; each of its cells that differ, on its own:\n";
                for (const CellCost& c : costs) {
                    const bool plays = g.Strategy.Has(c.RowCode, c.UpValue);
                    char line[96];
                    std::snprintf(line, sizeof line, "  %-28s %-15s %s\n",
                                  (RowName(c.RowCode) + " against " + UpName(c.UpValue)).c_str(),
                                  plays ? "yes (best: no)" : "no (best: yes)", Unsigned(c.Cost, 5).c_str());
                    std::cout << line;
                }
            }
            std::cout << "The best table's first plays (S stand, H hit, D double, P split, R surrender):\n"
                      << ChartText(*best, rules);
        }
    }
    if (a.JsonPath) {
        json j;
        j["schema_version"] = 1;
        j["kind"] = "exact";
        j["rules"] = RulesJson(exactRules);
        j["playing_strategy"] = strategyName;
        j["edge_percent"] = 100 * edge;
        j["stakes_per_round"] = stakes;
        j["advantage_per_money_bet_percent"] = 100 * edge / stakes;
        json ups = json::array();
        json hands = json::array();
        const StrategyTable& follow = best ? *best : g.Strategy;
        for (int up = 1; up <= RankCount; ++up) {
            const DealerChances d = engine.DealerGivenNoBlackjack(up, {up});
            json chances = {{"17", d[1]}, {"18", d[2]}, {"19", d[3]},
                            {"20", d[4]}, {"21", d[5]}, {"bust", d[DealerBust]}};
            ups.push_back({{"up", CardName(up)},
                           {"edge_percent", 100 * engine.UpCardEdge(g.Strategy, up)},
                           {"dealer_given_no_blackjack", chances}});
            for (const auto& hand : engine.StartingHands(follow, up)) {
                json entry = {{"cards", {CardName(hand.First), CardName(hand.Second)}}, {"up", CardName(up)}};
                entry["values"] = ValuesJson(hand.Values);
                hands.push_back(entry);
            }
        }
        j["up_cards"] = ups;
        j["hand_values_follow"] = best ? "best" : "playing_strategy";
        j["hand_values"] = hands;
        if (best) {
            json cells = json::array();
            for (const CellCost& c : costs)
                cells.push_back({{"row", c.RowCode},
                                 {"name", RowName(c.RowCode)},
                                 {"up", UpName(c.UpValue)},
                                 {"cost_percent", 100 * c.Cost}});
            j["best"] = {{"edge_percent", 100 * bestEdge}, {"rows", TableJson(*best)}, {"costs", cells}};
        }
        const std::string text = j.dump(2) + "\n";
        if (jsonToStdout) {
            std::cout << text;
        } else {
            if (!SaveTextReplacing(*a.JsonPath, text)) {
                std::cerr << "zvx-analysis exact: cannot write '" << *a.JsonPath << "'\n";
                return FileFailure;
            }
        }
    }
    std::cout.flush();
    return std::cout ? 0 : FileFailure;
}

} // namespace zvx
