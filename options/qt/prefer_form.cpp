#include "options/qt/prefer_form.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <chrono>

#include "options/option_choices.h"
#include "options/qt/option_form_parts.h"
#include "engine/startup.h"
#include "table/pacing.h"

namespace zvx::gui {

namespace {

constexpr const char* SpeedHeading = "  Set Computer Speed (for Animation)";
constexpr const char* SpeedScale = "      386      |      486       |            Pentium        ";
constexpr int SliderGroupWidth = 420;

// The read-only text fields the form uses as labels.
QLineEdit* TextField(QWidget* parent, const char* name, const QString& text) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    return field;
}

QString Seconds(int speed) {
    return QString::number(std::chrono::duration<double>(CardFlightTime(speed)).count(), 'f', 2) + " s";
}

// A card's flight from the shoe to a player's hand at either end of the slider and at the default.
QString SpeedEndsTip() {
    return QString("A card's flight from the shoe:\n%1 at the left end (386)\n%2 at the default\n%3 at the right "
                   "end (Pentium)")
        .arg(Seconds(SpeedSliderMinimum), Seconds(DefaultAnimationSpeed), Seconds(SpeedSliderMaximum));
}

} // namespace

TPreferForm::TPreferForm(Game& game, QWidget* parent) : OptionFormWidget(parent), game_(game) {
    SetFormGround(this, "PreferForm", "Player Preferences");

    auto* title = new QLabel("Player Preferences", this);
    title->setObjectName("Caption");
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    title->setFont(bold);

    // Panel1: the slider with its heading, its scale above and its two ends below.
    auto* panel1 = new QFrame(this);
    panel1->setObjectName("Panel1");
    panel1->setFrameShape(QFrame::StyledPanel);
    panel1->setMinimumWidth(SliderGroupWidth);
    QLineEdit* heading = TextField(panel1, "Edit2", SpeedHeading);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);
    QLineEdit* scale = TextField(panel1, "Edit1", SpeedScale);
    // The scale keeps the form's own words; what each end means today is the time a card takes to fly.
    const QString flights = SpeedEndsTip();
    scale->setToolTip(flights);
    scrollBar1_ = new QScrollBar(Qt::Horizontal, panel1);
    scrollBar1_->setObjectName("ScrollBar1");
    scrollBar1_->setRange(SpeedSliderMinimum, SpeedSliderMaximum);
    scrollBar1_->setSingleStep(SpeedSliderSmallStep);
    scrollBar1_->setPageStep(SpeedSliderLargeStep);
    scrollBar1_->setValue(8000);
    scrollBar1_->setFocusPolicy(Qt::StrongFocus);
    scrollBar1_->setMinimumHeight(20);
    scrollBar1_->setToolTip(flights);
    QLineEdit* faster = TextField(panel1, "Edit3", "< Faster Animation");
    QLineEdit* slower = TextField(panel1, "Edit4", " Slower Animation >");
    slower->setAlignment(Qt::AlignRight);
    auto* ends = new QHBoxLayout;
    ends->addWidget(faster);
    ends->addStretch(1);
    ends->addWidget(slower);
    auto* sliderLayout = new QVBoxLayout(panel1);
    sliderLayout->addWidget(heading);
    sliderLayout->addWidget(scale);
    sliderLayout->addWidget(scrollBar1_);
    sliderLayout->addLayout(ends);

    auto* group2 = new QGroupBox("Game Preferences", this);
    group2->setObjectName("GroupBox2");
    checkBox2_ = new QCheckBox("Sound On", group2);
    checkBox2_->setObjectName("CheckBox2");
    checkBox3_ = new QCheckBox("Always Bet Table Minimum", group2);
    checkBox3_->setObjectName("CheckBox3");
    auto* groupLayout = new QVBoxLayout(group2);
    groupLayout->addWidget(checkBox2_);
    groupLayout->addWidget(checkBox3_);

    exitButton_ = MakeExitButton(this);

    auto* column = new QVBoxLayout;
    column->addStretch(1); // centred in a tall window too
    column->addWidget(title);
    column->addWidget(panel1);
    column->addSpacing(8);
    column->addWidget(group2);
    column->addSpacing(8);
    column->addWidget(exitButton_, 0, Qt::AlignLeft);
    column->addStretch(1);
    auto* form = new QHBoxLayout(MakeFormPage(this));
    form->setContentsMargins(16, 12, 16, 12);
    form->addStretch(1);
    form->addLayout(column);
    form->addStretch(1);

    FillPreferencesForm();
    connect(scrollBar1_, &QScrollBar::valueChanged, this, &TPreferForm::ScrollBar1Change);
    connect(checkBox2_, &QCheckBox::clicked, this, &TPreferForm::CheckBoxClick);
    connect(checkBox3_, &QCheckBox::clicked, this, &TPreferForm::CheckBoxClick);
    connect(exitButton_, &QPushButton::clicked, this, &TPreferForm::ExitButtonClick);
}

void TPreferForm::FillPreferencesForm() {
    filling_ = true;
    scrollBar1_->setValue(SpeedShownOnOpening(game_));
    checkBox2_->setChecked(game_.Prefs().SoundOn);
    checkBox3_->setChecked(game_.Prefs().AlwaysBetMinimum);
    exitButton_->setText(ExitCaption);
    filling_ = false;
}

void TPreferForm::MarkChanged() {
    game_.OptionsChanged = true;
    exitButton_->setText(SaveExitCaption);
}

void TPreferForm::ScrollBar1Change(int position) {
    // Putting the slider at the stored speed is not a move by the player.
    if (filling_) return;
    ApplySpeedSlider(game_, position);
    MarkChanged();
}

void TPreferForm::CheckBoxClick() { MarkChanged(); }

void TPreferForm::LeaveForm() {
    game_.Options.Prefs.SoundOn = checkBox2_->isChecked();
    game_.Options.Prefs.AlwaysBetMinimum = checkBox3_->isChecked();
}

void TPreferForm::ExitButtonClick() {
    if (game_.OptionsChanged) game_.SaveOptionsOnReturn = true;
    game_.OptionsReturn = true;
}

} // namespace zvx::gui
