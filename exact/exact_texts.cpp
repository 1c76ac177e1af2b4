#include "exact/exact_texts.h"

#include <cmath>
#include <cstdio>

namespace zvx {

namespace {

const char* PlayName(Action a) {
    switch (a) {
    case Stand:
        return "Stand";
    case Hit:
        return "Hit";
    case DoubleDown:
        return "Double Down";
    case Split:
        return "Split";
    case Surrender:
        return "Surrender";
    default:
        return "?";
    }
}

} // namespace

std::string EdgePercentText(double edge) {
    char text[32];
    std::snprintf(text, sizeof text, "%+.3f %%", 100 * edge);
    return text;
}

std::string EditorEdgeText(double edge, double bestEdge) {
    return "Exact edge off the top: " + EdgePercentText(edge) +
           "   (best table for these rules: " + EdgePercentText(bestEdge) + ")";
}

std::string ChartCellCostText(Action played, Action best, double cost) {
    if (played == best) return std::string(PlayName(played)) + ": the best play";
    char text[128];
    std::snprintf(text, sizeof text, "%s: costs %.2f %% of the bet each time (best: %s)", PlayName(played),
                  100 * cost, PlayName(best));
    return text;
}

std::string ExactBesideSimulatedText(double edge, double simulatedPercent) {
    char text[160];
    std::snprintf(
        text, sizeof text,
        "Exact advantage off the top %+.3f %% of the money bet, beside strategy #1's simulated %+.3f %%",
        100 * edge, simulatedPercent);
    return text;
}

std::string ExactAloneText(double edge) {
    char text[96];
    std::snprintf(text, sizeof text, "Exact advantage off the top %+.3f %% of the money bet", 100 * edge);
    return text;
}

std::string SessionCostText(double cost) {
    char text[64];
    std::snprintf(text, sizeof text, "mistakes cost %.2f bets", cost);
    return text;
}

} // namespace zvx
