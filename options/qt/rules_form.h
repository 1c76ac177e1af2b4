#pragma once

#include <array>

#include "engine/game_state.h"
#include "options/option_choices.h"
#include "shell/qt/option_form.h"

class QButtonGroup;
class QCheckBox;
class QPushButton;

namespace zvx::gui {

// The casino rules form: the radio groups write their rule at once, the six switches are read when the form is
// left (whichever way: its exit button or a menu title).
class TRulesForm : public OptionFormWidget {
    Q_OBJECT

public:
    explicit TRulesForm(Game& game, QWidget* parent = nullptr);

    void FillRulesForm();
    void LeaveForm() override;

    QPushButton* ExitButton() const { return exitButton_; }

public slots:
    void RadioGroup1Click(int item);
    void RadioGroup2Click(int item);
    void RadioGroup3Click(int item);
    void CheckBoxClick();
    void ExitButtonClick();

private:
    void MarkChanged();

    Game& game_;
    QButtonGroup* radioGroup1_ = nullptr;
    QButtonGroup* radioGroup2_ = nullptr;
    QButtonGroup* radioGroup3_ = nullptr;
    std::array<QCheckBox*, RuleSwitchCount> switches_{};
    QPushButton* exitButton_ = nullptr;
};

} // namespace zvx::gui
