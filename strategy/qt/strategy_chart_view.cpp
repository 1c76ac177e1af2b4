#include "strategy/qt/strategy_chart_view.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <vector>

namespace zvx::gui {

namespace {

// The chart is drawn in one unit, a row's height, so it scales as a whole with the window: the text takes the
// row's height less a little, the cells are at most about twice as wide as high.
constexpr int MinimumUnit = 10;
constexpr int SmallestUnit = 8; // a chart at its minimum height whose legend wraps onto more lines
constexpr int PreferredUnit = 18;
constexpr int MaximumTextPixels = 15;
constexpr int LeastCellWidth = 9;
constexpr int LegendRows = 2; // the legend wraps to two lines when the chart is narrow
constexpr int SectionGaps = 2; // between hard and soft totals, and between soft totals and pairs
constexpr int RulesRows = 1; // the rules line wraps onto more lines when the chart is narrow
// Rows of units: the cells, the heading, the two legend lines, the rules line, and one for the three gaps
// (each a third of a unit, or 3 pixels in the smallest chart).
constexpr int UnitsHigh = ChartRows + 1 + LegendRows + RulesRows + 1;
constexpr int CaptionGap = 2; // between the up-card captions of the heading, so "10" never runs into "9"
constexpr int RulesFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

struct LegendEntry {
    Action action;
    const char* letter;
    const char* name;
};
constexpr std::array<LegendEntry, 5> Legend = {{{Stand, "S", "Stand"},
                                                {Hit, "H", "Hit"},
                                                {DoubleDown, "D", "Double"},
                                                {Split, "P", "Split"},
                                                {Surrender, "R", "Surrender"}}};

const char* LetterFor(Action action) {
    for (const LegendEntry& e : Legend)
        if (e.action == action) return e.letter;
    return "";
}

QString UpCardCaption(int column) {
    const int up = ChartUpCard(column);
    return up == 11 ? QString("A") : QString::number(up);
}

int SectionOf(int row) { return row < ChartHardRows ? 0 : row < ChartHardRows + ChartSoftRows ? 1 : 2; }

} // namespace

TStrategyChart::TStrategyChart(QWidget* parent) : QWidget(parent) {
    setObjectName("StrategyChart");
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setToolTip("What the game does on a hand's first two cards, under the casino rules in force");
}

void TStrategyChart::SetChart(const StrategyChart& chart) {
    if (chart == chart_) return;
    chart_ = chart;
    update();
}

void TStrategyChart::SetRulesLine(const QString& text) {
    if (text == rulesLine_) return;
    rulesLine_ = text;
    updateGeometry(); // a longer line may need more lines
    setToolTip(QString("What the game does on a hand's first two cards. %1.").arg(text));
    update();
}

QRect TStrategyChart::RulesLineRect() const {
    const Metrics m = Measure();
    return {0, m.rulesTop, width(), m.rulesLines * m.unit};
}

QFont TStrategyChart::CaptionFont() const { return TextFont(Measure().unit); }

QColor TStrategyChart::ActionColour(Action action) {
    switch (action) {
    case Stand: return {240, 200, 70};
    case Hit: return {130, 205, 120};
    case DoubleDown: return {100, 165, 235};
    case Split: return {200, 140, 225};
    case Surrender: return {235, 115, 105};
    default: return Qt::white;
    }
}

QFont TStrategyChart::TextFont(int unit) const {
    QFont f = font();
    f.setPixelSize(std::clamp(unit - 2, 8, MaximumTextPixels));
    return f;
}

int TStrategyChart::LabelWidth(int unit) const {
    return QFontMetrics(TextFont(unit)).horizontalAdvance("Hard 17") + 6;
}

int TStrategyChart::MinimumCellWidth(int unit) const {
    return std::max(LeastCellWidth, QFontMetrics(TextFont(unit)).horizontalAdvance("10") + CaptionGap);
}

int TStrategyChart::RulesLines(int unit, int width) const {
    if (rulesLine_.isEmpty() || width <= 0) return RulesRows;
    const QRect needed = QFontMetrics(TextFont(unit)).boundingRect(QRect(0, 0, width, 0), RulesFlags, rulesLine_);
    return std::max(RulesRows, (needed.height() + unit - 1) / unit);
}

// The unit is the largest that leaves room for the legend's lines and the rules lines below the cells; a narrow
// chart wraps its legend and its rules onto more lines, and so takes a smaller unit.
TStrategyChart::Metrics TStrategyChart::Measure() const {
    Metrics m{};
    constexpr int MostLines = static_cast<int>(Legend.size()) + 6;
    for (int lines = LegendRows + RulesRows;; ++lines) {
        m.unit = std::max(SmallestUnit, height() / (UnitsHigh - LegendRows - RulesRows + lines));
        // No larger than lets the heading's captions stand apart across the chart's width.
        while (m.unit > SmallestUnit && LabelWidth(m.unit) + ChartColumns * MinimumCellWidth(m.unit) > width()) --m.unit;
        m.legendLines = LegendPlaces(m.unit).back().y() / m.unit + 1;
        m.rulesLines = RulesLines(m.unit, width());
        if (m.legendLines + m.rulesLines <= lines || m.unit == SmallestUnit || lines == MostLines) break;
    }
    m.labelWidth = LabelWidth(m.unit);
    m.headerHeight = m.unit;
    m.sectionGap = std::max(3, m.unit / 3);
    m.cellHeight = m.unit;
    // Cells no wider than about twice their height, so a wide window does not stretch them into bars.
    m.cellWidth = std::max(MinimumCellWidth(m.unit), std::min((width() - m.labelWidth) / ChartColumns, 2 * m.unit + 4));
    m.legendTop = RowTop(m, ChartRows) + m.sectionGap;
    m.rulesTop = m.legendTop + m.legendLines * m.unit;
    return m;
}

// Where each legend entry starts, relative to the legend's top left: entries run left to right and wrap when
// the chart is too narrow for the next.
std::vector<QPoint> TStrategyChart::LegendPlaces(int unit) const {
    const QFontMetrics fm(TextFont(unit));
    const int swatchSize = std::max(8, unit - 4);
    std::vector<QPoint> places;
    int x = 0;
    int y = 0;
    for (const LegendEntry& e : Legend) {
        const int entryWidth = swatchSize + 4 + fm.horizontalAdvance(QString("%1 %2").arg(e.letter, e.name)) + unit;
        if (x > 0 && x + entryWidth > width()) {
            x = 0;
            y += unit;
        }
        places.emplace_back(x, y);
        x += entryWidth;
    }
    return places;
}

int TStrategyChart::RowTop(const Metrics& m, int row) const {
    const int gaps = row >= ChartHardRows + ChartSoftRows ? 2 : row >= ChartHardRows ? 1 : 0;
    return m.headerHeight + row * m.cellHeight + gaps * m.sectionGap;
}

QRect TStrategyChart::CellRect(int row, int column) const {
    const Metrics m = Measure();
    return {m.labelWidth + column * m.cellWidth, RowTop(m, row), m.cellWidth, m.cellHeight};
}

QSize TStrategyChart::sizeHint() const {
    return {LabelWidth(PreferredUnit) + ChartColumns * (2 * PreferredUnit), UnitsHigh * PreferredUnit};
}

QSize TStrategyChart::minimumSizeHint() const {
    const int least = LabelWidth(MinimumUnit) + ChartColumns * MinimumCellWidth(MinimumUnit);
    return {least, (UnitsHigh - RulesRows + RulesLines(MinimumUnit, least)) * MinimumUnit};
}

void TStrategyChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const Metrics m = Measure();
    const QFont text = TextFont(m.unit);
    QFont cellFont = text;
    cellFont.setPixelSize(std::max(7, text.pixelSize() - 1));
    p.setFont(text);
    const int gridRight = m.labelWidth + ChartColumns * m.cellWidth;

    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(0, 0, m.labelWidth, m.headerHeight), Qt::AlignLeft | Qt::AlignVCenter, "Dealer:");
    for (int column = 0; column < ChartColumns; ++column)
        p.drawText(QRect(m.labelWidth + column * m.cellWidth, 0, m.cellWidth, m.headerHeight), Qt::AlignCenter,
                   UpCardCaption(column));

    const auto& hands = ChartHands();
    for (int row = 0; row < ChartRows; ++row) {
        const int top = RowTop(m, row);
        p.setFont(text);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(0, top, m.labelWidth - 4, m.cellHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromStdString(hands[static_cast<std::size_t>(row)].Label));
        p.setFont(cellFont);
        for (int column = 0; column < ChartColumns; ++column) {
            const Action action = chart_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            const QRect cell(m.labelWidth + column * m.cellWidth, top, m.cellWidth, m.cellHeight);
            p.fillRect(cell, ActionColour(action));
            p.setPen(QColor(60, 60, 60));
            p.drawRect(cell.adjusted(0, 0, -1, -1));
            p.setPen(Qt::black);
            p.drawText(cell, Qt::AlignCenter, LetterFor(action));
        }
        // A heavier line where hard totals give way to soft ones, and soft ones to pairs.
        if (row + 1 < ChartRows && SectionOf(row + 1) != SectionOf(row)) {
            p.setPen(palette().color(QPalette::Mid));
            const int y = top + m.cellHeight + m.sectionGap / 2;
            p.drawLine(0, y, gridRight, y);
        }
    }

    p.setFont(text);
    const int swatchSize = std::max(8, m.unit - 4);
    const std::vector<QPoint> places = LegendPlaces(m.unit);
    for (std::size_t i = 0; i < Legend.size(); ++i) {
        const LegendEntry& e = Legend[i];
        const int x = places[i].x();
        const int y = m.legendTop + places[i].y();
        const QRect swatch(x, y + (m.unit - swatchSize) / 2, swatchSize, swatchSize);
        p.fillRect(swatch, ActionColour(e.action));
        p.setPen(QColor(60, 60, 60));
        p.drawRect(swatch.adjusted(0, 0, -1, -1));
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(x + swatchSize + 4, y, width() - x, m.unit), Qt::AlignLeft | Qt::AlignVCenter,
                   QString("%1 %2").arg(e.letter, e.name));
    }

    // The rules line, wrapped onto as many lines as a narrow chart needs.
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(RulesLineRect(), RulesFlags, rulesLine_);
}

QString TStrategyChart::CellTip(int row, int column) const {
    return tips_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

bool TStrategyChart::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const QPoint at = static_cast<QHelpEvent*>(event)->pos();
    for (int row = 0; row < ChartRows; ++row)
        for (int column = 0; column < ChartColumns; ++column)
            if (CellRect(row, column).contains(at) && !CellTip(row, column).isEmpty()) {
                QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), CellTip(row, column), this,
                                   CellRect(row, column));
                return true;
            }
    QToolTip::hideText();
    event->ignore();
    return true;
}

} // namespace zvx::gui
