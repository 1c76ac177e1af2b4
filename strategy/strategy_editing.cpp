#include "strategy/strategy_editing.h"

#include <algorithm>

#include "engine/game_state.h"
#include "strategy/builtin_strategies.h"

namespace zvx {

namespace {

constexpr int FirstUpCard = 2;

int Code(int column, int value) {
    constexpr std::array<int, EditorColumnCount> bases = {SplitRows, DoubleRows, HitRows, SurrenderRows};
    return bases[static_cast<std::size_t>(column)] + value;
}

} // namespace

const std::array<EditorRow, EditorRowCount> EditorRows = {{
    {"B2", "2's", Code(0, 4), 0},       {"B3", "3's", Code(0, 6), 0},       {"B4", "4's", Code(0, 8), 0},
    {"B5", "5's", Code(0, 10), 0},      {"B6", "6's", Code(0, 12), 0},      {"B7", "7's", Code(0, 14), 0},
    {"B8", "8's", Code(0, 16), 0},      {"B9", "9's", Code(0, 18), 0},      {"B10", "10's", Code(0, 20), 0},
    {"B1", "Aces", Code(0, 22), 0},     {"B11", "Hard 7", Code(1, 7), 1},   {"B12", "Hard 8", Code(1, 8), 1},
    {"B13", "Hard 9", Code(1, 9), 1},   {"B14", "Hard 10", Code(1, 10), 1}, {"B15", "Hard 11", Code(1, 11), 1},
    {"B16", "Soft 13", Code(1, 13), 1}, {"B17", "Soft 14", Code(1, 14), 1}, {"B18", "Soft 15", Code(1, 15), 1},
    {"B19", "Soft 16", Code(1, 16), 1}, {"B20", "Soft 17", Code(1, 17), 1}, {"B21", "Soft 18", Code(1, 18), 1},
    {"B22", "Soft 19", Code(1, 19), 1}, {"B23", "Hard 12", Code(2, 12), 2}, {"B24", "Hard 13", Code(2, 13), 2},
    {"B25", "Hard 14", Code(2, 14), 2}, {"B26", "Hard 15", Code(2, 15), 2}, {"B27", "Hard 16", Code(2, 16), 2},
    {"B28", "Soft 17", Code(2, 17), 2}, {"B29", "Soft 18", Code(2, 18), 2}, {"b30", "Hard 12", Code(3, 12), 3},
    {"b31", "Hard 13", Code(3, 13), 3}, {"b32", "Hard 14", Code(3, 14), 3}, {"b33", "Hard 15", Code(3, 15), 3},
    {"b34", "Hard 16", Code(3, 16), 3}, {"b35", "Hard 17", Code(3, 17), 3},
}};

RowBoxes ShowRow(const StrategyTable& table, int rowCode) {
    const std::uint8_t* row = table.Row(rowCode);
    RowBoxes boxes;
    if (row[NeverByte] != 0) {
        boxes.Never = true;
    } else if (row[AlwaysByte] != 0) {
        boxes.Always = true;
        boxes.UpCards.fill(true);
    } else {
        for (int i = 0; i < UpCardBoxes; ++i) boxes.UpCards[static_cast<std::size_t>(i)] = row[FirstUpCard + i] != 0;
    }
    return boxes;
}

void StoreRow(StrategyTable& table, int rowCode, const RowBoxes& boxes) {
    std::uint8_t* row = table.Row(rowCode);
    row[NeverByte] = boxes.Never ? 1 : 0;
    row[AlwaysByte] = !boxes.Never && boxes.Always ? 1 : 0;
    for (int i = 0; i < UpCardBoxes; ++i) {
        const bool on = boxes.Never ? false : boxes.Always || boxes.UpCards[static_cast<std::size_t>(i)];
        row[FirstUpCard + i] = on ? 1 : 0;
    }
}

void StrategyEditor::Open() {
    selected_ = FirstEditorRowCode;
    boxes_ = ShowRow(game_.Strategy, selected_);
    edited_ = false;
}

void StrategyEditor::ChooseRow(int rowCode) {
    StoreRow(game_.Strategy, selected_, boxes_);
    selected_ = rowCode;
    boxes_ = ShowRow(game_.Strategy, selected_);
}

void StrategyEditor::ClickNever(bool ticked) {
    boxes_.Never = ticked;
    if (!ticked) return; // the up cards keep their state, so the row plays the same
    const bool anyTicked = std::any_of(boxes_.UpCards.begin(), boxes_.UpCards.end(), [](bool b) { return b; });
    boxes_.Always = false;
    boxes_.UpCards.fill(false);
    if (anyTicked) MarkEdited();
}

void StrategyEditor::ClickAlways(bool ticked) {
    boxes_.Always = ticked;
    if (!ticked) return;
    const bool anyUnticked = std::any_of(boxes_.UpCards.begin(), boxes_.UpCards.end(), [](bool b) { return !b; });
    boxes_.Never = false;
    boxes_.UpCards.fill(true);
    if (anyUnticked) MarkEdited();
}

void StrategyEditor::ClickUpCard(int index, bool ticked) {
    boxes_.UpCards[static_cast<std::size_t>(index)] = ticked;
    boxes_.Never = boxes_.Always = false;
    std::uint8_t* row = game_.Strategy.Row(selected_);
    row[NeverByte] = row[AlwaysByte] = 0;
    MarkEdited();
}

void StrategyEditor::ResetToDefault() {
    LoadDefaultStrategy(game_.Strategy);
    boxes_ = ShowRow(game_.Strategy, selected_);
    MarkEdited();
}

void StrategyEditor::SetToAdvanced() {
    LoadAdvancedStrategy(game_.Strategy);
    boxes_ = ShowRow(game_.Strategy, selected_);
    MarkEdited();
}

void StrategyEditor::LoadTable(const StrategyTable& table) {
    game_.Strategy = table;
    boxes_ = ShowRow(game_.Strategy, selected_);
    MarkEdited();
}

StrategyTable StrategyEditor::EditedTable() const {
    StrategyTable table = game_.Strategy;
    StoreRow(table, selected_, boxes_);
    return table;
}

void StrategyEditor::Leave() { StoreRow(game_.Strategy, selected_, boxes_); }

void StrategyEditor::MarkEdited() {
    edited_ = true;
    game_.OptionsChanged = true;
}

} // namespace zvx
