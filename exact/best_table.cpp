#include "exact/best_table.h"

#include "strategy/strategy_editing.h"

#include <algorithm>
#include <array>

namespace zvx {

namespace {

constexpr int FirstUpValue = 2;
constexpr int LastUpValue = 11;

void Flip(StrategyTable& table, int row, int upValue) {
    std::uint8_t& cell = table.Row(row)[upValue];
    cell = cell != 0 ? 0 : 1;
}

} // namespace

std::vector<int> DecisionRows(const ExactRules& rules) {
    // The editor's rows, higher totals first within each kind: a hit from a lower total lands on them, so
    // their flags settle first.
    std::vector<int> rows;
    for (const EditorRow& row : EditorRows) {
        const int base = row.RowCode / 100 * 100;
        const int total = row.RowCode - base;
        if (base == SurrenderRows && (!rules.SurrenderAllowed || total > 16)) continue;
        if (base == DoubleRows && !rules.DoubleAnyHand && total != 10 && total != 11) continue;
        rows.push_back(row.RowCode);
    }
    std::stable_sort(rows.begin(), rows.end(), [](int a, int b) {
        const int kindA = a / 100, kindB = b / 100;
        return kindA != kindB ? kindA < kindB : a > b;
    });
    return rows;
}

void SetRowSummaries(StrategyTable& table) {
    for (int row = FirstStrategyRow; row <= LastStrategyRow; ++row) {
        std::uint8_t* bytes = table.Row(row);
        int on = 0;
        for (int u = FirstUpValue; u <= LastUpValue; ++u)
            on += bytes[u] != 0;
        bytes[AlwaysByte] = on == LastUpValue - FirstUpValue + 1 ? 1 : 0;
        bytes[NeverByte] = on == 0 ? 1 : 0;
    }
}

StrategyTable BestTable(ExactEngine& engine, const StrategyTable& start, const std::atomic<bool>* stop) {
    StrategyTable table = start;
    const std::vector<int> rows = DecisionRows(engine.Rules());
    // Tiny gains from a change are rounding, not play: they would let the search go round in circles.
    constexpr double Gain = 1e-13;
    for (int up = 1; up <= RankCount; ++up) {
        if (engine.Shoe().Of(up) == 0) continue;
        const int upValue = ValueOfRank(up);
        double edge = engine.UpCardEdge(table, up);
        for (bool changed = true; changed;) {
            changed = false;
            for (const int row : rows) {
                if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
                    SetRowSummaries(table);
                    return table;
                }
                Flip(table, row, upValue);
                const double tried = engine.UpCardEdge(table, up);
                if (tried > edge + Gain) {
                    edge = tried;
                    changed = true;
                } else {
                    Flip(table, row, upValue);
                }
            }
        }
    }
    SetRowSummaries(table);
    return table;
}

std::vector<CellCost> CellCosts(ExactEngine& engine, const StrategyTable& table, const StrategyTable& best) {
    std::vector<CellCost> costs;
    const std::vector<int> rows = DecisionRows(engine.Rules());
    for (int up = 1; up <= RankCount; ++up) {
        if (engine.Shoe().Of(up) == 0) continue;
        const int upValue = ValueOfRank(up);
        const double weight = engine.Shoe().Chance(up);
        const double edge = engine.UpCardEdge(table, up);
        StrategyTable tried = table;
        for (const int row : rows) {
            if (table.Has(row, upValue) == best.Has(row, upValue)) continue;
            Flip(tried, row, upValue);
            costs.push_back({row, upValue, weight * (engine.UpCardEdge(tried, up) - edge)});
            Flip(tried, row, upValue);
        }
    }
    return costs;
}

std::optional<double> ValueOfPlay(const PlayValues& values, Action play) {
    switch (play) {
    case Stand:
        return values.Stand;
    case Hit:
        return values.Hit;
    case DoubleDown:
        return values.Double;
    case Split:
        return values.Split;
    case Surrender:
        return values.Surrender;
    default:
        return std::nullopt;
    }
}

namespace {

// The chart row of two ranks (First <= Second), or -1 for a hand the chart leaves out (hard 18 and more).
int ChartRowOf(int first, int second) {
    const auto& hands = ChartHands();
    for (std::size_t row = 0; row < hands.size(); ++row) {
        const ChartHand& h = hands[row];
        if (h.Pair) {
            if (first == second && h.Total == (first == AceRank ? 12 : 2 * first))
                return static_cast<int>(row);
        } else if (h.Soft) {
            if (first == AceRank && second != AceRank && h.Total == 11 + second) return static_cast<int>(row);
        } else if (first != second && first != AceRank && h.Total == first + second) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

} // namespace

ChartCosts ChartCellCosts(ExactEngine& engine, const StrategyTable& table, const StrategyTable& best,
                          const CasinoRules& rules) {
    const StrategyChart mine = BuildStrategyChart(table, rules);
    const StrategyChart right = BuildStrategyChart(best, rules);
    ChartCosts costs{};
    for (int column = 0; column < ChartColumns && !engine.Stopped(); ++column) {
        const auto c = static_cast<std::size_t>(column);
        bool differs = false;
        for (std::size_t row = 0; row < mine.size(); ++row)
            differs = differs || mine[row][c] != right[row][c];
        if (!differs) continue;
        std::array<double, ChartRows> lost{};
        std::array<double, ChartRows> weight{};
        for (const auto& hand : engine.StartingHands(table, RankOfValue(ChartUpCard(column)))) {
            const int row = ChartRowOf(hand.First, hand.Second);
            if (row < 0) continue;
            const auto r = static_cast<std::size_t>(row);
            if (mine[r][c] == right[r][c]) continue;
            const auto good = ValueOfPlay(hand.Values, right[r][c]);
            const auto played = ValueOfPlay(hand.Values, mine[r][c]);
            if (!good || !played) continue;
            lost[r] += hand.Chance * (*good - *played);
            weight[r] += hand.Chance;
        }
        for (std::size_t row = 0; row < mine.size(); ++row)
            if (weight[row] > 0) costs[row][c] = lost[row] / weight[row];
    }
    return costs;
}

} // namespace zvx
