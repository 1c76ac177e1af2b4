#include "drill/review_list.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zvx {

namespace {

// The player's play as a verb: "You hit", "You doubled down".
std::string PlayedVerb(Action action) {
    switch (action) {
    case Stand:
        return "stood";
    case Hit:
        return "hit";
    case DoubleDown:
        return "doubled down";
    case Split:
        return "split";
    case Surrender:
        return "surrendered";
    default:
        return "played";
    }
}

std::string StrategyVerb(Action action) {
    switch (action) {
    case Stand:
        return "stands";
    case Hit:
        return "hits";
    case DoubleDown:
        return "doubles down";
    case Split:
        return "splits";
    case Surrender:
        return "surrenders";
    default:
        return "plays";
    }
}

std::string Percent(double share) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %%", 100 * share);
    return text;
}

std::string Times(int n) {
    return n == 1 ? "once" : n == 2 ? "twice" : std::to_string(n) + " times";
}

// The costliest first; without costs (no engine), the most often made.
bool Costlier(double costA, int countA, double costB, int countB) {
    if (costA != costB) return costA > costB;
    return countA > countB;
}

} // namespace

std::string CostPhrase(double cost, const std::string& bet) {
    return (cost < 0 ? "gained " + Percent(-cost) : "cost " + Percent(cost)) + " of " + bet;
}

std::string CostTotalPhrase(double cost) {
    if (std::abs(cost) < 1) return CostPhrase(cost, "a bet");
    char amount[48];
    std::snprintf(amount, sizeof amount, "%.2f bets", std::abs(cost));
    return (cost < 0 ? "gained " : "cost ") + std::string(amount);
}

std::vector<ReviewEntry> CostliestMistakes(const DrillRecord& record, std::size_t limit) {
    std::vector<ReviewEntry> entries;
    for (const auto& [cell, tally] : record.Cells()) {
        if (tally.Missed == 0) continue;
        ReviewEntry entry{cell, tally.Judged, tally.Missed, tally.Cost, tally.Mistakes};
        std::stable_sort(entry.Mistakes.begin(), entry.Mistakes.end(), [](const auto& a, const auto& b) {
            return Costlier(a.Cost, a.Count, b.Cost, b.Count);
        });
        entries.push_back(std::move(entry));
    }
    std::stable_sort(entries.begin(), entries.end(), [](const ReviewEntry& a, const ReviewEntry& b) {
        return Costlier(a.Cost, a.Missed, b.Cost, b.Missed);
    });
    if (entries.size() > limit) entries.resize(limit);
    return entries;
}

std::string ActionName(Action action) {
    switch (action) {
    case Stand:
        return "Stand";
    case Hit:
        return "Hit";
    case DoubleDown:
        return "Double";
    case Split:
        return "Split";
    case Surrender:
        return "Surrender";
    default:
        return "";
    }
}

std::string ReviewHeading(const ReviewEntry& entry) {
    std::string text = HandLabel(entry.Cell) + " against " + UpCardLabel(entry.Cell.UpCard) + ": missed " +
                       std::to_string(entry.Missed) + " of " + std::to_string(entry.Judged);
    if (entry.Cost != 0) text += ", " + CostTotalPhrase(entry.Cost);
    return text;
}

std::string ReviewLine(const MistakeTally& mistake) {
    std::string text = "You " + PlayedVerb(mistake.Taken) + " " + Times(mistake.Count) +
                       " where the strategy " + StrategyVerb(mistake.Right);
    if (mistake.Cost != 0 && mistake.Count > 0)
        text += " (" + CostPhrase(mistake.Cost / mistake.Count, "the bet a time") + ")";
    return text;
}

std::string TotalsText(const DrillTotals& totals) {
    if (totals.Judged == 0) return "No decisions judged";
    std::string text = "Accuracy " + Percent(totals.Accuracy()) + " (" +
                       std::to_string(totals.Judged - totals.Missed) + " of " +
                       std::to_string(totals.Judged) + ")";
    if (totals.Cost != 0) text += ", mistakes " + CostTotalPhrase(totals.Cost);
    return text;
}

} // namespace zvx
