#include "analysis/qt/sim_form.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

#include "analysis/advantage_error.h"
#include "analysis/analysis_run.h"
#include "analysis/generator_choice.h"
#include "analysis/risk_screen.h"
#include "analysis/run_notes.h"
#include "exact/exact_texts.h"

namespace zvx::gui {

namespace {

const QColor Teal(0, 128, 128);
const QColor FixedCell(212, 208, 200);
const QColor Highlight(0, 0, 128);
constexpr int HeadingRowHeight = 22;
constexpr int RowHeight = 18;
constexpr int FirstStrategyColumn = 3;
// The design size of the window: its text grows with the room beyond it, a little less than in proportion so the
// longer cells still fit, and up to a limit.
constexpr int DesignWidth = 644;
constexpr int DesignHeight = 461;
constexpr double TextRoomFilled = 0.85;
constexpr double LargestTextScale = 2.5;
constexpr double TextScaleStep = 0.05;
constexpr int CellMargins = 8; // a cell's text and the room the grid leaves around it

// A read-only string grid without headers or scroll bars, in the fixed font, whose clicks go to the window.
QTableWidget* MakeGrid(QWidget* parent, const char* name, int rows) {
    auto* grid = new QTableWidget(rows, GridColumns, parent);
    grid->setObjectName(name);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    // The edge column is two pixels wide; the style's minimum section would widen it.
    grid->horizontalHeader()->setMinimumSectionSize(0);
    grid->verticalHeader()->setMinimumSectionSize(0);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setWordWrap(false);
    grid->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    grid->viewport()->setCursor(Qt::PointingHandCursor);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < GridColumns; ++column) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled);
            grid->setItem(row, column, item);
        }
    return grid;
}

QLabel* NoteLine(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setStyleSheet("color: white;");
    label->setWordWrap(true);
    label->setContentsMargins(6, 0, 6, 0);
    return label;
}

// The width a column's texts need in the grid and the error line under it, in the given fonts, with a cell's
// margins; 0 for an empty column. The heading counts when asked: grown text can outgrow the design width that
// holds it at the design size. An error text that runs on over the columns beside it (a span) is left out.
int ColumnTextWidth(const QTableWidget& grid, const QTableWidget& errors, int column, const QFontMetrics& gridText,
                    const QFontMetrics& errorText, bool heading = true) {
    int widest = 0;
    for (int row = heading ? 0 : 1; row < grid.rowCount(); ++row)
        widest = std::max(widest, gridText.horizontalAdvance(grid.item(row, column)->text()));
    if (errors.columnSpan(0, column) == 1)
        widest = std::max(widest, errorText.horizontalAdvance(errors.item(0, column)->text()));
    return widest > 0 ? widest + CellMargins : 0;
}

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

    grid_ = MakeGrid(this, "SimGrid", GridRows);
    grid_->viewport()->installEventFilter(this);
    for (int row = 0; row < GridRows; ++row) grid_->setRowHeight(row, row == 0 ? HeadingRowHeight : RowHeight);

    // Under the grid, in its columns: each strategy's standard error and 95 % interval.
    errors_ = MakeGrid(this, "ErrorGrid", 1);
    errors_->viewport()->installEventFilter(this);
    errors_->setRowHeight(0, RowHeight);
    errors_->setFixedHeight(RowHeight + 2 * errors_->frameWidth());
    // In a window too narrow for the texts at their smallest the grid scrolls sideways, the error line with it.
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, errors_->horizontalScrollBar(),
            &QScrollBar::setValue);
    hours_ = NoteLine(this, "HoursLine");
    rules_ = NoteLine(this, "RulesLine");
    hours_->setWordWrap(false);
    exact_ = NoteLine(this, "ExactLine");
    riskNotes_ = NoteLine(this, "RiskNotes");
    riskNotes_->hide();
    exactPoll_ = new QTimer(this);
    exactPoll_->setInterval(100);
    connect(exactPoll_, &QTimer::timeout, this, &TSimForm::PollExact);

    edit1_ = new QLineEdit(QString::fromLatin1(ScreenCycleHint), this);
    edit1_->setObjectName("Edit1");
    edit1_->setReadOnly(true);
    edit1_->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->setSpacing(2);
    layout->addWidget(title_);
    layout->addWidget(grid_, 1);
    layout->addWidget(errors_);
    layout->addWidget(riskNotes_);
    auto* notes = new QHBoxLayout;
    notes->setSpacing(12);
    notes->addWidget(hours_, 0, Qt::AlignTop);
    notes->addWidget(rules_, 1);
    layout->addLayout(notes);
    layout->addWidget(exact_);
    layout->addWidget(edit1_);

    button1_ = new QPushButton(this);
    button1_->setObjectName("Button1");
    button1_->setToolTip("Analyse strategy #4 alone, at full speed");
    // It has no caption to show focus on: Tab must not land on it.
    button1_->setFocusPolicy(Qt::NoFocus);
    button1_->setGeometry(0, 0, 8, 22);
    // A place to click, not a control to look at: it draws nothing over the window's corner, and the pointer and
    // its tip say it is there.
    button1_->setFlat(true);
    button1_->setStyleSheet("QPushButton { background: transparent; border: none; }");
    button1_->setCursor(Qt::PointingHandCursor);
    button1_->raise();
    connect(button1_, &QPushButton::clicked, this, &TSimForm::Button1Click);
    installEventFilter(this);
    title_->installEventFilter(this);
    for (QWidget* text : std::initializer_list<QWidget*>{title_, grid_, errors_, riskNotes_, hours_, rules_, exact_, edit1_})
        baseFonts_.emplace_back(text, text->font());
    // The window takes the keys that change the screen.
    setFocusPolicy(Qt::StrongFocus);
}

