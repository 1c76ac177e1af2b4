#include "drill/drill_cell.h"

#include "strategy/strategy_chart.h"

namespace zvx {

namespace {

constexpr int AceValue = 11;
constexpr int FirstChartHard = 5;
constexpr int FirstChartSoft = 13;

} // namespace

DrillCell CellOf(int total, bool soft, bool pair, int firstCardValue, int upCard) {
    if (pair) return {HandKind::Pair, firstCardValue, upCard};
    return {soft ? HandKind::Soft : HandKind::Hard, total, upCard};
}

bool IsPlausibleCell(const DrillCell& cell) {
    if (cell.UpCard < 2 || cell.UpCard > AceValue) return false;
    switch (cell.Kind) {
    case HandKind::Hard: return cell.Total >= 4 && cell.Total <= 21;
    case HandKind::Soft: return cell.Total >= 12 && cell.Total <= 21;
    case HandKind::Pair: return cell.Total >= 2 && cell.Total <= AceValue;
    }
    return false;
}

std::optional<ChartPlace> ChartPlaceOf(const DrillCell& cell) {
    if (!IsPlausibleCell(cell)) return std::nullopt;
    const int column = cell.UpCard - 2;
    switch (cell.Kind) {
    case HandKind::Hard:
        if (cell.Total < FirstChartHard || cell.Total >= FirstChartHard + ChartHardRows) return std::nullopt;
        return ChartPlace{cell.Total - FirstChartHard, column};
    case HandKind::Soft:
        if (cell.Total < FirstChartSoft || cell.Total >= FirstChartSoft + ChartSoftRows) return std::nullopt;
        return ChartPlace{ChartHardRows + cell.Total - FirstChartSoft, column};
    case HandKind::Pair:
        // Pairs run 2,2 .. 10,10 and then A,A.
        return ChartPlace{ChartHardRows + ChartSoftRows + cell.Total - 2, column};
    }
    return std::nullopt;
}

std::string UpCardLabel(int upCard) { return upCard == AceValue ? "Ace" : std::to_string(upCard); }

std::string HandLabel(const DrillCell& cell) {
    switch (cell.Kind) {
    case HandKind::Hard: return "Hard " + std::to_string(cell.Total);
    case HandKind::Soft:
        // A soft total is an Ace and the rest; soft 21 and soft 12 have no two-card spelling beside A,A.
        if (cell.Total >= FirstChartSoft && cell.Total <= 20) return "A," + std::to_string(cell.Total - AceValue);
        return "Soft " + std::to_string(cell.Total);
    case HandKind::Pair: {
        const std::string card = cell.Total == AceValue ? "A" : std::to_string(cell.Total);
        return card + "," + card;
    }
    }
    return {};
}

} // namespace zvx
