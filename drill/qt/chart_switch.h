#pragma once

#include <QWidget>

class QLabel;
class QRadioButton;
class QStackedWidget;

namespace zvx {
class DrillKeeper;
}

namespace zvx::gui {

class TMistakeMap;

// The strategy chart with a switch to the player's mistakes over the same cells. The switch's buttons are a
// widget of their own, for the form to place where it has room. Without a record to show (no keeper) it is the
// chart alone and there are no buttons.
class TChartSwitch : public QWidget {
    Q_OBJECT

public:
    // `title`, when given, is the chart's caption, which the switch words for the view shown.
    TChartSwitch(QWidget* chart, const DrillKeeper* keeper, QWidget* parent = nullptr, QLabel* title = nullptr);

    // The buttons, parented to the switch until the form lays them out; null without a record.
    QWidget* Buttons() const { return buttons_; }
    QRadioButton* StrategyButton() const { return strategy_; }
    QRadioButton* MistakesButton() const { return mistakes_; }
    TMistakeMap* MistakeMap() const { return map_; }
    bool ShowingMistakes() const;

    // Takes the record afresh into the mistakes view.
    void Refresh();

private:
    const DrillKeeper* keeper_;
    QLabel* title_;
    QString strategyTitle_;
    QWidget* buttons_ = nullptr;
    QRadioButton* strategy_ = nullptr;
    QRadioButton* mistakes_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    TMistakeMap* map_ = nullptr;
};

} // namespace zvx::gui
