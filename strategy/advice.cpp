#include "strategy/advice.h"

#include "drill/drill_keeper.h"
#include "engine/table_view.h"
#include "exact/play_cost.h"
#include "strategy/recommend.h"

#include <cassert>
#include <optional>
#include <string>
#include <vector>

namespace zvx {

namespace {

constexpr int AceValue = 11;
constexpr int AdviceBoxTop = 50;

// Left edges of the advice box, beside each player hand 1..4.
constexpr int AdviceBoxLeft[HandCount] = {0, 310, 460, 10, 160};

const THand& HandAt(const Game& g, int hand) {
    return g.Hands[static_cast<std::size_t>(hand)];
}

int CardValueAt(const THand& hand, int position) {
    const TCard* card = hand.Cards[static_cast<std::size_t>(position)];
    return card != nullptr ? card->Value : 0;
}

int DealerUpCard(const Game& g) {
    return CardValueAt(HandAt(g, DealerSlot), 1);
}

std::string CardText(int value) {
    return value == AceValue ? "Ace" : std::to_string(value);
}

// What the player's play costs against the strategy's on this hand, off the top of a fresh shoe.
std::optional<double> MistakeCost(const Game& g, int hand, Action played, Action recommended) {
    const THand& h = HandAt(g, hand);
    std::vector<int> values;
    for (int position = 1; position <= h.CardCount; ++position) values.push_back(CardValueAt(h, position));
    return PlayCost(g.Rules(), g.Strategy, DealerUpCard(g), values, h.IsUnsplit, played, recommended);
}

} // namespace

void AdviceStep(Game& g, Action recommended, AdviceCase reason, int hand) {
    if (!g.TableShown) return;
    if (recommended == g.PlayerAction) {
        g.AdviceText.clear();
    } else {
        BuildAdviceText(g, reason, hand);
    }
}

void BuildAdviceText(Game& g, AdviceCase reason, int hand) {
    assert(hand >= 1 && hand < HandCount);
    const THand& h = HandAt(g, hand);
    // Only the low byte of the total is a hand value, as in the decision.
    const std::string total = std::to_string(h.Total & 0xFF);
    const std::string dealer = CardText(DealerUpCard(g));
    const std::string againstDealer = total + " against Dealer " + dealer;

    std::string& text = g.AdviceText;
    switch (reason) {
    case AdviceCase::StandHard:
        text = "Stand with hard " + againstDealer;
        break;
    case AdviceCase::StandHard17:
        text = "Stand with a hard total of 17 or more";
        break;
    case AdviceCase::StandSoft:
        text = "Stand with a soft total of " + againstDealer;
        break;
    case AdviceCase::HitHard:
        text = "Hit " + againstDealer;
        break;
    case AdviceCase::HitBelow12:
        text = "If you cannot double, always hit less than 12";
        break;
    case AdviceCase::DoNotDouble:
        text = "Do Not Double " + againstDealer;
        break;
    case AdviceCase::NeverSplitFours:
        text = "NEVER Split 4's or 5's";
        break;
    case AdviceCase::HitSoftLow:
        text = "Hit Soft " + total + " or less";
        break;
    case AdviceCase::HitSoft:
        text = "Hit Soft " + againstDealer;
        break;
    case AdviceCase::DoubleHard:
        text = "Double Down with " + againstDealer;
        break;
    case AdviceCase::DoubleSoft:
        text = "Double Down with Soft " + againstDealer;
        break;
    case AdviceCase::SplitAces:
        if (g.Strategy.Row(SplitRows + 22)[AlwaysByte] != 0) {
            text = "ALWAYS Split Aces";
        } else {
            text = "Split Aces against Dealer " + dealer;
        }
        break;
    case AdviceCase::SplitPair: {
        const int pairValue = CardValueAt(h, 1);
        const int row = SplitRows + 2 * pairValue;
        const bool always =
            row >= FirstStrategyRow && row <= LastStrategyRow && g.Strategy.Row(row)[AlwaysByte] != 0;
        text =
            (always ? "ALWAYS Split " : "Split ") + std::to_string(pairValue) + "'s against Dealer " + dealer;
        break;
    }
    case AdviceCase::SurrenderHard:
        text = "Surrender " + againstDealer;
        break;
    case AdviceCase::None:
        text.clear();
        break;
    }
}

void CheckPlayerAction(Game& g, int hand, int action) {
    assert(hand >= 1 && hand < HandCount);
    if (HandAt(g, hand).Finished) return;

    const std::uint16_t kept = g.PlayerAction;
    g.PlayerAction = static_cast<std::uint16_t>(action);
    const Action recommended = RecommendAction(g, hand, DealerUpCard(g), HandAt(g, hand).Total);
    g.Drill.LastCost.reset();
    if (action >= Stand && action <= Surrender) {
        ++g.Drill.Judged;
        if (g.AdviceText.empty()) ++g.Drill.Matched;
        else g.Drill.LastCost = MistakeCost(g, hand, static_cast<Action>(action), recommended);
        if (g.Drill.LastCost) g.Drill.Cost += *g.Drill.LastCost;
        if (g.DrillRecorder) g.DrillRecorder->DecisionJudged(g, hand, static_cast<Action>(action), recommended);
        if (g.TableShown && g.Table != nullptr) g.Table->ShowDrillScore();
    }

    if (!g.AdviceText.empty() && g.TableShown && g.Table != nullptr) {
        g.Table->ShowPointer(hand);
        if (g.Prefs().SoundOn) g.Table->Beep();
        g.Table->ShowAdviceBox(g.AdviceText, AdviceBoxLeft[hand], AdviceBoxTop);
    }
    g.AdviceText.clear();
    g.Drill.LastCost.reset();
    g.PlayerAction = kept;
}

} // namespace zvx
