// The analysis window's risk view: reached by its key and its Run menu item, drawn from the core's grid, and
// leaving the three screens' cycle as it was.

#include <QApplication>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

#include "analysis/parallel_run.h"
#include "analysis/qt/sim_form.h"
#include "analysis/risk_screen.h"
#include "shell/qt/analysis_bench.h"
#include "shell/qt/main_form.h"
#include "strategy/builtin_strategies.h"
#include "tests/qt/gui_test_support.h"
#include "tests/qt/quiet_start.h"

using namespace zvx;
using namespace zvx::gui;
using namespace zvx::testing;

class RiskViewTest : public QObject {
    Q_OBJECT

private slots:
    void theKeyShowsTheCoresFiguresAndGoesBack();
    void theRunMenuItemShowsItDuringAnAnalysis();
    void theErrorIsShownOnceWithNotesInItsPlace();
    void anUnattendedRunKeepsTheErrorLines();
};

void RiskViewTest::theKeyShowsTheCoresFiguresAndGoesBack() {
    Game start;
    LoadDefaultStrategy(start.Strategy);
    AnalysisPlan plan;
    plan.Hours = 120;
    plan.Seed = 4;
    Game g = RunAnalysisJobs(start, plan, [](const AnalysisProgress&) {});
    TSimForm form(g);
    form.resize(900, 600);
    form.show();
    form.Open();
    form.Redraw();
    form.ShowGrid();
    QTest::keyClick(&form, Qt::Key_Space);
    const std::uint8_t screen = form.AnalysisScreen();
    const ScreenGrid before = form.Grid();

    QTest::keyClick(&form, Qt::Key_R);
    QVERIFY(form.RiskViewShown());
    QCOMPARE(form.windowTitle(), QString("RISK AND PRECISION"));
    const ScreenGrid expected = RiskScreen(g, RiskViewBankroll(g));
    for (int row = 0; row < GridRows; ++row)
        for (int column = 2; column < GridColumns; ++column)
            QCOMPARE(form.CellText(column, row).toStdString(), expected.Cell(column, row));
    QCOMPARE(form.CellText(3, 1), QString("12,000"));
    // The screens underneath are as they were: same screen, same cells.
    QCOMPARE(form.AnalysisScreen(), screen);
    QVERIFY(form.Grid().Cells == before.Cells);

    // A click (or its key) goes back to that screen, not on to the next one; the cycle then goes on as ever.
    QTest::keyClick(&form, Qt::Key_Space);
    QVERIFY(!form.RiskViewShown());
    QCOMPARE(form.AnalysisScreen(), screen);
    QCOMPARE(form.CellText(3, 2).toStdString(), before.Cell(3, 2));
    QTest::keyClick(&form, Qt::Key_R);
    QTest::keyClick(&form, Qt::Key_R);
    QVERIFY(!form.RiskViewShown());
    QTest::keyClick(&form, Qt::Key_Space);
    QCOMPARE(form.AnalysisScreen(), std::uint8_t(screen == CountScreen ? StatisticsScreen : screen + 1));
}

void RiskViewTest::theRunMenuItemShowsItDuringAnAnalysis() {
    CurrentFolder folder;
    WriteQuietOptions();
    TMainForm w;
    w.show();
    w.AppOnActivate();
    bool shown = false;
    QString title;
    After(300, [&] {
        Item(w, "RiskView")->trigger();
        shown = w.simForm() && w.simForm()->RiskViewShown();
        if (w.simForm()) title = w.simForm()->windowTitle();
        Item(w, "GameReset1")->trigger();
    });
    Item(w, "Analysis")->trigger();
    QVERIFY(shown);
    QCOMPARE(title, QString("RISK AND PRECISION"));
}

// The risk grid has the advantage's error row; the window's error line under the grid would say it again, so the
// risk view shows its notes there instead, and the screens get their line back.
void RiskViewTest::theErrorIsShownOnceWithNotesInItsPlace() {
    Game start;
    LoadDefaultStrategy(start.Strategy);
    AnalysisPlan plan;
    plan.Hours = 50;
    plan.Seed = 9;
    Game g = RunAnalysisJobs(start, plan, [](const AnalysisProgress&) {});
    TSimForm form(g);
    form.resize(1000, 700);
    form.show();
    form.Open();
    form.Redraw();
    form.ShowGrid();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.ErrorGrid()->isVisible());
    QVERIFY(!form.RiskNotesLine()->isVisible());

    QTest::keyClick(&form, Qt::Key_R);
    QVERIFY(form.RiskViewShown());
    QVERIFY(!form.ErrorGrid()->isVisible());
    QVERIFY(form.RiskNotesLine()->isVisible());
    QVERIFY(form.RiskNotesLine()->text().contains("lifetime risk, bets never resized (diffusion approximation)"));
    int errorRows = 0;
    for (int row = 1; row < GridRows; ++row) errorRows += form.CellText(2, row).contains("S.E.");
    QCOMPARE(errorRows, 1);
    // A losing #1 reads "never" where a winning one would show a number.
    for (int row = 1; row < GridRows; ++row)
        if (form.CellText(2, row) == " N0 (Rounds)") QCOMPARE(form.CellText(3, row), QString("never"));

    QTest::mouseClick(form.SimGrid()->viewport(), Qt::LeftButton, {}, QPoint(20, 40));
    QVERIFY(!form.RiskViewShown());
    QVERIFY(form.ErrorGrid()->isVisible());
    QVERIFY(!form.RiskNotesLine()->isVisible());
}

// zvx --analysis-hours prints what the window and the command line show under the statistics screen.
void RiskViewTest::anUnattendedRunKeepsTheErrorLines() {
    CurrentFolder folder;
    WriteQuietOptions();
    StartOptions options;
    options.Unattended = true;
    options.Seed = 3;
    const WindowAnalysisResult result = RunAnalysisInWindow(options, 30);
    QCOMPARE(result.Grid.Title, std::string(StatisticsTitle));
    QCOMPARE(result.ErrorLines.size(), std::size_t{2});
    QCOMPARE(result.ErrorLines[0][2], std::string(" S.E. [95 %]"));
    QVERIFY(!result.ErrorLines[0][3].empty());
    QVERIFY(result.ErrorLines[1][3].rfind("[", 0) == 0);
    const std::string printed = RenderAligned(result.Grid, result.ErrorLines);
    QVERIFY(printed.find("S.E. [95 %]") != std::string::npos);
}

QTEST_MAIN(RiskViewTest)
#include "risk_view_test.moc"
