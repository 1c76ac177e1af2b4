#include "drill/advice_cost.h"

namespace zvx {

namespace {

class AdviceCosts : public CostSource {
public:
    std::optional<double> CostOf(const Game& g, const JudgedDecision&) override { return g.Drill.LastCost; }
};

} // namespace

std::unique_ptr<CostSource> MakeAdviceCosts() { return std::make_unique<AdviceCosts>(); }

} // namespace zvx
