#include "engine/game_state.h"
#include "strategy/builtin_strategies.h"
#include "strategy/recommend.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zvx {
namespace {

constexpr int Ace = 11;

// Charts of the built-in sets as a player would print them, columns for dealer 2..10 and Ace:
//   H hit, S stand, D double (hit when the hand may not double), d double (stand when it may not),
//   R surrender (hit when the hand may not surrender), P split (played by the total when it may not split).
struct Chart {
    std::array<const char*, 22> Hard; // by total; 4..21 used
    std::array<const char*, 22> Soft; // 13..21 used
    std::array<const char*, 12> Pair; // by card value 2..11
};

// clang-format off
const Chart DefaultChart = {
    // hard totals
    {{
        nullptr,      // 0
        nullptr,      // 1
        nullptr,      // 2
        nullptr,      // 3
        "HHHHHHHHHH", // 4
        "HHHHHHHHHH", // 5
        "HHHHHHHHHH", // 6
        "HHHHHHHHHH", // 7
        "HHDDDHHHHH", // 8
        "DDDDDHHHHH", // 9
        "DDDDDDDDHH", // 10
        "DDDDDDDDDD", // 11
        "HHSSSHHHHH", // 12
        "SSSSSHHHHH", // 13
        "SSSSSHHHHH", // 14
        "SSSSSHHHRR", // 15
        "SSSSSHHHRR", // 16
        "SSSSSSSSSS", // 17
        "SSSSSSSSSS", // 18
        "SSSSSSSSSS", // 19
        "SSSSSSSSSS", // 20
        "SSSSSSSSSS", // 21
    }},
    // soft totals
    {{
        nullptr,      // 0
        nullptr,      // 1
        nullptr,      // 2
        nullptr,      // 3
        nullptr,      // 4
        nullptr,      // 5
        nullptr,      // 6
        nullptr,      // 7
        nullptr,      // 8
        nullptr,      // 9
        nullptr,      // 10
        nullptr,      // 11
        nullptr,      // 12
        "HHDDDHHHHH", // 13
        "HHDDDHHHHH", // 14
        "HHDDDHHHHH", // 15
        "HHDDDHHHHH", // 16
        "HHDDDHHHHH", // 17
        "SSSSSSSSSS", // 18
        "SSSSSSSSSS", // 19
        "SSSSSSSSSS", // 20
        "SSSSSSSSSS", // 21
    }},
    // pairs, by card value
    {{
        nullptr,      // 0
        nullptr,      // 1
        "PPPPPP----", // 2
        "PPPPPP----", // 3
        "----------", // 4
        "----------", // 5
        "PPPPPP----", // 6
        "PPPPPP----", // 7
        "PPPPPPPPPP", // 8
        "PPPPPPPP--", // 9
        "----------", // 10
        "PPPPPPPPPP", // 11
    }},
};

const Chart AdvancedChart = {
    // hard totals
    {{
        nullptr,      // 0
        nullptr,      // 1
        nullptr,      // 2
        nullptr,      // 3
        "HHHHHHHHHH", // 4
        "HHHHHHHHHH", // 5
        "HHHHHHHHHH", // 6
        "HHHHHHHHHH", // 7
        "HHHDDHHHHH", // 8
        "DDDDDHHHHH", // 9
        "DDDDDDDDHH", // 10
        "DDDDDDDDDH", // 11
        "HSSSSHHHHH", // 12
        "SSSSSHHHHH", // 13
        "SSSSSHHHHH", // 14
        "SSSSSHHHRR", // 15
        "SSSSSHHHRR", // 16
        "SSSSSSSSSS", // 17
        "SSSSSSSSSS", // 18
        "SSSSSSSSSS", // 19
        "SSSSSSSSSS", // 20
        "SSSSSSSSSS", // 21
    }},
    // soft totals
    {{
        nullptr,      // 0
        nullptr,      // 1
        nullptr,      // 2
        nullptr,      // 3
        nullptr,      // 4
        nullptr,      // 5
        nullptr,      // 6
        nullptr,      // 7
        nullptr,      // 8
        nullptr,      // 9
        nullptr,      // 10
        nullptr,      // 11
        nullptr,      // 12
        "HHHDDHHHHH", // 13
        "HHHDDHHHHH", // 14
        "HHHDDHHHHH", // 15
        "HHHDDHHHHH", // 16
        "DDDDDHHHHH", // 17
        "dddddSSHHS", // 18
        "dddddSSSSS", // 19
        "SSSSSSSSSS", // 20
        "SSSSSSSSSS", // 21
    }},
    // pairs, by card value
    {{
        nullptr,      // 0
        nullptr,      // 1
        "PPPPPP----", // 2
        "PPPPPP----", // 3
        "----------", // 4
        "----------", // 5
        "PPPPP-----", // 6
        "PPPPPP----", // 7
        "PPPPPPPP-P", // 8
        "PPPPPPPP--", // 9
        "----------", // 10
        "PPPPPPPPPP", // 11
    }},
};
// clang-format on

char Cell(const char* line, int upCard) {
    return line[upCard - 2];
}

// What the chart says for a hand that is not split.
Recommendation FromChart(char cell, bool soft, int total, bool mayDouble, bool maySurrender) {
    switch (cell) {
    case 'D':
        if (mayDouble) return {DoubleDown, soft ? AdviceCase::DoubleSoft : AdviceCase::DoubleHard};
        break; // falls back to a hit below
    case 'd':
        if (mayDouble) return {DoubleDown, AdviceCase::DoubleSoft};
        return {Stand, AdviceCase::StandSoft};
    case 'R':
        if (maySurrender) return {Surrender, AdviceCase::SurrenderHard};
        break;
    case 'S':
        if (soft) return {Stand, AdviceCase::StandSoft};
        return {Stand, total >= 17 ? AdviceCase::StandHard17 : AdviceCase::StandHard};
    default:
        break;
    }
    if (soft) return {Hit, total <= 16 ? AdviceCase::HitSoftLow : AdviceCase::HitSoft};
    return {Hit, total <= 11 ? AdviceCase::HitBelow12 : AdviceCase::HitHard};
}

THand MakeHand(int total, bool soft, bool maySplit, bool mayDouble, bool maySurrender) {
    THand h{};
    h.Total = static_cast<std::uint16_t>(total);
    h.SoftAce = soft ? 1 : 0;
    h.MaySplit = maySplit;
    h.MayDouble = mayDouble;
    h.MaySurrender = maySurrender;
    h.IsPair = maySplit;
    return h;
}

void ExpectSame(const Recommendation& got, const Recommendation& want, const std::string& where) {
    EXPECT_EQ(got.action, want.action) << where;
    EXPECT_EQ(got.reason, want.reason) << where;
}

std::string Where(const char* kind, int total, int up, bool split, bool dbl, bool sur) {
    return std::string(kind) + " " + std::to_string(total) + " vs " + std::to_string(up) +
           (split ? " split" : "") + (dbl ? " double" : "") + (sur ? " surrender" : "");
}

void CheckAgainstChart(const StrategyTable& table, const Chart& chart) {
    for (int up = 2; up <= Ace; ++up) {
        for (int flags = 0; flags < 4; ++flags) {
            const bool dbl = (flags & 1) != 0;
            const bool sur = (flags & 2) != 0;
            for (int t = 4; t <= 21; ++t) {
                const THand h = MakeHand(t, false, false, dbl, sur);
                ExpectSame(DecideAction(table, h, up, t, NoAction),
                           FromChart(Cell(chart.Hard[t], up), false, t, dbl, sur),
                           Where("hard", t, up, false, dbl, sur));
            }
            for (int t = 13; t <= 21; ++t) {
                const THand h = MakeHand(t, true, false, dbl, sur);
                ExpectSame(DecideAction(table, h, up, t, NoAction),
                           FromChart(Cell(chart.Soft[t], up), true, t, dbl, sur),
                           Where("soft", t, up, false, dbl, sur));
            }
            for (int v = 2; v <= Ace; ++v) {
                const bool soft = v == Ace;
                const int t = soft ? 12 : 2 * v;
                const THand h = MakeHand(t, soft, true, dbl, sur);
                Recommendation want;
                if (Cell(chart.Pair[v], up) == 'P') {
                    want = {Split, soft ? AdviceCase::SplitAces : AdviceCase::SplitPair};
                } else if (soft) {
                    want = {Hit, AdviceCase::HitSoftLow}; // soft 12 has no double row
                } else {
                    want = FromChart(Cell(chart.Hard[t], up), false, t, dbl, sur);
                }
                ExpectSame(DecideAction(table, h, up, t, NoAction), want,
                           Where("pair", v, up, true, dbl, sur));
            }
        }
    }
}

StrategyTable Default() {
    StrategyTable t;
    LoadDefaultStrategy(t);
    return t;
}

StrategyTable Advanced() {
    StrategyTable t;
    LoadAdvancedStrategy(t);
    return t;
}

int NonZeroBytes(const StrategyTable& t) {
    int n = 0;
    for (auto b : t.Bytes)
        n += b != 0;
    return n;
}

TEST(BuiltinStrategies, SetOnlyTheirRowsAndReplaceTheWholeTable) {
    for (auto load : {&LoadDefaultStrategy, &LoadAdvancedStrategy}) {
        StrategyTable fresh;
        load(fresh);
        StrategyTable dirty;
        dirty.Bytes.fill(7);
        load(dirty);
        EXPECT_EQ(dirty, fresh);
        EXPECT_EQ(NonZeroBytes(fresh), 229);
        for (int row = FirstStrategyRow; row <= LastStrategyRow; ++row) {
            const std::uint8_t* r = fresh.Row(row);
            for (int i = 0; i < StrategyRowSize; ++i)
                EXPECT_LE(r[i], 1) << row;
            int flags = 0;
            for (int u = 2; u <= Ace; ++u)
                flags += r[u];
            EXPECT_FALSE(r[AlwaysByte] && r[NeverByte]) << row;
            EXPECT_TRUE(!r[AlwaysByte] || flags == 10) << row;
            EXPECT_TRUE(!r[NeverByte] || flags == 0) << row;
        }
    }
}

TEST(BuiltinStrategies, AlwaysAndNeverRows) {
    auto marked = [](const StrategyTable& t, int byte) {
        std::string rows;
        for (int row = FirstStrategyRow; row <= LastStrategyRow; ++row)
            if (t.Row(row)[byte]) rows += std::to_string(row) + " ";
        return rows;
    };
    EXPECT_EQ(marked(Default(), AlwaysByte), "217 311 416 422 ");
    EXPECT_EQ(marked(Default(), NeverByte), "218 307 318 319 408 410 420 512 513 514 517 ");
    EXPECT_EQ(marked(Advanced(), AlwaysByte), "217 422 ");
    EXPECT_EQ(marked(Advanced(), NeverByte), "307 408 410 420 512 513 514 517 ");
    // The hard 4..11 hit rows are full without being ALWAYS.
    for (int row = 204; row <= 211; ++row) {
        for (int u = 2; u <= Ace; ++u)
            EXPECT_TRUE(Default().Has(row, u) && Advanced().Has(row, u)) << row;
    }
}

TEST(Decision, DefaultSetFollowsItsChart) {
    CheckAgainstChart(Default(), DefaultChart);
}

TEST(Decision, AdvancedSetFollowsItsChart) {
    CheckAgainstChart(Advanced(), AdvancedChart);
}

TEST(Decision, DealerCardReadsByteOfItsValue) {
    StrategyTable t{};
    t.Row(216)[Ace] = 1;
    const THand h = MakeHand(16, false, false, false, false);
    EXPECT_EQ(DecideAction(t, h, Ace, 16, NoAction).action, Hit);
    EXPECT_EQ(DecideAction(t, h, 10, 16, NoAction).action, Stand);
    t.Row(216)[10] = 1;
    EXPECT_EQ(DecideAction(t, h, 10, 16, NoAction).action, Hit);
}

TEST(Decision, PairOfTensReadsRow420) {
    StrategyTable t = Default();
    const THand tens = MakeHand(20, false, true, true, true);
    for (int up = 2; up <= Ace; ++up) {
        ExpectSame(DecideAction(t, tens, up, 20, NoAction), {Stand, AdviceCase::StandHard17}, "K,10");
    }
    t.Row(420)[6] = 1;
    ExpectSame(DecideAction(t, tens, 6, 20, NoAction), {Split, AdviceCase::SplitPair}, "edited 420");
    ExpectSame(DecideAction(t, tens, 7, 20, NoAction), {Stand, AdviceCase::StandHard17}, "edited 420");
}

TEST(Decision, PairOfAcesIsSoftTwelve) {
    for (const StrategyTable& t : {Default(), Advanced()}) {
        for (int up = 2; up <= Ace; ++up) {
            ExpectSame(DecideAction(t, MakeHand(12, true, true, true, true), up, 12, NoAction),
                       {Split, AdviceCase::SplitAces}, "A,A");
            ExpectSame(DecideAction(t, MakeHand(12, true, false, true, true), up, 12, NoAction),
                       {Hit, AdviceCase::HitSoftLow}, "A,A no split");
        }
    }
}

TEST(Decision, PairOfNinesSplitsBeforeStanding) {
    const StrategyTable t = Default();
    const THand nines = MakeHand(18, false, true, false, false);
    EXPECT_EQ(DecideAction(t, nines, 9, 18, NoAction).action, Split);
    ExpectSame(DecideAction(t, nines, 10, 18, NoAction), {Stand, AdviceCase::StandHard17}, "9,9 vs 10");
    ExpectSame(DecideAction(t, nines, Ace, 18, NoAction), {Stand, AdviceCase::StandHard17}, "9,9 vs A");
}

TEST(Decision, HardSixteenSurrendersOnlyWhenItMay) {
    const StrategyTable t = Default();
    ExpectSame(DecideAction(t, MakeHand(16, false, false, true, true), 10, 16, NoAction),
               {Surrender, AdviceCase::SurrenderHard}, "two cards");
    // Three cards, or a split hand: the surrender flag is clear.
    ExpectSame(DecideAction(t, MakeHand(16, false, false, false, false), 10, 16, NoAction),
               {Hit, AdviceCase::HitHard}, "no surrender");
    ExpectSame(DecideAction(t, MakeHand(16, false, false, true, true), 9, 16, NoAction),
               {Hit, AdviceCase::HitHard}, "vs 9");
}

TEST(Decision, AdvancedSoftEighteenAgainstThree) {
    const StrategyTable t = Advanced();
    ExpectSame(DecideAction(t, MakeHand(18, true, false, true, false), 3, 18, NoAction),
               {DoubleDown, AdviceCase::DoubleSoft}, "may double");
    ExpectSame(DecideAction(t, MakeHand(18, true, false, false, false), 3, 18, NoAction),
               {Stand, AdviceCase::StandSoft}, "may not double");
}

// Whatever the table says, some plays are fixed: try an empty table and a full one.
TEST(Decision, RulesNoTableCanOverride) {
    StrategyTable empty{};
    StrategyTable full;
    full.Bytes.fill(1);
    for (const StrategyTable* t : {&empty, &full}) {
        for (int up = 2; up <= Ace; ++up) {
            for (int flags = 0; flags < 4; ++flags) {
                const bool dbl = flags & 1, sur = flags & 2;
                for (int total = 4; total <= 11; ++total) {
                    const auto r =
                        DecideAction(*t, MakeHand(total, false, false, dbl, sur), up, total, NoAction);
                    EXPECT_NE(r.action, Stand) << "hard " << total;
                    EXPECT_NE(r.action, Surrender) << "hard " << total;
                }
                for (int total = 17; total <= 21; ++total) {
                    ExpectSame(DecideAction(*t, MakeHand(total, false, false, dbl, sur), up, total, NoAction),
                               {Stand, AdviceCase::StandHard17}, "hard 17+");
                }
                for (int total = 13; total <= 16; ++total) {
                    const auto r =
                        DecideAction(*t, MakeHand(total, true, false, dbl, sur), up, total, NoAction);
                    EXPECT_EQ(r.action, dbl && t == &full ? DoubleDown : Hit) << "soft " << total;
                }
            }
        }
    }
}

TEST(Decision, ActionsTheHandMayNotTakeAreNeverChosen) {
    StrategyTable full;
    full.Bytes.fill(1);
    for (int total = 4; total <= 21; ++total) {
        for (int soft = 0; soft < 2; ++soft) {
            const auto r = DecideAction(full, MakeHand(total, soft, false, false, false), 5, total, NoAction);
            EXPECT_TRUE(r.action == Hit || r.action == Stand) << total;
        }
    }
}

TEST(Decision, AlwaysOrNeverAloneChangeNothing) {
    StrategyTable t{};
    t.Row(313)[AlwaysByte] = 1;
    t.Row(216)[AlwaysByte] = 1;
    t.Row(422)[AlwaysByte] = 1;
    t.Row(214)[NeverByte] = 1;
    EXPECT_EQ(DecideAction(t, MakeHand(13, true, false, true, false), 5, 13, NoAction).action, Hit);
    EXPECT_EQ(DecideAction(t, MakeHand(16, false, false, false, false), 5, 16, NoAction).action, Stand);
    EXPECT_EQ(DecideAction(t, MakeHand(12, true, true, false, false), 5, 12, NoAction).action, Hit);
}

TEST(Decision, OnlyTheLowByteOfTheTotalCounts) {
    const StrategyTable t = Default();
    const THand h = MakeHand(16, false, false, false, false);
    ExpectSame(DecideAction(t, h, 10, 0x0100 + 16, NoAction), {Hit, AdviceCase::HitHard}, "low byte");
    ExpectSame(DecideAction(t, h, 5, 0x0100 + 16, NoAction), {Stand, AdviceCase::StandHard}, "low byte");
}

// The analysis's branch-free decision against the plain one: every total, up card, softness and flag, on the
// built-in sets and on tables of random rows.
TEST(Decision, TheQuickDecisionIsThePlainOne) {
    std::vector<StrategyTable> tables(2);
    LoadDefaultStrategy(tables[0]);
    LoadAdvancedStrategy(tables[1]);
    std::uint32_t x = 2024;
    for (int k = 0; k < 20; ++k) {
        StrategyTable random;
        for (auto& b : random.Bytes) {
            x = x * 1103515245u + 12345u;
            b = static_cast<std::uint8_t>((x >> 16) % 3 == 0);
        }
        tables.push_back(random);
    }
    for (const StrategyTable& table : tables)
        for (const bool soft : {false, true})
            for (int t = 2; t <= 21; ++t)
                for (int up = 2; up <= 11; ++up)
                    for (int flags = 0; flags < 8; ++flags) {
                        THand h;
                        h.SoftAce = soft ? 1 : 0;
                        h.MaySplit = (flags & 1) != 0;
                        h.MayDouble = (flags & 2) != 0;
                        h.MaySurrender = (flags & 4) != 0;
                        ASSERT_EQ(DecideQuickly(table, soft, t, up, h.MaySplit, h.MayDouble, h.MaySurrender),
                                  DecideAction(table, h, up, t, NoAction).action)
                            << "soft " << soft << " total " << t << " up " << up << " flags " << flags;
                    }
}

TEST(Decision, LowHardHitExplainsThePlayersMistake) {
    const StrategyTable t = Default();
    // Hard 9 against a 7: no double.
    ExpectSame(DecideAction(t, MakeHand(9, false, false, true, false), 7, 9, DoubleDown),
               {Hit, AdviceCase::DoNotDouble}, "doubled");
    ExpectSame(DecideAction(t, MakeHand(9, false, false, true, false), 7, 9, Stand),
               {Hit, AdviceCase::HitBelow12}, "stood");
    // 4,4 and 5,5 that were split, against a card where neither doubles.
    ExpectSame(DecideAction(t, MakeHand(8, false, true, true, false), 8, 8, Split),
               {Hit, AdviceCase::NeverSplitFours}, "split 4's");
    ExpectSame(DecideAction(t, MakeHand(10, false, true, true, false), 10, 10, Split),
               {Hit, AdviceCase::NeverSplitFours}, "split 5's");
    // A split pair of 3's or 2's that should hit is not about fours.
    ExpectSame(DecideAction(t, MakeHand(6, false, true, true, false), 8, 6, Split),
               {Hit, AdviceCase::HitBelow12}, "split 3's");
    ExpectSame(DecideAction(t, MakeHand(8, false, false, true, false), 8, 8, Split),
               {Hit, AdviceCase::HitBelow12}, "split without MaySplit");
}

class RecommendActionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LoadDefaultStrategy(g.Strategy);
        g.Hands[2] = MakeHand(9, false, false, true, false);
    }
    Game g;
};

