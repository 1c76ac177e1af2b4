#include "strategy/qt/strategy_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "drill/qt/chart_switch.h"
#include "options/qt/option_form_parts.h"
#include "exact/exact_texts.h"
#include "strategy/qt/exact_panel.h"
#include "strategy/qt/strategy_chart_view.h"
#include "strategy/strategy_chart.h"

namespace zvx::gui {

namespace {

constexpr int ButtonWidth = 120;
constexpr double EditorLargestScale = 1.4;
constexpr std::array<const char*, UpCardBoxes> UpCardCaptions = {"2", "3", "4", "5", "6",
                                                                 "7", "8", "9", "10 (or Face Card)", "Ace"};

QString Text(std::string_view s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

// The column headings are read-only fields in the button face's colour.
QLineEdit* Heading(QWidget* parent, int column) {
    auto* field = new QLineEdit(Text(EditorColumnHeadings[static_cast<std::size_t>(column)]), parent);
    field->setObjectName(QString("Edit%1").arg(column + 1));
    field->setReadOnly(true);
    field->setFrame(false);
    field->setFocusPolicy(Qt::NoFocus);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    field->setPalette(palette);
    const QFontMetrics fm(field->font());
    field->setMinimumWidth(fm.horizontalAdvance(field->text()) + 4);
    field->setTextMargins(0, 0, 0, 0);
    return field;
}

} // namespace

TStrategyForm::TStrategyForm(Game& game, QWidget* parent) : OptionFormWidget(parent), game_(game), editor_(game) {
    SetFormGround(this, "StrategyForm", "PLAYING STRATEGY");

    // RadioGroup1 frames the 35 hand-type buttons; they form one exclusive group, as on the original form
    // where they were all the form's own children.
    auto* select = new QGroupBox("SELECT WHEN TO:", this);
    select->setObjectName("RadioGroup1");
    auto* selectGrid = new QGridLayout(select);
    selectGrid->setVerticalSpacing(0);
    selectGrid->setHorizontalSpacing(2);
    selectGrid->setContentsMargins(4, 4, 4, 4);
    rows_ = new QButtonGroup(this);
    rows_->setExclusive(true);
    std::array<int, EditorColumnCount> filled{};
    for (int column = 0; column < EditorColumnCount; ++column) selectGrid->addWidget(Heading(select, column), 0, column);
    for (const EditorRow& row : EditorRows) {
        auto* button = new QRadioButton(Text(row.Caption), select);
        button->setObjectName(Text(row.Name));
        rows_->addButton(button, row.RowCode);
        const auto column = static_cast<std::size_t>(row.Column);
        selectGrid->addWidget(button, 1 + filled[column]++, row.Column);
    }
    selectGrid->setRowStretch(1 + *std::max_element(filled.begin(), filled.end()), 1);

    auto* upCard = new QGroupBox("DEALER'S UP CARD: ", this);
    upCard->setObjectName("GroupBox1");
    auto* upLayout = new QVBoxLayout(upCard);
    upLayout->setSpacing(0);
    upLayout->setContentsMargins(4, 4, 4, 4);
    for (int i = 0; i < UpCardBoxes; ++i) {
        auto* box = new QCheckBox(UpCardCaptions[static_cast<std::size_t>(i)], upCard);
        box->setObjectName(QString("CheckBox%1").arg(i + 2));
        upLayout->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this, i](bool ticked) { CheckBoxClick(i, ticked); });
        upCards_[static_cast<std::size_t>(i)] = box;
    }
    upLayout->addSpacing(6);
    checkBox1_ = new QCheckBox("NEVER", upCard);
    checkBox1_->setObjectName("CheckBox1");
    checkBox12_ = new QCheckBox("ALWAYS", upCard);
    checkBox12_->setObjectName("CheckBox12");
    // NEVER and ALWAYS sit indented under the up cards, as on the design.
    for (QCheckBox* box : {checkBox1_, checkBox12_}) {
        auto* indented = new QHBoxLayout;
        indented->addSpacing(24);
        indented->addWidget(box);
        upLayout->addLayout(indented);
    }
    upLayout->addStretch(1);

    saveButton_ = new QPushButton(ExitCaption, this);
    saveButton_->setObjectName("SaveButton");
    resetButton_ = new QPushButton("&Reset to Default", this);
    resetButton_->setObjectName("ResetButton");
    advancedButton_ = new QPushButton("&Set to Advanced", this);
    advancedButton_->setObjectName("AdvancedButton");
    exact_ = new TExactPanel(game_, this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {saveButton_, resetButton_, advancedButton_, exact_->BestButton()}) {
        b->setMinimumWidth(ButtonWidth);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);

    chart_ = new TStrategyChart(this);
    auto* chartTitle = new QLabel("The strategy on two cards", this);
    chartTitle->setObjectName("ChartTitle");
    chartTitle->setWordWrap(true); // never wider than the chart
    auto* chartViews = new TChartSwitch(chart_, game_.DrillRecorder, this, chartTitle);

