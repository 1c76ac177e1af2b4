#include "analysis/result_json.h"

#include <cmath>

#include <nlohmann/json.hpp>

#include "analysis/advantage_error.h"
#include "analysis/json_names.h"
#include "analysis/risk_figures.h"
#include "analysis/risk_screen.h"
#include "analysis/screens.h"

namespace zvx {

namespace {

using json = nlohmann::ordered_json; // fields in the order written, as a reader expects them

constexpr int ShownMultiples = 9;

json Ratio(double part, double whole) { return whole != 0 ? json(part / whole) : json(nullptr); }

std::string Trimmed(const char* heading) {
    std::string text(heading);
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

json RulesJson(const CasinoRules& r) {
    return {{"decks", r.Decks},
            {"penetration", r.Penetration},
            {"table_minimum", r.TableMinimum},
            {"surrender", r.SurrenderAllowed},
            {"dealer_hits_soft17", r.DealerHitsSoft17},
            {"double_any_hand", r.DoubleAnyHand},
            {"double_after_split", r.DoubleAfterSplit},
            {"resplit", r.ResplitAllowed},
            {"two_hands", r.PlayTwoHands}};
}

json Finite(double v) { return std::isfinite(v) ? json(v) : json(nullptr); }
json Ranged(const RangedValue& r) { return {{"value", Finite(r.Value)}, {"interval_95", {Finite(r.Low), Finite(r.High)}}}; }

double BankrollOf(const Game& g, const RunFacts& facts) {
    return facts.Bankroll > 0 ? facts.Bankroll : StartingBankroll(g.Rules().TableMinimum);
}

json Interval(const RangedValue& r) { return {Finite(r.Low), Finite(r.High)}; }

json RiskJson(const Game& g, int strategy, double unit, double bankroll) {
    const PlayStats& s = g.Hands[static_cast<std::size_t>(strategy)].Stats;
    if (!s.RoundSquaresKnown) return nullptr;
    const RiskSums sums = RiskSums::Of(s);
    json j = {{"rounds", sums.Rounds}, {"sum_won", sums.Won}, {"sum_of_squares_halves", sums.Squares.Decimal()}};
    const auto f = ComputeRisk(sums, unit, bankroll);
    if (!f) return j;
    j["win_per_round"] = f->WinPerRound;
    j["win_per_100_rounds"] = 100 * f->WinPerRound;
    j["win_per_round_units"] = f->WinPerRound / unit;
    j["win_per_100_rounds_units"] = 100 * f->WinPerRound / unit;
    j["win_rate_standard_error"] = f->WinRateError;
    j["sd_per_round"] = f->SdPerRound;
    j["sd_per_100_rounds"] = 10 * f->SdPerRound;
    j["sd_per_round_units"] = f->SdPerRound / unit;
    j["sd_per_100_rounds_units"] = 10 * f->SdPerRound / unit;
    // A losing strategy never reaches N0: null, not its loss's s^2 / m^2.
    j["n0"] = f->N0 ? json(*f->N0) : json(nullptr);
    j["n0_interval_95"] = f->Wins ? Interval(f->N0Range) : json(nullptr);
    j["di"] = f->DI;
    j["di_interval_95"] = Interval(f->DIRange);
    j["score"] = f->Wins ? json(f->Score) : json(nullptr);
    j["score_interval_95"] = f->Wins ? Interval(f->ScoreRange) : json(nullptr);
    const auto unitsBet = UnitsBetPerRound(g, strategy);
    j["units_bet_per_round"] = unitsBet ? json(*unitsBet) : json(nullptr);
    j["sd_per_unit_bet"] = unitsBet && *unitsBet > 0 ? json(f->SdPerRound / unit / *unitsBet) : json(nullptr);
    j["bankroll"] = f->Bankroll;
    j["risk_of_ruin"] = Ranged(f->RiskOfRuin);
    json bankrolls = json::array();
    for (std::size_t i = 0; i < ShownRisks.size(); ++i) {
        json b = Ranged(f->BankrollFor[i]);
        b["risk"] = ShownRisks[i];
        bankrolls.push_back(b);
    }
    j["bankroll_for_risk"] = bankrolls;
    return j;
}

json StrategyJson(const Game& g, int strategy, const RunFacts& facts) {
    const PlayStats& s = g.Hands[static_cast<std::size_t>(strategy)].Stats;
    const double n = static_cast<double>(s.HandsPlayed);
    const double hours = static_cast<double>(g.HoursPlayed);
    json j = {{"number", strategy},
              {"name", Trimmed(StrategyHeading(g, strategy))},
              {"betting_plan", BettingPlanText(g, strategy)},
              {"hands", s.HandsPlayed},
              {"total_bet", s.TotalBet},
              {"total_won", s.TotalWon},
              {"bet_per_hand", Ratio(s.TotalBet, n)},
              {"won_per_hour", Ratio(s.TotalWon, hours)},
              {"advantage_percent", Ratio(s.TotalWon * 100, s.TotalBet)},
              {"bets_won_rate", Ratio(s.BetsWon, n)},
              {"bets_lost_rate", Ratio(s.BetsLost, n)},
              {"pushed_rate", n != 0 ? json(1 - s.BetsWon / n - s.BetsLost / n) : json(nullptr)},
              {"split_rate", Ratio(static_cast<double>(s.HandsSplit), n)},
              {"doubled_rate", Ratio(static_cast<double>(s.HandsDoubled), n)},
              {"blackjack_rate", Ratio(static_cast<double>(s.Blackjacks), n)},
              {"swings_won", s.SwingsWon},
              {"swings_lost", s.SwingsLost}};
    // The screens' error, from the rounds' results; the one from hour batches beside it.
    const auto error = AdvantageErrorFromRounds(s, facts.SquaresKnown);
    j["standard_error_percent"] = error ? json(error->StandardError) : json(nullptr);
    j["interval_95_percent"] = error ? json::array({error->Low, error->High}) : json(nullptr);
    const auto byHours = EstimateAdvantageError(s, g.HoursPlayed, facts.SquaresKnown);
    j["standard_error_percent_hour_batches"] = byHours ? json(byHours->StandardError) : json(nullptr);
    j["interval_95_percent_hour_batches"] = byHours ? json::array({byHours->Low, byHours->High}) : json(nullptr);

    json histogram = json::array();
    for (int k = -ShownMultiples; k <= ShownMultiples; ++k) {
        const auto hoursAtK = s.HourHistogram[static_cast<std::size_t>(CountSlot(k))];
        histogram.push_back({{"multiple", k}, {"hours", hoursAtK}, {"share", Ratio(static_cast<double>(hoursAtK), hours)}});
    }
    j["hour_histogram"] = histogram;

    json byCount = json::array();
    for (int k = -CountIndexLimit; k <= CountIndexLimit; ++k) {
        const auto slot = static_cast<std::size_t>(CountSlot(k));
        byCount.push_back({{"count", k},
                           {"bet", s.BetByCount[slot]},
                           {"won", s.WonByCount[slot]},
                           {"advantage_percent", Ratio(s.WonByCount[slot] * 100, s.BetByCount[slot])}});
    }
    j["advantage_by_count"] = byCount;
    j["risk"] = RiskJson(g, strategy, g.Rules().TableMinimum, BankrollOf(g, facts));
    return j;
}

} // namespace

std::string ResultJson(const Game& g, const RunFacts& facts) {
    const double rounds = static_cast<double>(g.HoursPlayed) * 100;
    const std::int64_t minimum = g.Rules().TableMinimum;
    json j = {{"schema_version", ResultSchemaVersion},
              {"kind", facts.Kind},
              {"rules", RulesJson(g.Rules())},
              {"playing_strategy", ReadableName(facts.Strategy)},
              {"single_strategy_mode", g.SingleStrategyMode},
              {"seed", facts.Seed ? json(*facts.Seed) : json(nullptr)},
              {"jobs", facts.Jobs > 0 ? json(facts.Jobs) : json(nullptr)},
              {"hours", g.HoursPlayed},
              {"rounds", g.HoursPlayed * 100},
              {"run_time", RunTimeText(g.RunTime)},
              {"run_time_seconds", g.RunTime.Hours * 3600 + g.RunTime.Minutes * 60 + g.RunTime.Seconds},
              {"wall_time_seconds", facts.WallSeconds},
              {"rounds_per_second", facts.WallSeconds > 0 ? json(rounds / facts.WallSeconds) : json(nullptr)},
              {"average_bet", g.SecondBoxActive ? 4 * minimum : 2 * minimum},
              {"generator", facts.Generator},
              {"stream", facts.Stream ? json(*facts.Stream) : json(nullptr)},
              {"streams", facts.Streams},
              {"streams_complete", facts.ManifestKnown},
              {"keys_drawn", g.KeysDrawn},
              {"standard_errors_known", facts.SquaresKnown},
              {"standard_errors_reliable", facts.ErrorsReliable},
              {"warnings", facts.Warnings},
              {"bankroll", BankrollOf(g, facts)}};
    if (!IsUtf8(facts.Strategy)) j["playing_strategy_hex"] = HexBytes(facts.Strategy);
    if (!facts.Sources.empty()) {
        json sources = json::array();
        json hex = json::array();
        bool allUtf8 = true;
        for (const std::string& source : facts.Sources) {
            sources.push_back(ReadableName(source));
            hex.push_back(HexBytes(source));
            allUtf8 = allUtf8 && IsUtf8(source);
        }
        j["sources"] = sources;
        if (!allUtf8) j["sources_hex"] = hex;
    }
    json strategies = json::array();
    for (int i = 1; i <= StrategyCount; ++i) strategies.push_back(StrategyJson(g, i, facts));
    j["strategies"] = strategies;
    if (facts.ExactEdge)
        j["exact"] = {{"edge_percent", 100 * *facts.ExactEdge},
                      {"stakes_per_round", facts.ExactStakes},
                      {"advantage_per_money_bet_percent", 100 * *facts.ExactEdge / facts.ExactStakes}};
    return j.dump(2) + "\n";
}

} // namespace zvx
