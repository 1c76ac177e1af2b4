#include <gtest/gtest.h>

#include "engine/game_state.h"
#include "options/option_choices.h"

namespace zvx {
namespace {

TEST(RulesChoices, DamagedValuesShowAsTheLastItem) {
    EXPECT_EQ(DecksItem(1), 0);
    EXPECT_EQ(DecksItem(6), 3);
    EXPECT_EQ(DecksItem(8), 4);
    EXPECT_EQ(DecksItem(3), 4);
    EXPECT_EQ(DecksItem(0), 4);
    EXPECT_EQ(TableMinimumItem(5), 0);
    EXPECT_EQ(TableMinimumItem(25), 1);
    EXPECT_EQ(TableMinimumItem(30), 2);
    EXPECT_EQ(PenetrationItem(2), 0);
    EXPECT_EQ(PenetrationItem(3), 1);
    EXPECT_EQ(PenetrationItem(0), 1); // below 2: "Deal 3/4 deck(s)"
}

TEST(RulesChoices, EveryClickMarksItsChangeEvenOnTheSameValue) {
    Game g;
    g.Options.Rules.TableMinimum = 25;
    ChooseTableMinimumItem(g, 1);
    EXPECT_EQ(g.Options.Rules.TableMinimum, 25);
    EXPECT_TRUE(g.OptionsChanged);
    EXPECT_TRUE(g.LimitsChanged);
    EXPECT_FALSE(g.DecksChanged);

    Game d;
    ChooseDecksItem(d, 4);
    EXPECT_EQ(d.Options.Rules.Decks, 8);
    EXPECT_TRUE(d.DecksChanged);
    EXPECT_FALSE(d.LimitsChanged);

    Game p;
    ChoosePenetrationItem(p, 0);
    EXPECT_EQ(p.Options.Rules.Penetration, 2);
    EXPECT_TRUE(p.LimitsChanged);
    // An index outside the group leaves the field.
    ChooseTableMinimumItem(p, 3);
    EXPECT_EQ(p.Options.Rules.TableMinimum, CasinoRules{}.TableMinimum);
}

TEST(RulesChoices, SwitchesRoundTripInFormOrder) {
    CasinoRules r{};
    RuleSwitches s{};
    s[TwoHandsSwitch] = true;
    s[SurrenderSwitch] = true;
    StoreRuleSwitches(r, s);
    EXPECT_TRUE(r.PlayTwoHands);
    EXPECT_TRUE(r.SurrenderAllowed);
    EXPECT_FALSE(r.DoubleAnyHand);
    EXPECT_FALSE(r.DealerHitsSoft17);
    EXPECT_EQ(ReadRuleSwitches(r), s);
}

TEST(SpeedSlider, LeftEndAndTheLimitOnOpening) {
    Game g;
    ApplySpeedSlider(g, SpeedSliderMinimum);
    EXPECT_EQ(g.Options.Prefs.AnimationSpeed, 1000);
    EXPECT_NEAR(g.DelayFactor, 50.3, 0.05);
    ApplySpeedSlider(g, 25000);
    EXPECT_NEAR(g.DelayFactor, 31437, 1);

    g.Options.Prefs.AnimationSpeed = 22000;
    EXPECT_EQ(SpeedShownOnOpening(g), 20000);
    EXPECT_EQ(g.Options.Prefs.AnimationSpeed, 20000);
    EXPECT_NEAR(g.DelayFactor, 20119.7, 0.1);

    g.Options.Prefs.AnimationSpeed = 8000;
    g.DelayFactor = 1234;
    EXPECT_EQ(SpeedShownOnOpening(g), 8000);
    EXPECT_EQ(g.DelayFactor, 1234); // a speed in range is not recomputed by opening the form
    g.Options.Prefs.AnimationSpeed = 999;
    EXPECT_EQ(SpeedShownOnOpening(g), 20000);
}

} // namespace
} // namespace zvx
