#include "shell/qt/main_form.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "engine/settlement.h"
#include "engine/shoe.h"
#include "options/qt/prefer_form.h"
#include "options/qt/rules_form.h"
#include "shell/qt/option_form.h"
#include "strategy/qt/strategy_form.h"
#include "table/qt/player.h"

namespace zvx::gui {

// --- Option forms ------------------------------------------------------------------------------------------

QWidget* TMainForm::CreateOptionForm(OptionForm form) {
    switch (form) {
    case OptionForm::Rules: return new TRulesForm(game_);
    case OptionForm::Strategy: return new TStrategyForm(game_);
    case OptionForm::Preferences: return new TPreferForm(game_);
    }
    return nullptr;
}

void TMainForm::OpenOptionForm(OptionForm kind) {
    game_.SaveOptionsOnReturn = false;
    CloseOptionForms();
    QWidget* form = CreateOptionForm(kind);
    if (!form) return;
    optionForm_ = form;
    AddFillingWindow(form);
    switch (kind) {
    case OptionForm::Rules: game_.RulesFormOpen = true; break;
    case OptionForm::Strategy: game_.StrategyFormOpen = true; break;
    case OptionForm::Preferences: game_.PreferencesFormOpen = true; break;
    }
    game_.OptionsReturn = false;
    if (kind != OptionForm::Strategy) game_.DecksChanged = false;
    WaitForOptionForm();
    if (closing_) return;
    if (kind == OptionForm::Rules) {
        if (game_.DecksChanged) {
            DestroyShoe(game_);
            BuildShoe(game_);
            ResetGame();
        }
        if (game_.LimitsChanged) NewBankroll(game_);
    }
}

void TMainForm::WaitForOptionForm() {
    while (!game_.OptionsReturn) WaitForNextEvent();
    MenuButtonClick();
}

void TMainForm::CloseOptionForms() {
    if (!optionForm_) return;
    QWidget* form = optionForm_;
    optionForm_ = nullptr;
    if (auto* optionForm = qobject_cast<OptionFormWidget*>(form)) optionForm->LeaveForm();
    game_.RulesFormOpen = game_.StrategyFormOpen = game_.PreferencesFormOpen = false;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget())) {
        sub->hide();
        sub->deleteLater();
    } else {
        form->deleteLater();
    }
}

void TMainForm::MenuButtonClick() {
    game_.OptionsReturn = true;
    CloseOptionForms();
    if (game_.SaveOptionsOnReturn) {
        game_.SaveOptionsOnReturn = false;
        SaveOptionsTelling();
    }
    if (game_.TableShown) RestoreTableWindow();
}

void TMainForm::RestoreTableWindow() {
    if (table_ && table_->parentWidget()) table_->parentWidget()->setGeometry(mdi_->viewport()->rect());
}

void TMainForm::Rules1Click() { OpenOptionForm(OptionForm::Rules); }
void TMainForm::StratOptionsClick() { OpenOptionForm(OptionForm::Strategy); }
void TMainForm::Preferences1Click() { OpenOptionForm(OptionForm::Preferences); }

} // namespace zvx::gui
