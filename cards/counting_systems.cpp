#include "cards/counting_systems.h"

#include <algorithm>
#include <cmath>

namespace zvx {

namespace {

constexpr int CardsPerDeck = 52;
constexpr int QuarterDeck = CardsPerDeck / 4;

//                                  -   -   2   3   4   5   6   7   8   9  10   A
constexpr std::array<CountingSystem, CountingSystemCount> Systems{{
    {CountingSystemId::HiLo, "hi-lo", "Hi-Lo (the game's own count)", {0, 0, 1, 1, 1, 1, 1, 0, 0, 0, -1, -1}},
    {CountingSystemId::KnockOut, "ko", "Knock-Out (KO, unbalanced)", {0, 0, 1, 1, 1, 1, 1, 1, 0, 0, -1, -1}},
    {CountingSystemId::HiOptI, "hi-opt-1", "Hi-Opt I", {0, 0, 0, 1, 1, 1, 1, 0, 0, 0, -1, 0}},
    {CountingSystemId::HiOptII, "hi-opt-2", "Hi-Opt II", {0, 0, 1, 1, 2, 2, 1, 1, 0, 0, -2, 0}},
    {CountingSystemId::OmegaII, "omega-2", "Omega II", {0, 0, 1, 1, 2, 2, 2, 1, 0, -1, -2, 0}},
    {CountingSystemId::Zen, "zen", "Zen Count", {0, 0, 1, 1, 2, 2, 2, 1, 0, 0, -2, -1}},
}};

static_assert(Systems[0].Balanced() && Systems[2].Balanced() && Systems[3].Balanced() && Systems[4].Balanced() &&
              Systems[5].Balanced());
static_assert(Systems[1].DeckSum() == 4);

} // namespace

std::span<const CountingSystem> CountingSystems() { return Systems; }

const CountingSystem& CountingSystemOf(CountingSystemId id) {
    for (const CountingSystem& system : Systems)
        if (system.Id == id) return system;
    return Systems[0];
}

std::optional<CountingSystemId> CountingSystemByKey(std::string_view key) {
    for (const CountingSystem& system : Systems)
        if (system.Key == key) return system.Id;
    return std::nullopt;
}

int InitialRunningCount(const CountingSystem& system, int decks) {
    return -system.DeckSum() * (std::max(decks, 1) - 1);
}

double DecksLeft(int cardsLeft) { return static_cast<double>(std::max(cardsLeft, 0)) / CardsPerDeck; }

double TrueCount(int runningCount, int cardsLeft) {
    return static_cast<double>(runningCount) / DecksLeft(std::max(cardsLeft, QuarterDeck));
}

int WholeTrueCount(double trueCount) { return static_cast<int>(std::floor(trueCount + 1e-9)); }

CountKeeper::CountKeeper(const CountingSystem& system, int decks)
    : system_(&system), decks_(std::clamp(decks, 1, 8)), shoeSize_(decks_ * CardsPerDeck) {
    Shuffle();
}

void CountKeeper::Shuffle() {
    running_ = InitialRunningCount(*system_, decks_);
    seen_ = 0;
}

void CountKeeper::Count(int value) {
    running_ += system_->Tag(value);
    if (seen_ < shoeSize_) ++seen_;
}

} // namespace zvx