void TSimForm::Open() {
    screens_.Open(game_);
    game_.AnalysisWindowOpen = true;
    dirty_ = true;
    squaresKnown_ = true;
    Redraw();
    ShowGrid();
    setFocus();
    // The exact figure depends only on the rules and the strategy: worked out aside once for each pair.
    const auto asked = std::make_pair(game_.Rules(), game_.Strategy);
    if (exactAsked_ != asked) {
        exactAsked_ = asked;
        exactAdvantage_.reset();
        exactWork_.Start(asked.first, asked.second, false);
        exactPoll_->start();
    }
    ShowExact();
}

void TSimForm::PollExact() {
    const auto figures = exactWork_.Take();
    if (!figures) return;
    exactPoll_->stop();
    exactAdvantage_ = figures->Edge / figures->Stakes;
    ShowExact();
}

void TSimForm::ShowExact() {
    const PlayStats& first = game_.Hands[1].Stats;
    QString text = ExactWorkingText;
    if (exactAdvantage_ && first.TotalBet > 0)
        text = QString::fromStdString(ExactBesideSimulatedText(*exactAdvantage_, 100 * first.TotalWon / first.TotalBet)) +
               "\n" + QString::fromStdString(ExactDifferenceText(game_.Rules().PlayTwoHands));
    else if (exactAdvantage_)
        text = QString::fromStdString(ExactAloneText(*exactAdvantage_) + "\n" +
                                      ExactDifferenceText(game_.Rules().PlayTwoHands));
    if (exact_->text() != text) exact_->setText(text);
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

void TSimForm::GameFileLoaded() {
    AdoptLoadedRules(game_);
    squaresKnown_ = false;
    GameFileNamed();
}

QString TSimForm::CellText(int column, int row) const { return grid_->item(row, column)->text(); }

void TSimForm::ShowGrid() {
    if (!dirty_) return;
    dirty_ = false;
    if (riskView_) riskGrid_ = RiskScreen(game_, RiskViewBankroll(game_));
    const ScreenGrid& g = ShownGrid();
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
    ShowNotes();
    FitGrid(); // longer texts may need a smaller text
    button1_->setVisible(screens_.ControlsVisible);
    edit1_->setVisible(screens_.ControlsVisible);
}

std::vector<ScreenLine> TSimForm::ErrorLines() const {
    return AdvantageErrorLines(game_, squaresKnown_, game_.LongRandomStart || game_.KeysDrawn < ClassicCycleKeys);
}

void TSimForm::ShowNotes() {
    // The risk view has the advantage's error in its own grid: the line would say it twice.
    errors_->setVisible(!riskView_);
    riskNotes_->setVisible(riskView_);
    if (riskView_ && riskNotes_->text().isEmpty()) {
        QStringList notes;
        for (const std::string& note : RiskNotes()) notes << QString::fromStdString(note);
        riskNotes_->setText(notes.join('\n'));
    }
    const bool reliable = game_.LongRandomStart || game_.KeysDrawn < ClassicCycleKeys;
    // Each cell holds a strategy's error and its interval, which the command line prints on two lines.
    const ScreenLine errors = AdvantageErrorLine(game_, squaresKnown_, reliable);
    for (int column = 0; column < GridColumns; ++column) {
        QTableWidgetItem* item = errors_->item(0, column);
        const QString text = QString::fromStdString(errors[static_cast<std::size_t>(column)]);
        if (item->text() != text) item->setText(text);
        if (column < FirstStrategyColumn) item->setBackground(FixedCell);
    }
    // The text that says why there is no error runs on over the empty columns beside it.
    const int span = squaresKnown_ ? 1 : GridColumns - FirstStrategyColumn;
    if (errors_->columnSpan(0, FirstStrategyColumn) != span) {
        if (span > 1) errors_->setSpan(0, FirstStrategyColumn, 1, span);
        else errors_->clearSpans();
    }
    const QString hours = QString::fromStdString(HoursPlayedText(game_.HoursPlayed));
    if (hours_->text() != hours) hours_->setText(hours);
    const QString rules = QString::fromStdString(RulesInForceText(game_.Rules()));
    if (rules_->text() != rules) rules_->setText(rules);
    ShowExact();
}

// The grid's design widths, each widened to its widest text, then fitted to the window: spare room is shared
// out in proportion to the design widths, so a maximised window reads as well as the design size; a window
// narrower than that takes its room from the strategy columns, down to their text. The last shown column takes
// what rounding leaves, so the columns end at the window's edge. Columns of a pixel or less are the hidden
// strategies.
void TSimForm::ApplyColumnWidths() {
    const auto& design = ShownGrid().ColumnWidths;
    const QFontMetrics gridText(grid_->font());
    const QFontMetrics errorText(errors_->font());
    std::array<int, GridColumns> widths{};
    std::array<int, GridColumns> texts{};
    int total = 0;
    int designTotal = 0;
    int lastShown = -1;
    const int available = grid_->viewport()->width();
    // The headings count too where the window has room for them; at the design size the design widths hold them.
    for (const bool headings : {true, false}) {
        total = designTotal = 0;
        lastShown = -1;
        for (int column = 0; column < GridColumns; ++column) {
            const int w = design[static_cast<std::size_t>(column)];
            grid_->setColumnHidden(column, w <= 1);
            errors_->setColumnHidden(column, w <= 1);
            if (w <= 1) continue;
            texts[static_cast<std::size_t>(column)] =
                ColumnTextWidth(*grid_, *errors_, column, gridText, errorText, headings);
            widths[static_cast<std::size_t>(column)] = std::max(w, texts[static_cast<std::size_t>(column)]);
            total += widths[static_cast<std::size_t>(column)];
            designTotal += w;
            lastShown = column;
        }
        if (total <= available) break;
    }
    if (lastShown < 0) return;
    if (available > total) {
        const int spare = available - total;
        for (int column = 0; column < GridColumns; ++column) {
            const auto c = static_cast<std::size_t>(column);
            if (design[c] > 1) widths[c] += spare * design[c] / designTotal;
        }
    } else {
        int labels = 0;
        int strategies = 0;
        for (int column = 0; column < GridColumns; ++column) {
            if (design[static_cast<std::size_t>(column)] <= 1) continue;
            if (column < FirstStrategyColumn) labels += widths[static_cast<std::size_t>(column)];
            else ++strategies;
        }
        const int share = strategies > 0 ? (available - labels) / strategies : 0;
        for (int column = FirstStrategyColumn; column < GridColumns; ++column) {
            const auto c = static_cast<std::size_t>(column);
            if (design[c] > 1) widths[c] = std::max(texts[c], share);
        }
    }
    int used = 0;
    for (int column = 0; column < GridColumns; ++column)
        if (column != lastShown && design[static_cast<std::size_t>(column)] > 1) used += widths[static_cast<std::size_t>(column)];
    widths[static_cast<std::size_t>(lastShown)] =
        std::max(texts[static_cast<std::size_t>(lastShown)], available - used);
    for (int column = 0; column < GridColumns; ++column) {
        if (design[static_cast<std::size_t>(column)] <= 1) continue;
        grid_->setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
        errors_->setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
    }
}

void TSimForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitGrid();
}

