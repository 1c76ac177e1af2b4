#include "engine/game_state.h"
#include "exact/play_cost.h"
#include "strategy/advice.h"
#include "strategy/builtin_strategies.h"
#include "strategy/recommend.h"
#include "tests/fake_table.h"

#include <deque>
#include <gtest/gtest.h>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace zvx {
namespace {

using testing::FakeTable;

// Card codes of spades: rank = code.
constexpr int AceCard = 1;
constexpr int King = 13;

class AdviceTest : public ::testing::Test {
  protected:
    AdviceTest() : table(g) {
        LoadDefaultStrategy(g.Strategy);
        g.TableShown = true;
        g.Table = &table;
        Deal(0, {King, 10});
    }

    // Puts the cards into a hand and works out its total, softness and the two-card flags as the round does.
    THand& Deal(int hand, std::initializer_list<int> codes) {
        THand& h = g.Hands[static_cast<std::size_t>(hand)];
        h = THand{};
        int aces = 0;
        int total = 0;
        for (int code : codes) {
            cards.emplace_back();
            const int v = InitCard(cards.back(), code);
            h.Cards[++h.CardCount] = &cards.back();
            total += v;
            aces += v == 11;
        }
        while (total > 21 && aces > 0) {
            total -= 10;
            --aces;
        }
        h.Total = static_cast<std::uint16_t>(total);
        h.SoftAce = aces > 0 ? 1 : 0;
        if (h.CardCount == 2) {
            h.IsPair = h.Cards[1]->Value == h.Cards[2]->Value;
            h.IsUnsplit = true;
            h.MaySplit = h.IsPair;
            h.MayDouble = true;
        }
        return h;
    }

    void DealerShows(int code) { Deal(0, {code, King}); }

    std::string Sentence(AdviceCase c, int hand = 1) {
        BuildAdviceText(g, c, hand);
        return g.AdviceText;
    }

    // The advice boxes that the player's action on hand 1 brings up.
    std::vector<std::string> Advice(Action action, int hand = 1) {
        table.AdviceBoxes.clear();
        CheckPlayerAction(g, hand, action);
        return table.AdviceBoxes;
    }

    using Boxes = std::vector<std::string>;

