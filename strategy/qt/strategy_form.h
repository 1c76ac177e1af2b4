#pragma once

#include <array>

#include "engine/game_state.h"
#include "shell/qt/option_form.h"
#include "strategy/strategy_editing.h"

class QButtonGroup;
class QCheckBox;
class QPushButton;
class QRadioButton;

namespace zvx::gui {

class TStrategyChart;
class TExactPanel;

// The strategy editor: pick a hand type for one of the four actions, tick the dealer up cards it is taken
// against. The rules live in the core's StrategyEditor; the form mirrors its boxes. Beside it, the whole live
// strategy as a chart, redrawn whenever the table changes.
class TStrategyForm : public OptionFormWidget {
    Q_OBJECT

public:
    explicit TStrategyForm(Game& game, QWidget* parent = nullptr);

    // Every way of closing keeps the shown row.
    void LeaveForm() override;

    QPushButton* SaveButton() const { return saveButton_; }
    QRadioButton* RowButton(int rowCode) const;
    QCheckBox* UpCardBox(int upCard) const; // 2..11
    QCheckBox* NeverBox() const { return checkBox1_; }
    QCheckBox* AlwaysBox() const { return checkBox12_; }
    TStrategyChart* Chart() const { return chart_; }
    TExactPanel* Exact() const { return exact_; }
    const StrategyEditor& Editor() const { return editor_; }

public slots:
    void RowButtonClick(int rowCode);
    void CheckBox1Click(bool ticked);
    void CheckBox12Click(bool ticked);
    void CheckBoxClick(int index, bool ticked);
    void ResetButtonClick();
    void AdvancedButtonClick();
    void BestButtonClick(const zvx::StrategyTable& best);
    void SaveButtonClick();

private:
    void ShowBoxes();
    void ShowEdited();
    void RedrawChart();
    void ShowCellCosts();

    Game& game_;
    StrategyEditor editor_;
    QButtonGroup* rows_ = nullptr;
    std::array<QCheckBox*, UpCardBoxes> upCards_{};
    QCheckBox* checkBox1_ = nullptr;
    QCheckBox* checkBox12_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;
    QPushButton* advancedButton_ = nullptr;
    TStrategyChart* chart_ = nullptr;
    TExactPanel* exact_ = nullptr;
};

} // namespace zvx::gui