// Rows and columns share out the window, so the grid fills it; in a window smaller than the design size the
// rows close up, down to the height of their text.
void TSimForm::FitGrid() {
    ScaleText();
    const QFontMetrics metrics(grid_->font());
    const int heading = std::max(HeadingRowHeight, metrics.height() + 4);
    grid_->setRowHeight(0, heading);
    const int rowHeight = std::max(metrics.height(), (grid_->viewport()->height() - heading) / (GridRows - 1));
    for (int row = 1; row < GridRows; ++row) grid_->setRowHeight(row, rowHeight);
    ApplyColumnWidths();
}

// The text grows with the window's own size, not its grid's: the grid's height depends on the text below it, and
// would feed back.
void TSimForm::ScaleText() {
    const double room = std::min(static_cast<double>(width()) / DesignWidth, static_cast<double>(height()) / DesignHeight);
    double scale = std::clamp(std::floor(room * TextRoomFilled / TextScaleStep) * TextScaleStep, 1.0, LargestTextScale);
    // Every cell's text is read whole: the text grows only as far as the columns' texts still fit side by side.
    while (scale > 1.0 && GridTextWidth(scale) > width()) scale = std::max(1.0, scale - TextScaleStep);
    if (scale == textScale_) return;
    textScale_ = scale;
    for (auto& [widget, base] : baseFonts_) widget->setFont(Scaled(base, scale));
    const int errorRow = std::max(RowHeight, QFontMetrics(errors_->font()).height() + 2);
    errors_->setRowHeight(0, errorRow);
    errors_->setFixedHeight(errorRow + 2 * errors_->frameWidth());
}

