#include "drill/qt/chart_switch.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "drill/drill_keeper.h"
#include "drill/qt/mistake_map_view.h"

namespace zvx::gui {

TChartSwitch::TChartSwitch(QWidget* chart, const DrillKeeper* keeper, QWidget* parent)
    : QWidget(parent), keeper_(keeper) {
    setObjectName("ChartSwitch");
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    stack_ = new QStackedWidget(this);
    stack_->addWidget(chart);
    if (keeper_ != nullptr) {
        auto* row = new QHBoxLayout;
        strategy_ = new QRadioButton("St&rategy", this);
        strategy_->setObjectName("ChartStrategyView");
        strategy_->setToolTip("The play the game makes on each starting hand");
        mistakes_ = new QRadioButton("My &Mistakes", this);
        mistakes_->setObjectName("ChartMistakesView");
        mistakes_->setToolTip("How often you missed the strategy's play on each starting hand");
        auto* group = new QButtonGroup(this);
        group->addButton(strategy_);
        group->addButton(mistakes_);
        strategy_->setChecked(true);
        row->addWidget(strategy_);
        row->addWidget(mistakes_);
        row->addStretch(1);
        column->addLayout(row);
        map_ = new TMistakeMap(stack_);
        stack_->addWidget(map_);
        connect(mistakes_, &QRadioButton::toggled, this, [this](bool on) {
            if (on) Refresh();
            stack_->setCurrentIndex(on ? 1 : 0);
        });
    }
    column->addWidget(stack_, 1);
}

bool TChartSwitch::ShowingMistakes() const { return stack_->currentIndex() == 1; }

void TChartSwitch::Refresh() {
    if (keeper_ != nullptr && map_ != nullptr) map_->SetHeatMap(BuildHeatMap(keeper_->Record()));
}

} // namespace zvx::gui
