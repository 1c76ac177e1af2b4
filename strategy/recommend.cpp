#include "strategy/recommend.h"

#include "strategy/advice.h"

#include <cassert>

namespace zvx {

Action RecommendAction(Game& g, int hand, int upCard, int total) {
    assert(hand >= 1 && hand < HandCount);
    if (g.AutoPlay) g.PlayerAction = NoAction;
    const Recommendation r =
        DecideAction(g.Strategy, g.Hands[static_cast<std::size_t>(hand)], upCard, total, g.PlayerAction);
    g.LastAdviceCase = r.reason;
    AdviceStep(g, r.action, r.reason, hand);
    if (g.AutoPlay) g.PlayerAction = r.action;
    return r.action;
}

} // namespace zvx
