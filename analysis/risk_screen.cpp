#include "analysis/risk_screen.h"

#include <cmath>
#include <cstdio>
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

std::string Fixed(double v, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

std::string Dollars(double v, int decimals) { return std::isinf(v) ? "none" : "$ " + GroupedNumber(v, decimals); }

std::string Percent(double fraction) { return Fixed(fraction * 100, fraction < 0.001 && fraction > 0 ? 4 : 2); }

std::string Range(const RangedValue& r, const std::function<std::string(double)>& text) {
    return "[" + text(r.Low) + ", " + text(r.High) + "]";
}

std::string Whole(double v) { return std::isinf(v) ? "none" : GroupedNumber(v, 0); }

struct Row {
    const char* Label;
    std::function<std::string(const RiskFigures&, const std::optional<AdvantageError>&)> Value;
};

} // namespace

ScreenGrid RiskScreen(const Game& g, double bankroll) {
    ScreenGrid grid;
    grid.Title = RiskTitle;
    grid.ColumnWidths[LabelColumn] = LabelWidth;
    for (int i = 1; i <= StrategyCount; ++i) {
        const bool shown = !g.SingleStrategyMode || i == StrategyCount;
        grid.ColumnWidths[static_cast<std::size_t>(FirstStrategyColumn + i - 1)] = shown ? ValueWidth : 0;
        grid.Cell(FirstStrategyColumn + i - 1, 0) = StrategyHeadings[static_cast<std::size_t>(i - 1)];
    }
    const double unit = g.Rules().TableMinimum;
    const auto units = [unit](double dollars) { return Fixed(dollars / unit, 3) + " u"; };
    const Row rows[] = {
        {" Rounds", [](const RiskFigures& f, auto&) { return GroupedNumber(static_cast<double>(f.Rounds), 0); }},
        {" Win / Round", [](const RiskFigures& f, auto&) { return Dollars(f.WinPerRound, 4); }},
        {" Win / 100 Rounds", [](const RiskFigures& f, auto&) { return Dollars(100 * f.WinPerRound, 2); }},
        {" Units / 100 Rounds", [&](const RiskFigures& f, auto&) { return units(100 * f.WinPerRound); }},
        {" S.D. / Round", [](const RiskFigures& f, auto&) { return Dollars(f.SdPerRound, 2); }},
        {" S.D. / 100 Rounds", [](const RiskFigures& f, auto&) { return Dollars(10 * f.SdPerRound, 2); }},
        {" S.D. Units / Round", [&](const RiskFigures& f, auto&) { return units(f.SdPerRound); }},
        {" Advantage (#1: House Edge)",
         [](const RiskFigures&, const std::optional<AdvantageError>& e) { return e ? Fixed(e->Advantage, 3) + " %" : "-"; }},
        {" S.E. [95 %]",
         [](const RiskFigures&, const std::optional<AdvantageError>& e) {
             return e ? Fixed(e->StandardError, 3) + " [" + Fixed(e->Low, 2) + ", " + Fixed(e->High, 2) + "]" : "-";
         }},
        {" N0 (Rounds)", [](const RiskFigures& f, auto&) { return f.N0 ? GroupedNumber(*f.N0, 0) : "-"; }},
        {" DI", [](const RiskFigures& f, auto&) { return Fixed(f.DI, 2); }},
        {" SCORE", [](const RiskFigures& f, auto&) { return f.WinPerRound > 0 ? Fixed(f.Score, 2) : "-"; }},
        {" Bankroll", [](const RiskFigures& f, auto&) { return Dollars(f.Bankroll, 0); }},
        {" Risk of Ruin %", [](const RiskFigures& f, auto&) { return Percent(f.RiskOfRuin.Value); }},
        {"   [95 %]", [](const RiskFigures& f, auto&) { return Range(f.RiskOfRuin, Percent); }},
        {" Bankroll, 5 % Risk", [](const RiskFigures& f, auto&) { return Dollars(f.BankrollFor[0].Value, 0); }},
        {"   [95 %]", [](const RiskFigures& f, auto&) { return Range(f.BankrollFor[0], Whole); }},
        {" Bankroll, 13.5 % Risk", [](const RiskFigures& f, auto&) { return Dollars(f.BankrollFor[1].Value, 0); }},
        {"   [95 %]", [](const RiskFigures& f, auto&) { return Range(f.BankrollFor[1], Whole); }},
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
        const auto figures = ComputeRisk(RiskSums::Of(a), unit, bankroll);
        if (!a.RoundSquaresKnown || !figures) {
            grid.Cell(column, FirstRow) = a.RoundSquaresKnown ? "-" : "not known";
            continue;
        }
        const auto error = EstimateAdvantageError(a, g.HoursPlayed, a.RoundSquaresKnown);
        for (std::size_t r = 0; r < std::size(rows); ++r)
            grid.Cell(column, FirstRow + static_cast<int>(r)) = rows[r].Value(*figures, error);
    }
    return grid;
}

double RiskViewBankroll(const Game& g) {
    return g.Bankroll > 0 ? g.Bankroll : StartingBankroll(g.Rules().TableMinimum);
}

} // namespace zvx
