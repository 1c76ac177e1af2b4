#include "drill/qt/mistake_map_view.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <array>

namespace zvx::gui {

namespace {

// Drawn in one unit, a row's height, like the strategy chart beside it, so the two line up when switched.
constexpr int MinimumUnit = 10;
constexpr int PreferredUnit = 18;
constexpr int MaximumTextPixels = 15;
constexpr int MinimumCellWidth = 9;
constexpr int LegendRows = 2;
constexpr int UnitsHigh = ChartRows + 1 + LegendRows + 2;

struct LegendEntry {
    HeatCell example;
    const char* text;
};
const std::array<LegendEntry, 4> Legend = {{{{1, 0, 0}, "No misses"},
                                            {{4, 1, 0}, "1 in 4 missed"},
                                            {{2, 1, 0}, "Half or more missed"},
                                            {{}, "Not played yet"}}};

QString UpCardCaption(int column) {
    const int up = ChartUpCard(column);
    return up == 11 ? QString("A") : QString::number(up);
}

} // namespace

TMistakeMap::TMistakeMap(QWidget* parent) : QWidget(parent) {
    setObjectName("MistakeMap");
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(true);
}

void TMistakeMap::SetHeatMap(const HeatMap& map) {
    map_ = map;
    update();
}

QColor TMistakeMap::CellColour(const HeatCell& cell) {
    const HeatColour c = HeatColourOf(cell);
    return {c.Red, c.Green, c.Blue};
}

QFont TMistakeMap::TextFont(int unit) const {
    QFont f = font();
    f.setPixelSize(std::clamp(unit - 2, 8, MaximumTextPixels));
    return f;
}

TMistakeMap::Metrics TMistakeMap::Measure() const {
    Metrics m{};
    m.unit = std::max(MinimumUnit, height() / UnitsHigh);
    m.labelWidth = QFontMetrics(TextFont(m.unit)).horizontalAdvance("Hard 17") + 6;
    m.sectionGap = std::max(3, m.unit / 3);
    m.cellWidth = std::clamp((width() - m.labelWidth) / ChartColumns, MinimumCellWidth, 2 * m.unit + 4);
    return m;
}

int TMistakeMap::RowTop(const Metrics& m, int row) const {
    const int gaps = row >= ChartHardRows + ChartSoftRows ? 2 : row >= ChartHardRows ? 1 : 0;
    return m.unit + row * m.unit + gaps * m.sectionGap;
}

QRect TMistakeMap::CellRect(int row, int column) const {
    const Metrics m = Measure();
    return {m.labelWidth + column * m.cellWidth, RowTop(m, row), m.cellWidth, m.unit};
}

QSize TMistakeMap::sizeHint() const {
    const int label = QFontMetrics(TextFont(PreferredUnit)).horizontalAdvance("Hard 17") + 6;
    return {label + ChartColumns * (2 * PreferredUnit), UnitsHigh * PreferredUnit};
}

QSize TMistakeMap::minimumSizeHint() const {
    const int label = QFontMetrics(TextFont(MinimumUnit)).horizontalAdvance("Hard 17") + 6;
    return {label + ChartColumns * MinimumCellWidth, UnitsHigh * MinimumUnit};
}

bool TMistakeMap::event(QEvent* e) {
    if (e->type() != QEvent::ToolTip) return QWidget::event(e);
    const QPoint at = static_cast<QHelpEvent*>(e)->pos();
    for (int row = 0; row < ChartRows; ++row)
        for (int column = 0; column < ChartColumns; ++column) {
            if (!CellRect(row, column).contains(at)) continue;
            const HeatCell& cell = map_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            const auto text = HeatCellText(ChartHands()[static_cast<std::size_t>(row)], ChartUpCard(column), cell);
            QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), QString::fromStdString(text), this);
            return true;
        }
    QToolTip::hideText();
    e->ignore();
    return true;
}

void TMistakeMap::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const Metrics m = Measure();
    const QFont text = TextFont(m.unit);
    QFont cellFont = text;
    cellFont.setPixelSize(std::max(7, text.pixelSize() - 2));
    const QFontMetrics cellMetrics(cellFont);
    p.setFont(text);
    const QColor ink = palette().color(QPalette::WindowText);

    p.setPen(ink);
    p.drawText(QRect(0, 0, m.labelWidth, m.unit), Qt::AlignLeft | Qt::AlignVCenter, "Dealer:");
    for (int column = 0; column < ChartColumns; ++column)
        p.drawText(QRect(m.labelWidth + column * m.cellWidth, 0, m.cellWidth, m.unit), Qt::AlignCenter,
                   UpCardCaption(column));

    const auto& hands = ChartHands();
    for (int row = 0; row < ChartRows; ++row) {
        const int top = RowTop(m, row);
        p.setFont(text);
        p.setPen(ink);
        p.drawText(QRect(0, top, m.labelWidth - 4, m.unit), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromStdString(hands[static_cast<std::size_t>(row)].Label));
        p.setFont(cellFont);
        for (int column = 0; column < ChartColumns; ++column) {
            const HeatCell& cell = map_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            const QRect r(m.labelWidth + column * m.cellWidth, top, m.cellWidth, m.unit);
            p.fillRect(r, CellColour(cell));
            p.setPen(QColor(60, 60, 60));
            p.drawRect(r.adjusted(0, 0, -1, -1));
            // The misses are written in the cell when they fit in it.
            const QString counts = QString("%1/%2").arg(cell.Missed).arg(cell.Judged);
            if (cell.Missed > 0 && cellMetrics.horizontalAdvance(counts) + 4 <= m.cellWidth) {
                p.setPen(Qt::black);
                p.drawText(r, Qt::AlignCenter, counts);
            }
        }
    }

    p.setFont(text);
    const QFontMetrics fm(text);
    const int gridRight = m.labelWidth + ChartColumns * m.cellWidth;
    const int swatch = std::max(8, m.unit - 4);
    int x = 0;
    int y = RowTop(m, ChartRows) + m.sectionGap;
    for (const LegendEntry& e : Legend) {
        const int entryWidth = swatch + 4 + fm.horizontalAdvance(e.text) + m.unit;
        if (x > 0 && x + entryWidth > std::max(gridRight, width() / 2)) {
            x = 0;
            y += m.unit;
        }
        const QRect box(x, y + (m.unit - swatch) / 2, swatch, swatch);
        p.fillRect(box, CellColour(e.example));
        p.setPen(QColor(60, 60, 60));
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.setPen(ink);
        p.drawText(QRect(x + swatch + 4, y, entryWidth, m.unit), Qt::AlignLeft | Qt::AlignVCenter, e.text);
        x += entryWidth;
    }
}

} // namespace zvx::gui
