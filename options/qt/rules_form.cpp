#include "options/qt/rules_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "options/qt/option_form_parts.h"

namespace zvx::gui {

namespace {

// Top to bottom as the form shows them, in RuleSwitch order; the design names follow the rule they edit.
constexpr std::array<const char*, RuleSwitchCount> SwitchNames = {"CheckBox3", "CheckBox4", "CheckBox5",
                                                                  "CheckBox6", "CheckBox2", "CheckBox1"};
// The first caption's "&&" shows a single ampersand.
constexpr std::array<const char*, RuleSwitchCount> SwitchCaptions = {
    "Double Any Hand (or only 10 && 11)", "Double After Split", "Re-Split a Split Hand",
    "Play 2 Hands (Bet 2x Table Minimum)", "Dealer Hits Soft 17", "Surrender Allowed"};

} // namespace

TRulesForm::TRulesForm(Game& game, QWidget* parent) : OptionFormWidget(parent), game_(game) {
    SetFormGround(this, "RulesForm", "CASINO RULES");

    auto* title = new QLabel("CASINO RULES", this);
    title->setObjectName("Caption");
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    title->setFont(bold);

    QGroupBox* decks = MakeRadioGroup(this, "RadioGroup1", "Card Decks",
                                      {"1 Deck", "2 Decks", "4 Decks", "6 Decks", "8 Decks"}, radioGroup1_);
    auto* panel1 = new QWidget(this);
    panel1->setObjectName("Panel1");
    QGroupBox* penetration = MakeRadioGroup(panel1, "RadioGroup3", "Deck Penetration",
                                            {"Deal 1/2 deck(s)", "Deal 3/4 deck(s)"}, radioGroup3_);
    auto* panelLayout = new QVBoxLayout(panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(penetration);
    QGroupBox* minimum = MakeRadioGroup(this, "RadioGroup2", "Table Minimum", {"$5", "$25", "$100"}, radioGroup2_);

    auto* rules = new QGroupBox("Casino Rules", this);
    rules->setObjectName("GroupBox1");
    auto* rulesLayout = new QVBoxLayout(rules);
    for (int i = 0; i < RuleSwitchCount; ++i) {
        auto* box = new QCheckBox(SwitchCaptions[static_cast<std::size_t>(i)], rules);
        box->setObjectName(SwitchNames[static_cast<std::size_t>(i)]);
        rulesLayout->addWidget(box);
        connect(box, &QCheckBox::clicked, this, &TRulesForm::CheckBoxClick);
        switches_[static_cast<std::size_t>(i)] = box;
    }
    rulesLayout->addStretch(1);

    exitButton_ = MakeExitButton(this);
    connect(exitButton_, &QPushButton::clicked, this, &TRulesForm::ExitButtonClick);
    connect(radioGroup1_, &QButtonGroup::idClicked, this, &TRulesForm::RadioGroup1Click);
    connect(radioGroup2_, &QButtonGroup::idClicked, this, &TRulesForm::RadioGroup2Click);
    connect(radioGroup3_, &QButtonGroup::idClicked, this, &TRulesForm::RadioGroup3Click);

    // Left the decks; beside them the penetration over the minimum; right the rule switches. The groups keep
    // their natural size and the form's spare room goes round them, so a maximised form stays compact.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->addWidget(decks, 0, 0, 2, 1);
    grid->addWidget(panel1, 0, 1);
    grid->addWidget(minimum, 1, 1);
    grid->addWidget(rules, 0, 2, 2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(exitButton_);
    buttons->addStretch(1);

    auto* outer = new QVBoxLayout;
    outer->setContentsMargins(16, 12, 16, 12);
    outer->addStretch(1); // centred in a tall window too
    outer->addWidget(title);
    outer->addLayout(grid);
    outer->addSpacing(8);
    outer->addLayout(buttons);
    outer->addStretch(1);
    auto* form = new QHBoxLayout(MakeFormPage(this));
    form->setContentsMargins(0, 0, 0, 0);
    // Centred across a wide window, so a maximised form does not leave its groups in a corner.
    form->addStretch(1);
    form->addLayout(outer);
    form->addStretch(1);

    FillRulesForm();
}

void TRulesForm::FillRulesForm() {
    const CasinoRules& r = game_.Rules();
    // setChecked is not a click: filling writes no rule and marks no change.
    radioGroup1_->button(DecksItem(r.Decks))->setChecked(true);
    radioGroup2_->button(TableMinimumItem(r.TableMinimum))->setChecked(true);
    radioGroup3_->button(PenetrationItem(r.Penetration))->setChecked(true);
    const RuleSwitches switches = ReadRuleSwitches(r);
    for (int i = 0; i < RuleSwitchCount; ++i)
        switches_[static_cast<std::size_t>(i)]->setChecked(switches[static_cast<std::size_t>(i)]);
    game_.LimitsChanged = false;
    game_.DecksChanged = false;
    exitButton_->setText(ExitCaption);
}

void TRulesForm::MarkChanged() {
    game_.OptionsChanged = true;
    exitButton_->setText(SaveExitCaption);
}

void TRulesForm::RadioGroup1Click(int item) {
    ChooseDecksItem(game_, item);
    MarkChanged();
}

void TRulesForm::RadioGroup2Click(int item) {
    ChooseTableMinimumItem(game_, item);
    MarkChanged();
}

void TRulesForm::RadioGroup3Click(int item) {
    ChoosePenetrationItem(game_, item);
    MarkChanged();
}

void TRulesForm::CheckBoxClick() { MarkChanged(); }

void TRulesForm::LeaveForm() {
    RuleSwitches switches{};
    for (int i = 0; i < RuleSwitchCount; ++i)
        switches[static_cast<std::size_t>(i)] = switches_[static_cast<std::size_t>(i)]->isChecked();
    StoreRuleSwitches(game_.Options.Rules, switches);
}

void TRulesForm::ExitButtonClick() {
    if (game_.OptionsChanged) game_.SaveOptionsOnReturn = true;
    game_.OptionsReturn = true;
}

} // namespace zvx::gui
