#include "exact/best_table.h"

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
    std::vector<int> rows;
    // Higher totals first: a hit from a lower total lands on them, so their flags settle first.
    for (int t = 16; t >= 12; --t) rows.push_back(HitRows + t);
    for (int t = 21; t >= 17; --t) rows.push_back(HitRows + t);
    if (rules.DoubleAnyHand) {
        for (int t = 11; t >= 4; --t) rows.push_back(DoubleRows + t);
        for (int t = 21; t >= 12; --t) rows.push_back(DoubleRows + t);
    } else {
        rows.push_back(DoubleRows + 11);
        rows.push_back(DoubleRows + 10);
    }
    rows.push_back(SplitRows + 22);
    for (int v = 10; v >= 2; --v) rows.push_back(SplitRows + 2 * v);
    if (rules.SurrenderAllowed)
        for (int t = 16; t >= 12; --t) rows.push_back(SurrenderRows + t);
    return rows;
}

void SetRowSummaries(StrategyTable& table) {
    for (int row = FirstStrategyRow; row <= LastStrategyRow; ++row) {
        std::uint8_t* bytes = table.Row(row);
        int on = 0;
        for (int u = FirstUpValue; u <= LastUpValue; ++u) on += bytes[u] != 0;
        bytes[AlwaysByte] = on == LastUpValue - FirstUpValue + 1 ? 1 : 0;
        bytes[NeverByte] = on == 0 ? 1 : 0;
    }
}

StrategyTable BestTable(ExactEngine& engine, const StrategyTable& start) {
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

} // namespace zvx
