#include "cards/card.h"
#include "drill/count_drill.h"
#include "drill/count_drill_record.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zvx {
namespace {

int HiLoOf(const std::vector<int>& codes, int count) {
    int running = 0;
    for (int i = 0; i < count; ++i)
        running += CountTagOf(CardValue(codes[static_cast<std::size_t>(i)]));
    return running;
}

TEST(RunningCountDrillTest, CountsTheCardsOfTheSeededShoeAndScoresTheTypedCount) {
    const DrillShoeRules shoe{6, 3, true, 41u};
    const std::vector<int> cards = ShuffledDrillShoe(shoe);
    ASSERT_EQ(cards.size(), 312u);
    // Six real decks: every card code six times.
    std::vector<int> seen(53, 0);
    for (int code : cards)
        ++seen[static_cast<std::size_t>(code)];
    for (int code = 1; code <= 52; ++code)
        EXPECT_EQ(seen[static_cast<std::size_t>(code)], 6) << code;
    EXPECT_EQ(ShuffledDrillShoe(shoe), cards) << "a seed repeats the shoe";
    EXPECT_NE(ShuffledDrillShoe(DrillShoeRules{6, 3, true, 42u}), cards);

    RunningCountDrill drill(shoe,
                            RunningDrillSettings{CountingSystemId::HiLo, DrillGroup::Two, 6.0, 9, false});
    std::vector<int> shown;
    while (!drill.Finished()) {
        const auto group = drill.Deal();
        ASSERT_FALSE(group.empty());
        EXPECT_LE(group.size(), 2u);
        shown.insert(shown.end(), group.begin(), group.end());
    }
    EXPECT_TRUE(drill.Deal().empty()) << "nothing past the cards asked for";
    ASSERT_EQ(shown, std::vector<int>(cards.begin(), cards.begin() + 9));
    EXPECT_TRUE(drill.CountDue());

    const int running = HiLoOf(cards, 9);
    const RunningVerdict wrong = drill.Answer(running + 1, 2.0);
    EXPECT_FALSE(wrong.Right);
    EXPECT_EQ(wrong.Running, running);
    EXPECT_EQ(wrong.CardsSeen, 9);
    EXPECT_DOUBLE_EQ(wrong.True, running / (303.0 / 52.0));
    EXPECT_DOUBLE_EQ(wrong.Pace, 6.0);
    const RunningVerdict right = drill.Answer(running, 3.5);
    EXPECT_TRUE(right.Right);
    EXPECT_DOUBLE_EQ(right.Seconds, 3.5);
    EXPECT_EQ(drill.Session().Asked, 2);
    EXPECT_EQ(drill.Session().Right, 1);
    EXPECT_EQ(drill.Session().Cards, 9) << "the cards are counted once however often the count is asked";
    EXPECT_DOUBLE_EQ(drill.Session().Seconds, 3.5);
}

TEST(RunningCountDrillTest, AnUnbalancedCountStartsBelowZeroForEveryDeckButOne) {
    const DrillShoeRules shoe{6, 3, true, 7u};
    RunningCountDrill drill(shoe,
                            RunningDrillSettings{CountingSystemId::KnockOut, DrillGroup::One, 2.0, 1, false});
    const int first = drill.Deal()[0];
    EXPECT_EQ(drill.Answer(-20 + CountingSystemOf(CountingSystemId::KnockOut).Tag(CardValue(first)), 1).Right,
              true);
}

TEST(RunningCountDrillTest, DealsDownToTheCutCardARoundAtATime) {
    for (const bool twoBoxes : {true, false}) {
        const DrillShoeRules shoe{6, 3, twoBoxes, 3u};
        RunningCountDrill drill(
            shoe, RunningDrillSettings{CountingSystemId::Zen, DrillGroup::Round, 10.0, 0, false});
        EXPECT_EQ(drill.Target(), 234) << "three quarters of six decks";
        EXPECT_EQ(drill.GroupSize(), twoBoxes ? 6 : 4);
        int groups = 0;
        while (!drill.Finished()) {
            drill.Deal();
            ++groups;
            EXPECT_EQ(drill.CountDue(), drill.Finished()) << "no stops unless chosen";
        }
        EXPECT_EQ(drill.CardsDealt(), 234);
        EXPECT_EQ(groups, twoBoxes ? 39 : 59);
    }
}

TEST(RunningCountDrillTest, PaceStaysInItsRangeAndSetsHowLongAGroupShows) {
    const DrillShoeRules shoe{2, 3, false, 1u};
    EXPECT_EQ(
        RunningCountDrill(shoe, {CountingSystemId::HiLo, DrillGroup::Two, 2.0, 0, false}).GroupMilliseconds(),
        1000);
    EXPECT_EQ(
        RunningCountDrill(shoe, {CountingSystemId::HiLo, DrillGroup::One, 6.0, 0, false}).GroupMilliseconds(),
        167);
    EXPECT_DOUBLE_EQ(
        RunningCountDrill(shoe, {CountingSystemId::HiLo, DrillGroup::One, 40, 0, false}).Settings().Pace,
        10.0);
    EXPECT_DOUBLE_EQ(
        RunningCountDrill(shoe, {CountingSystemId::HiLo, DrillGroup::One, 0, 0, false}).Settings().Pace, 0.5);
    EXPECT_EQ(RunningCountDrill(shoe, {CountingSystemId::HiLo, DrillGroup::One, 1, 500, false}).Target(), 104)
        << "never more cards than the shoe holds";
}

TEST(RunningCountDrillTest, RandomStopsAskForTheCountEveryFewDozenCards) {
    const DrillShoeRules shoe{8, 3, true, 99u};
    RunningCountDrill drill(shoe,
                            RunningDrillSettings{CountingSystemId::HiLo, DrillGroup::One, 10.0, 0, true});
    int last = 0;
    int stops = 0;
    while (!drill.Finished()) {
        drill.Deal();
        if (!drill.CountDue()) continue;
        if (drill.Finished()) break;
        ++stops;
        EXPECT_GE(drill.CardsDealt() - last, 12);
        EXPECT_LE(drill.CardsDealt() - last, 40);
        last = drill.CardsDealt();
        EXPECT_TRUE(drill.Answer(drill.Count().Running(), 1.0 * stops).Right);
        EXPECT_FALSE(drill.CountDue()) << "an answered stop is over";
    }
    EXPECT_GE(stops, 312 / 40);
    EXPECT_EQ(drill.Session().Asked, stops);
}

TEST(DeckCountdownTest, EveryFullDeckEndsAtItsSystemsValue) {
    for (const CountingSystem& system : CountingSystems()) {
        SCOPED_TRACE(std::string(system.Name));
        DeckCountdown countdown(system.Id, 17u);
        CountKeeper keeper(system, 1);
        while (const auto card = countdown.Turn())
            keeper.Count(CardValue(*card));
        EXPECT_EQ(countdown.Turned(), 52);
        EXPECT_EQ(countdown.Expected(), keeper.Running());
        EXPECT_EQ(countdown.Expected(), system.Id == CountingSystemId::KnockOut ? 4 : 0);
        CountDrillRecord record;
        EXPECT_FALSE(countdown.Answer(countdown.Expected() + 1, 20, record).Right);
        EXPECT_FALSE(record.BestCountdownOf(system.Id)) << "a wrong count sets no time";
        const CountdownVerdict verdict = countdown.Answer(countdown.Expected(), 20, record);
        EXPECT_TRUE(verdict.Right);
        EXPECT_TRUE(verdict.NewBest);
        EXPECT_EQ(countdown.Session().Asked, 1);
        EXPECT_EQ(countdown.Session().Cards, 52);
    }
}

TEST(DeckCountdownTest, KeepsTheBestTimePerSystemAndRefusesAnEarlyCount) {
    CountDrillRecord record;
    DeckCountdown early(CountingSystemId::HiLo, 5u);
    early.Turn();
    EXPECT_FALSE(early.Answer(0, 1.0, record).Right) << "one card is not the deck";

    DeckCountdown first(CountingSystemId::HiLo, 5u);
    while (first.Turn()) {
    }
    EXPECT_TRUE(first.Answer(0, 31.5, record).NewBest);
    EXPECT_FALSE(first.Answer(0, 40.0, record).NewBest);
    EXPECT_TRUE(first.Answer(0, 25.0, record).NewBest);
    EXPECT_EQ(record.BestCountdownOf(CountingSystemId::HiLo), 25.0);
    EXPECT_FALSE(record.BestCountdownOf(CountingSystemId::OmegaII)) << "each system keeps its own";
}

TEST(TrueCountDrillTest, TheTrayShowsWholeDecksAndHalfDecksToScale) {
    struct Case {
        int dealt, decks;
        bool half;
    };
    for (const Case c : {Case{0, 0, false}, Case{25, 0, false}, Case{26, 0, true}, Case{51, 0, true},
                         Case{52, 1, false}, Case{78, 1, true}, Case{104, 2, false}, Case{311, 5, true}}) {
        const DiscardTray tray = TrayOf(c.dealt, 312);
        EXPECT_EQ(tray.FullDecks, c.decks) << c.dealt;
        EXPECT_EQ(tray.HalfDeck, c.half) << c.dealt;
    }
    EXPECT_EQ(TrayOf(400, 312).CardsDealt, 312);
    EXPECT_DOUBLE_EQ(TrayOf(130, 312).Decks(), 2.5);
}

TEST(TrueCountDrillTest, ScoresAgainstTheExactFigureAndTheNearestHalfDeck) {
    // 182 cards left: exactly 3.5 decks; +7 is a true count of +2.
    const TrueCountQuestion even{312, 130, 7};
    TrueCountVerdict v = ScoreTrueCount(even, 3.5, 2);
    EXPECT_TRUE(v.DecksRight);
    EXPECT_TRUE(v.TrueRight);
    EXPECT_DOUBLE_EQ(v.TrueExact, 2.0);
    EXPECT_FALSE(ScoreTrueCount(even, 3.0, 2).DecksRight);
    EXPECT_FALSE(ScoreTrueCount(even, 3.5, 3).TrueRight);

    // 192 left: 3.69 decks, 3.5 to the half deck; +7 is +1.89 exactly and +2 by the half deck: both are
    // right.
    const TrueCountQuestion uneven{312, 120, 7};
    v = ScoreTrueCount(uneven, 3.5, 2);
    EXPECT_TRUE(v.DecksRight);
    EXPECT_NEAR(v.DecksExact, 3.6923, 1e-4);
    EXPECT_DOUBLE_EQ(v.TrueByHalfDeck, 2.0);
    EXPECT_TRUE(v.TrueRight);
    EXPECT_TRUE(ScoreTrueCount(uneven, 3.5, 1).TrueRight);
    EXPECT_FALSE(ScoreTrueCount(uneven, 3.5, 3).TrueRight);
    EXPECT_FALSE(ScoreTrueCount(uneven, 4.0, 2).DecksRight);

    // A negative count rounds down: -5 over 2.5 decks is -2, and -1.5 is -2 as well.
    const TrueCountQuestion negative{312, 182, -5};
    EXPECT_TRUE(ScoreTrueCount(negative, 2.5, -2).TrueRight);
    EXPECT_TRUE(ScoreTrueCount(negative, 2.5, -1.5).TrueRight);
    EXPECT_FALSE(ScoreTrueCount(negative, 2.5, -1).TrueRight);

    // A few cards left: the half deck is the least divisor, never zero.
    const TrueCountVerdict nearEnd = ScoreTrueCount(TrueCountQuestion{52, 45, 3}, 0.5, 6);
    EXPECT_DOUBLE_EQ(nearEnd.DecksNearestHalf, 0.5);
    EXPECT_DOUBLE_EQ(nearEnd.TrueByHalfDeck, 6.0);
    EXPECT_TRUE(nearEnd.DecksRight && nearEnd.TrueRight);
}

TEST(TrueCountDrillTest, AsksAboutShoesUpToTheCutCardAndRepeatsForASeed) {
    TrueCountDrill drill(DrillShoeRules{6, 2, true, 8u}, CountingSystemId::HiLo);
    TrueCountDrill again(DrillShoeRules{6, 2, true, 8u}, CountingSystemId::HiLo);
    for (int i = 0; i < 300; ++i) {
        const TrueCountQuestion& q = drill.Question();
        EXPECT_EQ(q.ShoeCards, 312);
        EXPECT_GE(q.CardsDealt, 26);
        EXPECT_LE(q.CardsDealt, 156) << "half the shoe at the cut card";
        EXPECT_LE(std::abs(q.Running), 6 * 6);
        EXPECT_EQ(q.CardsDealt, again.Question().CardsDealt);
        EXPECT_EQ(q.Running, again.Question().Running);
        drill.NextQuestion();
        again.NextQuestion();
    }
    const TrueCountQuestion q = drill.Question();
    drill.Answer(NearestHalfDeck(q.CardsLeft()), TrueCount(q.Running, q.CardsLeft()), 4.0);
    drill.Answer(NearestHalfDeck(q.CardsLeft()) + 1, 0, 6.0);
    EXPECT_EQ(drill.Session().Asked, 2);
    EXPECT_EQ(drill.Session().Right, 1);
    EXPECT_DOUBLE_EQ(drill.Session().Seconds, 10.0);
}

TEST(CountDrillRecordTest, RoundTripsThroughItsTextAndRefusesADamagedOne) {
    CountDrillRecord record;
    record.Add(CountSessionResult{CountDrillKind::Running, CountingSystemId::OmegaII, 1765000000, 3, 2, 150,
                                  61.5, 2.5});
    record.Add(CountSessionResult{CountDrillKind::TrueCount, CountingSystemId::HiLo, 1765000100, 10, 7, 0,
                                  80.25, 0});
    record.Add(
        CountSessionResult{CountDrillKind::Countdown, CountingSystemId::KnockOut, 1765000200, 0, 0, 0, 0, 0});
    EXPECT_EQ(record.Sessions.size(), 2u) << "a session that asked nothing is not kept";
    record.OfferCountdown(CountingSystemId::KnockOut, 27.125);
    EXPECT_DOUBLE_EQ(record.Sessions[0].Accuracy(), 2.0 / 3.0);
    EXPECT_NEAR(record.Sessions[0].CardsPerSecond(), 2.439, 1e-3);

    const std::string text = CountRecordToText(record);
    const auto back = CountRecordFromText(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, record);
    EXPECT_EQ(CountRecordFromText(CountRecordToText({}))->Sessions.size(), 0u);

    auto damaged = [&](const std::string& from, const std::string& to) {
        std::string changed = text;
        const auto at = changed.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        changed.replace(at, from.size(), to);
        return CountRecordFromText(changed);
    };
    EXPECT_FALSE(damaged("\"right\": 2", "\"right\": 4")) << "more right than asked";
    EXPECT_FALSE(damaged("omega-2", "omega-9"));
    EXPECT_FALSE(damaged("\"version\": 1", "\"version\": 2"));
    EXPECT_FALSE(damaged("61.5", "-61.5"));
    EXPECT_FALSE(damaged("\"ko\": 27.125", "\"ko\": 0"));
    EXPECT_FALSE(damaged("true-count", "poker"));
    EXPECT_FALSE(CountRecordFromText(text.substr(0, text.size() / 2)));
    EXPECT_FALSE(CountRecordFromText(""));
}

TEST(CountDrillRecordTest, KeepsTheNewestSessionsWhenFull) {
    CountDrillRecord record;
    for (std::size_t i = 0; i < CountDrillRecord::MaxSessions + 5; ++i)
        record.Add(CountSessionResult{CountDrillKind::Running, CountingSystemId::HiLo,
                                      static_cast<std::int64_t>(i), 1, 1, 10, 5, 2});
    ASSERT_EQ(record.Sessions.size(), CountDrillRecord::MaxSessions);
    EXPECT_EQ(record.Sessions.front().Started, 5);
    EXPECT_TRUE(CountRecordFromText(CountRecordToText(record)));
}

} // namespace
} // namespace zvx
