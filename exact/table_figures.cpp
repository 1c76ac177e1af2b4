#include "exact/table_figures.h"

#include "strategy/builtin_strategies.h"

#include <map>
#include <mutex>
#include <tuple>

namespace zvx {

namespace {

auto RulesKey(const ExactRules& r) {
    return std::make_tuple(r.Decks, r.HitsSoft17, r.DoubleAnyHand, r.DoubleAfterSplit, r.ResplitAllowed,
                           r.SurrenderAllowed);
}

std::mutex bestMutex;
struct KnownBest {
    StrategyTable Table;
    double Edge = 0;
};
std::map<decltype(RulesKey(ExactRules{})), KnownBest> bestTables;

// The best table and its edge for the rules, found once.
std::optional<KnownBest> FindBest(const ExactRules& exact, const std::atomic<bool>* stop) {
    {
        const std::lock_guard lock(bestMutex);
        if (const auto found = bestTables.find(RulesKey(exact)); found != bestTables.end())
            return found->second;
    }
    ExactEngine engine(exact);
    engine.SetStop(stop);
    StrategyTable start;
    LoadAdvancedStrategy(start);
    KnownBest best;
    best.Table = BestTable(engine, start, stop);
    if (engine.Stopped()) return std::nullopt;
    best.Edge = engine.TableEdge(best.Table);
    // A search stopped part way found no best table: nothing of it is kept.
    if (engine.Stopped()) return std::nullopt;
    const std::lock_guard lock(bestMutex);
    bestTables.emplace(RulesKey(exact), best);
    return best;
}

} // namespace

std::optional<StrategyTable> BestTableFor(const CasinoRules& rules, const std::atomic<bool>* stop) {
    const auto best = FindBest(ExactRulesOf(rules), stop);
    if (!best) return std::nullopt;
    return best->Table;
}

std::optional<TableFigures> WorkOutTableFigures(const CasinoRules& rules, const StrategyTable& table,
                                                const std::atomic<bool>* stop, bool withBest) {
    const auto stopped = [stop] { return stop != nullptr && stop->load(); };
    TableFigures figures;
    ExactEngine engine(ExactRulesOf(rules));
    engine.SetStop(stop);
    figures.Edge = engine.TableEdge(table);
    figures.Stakes = engine.TableStakes(table);
    if (stopped()) return std::nullopt;
    if (!withBest) return figures;
    const auto best = FindBest(ExactRulesOf(rules), stop);
    if (!best || stopped()) return std::nullopt;
    figures.Best = best->Table;
    figures.BestEdge = best->Edge;
    figures.Costs = ChartCellCosts(engine, table, best->Table, rules);
    if (stopped()) return std::nullopt;
    return figures;
}

} // namespace zvx
