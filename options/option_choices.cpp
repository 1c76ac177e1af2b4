#include "options/option_choices.h"

#include "engine/startup.h"

namespace zvx {

namespace {

constexpr std::array<std::uint16_t, 5> DeckItems = {1, 2, 4, 6, 8};
constexpr std::array<std::uint16_t, 3> MinimumItems = {5, 25, 100};
constexpr int FirstPenetration = 2;
constexpr int PenetrationItems = 2;
constexpr int HighestShownSpeed = 20000;

template <std::size_t N>
int ItemOf(const std::array<std::uint16_t, N>& items, std::uint16_t value) {
    for (std::size_t i = 0; i + 1 < N; ++i)
        if (items[i] == value) return static_cast<int>(i);
    return static_cast<int>(N) - 1;
}

template <std::size_t N>
bool InGroup(const std::array<std::uint16_t, N>&, int item) {
    return item >= 0 && item < static_cast<int>(N);
}

} // namespace

int DecksItem(std::uint16_t decks) { return ItemOf(DeckItems, decks); }
int TableMinimumItem(std::uint16_t minimum) { return ItemOf(MinimumItems, minimum); }
int PenetrationItem(std::uint16_t penetration) {
    return penetration < FirstPenetration ? 1 : penetration - FirstPenetration;
}

void ChooseDecksItem(Game& game, int item) {
    game.DecksChanged = true;
    if (InGroup(DeckItems, item)) game.Options.Rules.Decks = DeckItems[static_cast<std::size_t>(item)];
    game.OptionsChanged = true;
}

void ChooseTableMinimumItem(Game& game, int item) {
    if (InGroup(MinimumItems, item)) game.Options.Rules.TableMinimum = MinimumItems[static_cast<std::size_t>(item)];
    game.OptionsChanged = true;
    game.LimitsChanged = true;
}

void ChoosePenetrationItem(Game& game, int item) {
    if (item >= 0 && item < PenetrationItems)
        game.Options.Rules.Penetration = static_cast<std::uint16_t>(item + FirstPenetration);
    game.OptionsChanged = true;
    game.LimitsChanged = true;
}

RuleSwitches ReadRuleSwitches(const CasinoRules& r) {
    return {r.DoubleAnyHand, r.DoubleAfterSplit, r.ResplitAllowed, r.PlayTwoHands, r.DealerHitsSoft17,
            r.SurrenderAllowed};
}

void StoreRuleSwitches(CasinoRules& r, const RuleSwitches& s) {
    r.DoubleAnyHand = s[DoubleAnySwitch];
    r.DoubleAfterSplit = s[DoubleAfterSplitSwitch];
    r.ResplitAllowed = s[ResplitSwitch];
    r.PlayTwoHands = s[TwoHandsSwitch];
    r.DealerHitsSoft17 = s[HitsSoft17Switch];
    r.SurrenderAllowed = s[SurrenderSwitch];
}

int SpeedShownOnOpening(Game& game) {
    std::uint16_t& speed = game.Options.Prefs.AnimationSpeed;
    if (speed > HighestShownSpeed || speed < SpeedSliderMinimum) ApplySpeedSlider(game, HighestShownSpeed);
    return speed;
}

void ApplySpeedSlider(Game& game, int position) {
    game.Options.Prefs.AnimationSpeed = static_cast<std::uint16_t>(position);
    game.DelayFactor = DelayFactorForSpeed(game.Options.Prefs.AnimationSpeed);
}

} // namespace zvx
