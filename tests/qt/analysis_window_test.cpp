// The analysis window as a reader meets it: its screens changed from the keyboard, its grid following every
// resize, the lines under the grid, and a game file loaded while it runs.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "analysis/qt/sim_form.h"
#include "analysis/run_notes.h"
#include "engine/options_file.h"
#include "shell/game_file.h"
#include "shell/qt/main_form.h"
#include "strategy/builtin_strategies.h"
#include "tests/qt/gui_test_support.h"
#include "tests/qt/quiet_start.h"

using namespace zvx;
using namespace zvx::gui;
using namespace zvx::testing;

namespace {

struct StartedWindow {
    StartedWindow() {
        WriteQuietOptions([](Game& g) { g.Options.Rules.TableMinimum = 5; });
        window.show();
        window.AppOnActivate();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    ~StartedWindow() { window.game().OptionsChanged = false; }
    TMainForm window;
};

// The width the shown columns take, and the right edge of the last strategy column.
int ShownWidth(QTableWidget* grid) {
    int total = 0;
    for (int column = 0; column < grid->columnCount(); ++column)
        if (!grid->isColumnHidden(column)) total += grid->columnWidth(column);
    return total;
}

// An account of the given hours' results, the squares kept, as a run of the window would leave it.
void PlayHours(Game& g, std::initializer_list<double> hours) {
    PlayStats& s = g.Hands[1].Stats;
    for (double won : hours) {
        s.HandsPlayed += 100;
        s.TotalBet += 1000;
        s.TotalWon += won;
        s.HourWonSquares += won * won;
        // The error comes from the rounds' results: here each hour's result is one round's.
        ++s.RoundsClosed;
        s.RoundSquares.Add(static_cast<std::uint64_t>(4 * won * won));
        ++g.HoursPlayed;
    }
}

} // namespace

class AnalysisWindowTest : public QObject {
    Q_OBJECT

private slots:
    void keysStepThroughTheScreensAndTabSkipsTheHiddenButton();
    void gridFollowsEveryResizeAtOnce();
    void linesUnderTheGridNameHoursRulesAndErrors();
    void aLoadedFileBringsItsSwingThreshold();
};

void AnalysisWindowTest::keysStepThroughTheScreensAndTabSkipsTheHiddenButton() {
    CurrentFolder folder;
    StartedWindow started;
    TMainForm& w = started.window;
    QList<std::uint8_t> screens;
    bool focused = false;
    QStringList tabStops;
    After(200, [&] {
        TSimForm* form = w.simForm();
        focused = QApplication::focusWidget() == form;
        // Each key goes where the player's keys go: to the widget with the focus.
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Right, Qt::Key_PageDown, Qt::Key_Left,
                            Qt::Key_PageUp, Qt::Key_Up, Qt::Key_Down, Qt::Key_Enter}) {
            QTest::keyClick(QApplication::focusWidget(), key);
            screens << form->AnalysisScreen();
        }
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (QWidget* now = QApplication::focusWidget()) tabStops << now->objectName();
        }
        Item(w, "GameReset1")->trigger();
    });
    Item(w, "Analysis")->trigger();
    QVERIFY(focused);
    const QList<std::uint8_t> expected = {OddsScreen,  CountScreen,      StatisticsScreen, OddsScreen, StatisticsScreen,
                                          CountScreen, OddsScreen,       CountScreen,      StatisticsScreen};
    QCOMPARE(screens, expected);
    QVERIFY2(!tabStops.contains("Button1"), qPrintable(tabStops.join(", ")));
}

