#include "drill/count_drill.h"

#include "engine/game_state.h"
#include "engine/shoe.h"

#include <algorithm>
#include <cmath>

namespace zvx {

namespace {

constexpr int HalfDeck = CardsInDeck / 2;
// A random stop falls this many cards after the last count asked, at the end of a group.
constexpr int FewestCardsBetweenStops = 12;
constexpr int MostCardsBetweenStops = 40;
// The true counts the true count drill asks about, spread as a counter meets them and a little wider.
constexpr double LowestAskedTrueCount = -4.0;
constexpr double HighestAskedTrueCount = 6.0;
// Two answers closer than this are the same figure: a typed 2.5 is the half deck 2.5.
constexpr double SameFigure = 1e-6;

std::mt19937 DrillGenerator(std::optional<std::uint32_t> seed, std::uint32_t stream) {
    if (seed) return std::mt19937(*seed ^ stream);
    std::random_device device;
    return std::mt19937(device());
}

int ClampedDecks(int decks) {
    return std::clamp(decks, 1, 8);
}

double ClampedPace(double pace) {
    if (!std::isfinite(pace)) return SlowestPace;
    return std::clamp(pace, SlowestPace, FastestPace);
}

} // namespace

std::vector<int> ShuffledDrillShoe(const DrillShoeRules& rules) {
    // The game's own shoe and shuffle, so that a seed deals the drill the cards it deals the table.
    Game g;
    g.FixedSeed = rules.Seed;
    g.Options.Rules.Decks = static_cast<std::uint16_t>(ClampedDecks(rules.Decks));
    g.Options.Rules.Penetration = static_cast<std::uint16_t>(std::clamp(rules.Penetration, 2, 3));
    // The faces are on show: the full shuffle decides every card's place, as it does at the table.
    g.TableShown = true;
    BuildShoe(g);
    std::vector<int> cards;
    cards.reserve(g.Shoe.ShoeSize);
    for (int position = 0; position < g.Shoe.ShoeSize; ++position)
        cards.push_back(g.Shoe.At(position).Face);
    return cards;
}

int CutCardOf(const DrillShoeRules& rules) {
    return ClampedDecks(rules.Decks) * 13 * std::clamp(rules.Penetration, 2, 3);
}

RunningCountDrill::RunningCountDrill(const DrillShoeRules& shoe, const RunningDrillSettings& settings)
    : settings_(settings), shoe_(ShuffledDrillShoe(shoe)),
      keeper_(CountingSystemOf(settings.System), ClampedDecks(shoe.Decks)),
      stops_(DrillGenerator(shoe.Seed, 0x5709u)) {
    settings_.Pace = ClampedPace(settings_.Pace);
    roundCards_ = shoe.TwoBoxes ? 6 : 4;
    const int cut = CutCardOf(shoe);
    target_ = settings_.Cards > 0 ? std::min(settings_.Cards, ShoeCards()) : cut;
    session_.Kind = CountDrillKind::Running;
    session_.System = settings_.System;
    session_.Pace = settings_.Pace;
    PlanNextStop();
}

int RunningCountDrill::GroupSize() const {
    switch (settings_.Group) {
    case DrillGroup::One:
        return 1;
    case DrillGroup::Two:
        return 2;
    case DrillGroup::Round:
        return roundCards_;
    }
    return 1;
}

int RunningCountDrill::GroupMilliseconds() const {
    return static_cast<int>(std::lround(1000.0 * GroupSize() / settings_.Pace));
}

std::span<const int> RunningCountDrill::Deal() {
    stopDue_ = false;
    const int n = std::min(GroupSize(), target_ - dealt_);
    if (n <= 0) return {};
    const std::span<const int> group(shoe_.data() + dealt_, static_cast<std::size_t>(n));
    for (int code : group)
        keeper_.Count(CardValue(code));
    dealt_ += n;
    stopDue_ = settings_.RandomStops && !Finished() && dealt_ >= nextStop_;
    return group;
}

RunningVerdict RunningCountDrill::Answer(int typed, double seconds) {
    RunningVerdict verdict;
    verdict.Typed = typed;
    verdict.Running = keeper_.Running();
    verdict.Right = typed == verdict.Running;
    verdict.True = keeper_.True();
    verdict.CardsSeen = dealt_;
    verdict.Pace = settings_.Pace;
    verdict.Seconds = std::max(seconds, 0.0);
    session_.Add(verdict.Right, dealt_ - answeredAt_, verdict.Seconds - answeredSeconds_);
    answeredAt_ = dealt_;
    answeredSeconds_ = std::max(answeredSeconds_, verdict.Seconds);
    stopDue_ = false;
    PlanNextStop();
    return verdict;
}

void RunningCountDrill::PlanNextStop() {
    std::uniform_int_distribution<int> gap(FewestCardsBetweenStops, MostCardsBetweenStops);
    nextStop_ = dealt_ + gap(stops_);
}

DeckCountdown::DeckCountdown(CountingSystemId system, std::optional<std::uint32_t> seed)
    : system_(&CountingSystemOf(system)), deck_(ShuffledDrillShoe(DrillShoeRules{1, 3, false, seed})) {
    session_.Kind = CountDrillKind::Countdown;
    session_.System = system;
}

std::optional<int> DeckCountdown::Turn() {
    if (Finished()) return std::nullopt;
    return deck_[static_cast<std::size_t>(turned_++)];
}

int DeckCountdown::Expected() const {
    return InitialRunningCount(*system_, 1) + system_->DeckSum();
}

CountdownVerdict DeckCountdown::Answer(int typed, double seconds, CountDrillRecord& record) {
    CountdownVerdict verdict;
    verdict.Typed = typed;
    verdict.Expected = Expected();
    verdict.Seconds = std::max(seconds, 0.0);
    // A count given before the last card is a count of part of the deck: it cannot be right.
    verdict.Right = Finished() && typed == verdict.Expected;
    if (verdict.Right) verdict.NewBest = record.OfferCountdown(system_->Id, verdict.Seconds);
    session_ =
        CountSessionResult{CountDrillKind::Countdown, system_->Id, session_.Started, 0, 0, 0, 0.0, 0.0};
    session_.Add(verdict.Right, turned_, verdict.Seconds);
    return verdict;
}

DiscardTray TrayOf(int cardsDealt, int shoeCards) {
    DiscardTray tray;
    tray.ShoeCards = std::max(shoeCards, 0);
    tray.CardsDealt = std::clamp(cardsDealt, 0, tray.ShoeCards);
    tray.FullDecks = tray.CardsDealt / CardsInDeck;
    tray.HalfDeck = tray.CardsDealt % CardsInDeck >= HalfDeck;
    return tray;
}

double NearestHalfDeck(int cardsLeft) {
    return std::max(0.5, std::round(static_cast<double>(std::max(cardsLeft, 0)) / HalfDeck) / 2.0);
}

TrueCountVerdict ScoreTrueCount(const TrueCountQuestion& question, double decksTyped, double trueTyped) {
    TrueCountVerdict verdict;
    verdict.DecksTyped = decksTyped;
    verdict.DecksExact = DecksLeft(question.CardsLeft());
    verdict.DecksNearestHalf = NearestHalfDeck(question.CardsLeft());
    verdict.DecksRight =
        std::isfinite(decksTyped) && std::abs(decksTyped - verdict.DecksNearestHalf) < SameFigure;
    verdict.TrueTyped = trueTyped;
    verdict.TrueExact = TrueCount(question.Running, question.CardsLeft());
    verdict.TrueByHalfDeck = question.Running / verdict.DecksNearestHalf;
    if (std::isfinite(trueTyped)) {
        const int whole = WholeTrueCount(trueTyped);
        verdict.TrueRight =
            whole == WholeTrueCount(verdict.TrueExact) || whole == WholeTrueCount(verdict.TrueByHalfDeck);
    }
    return verdict;
}

TrueCountDrill::TrueCountDrill(const DrillShoeRules& shoe, CountingSystemId system)
    : shoeCards_(ClampedDecks(shoe.Decks) * CardsInDeck), cut_(CutCardOf(shoe)),
      random_(DrillGenerator(shoe.Seed, 0x7c0du)) {
    session_.Kind = CountDrillKind::TrueCount;
    session_.System = system;
    NextQuestion();
}

void TrueCountDrill::NextQuestion() {
    // At least half a deck in the tray, and no further than the cut card: the shoes a player counts at the
    // table.
    std::uniform_int_distribution<int> dealt(HalfDeck, std::max(HalfDeck, cut_));
    std::uniform_real_distribution<double> trueCount(LowestAskedTrueCount, HighestAskedTrueCount);
    question_.ShoeCards = shoeCards_;
    question_.CardsDealt = std::min(dealt(random_), shoeCards_ - HalfDeck / 2);
    question_.Running = static_cast<int>(std::lround(trueCount(random_) * DecksLeft(question_.CardsLeft())));
}

TrueCountVerdict TrueCountDrill::Answer(double decksTyped, double trueTyped, double seconds) {
    const TrueCountVerdict verdict = ScoreTrueCount(question_, decksTyped, trueTyped);
    session_.Add(verdict.DecksRight && verdict.TrueRight, 0, seconds);
    return verdict;
}

} // namespace zvx