QFont TSimForm::Scaled(const QFont& base, double scale) {
    QFont font = base;
    if (base.pointSizeF() > 0) font.setPointSizeF(base.pointSizeF() * scale);
    else font.setPixelSize(static_cast<int>(base.pixelSize() * scale));
    return font;
}

// The width the shown columns' texts take with the grids' text at that scale, the frame included.
int TSimForm::GridTextWidth(double scale) const {
    const auto& design = ShownGrid().ColumnWidths;
    const QFontMetrics gridText(Scaled(grid_->font(), scale / textScale_));
    const QFontMetrics errorText(Scaled(errors_->font(), scale / textScale_));
    int total = 2 * grid_->frameWidth();
    for (int column = 0; column < GridColumns; ++column)
        if (design[static_cast<std::size_t>(column)] > 1)
            total += ColumnTextWidth(*grid_, *errors_, column, gridText, errorText);
    return total;
}

bool TSimForm::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == grid_->viewport() || watched == errors_->viewport()) && event->type() == QEvent::Resize) FitGrid();
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && watched != button1_) {
            setFocus(Qt::MouseFocusReason);
            FormClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TSimForm::ToggleRiskView() {
    riskView_ = !riskView_;
    dirty_ = true;
    ShowGrid();
}

void TSimForm::FormClick() {
    if (riskView_) return ToggleRiskView();
    screens_.FormClick(game_);
    dirty_ = true;
    ShowGrid();
}

void TSimForm::ShowPreviousScreen() {
    if (riskView_) return ToggleRiskView();
    screens_.PreviousScreen(game_);
    dirty_ = true;
    ShowGrid();
}

void TSimForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_PageDown: FormClick(); return;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_PageUp: ShowPreviousScreen(); return;
    case Qt::Key_R: ToggleRiskView(); return;
    default: QWidget::keyPressEvent(event);
    }
}

void TSimForm::Button1Click() {
    screens_.Button1Click(game_);
    dirty_ = true;
    ShowGrid();
}

} // namespace zvx::gui
