#pragma once

#include <QWidget>

#include "drill/heat_map.h"

namespace zvx::gui {

// The player's record laid over the strategy chart: starting hands down, dealer up cards across, each cell
// coloured by how often the player missed the strategy's play there, with the counts on hover.
class TMistakeMap : public QWidget {
    Q_OBJECT

public:
    explicit TMistakeMap(QWidget* parent = nullptr);

    void SetHeatMap(const HeatMap& map);
    const HeatMap& Map() const { return map_; }
    // Where a cell is drawn, for a look at its colour.
    QRect CellRect(int row, int column) const;
    static QColor CellColour(const HeatCell& cell);

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
        int sectionGap;
    };
    Metrics Measure() const;
    int RowTop(const Metrics& m, int row) const;
    QFont TextFont(int unit) const;

    HeatMap map_{};
};

} // namespace zvx::gui
