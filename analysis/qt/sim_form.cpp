#include "analysis/qt/sim_form.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zvx::gui {

namespace {

const QColor Teal(0, 128, 128);
const QColor FixedCell(212, 208, 200);
const QColor Highlight(0, 0, 128);
constexpr int HeadingRowHeight = 22;
constexpr int RowHeight = 18;

bool InBand(const ScreenGrid& g, int column, int row) {
    return g.HighlightLastRow > 0 && row >= g.HighlightFirstRow && row <= g.HighlightLastRow &&
           column >= g.HighlightFirstColumn && column <= g.HighlightLastColumn;
}

} // namespace

TSimForm::TSimForm(Game& game, QWidget* parent) : QWidget(parent), game_(game) {
    setObjectName("SimForm");
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Teal);
    setPalette(palette);

    title_ = new QLabel(this);
    title_->setObjectName("Title");
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    title_->setFont(titleFont);
    title_->setStyleSheet("color: white;");
    title_->setAlignment(Qt::AlignCenter);

    grid_ = new QTableWidget(GridRows, GridColumns, this);
    grid_->setObjectName("SimGrid");
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    // The edge column is two pixels wide; the style's minimum section would widen it.
    grid_->horizontalHeader()->setMinimumSectionSize(0);
    grid_->verticalHeader()->setMinimumSectionSize(0);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setFocusPolicy(Qt::NoFocus);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setWordWrap(false);
    grid_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    grid_->viewport()->installEventFilter(this);
    grid_->viewport()->setCursor(Qt::PointingHandCursor);
    for (int row = 0; row < GridRows; ++row) {
        grid_->setRowHeight(row, row == 0 ? HeadingRowHeight : RowHeight);
        for (int column = 0; column < GridColumns; ++column) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled);
            grid_->setItem(row, column, item);
        }
    }

    edit1_ = new QLineEdit(QString::fromLatin1(ScreenCycleHint), this);
    edit1_->setObjectName("Edit1");
    edit1_->setReadOnly(true);
    edit1_->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->setSpacing(2);
    layout->addWidget(title_);
    layout->addWidget(grid_, 1);
    layout->addWidget(edit1_);

    button1_ = new QPushButton(this);
    button1_->setObjectName("Button1");
    button1_->setToolTip("Analyse strategy #4 alone, at full speed");
    button1_->setGeometry(0, 0, 8, 22);
    button1_->raise();
    connect(button1_, &QPushButton::clicked, this, &TSimForm::Button1Click);
    installEventFilter(this);
    title_->installEventFilter(this);
}

void TSimForm::Open() {
    screens_.Open(game_);
    game_.AnalysisWindowOpen = true;
    dirty_ = true;
    Redraw();
    ShowGrid();
}

void TSimForm::Close() { screens_.Close(game_); }

void TSimForm::Refresh(int clockSecond) {
    if (screens_.Refresh(game_, clockSecond)) dirty_ = true;
}

void TSimForm::Redraw() {
    screens_.Redraw(game_);
    dirty_ = true;
}

void TSimForm::GameFileNamed() {
    screens_.RelabelPending = true;
    Redraw();
    ShowGrid();
}

QString TSimForm::CellText(int column, int row) const { return grid_->item(row, column)->text(); }

void TSimForm::ShowGrid() {
    if (!dirty_) return;
    dirty_ = false;
    const ScreenGrid& g = screens_.Grid;
    const QString title = QString::fromStdString(g.Title);
    if (windowTitle() != title) {
        setWindowTitle(title);
        title_->setText(title);
    }
    for (int row = 0; row < GridRows; ++row)
        for (int column = 0; column < GridColumns; ++column) {
            QTableWidgetItem* item = grid_->item(row, column);
            const QString text = QString::fromStdString(g.Cell(column, row));
            if (item->text() != text) item->setText(text);
            const bool fixed = row == 0 || column < 2;
            const bool band = InBand(g, column, row);
            const QColor background = band ? Highlight : fixed ? FixedCell : QColor(Qt::white);
            if (item->background().color() != background) {
                item->setBackground(background);
                item->setForeground(band ? QColor(Qt::white) : QColor(Qt::black));
            }
        }
    ApplyColumnWidths();
    button1_->setVisible(screens_.ControlsVisible);
    edit1_->setVisible(screens_.ControlsVisible);
}

// The grid's design widths, stretched evenly when the window is wider than the design, so a maximised
// window reads as well as the design size. Columns of a pixel or less are the hidden strategies.
void TSimForm::ApplyColumnWidths() {
    const auto& widths = screens_.Grid.ColumnWidths;
    int total = 0;
    for (int w : widths) total += w > 1 ? w : 0;
    const int available = grid_->viewport()->width();
    const double stretch = total > 0 && available > total ? static_cast<double>(available) / total : 1.0;
    const QFontMetrics metrics(grid_->font());
    for (int column = 0; column < GridColumns; ++column) {
        const int w = widths[static_cast<std::size_t>(column)];
        grid_->setColumnHidden(column, w <= 1);
        if (w <= 1) continue;
        // A label wider than its column in this font gets the room it needs rather than an ellipsis.
        int widest = 0;
        for (int row = 1; row < GridRows; ++row)
            widest = std::max(widest, metrics.horizontalAdvance(grid_->item(row, column)->text()));
        grid_->setColumnWidth(column, std::max(static_cast<int>(w * stretch), widest + 8));
    }
}

void TSimForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitGrid();
}

// Rows and columns share out a window larger than the design size, so the grid fills it.
void TSimForm::FitGrid() {
    ApplyColumnWidths();
    const int rowsHeight = grid_->viewport()->height();
    const int extra = rowsHeight - HeadingRowHeight - (GridRows - 1) * RowHeight;
    const int rowHeight = RowHeight + std::max(0, extra / (GridRows - 1));
    for (int row = 1; row < GridRows; ++row) grid_->setRowHeight(row, rowHeight);
}

bool TSimForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_->viewport() && event->type() == QEvent::Resize) FitGrid();
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && watched != button1_) {
            FormClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TSimForm::FormClick() {
    screens_.FormClick(game_);
    dirty_ = true;
    ShowGrid();
}

void TSimForm::Button1Click() {
    screens_.Button1Click(game_);
    dirty_ = true;
    ShowGrid();
}

} // namespace zvx::gui