    Game g;
    FakeTable table;
    std::deque<TCard> cards; // the hands point into it; a deque never moves its elements
};

TEST_F(AdviceTest, EverySentence) {
    DealerShows(10);
    Deal(1, {King, 6});
    EXPECT_EQ(Sentence(AdviceCase::StandHard), "Stand with hard 16 against Dealer 10");
    EXPECT_EQ(Sentence(AdviceCase::StandHard17), "Stand with a hard total of 17 or more");
    EXPECT_EQ(Sentence(AdviceCase::StandSoft), "Stand with a soft total of 16 against Dealer 10");
    EXPECT_EQ(Sentence(AdviceCase::HitHard), "Hit 16 against Dealer 10");
    EXPECT_EQ(Sentence(AdviceCase::HitBelow12), "If you cannot double, always hit less than 12");
    EXPECT_EQ(Sentence(AdviceCase::DoNotDouble), "Do Not Double 16 against Dealer 10");
    EXPECT_EQ(Sentence(AdviceCase::NeverSplitFours), "NEVER Split 4's or 5's");
    EXPECT_EQ(Sentence(AdviceCase::HitSoftLow), "Hit Soft 16 or less");
    EXPECT_EQ(Sentence(AdviceCase::HitSoft), "Hit Soft 16 against Dealer 10");
    EXPECT_EQ(Sentence(AdviceCase::DoubleHard), "Double Down with 16 against Dealer 10");
    EXPECT_EQ(Sentence(AdviceCase::DoubleSoft), "Double Down with Soft 16 against Dealer 10");
    EXPECT_EQ(Sentence(AdviceCase::SurrenderHard), "Surrender 16 against Dealer 10");
    EXPECT_EQ(Sentence(AdviceCase::SplitAces), "ALWAYS Split Aces");
    Deal(1, {8, 8});
    EXPECT_EQ(Sentence(AdviceCase::SplitPair), "ALWAYS Split 8's against Dealer 10");
    Deal(1, {3, 3});
    EXPECT_EQ(Sentence(AdviceCase::SplitPair), "Split 3's against Dealer 10");
}

TEST_F(AdviceTest, DealerAceIsWrittenAce) {
    DealerShows(AceCard);
    Deal(1, {King, 5});
    g.Strategy.Row(422)[AlwaysByte] = 0;
    for (AdviceCase c :
         {AdviceCase::StandHard, AdviceCase::StandSoft, AdviceCase::HitHard, AdviceCase::DoNotDouble,
          AdviceCase::HitSoft, AdviceCase::DoubleHard, AdviceCase::DoubleSoft, AdviceCase::SurrenderHard,
          AdviceCase::SplitAces, AdviceCase::SplitPair}) {
        const std::string s = Sentence(c);
        EXPECT_TRUE(s.ends_with(" against Dealer Ace")) << s;
        EXPECT_EQ(s.find("11"), std::string::npos) << s;
    }
    EXPECT_EQ(Sentence(AdviceCase::SurrenderHard), "Surrender 15 against Dealer Ace");
    // A ten-valued up card reads "10", whichever picture it is.
    DealerShows(12);
    EXPECT_EQ(Sentence(AdviceCase::HitHard), "Hit 15 against Dealer 10");
}

TEST_F(AdviceTest, SplitWordingFollowsTheAlwaysFlag) {
    DealerShows(6);
    Deal(1, {AceCard, AceCard});
    EXPECT_EQ(Sentence(AdviceCase::SplitAces), "ALWAYS Split Aces");
    g.Strategy.Row(422)[AlwaysByte] = 0;
    EXPECT_EQ(Sentence(AdviceCase::SplitAces), "Split Aces against Dealer 6");

    LoadAdvancedStrategy(g.Strategy); // 8's lose their ALWAYS there
    Deal(1, {8, 8});
    EXPECT_EQ(Sentence(AdviceCase::SplitPair), "Split 8's against Dealer 6");
    g.Strategy.Row(416)[AlwaysByte] = 1;
    EXPECT_EQ(Sentence(AdviceCase::SplitPair), "ALWAYS Split 8's against Dealer 6");
}

TEST_F(AdviceTest, HardSixteenAgainstTen) {
    DealerShows(10);
    Deal(1, {King, 6}); // may not surrender: the rule is off
    EXPECT_EQ(Advice(Hit), Boxes{});
    EXPECT_EQ(Advice(Stand), Boxes{"Hit 16 against Dealer 10"});
    g.Hands[1].MaySurrender = true;
    EXPECT_EQ(Advice(Surrender), Boxes{});
    EXPECT_EQ(Advice(Hit), Boxes{"Surrender 16 against Dealer 10"});
}

TEST_F(AdviceTest, SoftEighteenStandsAgainstAce) {
    DealerShows(AceCard);
    Deal(1, {AceCard, 7});
    EXPECT_EQ(Advice(Stand), Boxes{});
    EXPECT_EQ(Advice(Hit), Boxes{"Stand with a soft total of 18 against Dealer Ace"});
}

TEST_F(AdviceTest, DoublingHardNineAgainstSeven) {
    DealerShows(7);
    Deal(1, {4, 5});
    EXPECT_EQ(Advice(DoubleDown), Boxes{"Do Not Double 9 against Dealer 7"});
    EXPECT_EQ(Advice(Stand), Boxes{"If you cannot double, always hit less than 12"});
}

TEST_F(AdviceTest, SplittingFivesAgainstSix) {
    DealerShows(6);
    Deal(1, {5, 5});
    EXPECT_EQ(Advice(Split), Boxes{"Double Down with 10 against Dealer 6"});
    g.Hands[1].MayDouble = false;
    EXPECT_EQ(Advice(Split), Boxes{"NEVER Split 4's or 5's"});
}

TEST_F(AdviceTest, StandingOnAcesUnderEitherSet) {
    DealerShows(6);
    Deal(1, {AceCard, AceCard});
    EXPECT_EQ(Advice(Stand), Boxes{"ALWAYS Split Aces"});
    LoadAdvancedStrategy(g.Strategy);
    EXPECT_EQ(Advice(Stand), Boxes{"ALWAYS Split Aces"});
    g.Strategy.Row(422)[AlwaysByte] = 0;
    EXPECT_EQ(Advice(Stand), Boxes{"Split Aces against Dealer 6"});
}

TEST_F(AdviceTest, AdviceBoxPointsAtTheHandBeepsAndSitsBesideIt) {
    DealerShows(10);
    const int left[] = {0, 310, 460, 10, 160};
    for (int hand = 1; hand <= 4; ++hand) {
        Deal(hand, {King, 6});
        table.Calls.clear();
        Advice(Stand, hand);
        EXPECT_EQ(table.Calls,
                  (std::vector<std::string>{
                      "ShowPointer " + std::to_string(hand),
                      "Beep",
                      "ShowAdviceBox Hit 16 against Dealer 10 @" + std::to_string(left[hand]) + ",50",
                  }));
    }
    g.Options.Prefs.SoundOn = false;
    table.Calls.clear();
    Advice(Stand, 2);
    EXPECT_EQ(table.Count("Beep"), 0);
    EXPECT_EQ(table.Count("ShowAdviceBox"), 1);
}

TEST_F(AdviceTest, CheckPlayerActionRestoresStateAndSkipsFinishedHands) {
    DealerShows(10);
    Deal(1, {King, 6});
    g.PlayerAction = Hit;
    Advice(Stand);
    EXPECT_EQ(g.PlayerAction, Hit);
    EXPECT_TRUE(g.AdviceText.empty());

    g.Hands[1].Finished = true;
    table.Calls.clear();
    EXPECT_EQ(Advice(Stand), Boxes{});
    EXPECT_TRUE(table.Calls.empty());
}

TEST_F(AdviceTest, HintAlwaysShowsTheSentence) {
    DealerShows(10);
    Deal(1, {King, 6});
    g.PlayerAction = Hint;
    EXPECT_EQ(Advice(Hint), Boxes{"Hit 16 against Dealer 10"});
    EXPECT_EQ(g.PlayerAction, Hint);
    Deal(1, {King, 9});
    EXPECT_EQ(Advice(Hint), Boxes{"Stand with a hard total of 17 or more"});
}

TEST_F(AdviceTest, NothingWithoutTheTable) {
    DealerShows(10);
    Deal(1, {King, 6});
    g.TableShown = false;
    EXPECT_EQ(Advice(Stand), Boxes{});
    EXPECT_TRUE(table.Calls.empty());
    EXPECT_TRUE(g.AdviceText.empty());
    g.AutoPlay = true;
    EXPECT_EQ(RecommendAction(g, 1, 10, 16), Hit);
    EXPECT_TRUE(g.AdviceText.empty());
}

TEST_F(AdviceTest, ComputerPlayAlwaysComments) {
    DealerShows(10);
    Deal(1, {King, 6});
    g.AutoPlay = true;
    g.PlayerAction = Hit; // the previous play must not silence the commentary
    EXPECT_EQ(RecommendAction(g, 1, 10, 16), Hit);
    EXPECT_EQ(g.AdviceText, "Hit 16 against Dealer 10");
    EXPECT_EQ(g.PlayerAction, Hit);
    EXPECT_TRUE(table.Calls.empty()); // the round flow shows it, not the advice
}

TEST_F(AdviceTest, AdviceStepClearsWhenThePlayerAgrees) {
    Deal(1, {King, 6});
    g.AdviceText = "stale";
    g.PlayerAction = Hit;
    AdviceStep(g, Hit, AdviceCase::HitHard, 1);
    EXPECT_TRUE(g.AdviceText.empty());
    AdviceStep(g, Stand, AdviceCase::StandHard, 1);
    EXPECT_EQ(g.AdviceText, "Stand with hard 16 against Dealer 10");
}

} // namespace
} // namespace zvx

