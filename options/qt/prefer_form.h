#pragma once

#include "engine/game_state.h"
#include "shell/qt/option_form.h"

class QCheckBox;
class QPushButton;
class QScrollBar;

namespace zvx::gui {

// The preferences form: the speed slider writes the speed at once; the two check boxes are read when the form
// is left (whichever way).
class TPreferForm : public OptionFormWidget {
    Q_OBJECT

public:
    explicit TPreferForm(Game& game, QWidget* parent = nullptr);

    void FillPreferencesForm();
    void LeaveForm() override;

    QScrollBar* ScrollBar1() const { return scrollBar1_; }
    QPushButton* ExitButton() const { return exitButton_; }

public slots:
    void ScrollBar1Change(int position);
    void CheckBoxClick();
    void ExitButtonClick();

private:
    void MarkChanged();

    Game& game_;
    QScrollBar* scrollBar1_ = nullptr;
    QCheckBox* checkBox2_ = nullptr;
    QCheckBox* checkBox3_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    bool filling_ = false;
};

} // namespace zvx::gui
