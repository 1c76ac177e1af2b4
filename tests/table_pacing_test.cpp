#include "engine/startup.h"
#include "table/layout.h"
#include "table/pacing.h"

#include <chrono>
#include <gtest/gtest.h>
#include <set>

namespace zvx {
namespace {

using std::chrono::milliseconds;
using std::chrono::nanoseconds;

TEST(Pacing, StepCountsAtTheDefaultAndTheEndsOfTheSlider) {
    EXPECT_EQ(DealSteps(8000, 26), 8);
    EXPECT_EQ(DealSteps(8000, 150), 16);
    EXPECT_EQ(ChipSteps(8000, 50, 99), 8);
    EXPECT_EQ(ChipSteps(8000, 100, 0), 20); // exactly 100 pixels is a long move
    EXPECT_EQ(FlipSteps(8000), 4);
    EXPECT_EQ(FlipWidthStep(4), 9);

    EXPECT_EQ(DealSteps(1000, 26), 1);
    EXPECT_EQ(DealSteps(1000, 150), 2);
    EXPECT_EQ(ChipSteps(1000, 10, 10), 1);
    EXPECT_EQ(ChipSteps(1000, 300, 10), 2); // 2.5 rounds to even
    EXPECT_EQ(FlipSteps(1000), 1);
    EXPECT_EQ(FlipWidthStep(1), 36);

    // The flip narrows by 84 pixels in all at the top speed and widens back to 72.
    EXPECT_EQ(FlipSteps(25000), 14);
    EXPECT_EQ(FlipWidthStep(14), 3);
    EXPECT_EQ(ShuffleFlickerCards(1000), 26);
    EXPECT_EQ(ShuffleFlickerCards(25000), 40);
}

TEST(Pacing, StepsStopShortAndTheCutCardRounds) {
    EXPECT_EQ(StepOffset(197, 16), 12);
    EXPECT_EQ(StepOffset(-197, 16), -12);
    EXPECT_EQ(RoundedStepOffset(-180, 8), -22); // -22.5 to even
    EXPECT_EQ(RoundedStepOffset(62, 8), 8);
}

double Seconds(nanoseconds n) { return std::chrono::duration<double>(n).count(); }

// A player's card: its steps times the step pause, at a speed setting.
double CardSeconds(Game& g, int speed) {
    g.DelayFactor = DelayFactorForSpeed(static_cast<std::uint16_t>(speed));
    g.Options.Prefs.AnimationSpeed = static_cast<std::uint16_t>(speed);
    return Seconds(DealSteps(speed, 150) * StepPauseLength(g, pauses::SlideStep));
}

TEST(Pacing, TheSliderSpansPlayableCardFlights) {
    Game g;
    g.TableShown = true;
    g.DelayFactor = 1;
    EXPECT_NEAR(CardSeconds(g, DefaultAnimationSpeed), 0.25, 0.01);
    EXPECT_NEAR(CardSeconds(g, MinAnimationSpeed), 0.05, 0.005); // still a visible flight
    EXPECT_GT(CardSeconds(g, MaxAnimationSpeed), 0.5);
    EXPECT_LE(CardSeconds(g, MaxAnimationSpeed), 1.0); // never more than four quarter seconds
    // Every notch toward the slow end is slower, for a card and for the pauses that hold a picture.
    double card = 0;
    nanoseconds hold{0};
    for (int speed = MinAnimationSpeed; speed <= MaxAnimationSpeed; speed += 500) {
        const double next = CardSeconds(g, speed);
        EXPECT_GT(next, card) << speed;
        EXPECT_GT(PauseLength(g, pauses::EvenMoney), hold) << speed;
        card = next;
        hold = PauseLength(g, pauses::EvenMoney);
    }
    // A speed never set (an options file from before the setting) runs at the default.
    g.Options.Prefs.AnimationSpeed = 0;
    EXPECT_EQ(StepPauseLength(g, 2), 2 * StepUnit(DefaultAnimationSpeed));
}

TEST(Pacing, PausesWaitOnlyAtAShownTableOutsideThePracticeDeck) {
    Game g;
    g.Options.Prefs.AnimationSpeed = DefaultAnimationSpeed;
    g.DelayFactor = DelayFactorForSpeed(DefaultAnimationSpeed);
    EXPECT_EQ(PauseLength(g, 10).count(), 0); // no table
    g.TableShown = true;
    EXPECT_GT(PauseLength(g, 10).count(), 0);
    EXPECT_EQ(PauseLength(g, 0).count(), 0);
    g.PracticeDeckMode = true;
    EXPECT_EQ(PauseLength(g, 10).count(), 0);
    EXPECT_EQ(StepPauseLength(g, 10).count(), 0);
    // Only a test's table, with DelayFactor zero, runs without pauses.
    g.PracticeDeckMode = false;
    g.DelayFactor = 0;
    EXPECT_EQ(PauseLength(g, 10).count(), 0);
    EXPECT_EQ(AdvicePauseLength(g, 50).count(), 0);
}

TEST(Pacing, CommentaryReadsLongerTheFurtherLeftTheSpeedBarStands) {
    Game g;
    g.DelayFactor = DelayFactorForSpeed(DefaultAnimationSpeed);
    EXPECT_EQ(AdvicePauseLength(g, 50).count(), 0); // no table
    g.TableShown = true;
    // SimulationDelay is 101 - the bar's position: 1 at the right end, 50 at the start, 100 at the left end.
    EXPECT_NEAR(Seconds(AdvicePauseLength(g, 1)), 0.3, 0.01);
    EXPECT_NEAR(Seconds(AdvicePauseLength(g, 50)), 2.0, 0.01);
    EXPECT_NEAR(Seconds(AdvicePauseLength(g, 100)), 5.0, 0.01); // the left end reads longest
    for (int delay = 2; delay <= 100; ++delay)
        EXPECT_GT(AdvicePauseLength(g, delay), AdvicePauseLength(g, delay - 1)) << delay;
    EXPECT_EQ(AdvicePauseLength(g, 0).count(), 0);
    // The animation slider leaves reading time alone.
    g.Options.Prefs.AnimationSpeed = MinAnimationSpeed;
    EXPECT_NEAR(Seconds(AdvicePauseLength(g, 50)), 2.0, 0.01);
}

// A plain two-box round's bets, deal, payouts and sweep in computer play, from the table's own pause lengths: four
// bet chips, six cards, two hands paid even money with two chips each, and six chips swept (a flight each, a
// long one, and the pause that follows it).
double PlainRoundAnimationSeconds(Game& g) {
    const int speed = TableSpeed(g);
    const double chipFlight = Seconds(ChipSteps(speed, 300, 300) * StepPauseLength(g, pauses::SlideStep));
    const double betChip = chipFlight + Seconds(PauseLength(g, pauses::ChipFlight) + PauseLength(g, pauses::BetChip));
    const double card = Seconds(DealSteps(speed, 150) * StepPauseLength(g, pauses::SlideStep));
    const double paid = chipFlight + Seconds(PauseLength(g, pauses::ChipFlight));
    return 4 * betChip + 6 * card + 2 * (2 * paid + Seconds(PauseLength(g, pauses::EvenMoney))) + 6 * paid;
}

TEST(Pacing, InComputerPlayTheSpeedBarPacesTheChipsAndCardsToo) {
    Game g;
    g.TableShown = true;
    g.Options.Prefs.AnimationSpeed = DefaultAnimationSpeed;
    g.DelayFactor = DelayFactorForSpeed(DefaultAnimationSpeed);
    const double normalPlay = PlainRoundAnimationSeconds(g);
    g.AutoPlay = true;
    // SimulationDelay 1 (the right end) and 50 (the start): with two commentary texts and the results' pause
    // the round takes about 4 s and 9 s, of which drawing the pictures takes about a second (the bench
    // measures the real rounds).
    g.SimulationDelay = 1;
    const double rightEnd = PlainRoundAnimationSeconds(g) + 3 * Seconds(CommentaryTime(1));
    EXPECT_GT(rightEnd, 2.5);
    EXPECT_LT(rightEnd, 3.5);
    g.SimulationDelay = 50;
    const double start = PlainRoundAnimationSeconds(g) + 3 * Seconds(CommentaryTime(50));
    EXPECT_GT(start, 7.5);
    EXPECT_LT(start, 8.5);
    // At the left end the table moves as in Normal Play, and every notch to the left is slower.
    g.SimulationDelay = 100;
    EXPECT_NEAR(PlainRoundAnimationSeconds(g), normalPlay, 1e-9);
    for (int delay = 2; delay <= 100; ++delay) EXPECT_GT(ComputerPlayPace(delay), ComputerPlayPace(delay - 1)) << delay;
    // Normal Play's pace is the animation slider's alone, wherever the bar stood last.
    g.AutoPlay = false;
    g.SimulationDelay = 1;
    EXPECT_NEAR(PlainRoundAnimationSeconds(g), normalPlay, 1e-9);
}

// A rectangle of the table covers another's pixels.
bool Overlap(const Place& a, const Place& b) {
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height && b.Top < a.Top + a.Height;
}

TEST(TableLayout, ThePracticeDeckCaptionAndBoxOnesBracketCoverNoCardOrChip) {
    const Place& caption = PlaceNamed("ModeCaption");
    const Place& bracket = PlaceNamed("Box1Bracket");
    for (const Place& p : TableLayout()) {
        const bool chip = p.Kind == PlaceKind::BetSpot || p.Kind == PlaceKind::Ring || p.Kind == PlaceKind::RackChip ||
                          p.Kind == PlaceKind::RackOutline;
        const bool card = p.Kind == PlaceKind::CardPlace;
        const bool panel = p.Kind == PlaceKind::LimitFrame || p.Kind == PlaceKind::LimitPanel ||
                           p.Kind == PlaceKind::BankPanel || p.Kind == PlaceKind::CutCard || p.Kind == PlaceKind::HandText;
        if (chip || card || panel) {
            EXPECT_FALSE(Overlap(caption, p)) << p.Name;
        }
        if (chip || card || p.Kind == PlaceKind::BankPanel || p.Kind == PlaceKind::BetBox || p.Kind == PlaceKind::Prompt) {
            EXPECT_FALSE(Overlap(bracket, p)) << p.Name;
        }
    }
    EXPECT_LE(caption.Top + caption.Height, TableHeight);
    EXPECT_LE(bracket.Top + bracket.Height, TableHeight);
    // The bracket starts under hand 4's chips and reaches past box 1's, or box 1's split hand 2's.
    EXPECT_LE(bracket.Left, PlaceNamed("Bet4").Left);
    EXPECT_GE(bracket.Left + BoxBracketWidth(1), PlaceNamed("Bet11111").Left + PlaceNamed("Bet11111").Width);
    EXPECT_GE(bracket.Left + BoxBracketWidth(2), PlaceNamed("Bet22").Left + PlaceNamed("Bet22").Width);
}

TEST(TableLayout, SlotCodesNameTheirPlaces) {
    auto at = [](int code) {
        const Place* p = PlaceForSlotCode(code);
        return p ? p->Name : std::string("-");
    };
    EXPECT_EQ(at(2), "pos2");
    EXPECT_EQ(at(9), "pos9");
    EXPECT_EQ(at(10), "-"); // a code without a place shows nothing
    EXPECT_EQ(at(11), "pos11");
    EXPECT_EQ(at(20), "pos110");
    EXPECT_EQ(at(21), "pos21");
    EXPECT_EQ(at(30), "pos210");
    EXPECT_EQ(at(50), "pos410");
    EXPECT_EQ(at(51), "-");
    const Place& p = PlaceNamed("pos19");
    EXPECT_EQ(p.Left, 309 + 64);
    EXPECT_EQ(p.Top, 150 + 192);
    EXPECT_EQ(PlaceNamed("pos310").Left, 5 + 72);
    EXPECT_EQ(PlaceNamed("pos411").Height, 55);
}

TEST(TableLayout, EveryCardHasAPlaceUpToTheEleventh) {
    // The eleventh card of hand 1 carries code 21, hand 2's first; by hand and position it has its own place.
    EXPECT_EQ(PlaceForCard(1, 11)->Name, "pos111");
    EXPECT_EQ(PlaceForCard(4, 11)->Name, "pos411");
    EXPECT_EQ(PlaceForCard(0, 10)->Name, "pos10");
    EXPECT_EQ(PlaceForCard(0, 11), nullptr);
    EXPECT_EQ(PlaceForCard(2, 12), nullptr);
}

TEST(TableLayout, NamesAreUniqueAndTheSpotsAndRackAreComplete) {
    std::set<std::string> names;
    for (const Place& p : TableLayout()) EXPECT_TRUE(names.insert(p.Name).second) << p.Name;
    for (const char* name : {"Bet11111", "Ring33333", "Bet2222", "bet5000c", "Bet5e", "Bet2a", "BetHalf", "MovingChip2",
                             "AdvicePanelBorder", "ScrollBar1", "Edit1", "CutCard", "Pointer", "BankPanel"})
        EXPECT_NE(FindPlace(name), nullptr) << name;
    EXPECT_EQ(FindPlace("Bet22222"), nullptr);
    EXPECT_EQ(PlaceNamed("Ring1").Left, 319);
    EXPECT_EQ(PlaceNamed("Bet5000").Width, 42);
    EXPECT_EQ(SecondPlaceHome(3), (Point{13, 174}));
    EXPECT_EQ(PointerLeft(4), 230);
}

} // namespace
} // namespace zvx
