#include <gtest/gtest.h>

#include <set>

#include "engine/game_state.h"
#include "strategy/builtin_strategies.h"
#include "strategy/recommend.h"
#include "strategy/strategy_chart.h"
#include "strategy/strategy_editing.h"

namespace zvx {
namespace {

constexpr int HitSoft18 = 218;
constexpr int HitHard12 = 212;

Game DefaultGame() {
    Game g;
    LoadDefaultStrategy(g.Strategy);
    return g;
}

std::array<std::uint8_t, StrategyRowSize> RowOf(const Game& g, int code) {
    std::array<std::uint8_t, StrategyRowSize> row{};
    std::copy_n(g.Strategy.Row(code), StrategyRowSize, row.begin());
    return row;
}

TEST(StrategyEditing, ThirtyFiveDistinctRowsInFourColumns) {
    std::set<int> codes;
    std::set<std::string_view> names;
    std::array<int, EditorColumnCount> perColumn{};
    constexpr std::array<int, EditorColumnCount> actionDigits = {4, 3, 2, 5};
    for (const EditorRow& r : EditorRows) {
        codes.insert(r.RowCode);
        names.insert(r.Name);
        ++perColumn[static_cast<std::size_t>(r.Column)];
        EXPECT_EQ(r.RowCode / 100, actionDigits[static_cast<std::size_t>(r.Column)]) << r.Caption;
    }
    EXPECT_EQ(codes.size(), 35u);
    EXPECT_EQ(names.size(), 35u);
    EXPECT_EQ(perColumn, (std::array<int, 4>{10, 12, 7, 6}));
    EXPECT_EQ(EditorRows.front().RowCode, 404);
    EXPECT_EQ(EditorRows[9].Caption, "Aces");
    EXPECT_EQ(EditorRows[9].RowCode, 422);
    EXPECT_EQ(EditorRows.back().RowCode, 517);
}

TEST(StrategyEditing, ShowingAndStoringKeepTheRowInvariants) {
    StrategyTable t;
    std::uint8_t* row = t.Row(300);
    row[NeverByte] = 1;
    row[AlwaysByte] = 1;
    row[5] = 1;
    // NEVER wins over everything else when a damaged row is shown.
    RowBoxes shown = ShowRow(t, 300);
    EXPECT_TRUE(shown.Never);
    EXPECT_FALSE(shown.Always);
    EXPECT_EQ(shown.UpCards, (std::array<bool, 10>{}));

    RowBoxes always;
    always.Always = true;
    StoreRow(t, 300, always);
    EXPECT_EQ(t.Row(300)[AlwaysByte], 1);
    EXPECT_EQ(t.Row(300)[NeverByte], 0);
    for (int u = 2; u <= 11; ++u) EXPECT_EQ(t.Row(300)[u], 1) << u;

    RowBoxes some;
    some.UpCards[0] = some.UpCards[9] = true;
    StoreRow(t, 300, some);
    EXPECT_EQ(ShowRow(t, 300), some);
    EXPECT_TRUE(t.Has(300, 2));
    EXPECT_TRUE(t.Has(300, 11));
    EXPECT_FALSE(t.Has(300, 10));
}

TEST(StrategyEditing, BrowsingEveryRowChangesNothing) {
    Game g = DefaultGame();
    const StrategyTable before = g.Strategy;
    StrategyEditor editor(g);
    editor.Open();
    EXPECT_EQ(editor.SelectedRow(), 404);
    for (const EditorRow& r : EditorRows) editor.ChooseRow(r.RowCode);
    editor.Leave();
    EXPECT_FALSE(editor.Edited());
    EXPECT_FALSE(g.OptionsChanged);
    EXPECT_EQ(g.Strategy, before);
}

TEST(StrategyEditing, AlwaysIsStoredWhenTheRowIsLeft) {
    Game g = DefaultGame();
    StrategyEditor editor(g);
    editor.Open();
    editor.ChooseRow(HitSoft18); // NEVER in the default set
    editor.ClickAlways(true);
    EXPECT_TRUE(editor.Edited());
    EXPECT_TRUE(g.OptionsChanged);
    EXPECT_FALSE(editor.Boxes().Never);
    EXPECT_EQ(g.Strategy.Row(HitSoft18)[NeverByte], 1); // not yet: the row is stored when left
    editor.ChooseRow(HitHard12);
    EXPECT_EQ(RowOf(g, HitSoft18), (std::array<std::uint8_t, 12>{1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
}

TEST(StrategyEditing, AlwaysAndNeverMarkOnlyWhatTheyChange) {
    Game g = DefaultGame();
    StrategyEditor editor(g);
    editor.Open();
    editor.ChooseRow(311); // ALWAYS already
    editor.ClickAlways(false);
    editor.ClickAlways(true); // every up card was still ticked
    EXPECT_FALSE(editor.Edited());
    editor.ChooseRow(307); // NEVER already
    editor.ClickNever(false);
    editor.ClickNever(true); // no up card was ticked
    EXPECT_FALSE(editor.Edited());
    editor.ChooseRow(308);
    editor.ClickNever(true);
    EXPECT_TRUE(editor.Edited());
    EXPECT_EQ(editor.Boxes().UpCards, (std::array<bool, 10>{}));
}

TEST(StrategyEditing, UntickingAlwaysStoresTheSamePlay) {
    Game g = DefaultGame();
    StrategyEditor editor(g);
    editor.Open();
    editor.ChooseRow(416); // SPLIT 8's: ALWAYS
    editor.ClickAlways(false);
    EXPECT_FALSE(editor.Edited());
    EXPECT_EQ(editor.Boxes().UpCards, (std::array<bool, 10>{true, true, true, true, true, true, true, true, true, true}));
    editor.Leave();
    EXPECT_EQ(RowOf(g, 416), (std::array<std::uint8_t, 12>{0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
}

TEST(StrategyEditing, AnUpCardBoxClearsTheFlagsAtOnce) {
    Game g = DefaultGame();
    StrategyEditor editor(g);
    editor.Open();
    editor.ChooseRow(422); // SPLIT Aces: ALWAYS
    editor.ClickUpCard(9, false);
    EXPECT_TRUE(editor.Edited());
    EXPECT_FALSE(editor.Boxes().Always);
    EXPECT_EQ(g.Strategy.Row(422)[AlwaysByte], 0); // at once
    EXPECT_EQ(g.Strategy.Row(422)[11], 1);        // the up card itself when the row is left
    // Clearing every box by hand leaves neither NEVER nor ALWAYS; the row then plays like NEVER.
    for (int i = 0; i < UpCardBoxes; ++i) editor.ClickUpCard(i, false);
    EXPECT_FALSE(editor.Boxes().Never);
    editor.ChooseRow(404);
    EXPECT_EQ(RowOf(g, 422), (std::array<std::uint8_t, 12>{}));
}

TEST(StrategyEditing, ResetAndAdvancedDropTheUnstoredBoxes) {
    Game g = DefaultGame();
    StrategyEditor editor(g);
    editor.Open();
    editor.ClickNever(true); // 2's: was 2..7
    editor.SetToAdvanced();
    StrategyTable advanced;
    LoadAdvancedStrategy(advanced);
    EXPECT_EQ(g.Strategy, advanced);
    EXPECT_TRUE(editor.Edited());
    EXPECT_FALSE(editor.Boxes().Never); // the row shown again from the new set
    editor.ChooseRow(412);
    editor.ClickUpCard(5, true);
    editor.ResetToDefault();
    editor.Leave();
    StrategyTable defaults;
    LoadDefaultStrategy(defaults);
    EXPECT_EQ(g.Strategy, defaults);
}

// The chart's cells against hands the round flow would give DecideAction, built here from the cards.
TEST(StrategyChart, CellsAreTheDecisionsOnTwoCards) {
    for (bool advanced : {false, true}) {
        for (const CasinoRules& rules : {CasinoRules{}, CasinoRules{6, 3, 5, true, true, false, false, false, true}}) {
            StrategyTable t;
            advanced ? LoadAdvancedStrategy(t) : LoadDefaultStrategy(t);
            const StrategyChart chart = BuildStrategyChart(t, rules);
            const auto& hands = ChartHands();
            for (std::size_t row = 0; row < hands.size(); ++row) {
                THand hand;
                hand.SoftAce = hands[row].Soft ? 2 : 0;
                hand.MaySplit = hands[row].Pair;
                hand.MayDouble = rules.DoubleAnyHand || hands[row].Total == 10 || hands[row].Total == 11;
                hand.MaySurrender = rules.SurrenderAllowed;
                for (int u = 2; u <= 11; ++u)
                    EXPECT_EQ(chart[row][static_cast<std::size_t>(u - 2)],
                              DecideAction(t, hand, u, hands[row].Total, NoAction).action)
                        << hands[row].Label << " against " << u;
            }
        }
    }
}

TEST(StrategyChart, KnownCellsOfTheDefaultSet) {
    StrategyTable t;
    LoadDefaultStrategy(t);
    CasinoRules rules;
    rules.SurrenderAllowed = true;
    const StrategyChart chart = BuildStrategyChart(t, rules);
    auto at = [&](const std::string& label, int up) {
        for (std::size_t row = 0; row < ChartHands().size(); ++row)
            if (ChartHands()[row].Label == label) return chart[row][static_cast<std::size_t>(up - 2)];
        ADD_FAILURE() << label;
        return NoAction;
    };
    EXPECT_EQ(at("Hard 16", 10), Surrender);
    EXPECT_EQ(at("Hard 16", 6), Stand);
    EXPECT_EQ(at("Hard 11", 11), DoubleDown);
    EXPECT_EQ(at("Hard 5", 6), Hit);
    EXPECT_EQ(at("Hard 17", 11), Stand);
    EXPECT_EQ(at("A,6", 4), DoubleDown);
    EXPECT_EQ(at("A,7", 3), Stand);
    EXPECT_EQ(at("A,6", 2), Hit);
    EXPECT_EQ(at("8,8", 10), Split);
    EXPECT_EQ(at("10,10", 6), Stand);
    EXPECT_EQ(at("9,9", 11), Stand);
    EXPECT_EQ(at("A,A", 11), Split);
    EXPECT_EQ(at("5,5", 9), DoubleDown);
    // Without surrender the same hand hits; doubling only on 10 and 11 turns soft doubles into hits.
    rules.SurrenderAllowed = false;
    rules.DoubleAnyHand = false;
    const StrategyChart plain = BuildStrategyChart(t, rules);
    EXPECT_EQ(plain[11][8], Hit);  // hard 16 against 10
    EXPECT_EQ(plain[13 + 4][2], Hit); // A,6 against 4
}

} // namespace
} // namespace zvx
