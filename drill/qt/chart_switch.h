#pragma once

#include <QWidget>

class QRadioButton;
class QStackedWidget;

namespace zvx {
class DrillKeeper;
}

namespace zvx::gui {

class TMistakeMap;

// The strategy chart with a switch to the player's mistakes over the same cells. Without a record to show
// (no keeper) it is the chart alone.
class TChartSwitch : public QWidget {
    Q_OBJECT

public:
    TChartSwitch(QWidget* chart, const DrillKeeper* keeper, QWidget* parent = nullptr);

    QRadioButton* StrategyButton() const { return strategy_; }
    QRadioButton* MistakesButton() const { return mistakes_; }
    TMistakeMap* MistakeMap() const { return map_; }
    bool ShowingMistakes() const;

    // Takes the record afresh into the mistakes view.
    void Refresh();

private:
    const DrillKeeper* keeper_;
    QRadioButton* strategy_ = nullptr;
    QRadioButton* mistakes_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    TMistakeMap* map_ = nullptr;
};

} // namespace zvx::gui