namespace zvx {
namespace {

// A mistake's advice keeps its words; beside them the box is given what the play costs, and the session adds
// it up. A play that matches the strategy costs nothing.
TEST_F(AdviceTest, AMistakeIsPricedAndTheSessionAddsItUp) {
    Deal(1, {King, 6});
    DealerShows(10);
    std::optional<double> shownCost;
    table.WhileBoxUp = [&shownCost](Game& game) { shownCost = game.Drill.LastCost; };
    EXPECT_EQ(Advice(Stand), Boxes{"Hit 16 against Dealer 10"});
    const auto cost = PlayCost(g.Rules(), g.Strategy, 10, {10, 6}, true, Stand, Hit);
    ASSERT_TRUE(cost && shownCost);
    EXPECT_DOUBLE_EQ(*shownCost, *cost);
    EXPECT_GT(*cost, 0.0);
    EXPECT_LT(*cost, 0.05); // standing on 16 against a 10 is a close call
    EXPECT_FALSE(g.Drill.LastCost);

    Deal(1, {King, 9});
    DealerShows(6);
    EXPECT_EQ(Advice(Hit), Boxes{"Stand with a hard total of 17 or more"});
    EXPECT_GT(g.Drill.Cost, *cost + 0.3); // hitting 19 throws away far more
    const double session = g.Drill.Cost;
    EXPECT_TRUE(Advice(Stand).empty());
    EXPECT_EQ(g.Drill.Cost, session);
    EXPECT_EQ(g.Drill.Judged, 3);
}

} // namespace
} // namespace zvx
