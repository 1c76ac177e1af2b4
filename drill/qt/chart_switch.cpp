#include "drill/qt/chart_switch.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "drill/drill_keeper.h"
#include "drill/qt/mistake_map_view.h"

namespace zvx::gui {

namespace {

constexpr char MistakesTitle[] = "Your mistakes on two cards";

} // namespace

TChartSwitch::TChartSwitch(QWidget* chart, const DrillKeeper* keeper, QWidget* parent, QLabel* title)
    : QWidget(parent), keeper_(keeper), title_(title), strategyTitle_(title ? title->text() : QString()) {
    setObjectName("ChartSwitch");
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    stack_ = new QStackedWidget(this);
    stack_->addWidget(chart);
    column->addWidget(stack_, 1);
    if (keeper_ != nullptr) {
        buttons_ = new QWidget(this);
        buttons_->setObjectName("ChartViewButtons");
        buttons_->hide(); // shown once the form places it
        auto* row = new QHBoxLayout(buttons_);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(new QLabel("The chart shows:", buttons_));
        strategy_ = new QRadioButton("St&rategy", buttons_);
        strategy_->setObjectName("ChartStrategyView");
        strategy_->setToolTip("The play the game makes on each starting hand");
        mistakes_ = new QRadioButton("My &Mistakes", buttons_);
        mistakes_->setObjectName("ChartMistakesView");
        mistakes_->setToolTip("How often you missed the strategy's play on each starting hand");
        auto* group = new QButtonGroup(this);
        group->addButton(strategy_);
        group->addButton(mistakes_);
        strategy_->setChecked(true);
        row->addWidget(strategy_);
        row->addWidget(mistakes_);
        row->addStretch(1);
        map_ = new TMistakeMap(stack_);
        stack_->addWidget(map_);
        connect(mistakes_, &QRadioButton::toggled, this, [this](bool on) {
            if (on) Refresh();
            stack_->setCurrentIndex(on ? 1 : 0);
            if (title_) title_->setText(on ? QString(MistakesTitle) : strategyTitle_);
        });
    }
}

bool TChartSwitch::ShowingMistakes() const { return stack_->currentIndex() == 1; }

void TChartSwitch::Refresh() {
    if (keeper_ != nullptr && map_ != nullptr) map_->SetHeatMap(BuildHeatMap(keeper_->Record()));
}

} // namespace zvx::gui