TEST_F(RecommendActionTest, AutoPlayStoresTheDecisionAndIgnoresThePreviousAction) {
    g.AutoPlay = true;
    g.PlayerAction = DoubleDown;
    EXPECT_EQ(RecommendAction(g, 2, 7, 9), Hit);
    EXPECT_EQ(g.PlayerAction, Hit);
    EXPECT_EQ(g.LastAdviceCase, AdviceCase::HitBelow12);
    EXPECT_EQ(RecommendAction(g, 2, 5, 9), DoubleDown);
    EXPECT_EQ(g.PlayerAction, DoubleDown);
}

TEST_F(RecommendActionTest, HumanPlayLeavesPlayerActionAlone) {
    g.PlayerAction = DoubleDown;
    EXPECT_EQ(RecommendAction(g, 2, 7, 9), Hit);
    EXPECT_EQ(g.PlayerAction, DoubleDown);
    EXPECT_EQ(g.LastAdviceCase, AdviceCase::DoNotDouble);
}

TEST_F(RecommendActionTest, WithoutTheTableNoAdviceIsBuilt) {
    g.TableShown = false;
    g.PlayerAction = Stand;
    RecommendAction(g, 2, 7, 9);
    EXPECT_TRUE(g.AdviceText.empty());
    g.AutoPlay = true;
    RecommendAction(g, 2, 7, 9);
    EXPECT_TRUE(g.AdviceText.empty());
}

} // namespace
} // namespace zvx
