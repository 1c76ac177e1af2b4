#include "analysis/risk_screen.h"

#include <cmath>
#include <functional>
#include <type_traits>

#include "analysis/advantage_error.h"
#include "analysis/number_format.h"
#include "analysis/risk_figures.h"

namespace zvx {

namespace {

constexpr int LabelColumn = 2;
constexpr int FirstStrategyColumn = 3;
constexpr int LabelWidth = 120; // pixels, as the statistics screen's
constexpr int ValueWidth = 110;

// What a losing strategy's N0, SCORE and bankrolls for a risk read: no count of rounds, no bankroll does it.
constexpr const char* Never = "never";

std::string Dollars(double v, int decimals) { return std::isinf(v) ? Never : "$ " + GroupedNumber(v, decimals); }

std::string Percent(double fraction) { return GroupedNumber(fraction * 100, fraction < 0.001 && fraction > 0 ? 4 : 2); }

std::string Whole(double v) { return std::isinf(v) ? Never : GroupedNumber(v, 0); }

std::string Range(const RangedValue& r, const std::function<std::string(double)>& text) {
    if (std::isinf(r.Low) && std::isinf(r.High)) return Never;
    return "[" + text(r.Low) + ", " + text(r.High) + "]";
}

// Two significant digits, rounded down: the least a figure with no upper end can be.
std::string AtLeast(double v) {
    if (!(v > 0) || std::isinf(v)) return Never;
    const double step = std::pow(10.0, std::floor(std::log10(v)) - 1);
    return "at least " + GroupedNumber(std::floor(v / step) * step, 0);
}

std::string N0Text(const RiskFigures& f) {
    if (!f.Wins || !f.N0) return Never;
    if (std::isinf(f.N0Range.High)) return AtLeast(f.N0Range.Low);
    return FigureWithinError(*f.N0, f.N0Range.Low, f.N0Range.High, 0);
}

struct Figures {
    const RiskFigures& Risk;
    std::optional<AdvantageError> Advantage;
    std::optional<double> UnitsBet; // per round, in table minimums
};

struct Row {
    const char* Label;
    std::function<std::string(const Figures&)> Value;
};

} // namespace

std::optional<double> UnitsBetPerRound(const Game& g, int strategy) {
    const auto firstHands = [&g](int i) {
        const PlayStats& a = g.Hands[static_cast<std::size_t>(i)].Stats;
        return static_cast<double>(a.HandsPlayed - a.HandsSplit);
    };
    const std::int64_t rounds = g.Hands[static_cast<std::size_t>(strategy)].Stats.RoundsClosed;
    if (rounds <= 0) return std::nullopt;
    const bool twoBoxes = g.Rules().PlayTwoHands;
    if (g.SingleStrategyMode) {
        if (strategy != StrategyCount || twoBoxes) return std::nullopt;
        return firstHands(strategy) / static_cast<double>(rounds);
    }
    const double stake = twoBoxes ? 2 : 1; // every bet is doubled when two boxes are played
    const double hands = strategy == 2 ? firstHands(1) + firstHands(4) : firstHands(strategy);
    return hands * stake / static_cast<double>(rounds);
}

ScreenGrid RiskScreen(const Game& g, double bankroll) {
    ScreenGrid grid;
    grid.Title = RiskTitle;
    grid.ColumnWidths[LabelColumn] = LabelWidth;
    for (int i = 1; i <= StrategyCount; ++i) {
        const bool shown = !g.SingleStrategyMode || i == StrategyCount;
        grid.ColumnWidths[static_cast<std::size_t>(FirstStrategyColumn + i - 1)] = shown ? ValueWidth : 0;
        grid.Cell(FirstStrategyColumn + i - 1, 0) = StrategyHeading(g, i);
    }
    const double unit = g.Rules().TableMinimum;
    const auto units = [unit](double dollars) { return GroupedNumber(dollars / unit, 3) + " u"; };
    const Row rows[] = {
        {" Rounds Dealt", [](const Figures& f) { return GroupedNumber(static_cast<double>(f.Risk.Rounds), 0); }},
        {" Units Bet / Round",
         [](const Figures& f) { return f.UnitsBet ? GroupedNumber(*f.UnitsBet, 3) + " u" : std::string("-"); }},
        {" Win / Round", [](const Figures& f) { return Dollars(f.Risk.WinPerRound, 4); }},
        {" Units / 100 Rounds", [&](const Figures& f) { return units(100 * f.Risk.WinPerRound); }},
        {" S.D. / Round", [](const Figures& f) { return Dollars(f.Risk.SdPerRound, 2); }},
        {" S.D. Units / Round", [&](const Figures& f) { return units(f.Risk.SdPerRound); }},
        // Per unit of the round's first bets: beside a hand's published spread per unit bet.
        {" S.D. / Unit Bet",
         [unit](const Figures& f) {
             return f.UnitsBet && *f.UnitsBet > 0 ? GroupedNumber(f.Risk.SdPerRound / unit / *f.UnitsBet, 3)
                                                  : std::string("-");
         }},
        {" Player's Advantage",
         [](const Figures& f) { return f.Advantage ? GroupedNumber(f.Advantage->Advantage, 3) + " %" : "-"; }},
        {"   S.E. [95 %]",
         [](const Figures& f) {
             return f.Advantage ? GroupedNumber(f.Advantage->StandardError, 3) + " " +
                                      IntervalText(f.Advantage->Low, f.Advantage->High, 2)
                                : "-";
         }},
        {" N0 (Rounds)", [](const Figures& f) { return N0Text(f.Risk); }},
        {" DI", [](const Figures& f) { return FigureWithinError(f.Risk.DI, f.Risk.DIRange.Low, f.Risk.DIRange.High, 2); }},
        {" SCORE",
         [](const Figures& f) {
             return f.Risk.Wins ? FigureWithinError(f.Risk.Score, f.Risk.ScoreRange.Low, f.Risk.ScoreRange.High, 2)
                                : std::string(Never);
         }},
        {" Bankroll", [](const Figures& f) { return Dollars(f.Risk.Bankroll, 0); }},
        {" Risk of Ruin %", [](const Figures& f) { return Percent(f.Risk.RiskOfRuin.Value); }},
        {"   [95 %]", [](const Figures& f) { return Range(f.Risk.RiskOfRuin, Percent); }},
        {" Bankroll, 5 % Risk", [](const Figures& f) { return Dollars(f.Risk.BankrollFor[0].Value, 0); }},
        {"   [95 %]", [](const Figures& f) { return Range(f.Risk.BankrollFor[0], Whole); }},
        {" Bankroll, 13.5 % Risk", [](const Figures& f) { return Dollars(f.Risk.BankrollFor[1].Value, 0); }},
        {"   [95 %]", [](const Figures& f) { return Range(f.Risk.BankrollFor[1], Whole); }},
    };
    // Row 0 holds the headings; every other row a figure, an interval beneath the figure it belongs to, so
    // that no cell outgrows its column.
    constexpr int FirstRow = 1;
    static_assert(std::extent_v<decltype(rows)> + FirstRow <= GridRows);
    for (std::size_t r = 0; r < std::size(rows); ++r) grid.Cell(LabelColumn, FirstRow + static_cast<int>(r)) = rows[r].Label;
    for (int i = 1; i <= StrategyCount; ++i) {
        if (g.SingleStrategyMode && i != StrategyCount) continue;
        const PlayStats& a = g.Hands[static_cast<std::size_t>(i)].Stats;
        const int column = FirstStrategyColumn + i - 1;
        const auto risk = ComputeRisk(RiskSums::Of(a), unit, bankroll);
        if (!a.RoundSquaresKnown || !risk) {
            grid.Cell(column, FirstRow) = a.RoundSquaresKnown ? "-" : "not known";
            continue;
        }
        const Figures figures{*risk, AdvantageErrorFromRounds(a, true), UnitsBetPerRound(g, i)};
        for (std::size_t r = 0; r < std::size(rows); ++r)
            grid.Cell(column, FirstRow + static_cast<int>(r)) = rows[r].Value(figures);
    }
    return grid;
}

std::vector<std::string> RiskNotes() {
    return {"Per round dealt: both boxes make one result; a round a strategy sits out counts as 0. u: one table minimum.",
            "Units bet: a round's first bets, before doubles and splits. Player's advantage; #1's is minus the house edge.",
            "The S.E. and every [95 %] come from the rounds' results; N0, DI and SCORE show the digits their error allows.",
            "Ruin and bankrolls: lifetime risk, bets never resized (diffusion approximation); never: the strategy loses."};
}

std::vector<ScreenLine> RiskNoteLines() {
    std::vector<ScreenLine> lines;
    for (const std::string& note : RiskNotes()) {
        ScreenLine line;
        line[LabelColumn] = note;
        lines.push_back(line);
    }
    return lines;
}

double RiskViewBankroll(const Game& g) {
    return g.Bankroll > 0 ? g.Bankroll : StartingBankroll(g.Rules().TableMinimum);
}

} // namespace zvx
