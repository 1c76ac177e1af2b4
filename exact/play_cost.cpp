#include "exact/play_cost.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <mutex>

namespace zvx {

namespace {

// One engine for the rules last asked about: its dealer's chances are kept between the player's decisions.
std::mutex engineMutex;
std::unique_ptr<ExactEngine> lastEngine;

} // namespace

std::optional<double> PlayCost(const CasinoRules& rules, const StrategyTable& strategy, int upValue,
                               const std::vector<int>& cardValues, bool unsplit, Action played,
                               Action recommended) {
    if (cardValues.size() < 2 || upValue < 2 || upValue > 11) return std::nullopt;
    std::vector<int> ranks;
    for (const int v : cardValues) {
        if (v < 2 || v > 11) return std::nullopt;
        ranks.push_back(RankOfValue(v));
    }
    const ExactRules exact = ExactRulesOf(rules);
    // A hand the shoe could not have dealt (more of a rank than it holds) has no value to compare.
    ShoeCounts left = ShoeCounts::Full(exact.Decks);
    for (const int r : ranks) {
        if (left.Of(r) == 0) return std::nullopt;
        left.Remove(r);
    }
    if (left.Of(RankOfValue(upValue)) == 0) return std::nullopt;
    const std::lock_guard lock(engineMutex);
    if (!lastEngine || !(lastEngine->Rules() == exact)) lastEngine = std::make_unique<ExactEngine>(exact);
    const PlayValues values = lastEngine->HandValues(strategy, RankOfValue(upValue), ranks, unsplit);
    const auto good = ValueOfPlay(values, recommended);
    const auto mine = ValueOfPlay(values, played);
    if (!good || !mine) return std::nullopt;
    return *good - *mine;
}

std::string PlayCostText(double cost) {
    char text[64];
    const double percent = std::abs(100 * cost);
    std::snprintf(text, sizeof text, "%s %.1f %% of the bet", cost >= 0 ? "costs" : "gains", percent);
    return text;
}

} // namespace zvx
