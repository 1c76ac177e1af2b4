// What a player reads and where the windows come back: the main window's client size over restarts, texts whole
// at 1000 x 700 and 1600 x 1200, the hint at the first start, the slider's flight times and a clean grid corner.

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTableWidget>
#include <QTest>

#include <chrono>

#include "analysis/qt/sim_form.h"
#include "engine/startup.h"
#include "options/qt/prefer_form.h"
#include "shell/qt/main_form.h"
#include "strategy/qt/strategy_chart_view.h"
#include "strategy/qt/strategy_form.h"
#include "table/pacing.h"
#include "tests/qt/gui_test_support.h"
#include "tests/qt/quiet_start.h"

using namespace zvx;
using namespace zvx::gui;
using namespace zvx::testing;

namespace {

// The client areas of a main window at 1000 x 700 and 1600 x 1200 with a menu and a status bar.
const QList<QSize> PlayerSizes = {QSize(1000, 660), QSize(1600, 1160)};

QString At(QSize size) { return QString("%1 x %2").arg(size.width()).arg(size.height()); }

// Every strategy's results for some hours, as a run leaves them, so each cell of every screen has its text.
void PlayHours(Game& g) {
    for (int box = 1; box <= 4; ++box) {
        PlayStats& s = g.Hands[static_cast<std::size_t>(box)].Stats;
        for (int hour = 0; hour < 40; ++hour) {
            const double won = (hour % 7 - 3) * 37.5 * box;
            s.HandsPlayed += 100;
            s.TotalBet += 2500.0 * box;
            s.TotalWon += won;
            s.HourWonSquares += won * won;
        }
    }
    g.HoursPlayed = 40;
}

// The cells of a grid whose text does not fit its column, or whose column runs past the grid's edge.
QStringList CutCells(const QTableWidget& grid) {
    QStringList cut;
    const QFontMetrics metrics(grid.font());
    for (int column = 0; column < grid.columnCount(); ++column) {
        if (grid.isColumnHidden(column) || grid.columnWidth(column) <= 2) continue;
        if (grid.columnViewportPosition(column) + grid.columnWidth(column) > grid.viewport()->width())
            cut << QString("column %1 past the edge").arg(column);
        for (int row = 0; row < grid.rowCount(); ++row) {
            if (grid.columnSpan(row, column) > 1) continue;
            const QString text = grid.item(row, column)->text();
            if (text.trimmed().isEmpty()) continue;
            if (metrics.horizontalAdvance(text) + 4 > grid.columnWidth(column)) cut << text;
        }
    }
    return cut;
}

void CloseForGood(TMainForm& w) {
    w.game().ExitRequested = true; // no "CLOSE BlackJack?"
    w.close();
}

} // namespace

class WindowsAndTextsTest : public QObject {
    Q_OBJECT

private slots:
    void clientSizeComesBackExactlyOverRestartsAndAfterAMaximisedExit();
    void analysisCellsAreWholeAtPlayerSizes();
    void analysisGridCornerHasNoWhiteMark();
    void strategyChartHeadingAndRulesLineAreWhole();
    void aLongTipIsReadWholeBesideTheDrillScore();
    void firstStartSaysWhereToBegin();
    void speedSliderTellsTheCardFlightAtEachEnd();
};

void WindowsAndTextsTest::clientSizeComesBackExactlyOverRestartsAndAfterAMaximisedExit() {
    CurrentFolder folder;
    WriteQuietOptions();
    // A style that makes the status bar taller than its size hint says, as some styles and fonts do: the client
    // size must still come back as it was left.
    const QString sheet = qApp->styleSheet();
    qApp->setStyleSheet("QStatusBar { min-height: 31px; }");
    {
        QSettings settings("Zorvex", "zvx");
        settings.clear();
        settings.setValue("MainWindow/Maximised", false);
        settings.setValue("MainWindow/ClientSize", QSize(700, 500));
        settings.setValue("MainWindow/Position", QPoint(40, 40));
    }
    QList<QSize> clients;
    for (int run = 0; run < 4; ++run) {
        TMainForm w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        WaitUntil([&] { return w.mdiArea()->size() == QSize(700, 500); }, 2000);
        clients << w.mdiArea()->size();
        if (run == 3) {
            w.showMaximized();
            QVERIFY(WaitUntil([&] { return bool(w.windowState() & Qt::WindowMaximized); }));
        }
        CloseForGood(w);
    }
    // Started maximised after a maximised exit, and restored: the remembered client size again.
    {
        TMainForm w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.windowState() & Qt::WindowMaximized);
        w.showNormal();
        QVERIFY(WaitUntil([&] { return !(w.windowState() & Qt::WindowMaximized); }));
        WaitUntil([&] { return w.mdiArea()->size() == QSize(700, 500); }, 2000);
        clients << w.mdiArea()->size();
        CloseForGood(w);
    }
    qApp->setStyleSheet(sheet);
    SeedTestWindowSettings();
    QCOMPARE(clients, QList<QSize>(5, QSize(700, 500)));
}

