#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <array>

#include <vector>

#include "strategy/strategy_chart.h"

namespace zvx::gui {

// The whole live strategy as a player's chart: starting hands down, dealer up cards across, one coloured cell
// per play, with a legend. Read-only; the strategy editor hands it a new chart whenever the table changes.
class TStrategyChart : public QWidget {
    Q_OBJECT

public:
    explicit TStrategyChart(QWidget* parent = nullptr);

    void SetChart(const StrategyChart& chart);
    const StrategyChart& Chart() const { return chart_; }
    // Texts shown when the mouse rests on a cell (what the cell's play costs); empty ones show nothing.
    using CellTips = std::array<std::array<QString, ChartColumns>, ChartRows>;
    void SetCellTips(const CellTips& tips) { tips_ = tips; }
    QString CellTip(int row, int column) const;
    // The line under the legend naming the rules the chart was drawn for.
    void SetRulesLine(const QString& text);
    const QString& RulesLine() const { return rulesLine_; }
    QRect RulesLineRect() const;
    // The font of the up-card captions and the hands' names.
    QFont CaptionFont() const;
    // Where a cell is drawn, for a look at its colour.
    QRect CellRect(int row, int column) const;
    static QColor ActionColour(Action action);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Metrics {
        int unit;
        int labelWidth;
        int cellWidth;
        int cellHeight;
        int headerHeight;
        int sectionGap;
        int legendTop;
        int rulesTop;
        int legendLines;
        int rulesLines;
    };
    Metrics Measure() const;
    QFont TextFont(int unit) const;
    int LabelWidth(int unit) const;
    int MinimumCellWidth(int unit) const;
    int RulesLines(int unit, int width) const;
    int RowTop(const Metrics& m, int row) const;
    std::vector<QPoint> LegendPlaces(int unit) const;

    StrategyChart chart_{};
    CellTips tips_{};
    QString rulesLine_;
};

} // namespace zvx::gui
