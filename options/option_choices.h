#pragma once

#include <array>
#include <cstdint>

#include "engine/game_state.h"

namespace zvx {

// What the casino rules form and the preferences form do to the game, apart from drawing them.

// The rules form's radio groups: the item a value is shown as (values outside the list, from a damaged
// options file, show as the last item, or "Deal 3/4 deck(s)" for a penetration below 2) ...
int DecksItem(std::uint16_t decks);
int TableMinimumItem(std::uint16_t minimum);
int PenetrationItem(std::uint16_t penetration);

// ... and a click on an item, which writes its field at once and marks the change, even when the item was
// already chosen: decks set DecksChanged, the minimum and the penetration LimitsChanged. An item outside a
// group leaves its field alone.
void ChooseDecksItem(Game& game, int item);
void ChooseTableMinimumItem(Game& game, int item);
void ChoosePenetrationItem(Game& game, int item);

// The rules form's six check boxes, top to bottom on the form.
enum RuleSwitch { DoubleAnySwitch, DoubleAfterSplitSwitch, ResplitSwitch, TwoHandsSwitch, HitsSoft17Switch,
                  SurrenderSwitch, RuleSwitchCount };
using RuleSwitches = std::array<bool, RuleSwitchCount>;
RuleSwitches ReadRuleSwitches(const CasinoRules& rules);
void StoreRuleSwitches(CasinoRules& rules, const RuleSwitches& switches);

// The speed slider.
inline constexpr int SpeedSliderMinimum = 1000;
inline constexpr int SpeedSliderMaximum = 25000;
inline constexpr int SpeedSliderSmallStep = 10;
inline constexpr int SpeedSliderLargeStep = 100;
// A speed outside 1000..20000 is shown, and becomes, 20000 when the form opens (with its delay factor): the
// slider goes further, but only when moved by hand. A speed in range is shown as it is and its delay factor
// left alone. Returns the speed to show.
int SpeedShownOnOpening(Game& game);
// The slider rule: AnimationSpeed := P and DelayFactor := (P / 141) squared.
void ApplySpeedSlider(Game& game, int position);

} // namespace zvx