    auto* editorRow = new QHBoxLayout;
    editorRow->setSpacing(4);
    editorRow->addWidget(select);
    editorRow->addWidget(upCard);
    auto* editorColumn = new QVBoxLayout;
    editorColumn->addLayout(editorRow);
    editorColumn->addLayout(buttons);
    editorColumn->addWidget(exact_->Line());
    if (QWidget* switchButtons = chartViews->Buttons()) {
        editorColumn->addWidget(switchButtons);
        switchButtons->show();
    }
    editorColumn->addStretch(1);
    auto* chartColumn = new QVBoxLayout;
    chartColumn->setSpacing(2);
    chartColumn->addWidget(chartTitle);
    chartColumn->addWidget(chartViews, 1);
    // The editor's text grows less than a form's: the room is better spent on the chart beside it.
    auto* form = new QHBoxLayout(MakeFormPage(this, EditorLargestScale));
    form->setContentsMargins(4, 4, 4, 4);
    form->setSpacing(4);
    form->addLayout(editorColumn, 0);
    form->addLayout(chartColumn, 1);

    connect(rows_, &QButtonGroup::idClicked, this, &TStrategyForm::RowButtonClick);
    connect(checkBox1_, &QCheckBox::clicked, this, &TStrategyForm::CheckBox1Click);
    connect(checkBox12_, &QCheckBox::clicked, this, &TStrategyForm::CheckBox12Click);
    connect(resetButton_, &QPushButton::clicked, this, &TStrategyForm::ResetButtonClick);
    connect(advancedButton_, &QPushButton::clicked, this, &TStrategyForm::AdvancedButtonClick);
    connect(saveButton_, &QPushButton::clicked, this, &TStrategyForm::SaveButtonClick);
    connect(exact_, &TExactPanel::BestTableWanted, this, &TStrategyForm::BestButtonClick);
    connect(exact_, &TExactPanel::FiguresShown, this, &TStrategyForm::ShowCellCosts);

    editor_.Open();
    rows_->button(editor_.SelectedRow())->setChecked(true);
    ShowBoxes();
    ShowEdited();
    RedrawChart();
}

QRadioButton* TStrategyForm::RowButton(int rowCode) const { return qobject_cast<QRadioButton*>(rows_->button(rowCode)); }

QCheckBox* TStrategyForm::UpCardBox(int upCard) const { return upCards_[static_cast<std::size_t>(upCard - 2)]; }

void TStrategyForm::ShowBoxes() {
    const RowBoxes& boxes = editor_.Boxes();
    checkBox1_->setChecked(boxes.Never);
    checkBox12_->setChecked(boxes.Always);
    for (int i = 0; i < UpCardBoxes; ++i)
        upCards_[static_cast<std::size_t>(i)]->setChecked(boxes.UpCards[static_cast<std::size_t>(i)]);
    // Every change to the table passes here: its exact figures are worked out again, aside.
    exact_->Recompute(editor_.EditedTable());
}

void TStrategyForm::ShowEdited() { saveButton_->setText(editor_.Edited() ? SaveExitCaption : ExitCaption); }

// The chart shows the boxes as they stand, before the editor stores them when the row is left, so every tick
// shows at once.
void TStrategyForm::RedrawChart() {
    StrategyTable shown = game_.Strategy;
    StoreRow(shown, editor_.SelectedRow(), editor_.Boxes());
    chart_->SetChart(BuildStrategyChart(shown, game_.Rules()));
    chart_->SetRulesLine(QString::fromStdString(ChartRulesText(game_.Rules())));
}

void TStrategyForm::RowButtonClick(int rowCode) {
    editor_.ChooseRow(rowCode);
    ShowBoxes();
    RedrawChart();
}

void TStrategyForm::CheckBox1Click(bool ticked) {
    editor_.ClickNever(ticked);
    ShowBoxes();
    ShowEdited();
    RedrawChart();
}

void TStrategyForm::CheckBox12Click(bool ticked) {
    editor_.ClickAlways(ticked);
    ShowBoxes();
    ShowEdited();
    RedrawChart();
}

void TStrategyForm::CheckBoxClick(int index, bool ticked) {
    editor_.ClickUpCard(index, ticked);
    ShowBoxes();
    ShowEdited();
    RedrawChart();
}

void TStrategyForm::ResetButtonClick() {
    editor_.ResetToDefault();
    ShowBoxes();
    ShowEdited();
    RedrawChart();
}

void TStrategyForm::AdvancedButtonClick() {
    editor_.SetToAdvanced();
    ShowBoxes();
    ShowEdited();
    RedrawChart();
}

void TStrategyForm::BestButtonClick(const StrategyTable& best) {
    editor_.LoadTable(best);
    ShowBoxes();
    ShowEdited();
    RedrawChart();
}

// Each cell's hover text: its play, and where it departs from the best table's, what that costs.
void TStrategyForm::ShowCellCosts() {
    const auto& figures = exact_->Figures();
    if (!figures) return;
    const StrategyChart mine = BuildStrategyChart(editor_.EditedTable(), game_.Rules());
    const StrategyChart best = BuildStrategyChart(figures->Best, game_.Rules());
    TStrategyChart::CellTips tips;
    for (std::size_t row = 0; row < tips.size(); ++row)
        for (std::size_t column = 0; column < tips[row].size(); ++column)
            tips[row][column] = QString::fromStdString(
                ChartCellCostText(mine[row][column], best[row][column], figures->Costs[row][column]));
    chart_->SetCellTips(tips);
}

void TStrategyForm::SaveButtonClick() {
    if (editor_.Edited()) game_.SaveOptionsOnReturn = true;
    game_.OptionsReturn = true;
}

void TStrategyForm::LeaveForm() {
    editor_.Leave();
    RedrawChart();
}

} // namespace zvx::gui
