#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "strategy/strategy_table.h"

namespace zvx {

struct Game;

// One hand-type button of the strategy editor: its caption, the row it edits, and its column (0 SPLIT,
// 1 DOUBLE DOWN, 2 HIT, 3 SURRENDER).
struct EditorRow {
    std::string_view Name; // the button's design name
    std::string_view Caption;
    int RowCode;
    int Column;
};

inline constexpr int EditorRowCount = 35;
inline constexpr int EditorColumnCount = 4;
inline constexpr std::array<std::string_view, EditorColumnCount> EditorColumnHeadings = {
    "SPLIT", "DOUBLE DOWN", "HIT", "SURRENDER"};
extern const std::array<EditorRow, EditorRowCount> EditorRows;

inline constexpr int FirstEditorRowCode = 404; // "2's", selected whenever the editor opens
inline constexpr int UpCardBoxes = 10;         // dealer 2..9, 10 (or face card), Ace

// The editor's boxes: "NEVER", "ALWAYS" and the ten up-card boxes (index 0 for a dealer 2, 9 for an Ace).
struct RowBoxes {
    bool Never = false;
    bool Always = false;
    std::array<bool, UpCardBoxes> UpCards{};

    friend bool operator==(const RowBoxes&, const RowBoxes&) = default;
};

// A row as the boxes show it: NEVER wins over ALWAYS, which ticks every up card.
RowBoxes ShowRow(const StrategyTable& table, int rowCode);
// The boxes written back into a row, keeping the table's invariants (ALWAYS means all ten, NEVER none).
void StoreRow(StrategyTable& table, int rowCode, const RowBoxes& boxes);

// The strategy editor apart from its widgets: the selected row, the boxes as shown, and whether the table was
// edited. Changes reach the live table when the row is left, except that changing an up-card box by hand
// clears the row's NEVER and ALWAYS flags at once. Marking the table edited also sets OptionsChanged, so the
// question at exit offers to keep an edit that was not saved on leaving.
class StrategyEditor {
public:
    explicit StrategyEditor(Game& game) : game_(game) {}

    // Selects "2's" and shows it; nothing is edited yet.
    void Open();
    // A hand-type button: the boxes go into the selected row, then the chosen row is shown.
    void ChooseRow(int rowCode);
    void ClickNever(bool ticked);
    void ClickAlways(bool ticked);
    void ClickUpCard(int index, bool ticked);
    // "&Reset to Default" and "&Set to Advanced": the whole table replaced, the boxes not stored first.
    void ResetToDefault();
    void SetToAdvanced();
    // The best table for the rules (worked out by the exact engine), loaded the same way.
    void LoadTable(const StrategyTable& table);
    // The table as it stands with the shown row's boxes stored, without storing them.
    StrategyTable EditedTable() const;
    // Every way of closing the editor keeps the shown row's boxes.
    void Leave();

    int SelectedRow() const { return selected_; }
    const RowBoxes& Boxes() const { return boxes_; }
    bool Edited() const { return edited_; }

private:
    void MarkEdited();

    Game& game_;
    int selected_ = FirstEditorRowCode;
    RowBoxes boxes_;
    bool edited_ = false;
};

} // namespace zvx