void WindowsAndTextsTest::analysisCellsAreWholeAtPlayerSizes() {
    CurrentFolder folder;
    Game g;
    TSimForm form(g);
    form.resize(PlayerSizes[0]);
    form.show();
    form.Open();
    PlayHours(g);
    QStringList faults;
    for (QSize size : PlayerSizes) {
        form.resize(size);
        QCoreApplication::processEvents();
        // The three screens, then the risk screen.
        for (int screen = 0; screen < 4; ++screen) {
            if (screen == 3) form.ToggleRiskView();
            form.Redraw();
            form.ShowGrid();
            QCoreApplication::processEvents();
            for (const QString& cell : CutCells(*form.SimGrid()) + CutCells(*form.ErrorGrid()))
                faults << QString("%1, screen %2: \"%3\"").arg(At(size)).arg(screen + 1).arg(cell);
            if (screen < 3) QTest::keyClick(&form, Qt::Key_Space);
            else form.ToggleRiskView();
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
    // The text still grows with a large window.
    QVERIFY(form.SimGrid()->font().pointSizeF() > QApplication::font().pointSizeF());
}

void WindowsAndTextsTest::analysisGridCornerHasNoWhiteMark() {
    Game g;
    TSimForm form(g);
    form.resize(PlayerSizes[0]);
    form.show();
    form.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.Button1()->isVisible()); // still there to click
    const QImage corner = form.grab(QRect(0, 0, 24, 40)).toImage();
    int white = 0;
    for (int y = 0; y < corner.height(); ++y)
        for (int x = 0; x < corner.width(); ++x) {
            const QColor c = corner.pixelColor(x, y);
            if (c.red() > 235 && c.green() > 235 && c.blue() > 235) ++white;
        }
    QCOMPARE(white, 0);
}

void WindowsAndTextsTest::strategyChartHeadingAndRulesLineAreWhole() {
    CurrentFolder folder;
    Game g;
    InstallDefaultOptions(g);
    g.Options.Rules.Decks = 6;
    g.Options.Rules.DealerHitsSoft17 = true;
    TStrategyForm form(g);
    QStringList faults;
    for (QSize size : PlayerSizes) {
        form.resize(size);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCoreApplication::processEvents();
        const TStrategyChart& chart = *form.Chart();
        const QFontMetrics metrics(chart.CaptionFont());
        for (int column = 0; column < ChartColumns; ++column) {
            const int up = ChartUpCard(column);
            const QString caption = up == 11 ? QString("A") : QString::number(up);
            const QRect cell = chart.CellRect(0, column);
            if (metrics.horizontalAdvance(caption) + 2 > cell.width() || cell.right() >= chart.width())
                faults << QString("%1: the heading's \"%2\" in %3 pixels").arg(At(size), caption).arg(cell.width());
        }
        const QRect rules = chart.RulesLineRect();
        const QRect needed = metrics.boundingRect(rules, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, chart.RulesLine());
        if (needed.height() > rules.height() || needed.width() > rules.width() || rules.bottom() >= chart.height())
            faults << QString("%1: the rules line needs %2 x %3 and has %4 x %5")
                          .arg(At(size))
                          .arg(needed.width())
                          .arg(needed.height())
                          .arg(rules.width())
                          .arg(rules.height());
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
    // It names what the chart and its costs depend on.
    for (const char* rule : {"6 decks", "dealer hits soft 17", "double any two cards", "double after split",
                             "re-split", "no surrender"})
        QVERIFY2(form.Chart()->RulesLine().contains(rule), rule);
}

void WindowsAndTextsTest::aLongTipIsReadWholeBesideTheDrillScore() {
    CurrentFolder folder;
    WriteQuietOptions();
    TMainForm w;
    w.resize(1000, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.AppOnActivate();
    auto* score = w.findChild<QLabel*>("DrillScore");
    // The score as a session with mistakes leaves it.
    score->setText("Decisions: 123 of 145 as the strategy plays them (84.8 %); mistakes cost 3.25 bets");
    score->show();
    QCoreApplication::processEvents();
    const QString tip =
        "Click to end your turn: every hand still open stands (Alt+S, the Stand item, stands this hand only)";
    // As a hovered item sends its tip.
    QStatusTipEvent event(tip);
    QApplication::sendEvent(&w, &event);
    QCoreApplication::processEvents();
    QCOMPARE(w.statusBar()->currentMessage(), tip);
    const int room = score->isVisible() ? w.statusBar()->width() - score->width() : w.statusBar()->width();
    QVERIFY2(w.statusBar()->fontMetrics().horizontalAdvance(tip) < room,
             qPrintable(QString("%1 pixels of tip in %2").arg(w.statusBar()->fontMetrics().horizontalAdvance(tip)).arg(room)));
    // Once the tip goes, the score is back.
    w.statusBar()->clearMessage();
    QCoreApplication::processEvents();
    QVERIFY(score->isVisible());
    // A short tip leaves it where it is.
    QStatusTipEvent shortTip("Play blackjack at the table");
    QApplication::sendEvent(&w, &shortTip);
    QVERIFY(score->isVisible());
    CloseForGood(w);
}

void WindowsAndTextsTest::firstStartSaysWhereToBegin() {
    CurrentFolder folder;
    WriteQuietOptions();
    TMainForm w;
    w.show();
    w.AppOnActivate();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* hint = w.findChild<QLabel*>("StartHint");
    QVERIFY(hint);
    QCOMPARE(hint->text(), QString("Run > Normal Play to start playing"));
    QVERIFY(hint->isVisible());
    bool hiddenWhilePlaying = false;
    After(300, [&] {
        hiddenWhilePlaying = !hint->isVisible();
        Item(w, "GameReset1")->trigger();
    });
    Item(w, "NormalPlay1")->trigger();
    QVERIFY(hiddenWhilePlaying);
    // Back to the empty table after a reset: the hint again.
    QVERIFY(WaitUntil([&] { return hint->isVisible(); }, 5000));
    w.game().OptionsChanged = false;
    CloseForGood(w);
}

void WindowsAndTextsTest::speedSliderTellsTheCardFlightAtEachEnd() {
    Game g;
    InstallDefaultOptions(g);
    TPreferForm form(g);
    form.resize(PlayerSizes[0]);
    form.show();
    auto* scale = form.findChild<QLineEdit*>("Edit1");
    QVERIFY(scale);
    // The form's own words stay.
    QVERIFY(scale->text().contains("386") && scale->text().contains("486") && scale->text().contains("Pentium"));
    const auto seconds = [](int speed) {
        return QString::number(std::chrono::duration<double>(CardFlightTime(speed)).count(), 'f', 2) + " s";
    };
    for (QWidget* widget : {static_cast<QWidget*>(scale), static_cast<QWidget*>(form.ScrollBar1())}) {
        const QString tip = widget->toolTip();
        QVERIFY2(tip.contains(seconds(MinAnimationSpeed) + " at the left end") &&
                     tip.contains(seconds(MaxAnimationSpeed) + " at the right end") &&
                     tip.contains(seconds(DefaultAnimationSpeed) + " at the default"),
                 qPrintable(tip));
    }
    // The ends differ by the whole range: a fast end under a tenth of a second, a slow one over half a second.
    QVERIFY(CardFlightTime(MinAnimationSpeed) < std::chrono::milliseconds(100));
    QVERIFY(CardFlightTime(MaxAnimationSpeed) > std::chrono::milliseconds(500));
}

QTEST_MAIN(WindowsAndTextsTest)
#include "windows_and_texts_test.moc"
