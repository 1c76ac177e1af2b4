// The analysis window's risk view: reached by its key and its Run menu item, drawn from the core's grid, and
// leaving the three screens' cycle as it was.

#include <QApplication>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

#include "analysis/parallel_run.h"
#include "analysis/qt/sim_form.h"
#include "analysis/risk_screen.h"
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

QTEST_MAIN(RiskViewTest)
#include "risk_view_test.moc"