void AnalysisWindowTest::gridFollowsEveryResizeAtOnce() {
    Game g;
    TSimForm form(g);
    form.resize(644, 461);
    form.show();
    form.Open();
    QTableWidget* grid = form.SimGrid();
    const qreal designText = grid->font().pointSizeF();
    for (QSize size : {QSize(1580, 1100), QSize(644, 461), QSize(1200, 900), QSize(700, 500)}) {
        // One resize, then only the events it posts: no menu or timer has to come first.
        form.resize(size);
        QCoreApplication::processEvents();
        const QString at = QString("%1 x %2").arg(size.width()).arg(size.height());
        const int room = grid->viewport()->width();
        QVERIFY2(ShownWidth(grid) <= room && ShownWidth(grid) >= room - 8, qPrintable(at));
        // Every strategy's column is whole inside the window.
        for (int column = 3; column <= 6; ++column)
            QVERIFY2(grid->columnViewportPosition(column) + grid->columnWidth(column) <= room, qPrintable(at));
        // The rows take the height too, so the last row ends near the bottom of the grid.
        const int bottom = grid->rowViewportPosition(GridRows - 1) + grid->rowHeight(GridRows - 1);
        QVERIFY2(bottom <= grid->viewport()->height() && bottom >= grid->viewport()->height() - GridRows, qPrintable(at));
        QCOMPARE(ShownWidth(form.ErrorGrid()), ShownWidth(grid));
        // The text grows with a window larger than the design size, and shrinks back with it.
        const qreal text = grid->font().pointSizeF() / designText;
        QVERIFY2(size.width() > 1000 ? text >= 1.5 : text == 1.0, qPrintable(at));
    }
}

void AnalysisWindowTest::linesUnderTheGridNameHoursRulesAndErrors() {
    CurrentFolder folder;
    Game g;
    g.Options.Rules = CasinoRules{4, 3, 25, true, false, true, true, true, false};
    TSimForm form(g);
    form.resize(900, 600);
    form.show();
    form.Open();
    PlayHours(g, {10, 20, 30});
    form.Redraw();
    form.ShowGrid();
    QCOMPARE(form.HoursLine()->text(), QString("Hours Played: 3"));
    QCOMPARE(form.RulesLine()->text().toStdString(), RulesInForceText(g.Rules()));
    QCOMPARE(form.ErrorGrid()->item(0, 2)->text(), QString(" S.E. [95 %]"));
    QCOMPARE(form.ErrorGrid()->item(0, 3)->text(), QString("0.577 [0.87, 3.13]"));
    QVERIFY(form.HoursLine()->isVisible() && form.RulesLine()->isVisible() && form.ErrorGrid()->isVisible());

    // A loaded game file keeps no round-by-round results: the error is no longer known, and says so.
    Game saved = g;
    QVERIFY(SaveGameFile(saved, "RUN.ZVX"));
    QCOMPARE(LoadGameFile(g, "RUN.ZVX"), GameFileLoad::Ok);
    g.GameFileName = "RUN.ZVX";
    form.GameFileLoaded();
    PlayHours(g, {40});
    form.Redraw();
    form.ShowGrid();
    QCOMPARE(form.HoursLine()->text(), QString("Hours Played: 4"));
    QVERIFY(form.ErrorGrid()->item(0, 3)->text().contains("not known"));
}

void AnalysisWindowTest::aLoadedFileBringsItsSwingThreshold() {
    CurrentFolder folder;
    Game big;
    big.Options.Rules.TableMinimum = 25;
    LoadDefaultStrategy(big.Strategy);
    QVERIFY(SaveGameFile(big, "BIG.ZVX"));
    StartedWindow started;
    TMainForm& w = started.window;
    BoxAnswerer boxes;
    double before = 0;
    double after = 0;
    QString rulesShown;
    After(200, [&] {
        before = w.game().SwingThreshold;
        boxes.Then([](QDialog& dialog) {
            auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
            if (!edit) qFatal("the picker has no name field");
            edit->selectAll();
            QTest::keyClicks(edit, "BIG.ZVX");
            QTest::keyClick(edit, Qt::Key_Return);
        });
        Item(w, "LoadFile")->trigger();
        after = w.game().SwingThreshold;
        w.simForm()->ShowGrid();
        rulesShown = w.simForm()->RulesLine()->text();
        Item(w, "GameReset1")->trigger();
    });
    Item(w, "Analysis")->trigger();
    QCOMPARE(boxes.Seen, QStringList{"Enter File Name:"});
    QCOMPARE(before, 500.0);
    QCOMPARE(after, 2500.0);
    QVERIFY2(rulesShown.contains("$25 minimum"), qPrintable(rulesShown));
}

QTEST_MAIN(AnalysisWindowTest)
#include "analysis_window_test.moc"
