// The player's record on screen: the mistakes map's colours, the switch on the strategy editor's chart, the
// review window from the Options menu with its "Clear my record", and the weak-spot practice item.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "drill/drill_keeper.h"
#include "drill/qt/chart_switch.h"
#include "drill/qt/drill_desk.h"
#include "drill/qt/mistake_map_view.h"
#include "drill/qt/review_dialog.h"
#include "shell/qt/main_form.h"
#include "strategy/qt/strategy_chart_view.h"
#include "strategy/qt/strategy_form.h"
#include "tests/qt/gui_test_support.h"
#include "tests/qt/quiet_start.h"

using namespace zvx;
using namespace zvx::gui;
using namespace zvx::testing;

namespace {

constexpr int HardSixteenRow = 11;
constexpr int TenColumn = 8;

JudgedDecision Decision(DrillCell cell, Action taken, Action right, std::string advice = {}) {
    JudgedDecision d;
    d.Cell = cell;
    d.Taken = taken;
    d.Right = right;
    d.Advice = std::move(advice);
    return d;
}

QColor PixelIn(QWidget& widget, const QRect& cell) {
    // A corner of the cell, clear of its border and its text.
    return widget.grab().toImage().pixelColor(cell.topLeft() + QPoint(2, 2));
}

QColor Colour(const HeatColour& c) { return {c.Red, c.Green, c.Blue}; }

struct StartedWindow {
    StartedWindow() {
        WriteQuietOptions();
        window.show();
        window.AppOnActivate();
    }
    DrillKeeper& Keeper() { return window.findChild<TDrillDesk*>()->Keeper(); }
    TMainForm window;
};

} // namespace

class DrillViewsTest : public QObject {
    Q_OBJECT

private slots:
    void aCellIsColouredByItsErrorRate();
    void theChartSwitchesToTheMistakesAndBack();
    void theStrategyEditorShowsThePlayersMistakes();
    void theReviewListsTheCostliestCellsAndClearsTheRecord();
    void weakSpotPracticeIsAnOptionsItem();

private:
    CurrentFolder folder_;
};

void DrillViewsTest::aCellIsColouredByItsErrorRate() {
    HeatMap map{};
    map[HardSixteenRow][TenColumn] = {4, 1, 0.1}; // one in four missed
    map[0][0] = {2, 0, 0};
    map[HardSixteenRow][0] = {2, 1, 0};
    TMistakeMap view;
    view.resize(view.sizeHint());
    view.SetHeatMap(map);
    QCOMPARE(PixelIn(view, view.CellRect(HardSixteenRow, TenColumn)), Colour(QuarterMissedColour));
    QCOMPARE(PixelIn(view, view.CellRect(0, 0)), Colour(NoMissColour));
    QCOMPARE(PixelIn(view, view.CellRect(HardSixteenRow, 0)), Colour(HalfMissedColour));
    QCOMPARE(PixelIn(view, view.CellRect(5, 5)), Colour(UnjudgedColour));
    // Small, the cells keep their colours.
    view.resize(view.minimumSizeHint());
    QCOMPARE(PixelIn(view, view.CellRect(HardSixteenRow, TenColumn)), Colour(QuarterMissedColour));
}

void DrillViewsTest::theChartSwitchesToTheMistakesAndBack() {
    DrillKeeper keeper;
    Game g;
    keeper.Take(g, Decision({HandKind::Hard, 16, 10}, Stand, Hit));
    keeper.Take(g, Decision({HandKind::Hard, 16, 10}, Hit, Hit));
    keeper.Take(g, Decision({HandKind::Hard, 16, 10}, Hit, Hit));
    keeper.Take(g, Decision({HandKind::Hard, 16, 10}, Hit, Hit));
    auto* chart = new TStrategyChart;
    TChartSwitch views(chart, &keeper);
    views.Buttons()->show(); // where a form would place them
    views.resize(500, 700);
    views.show();
    QVERIFY(QTest::qWaitForWindowExposed(&views));
    QVERIFY(chart->isVisible());
    QTest::mouseClick(views.MistakesButton(), Qt::LeftButton, {}, QPoint(8, views.MistakesButton()->height() / 2));
    QVERIFY(views.ShowingMistakes());
    QVERIFY(!chart->isVisible());
    TMistakeMap* map = views.MistakeMap();
    QVERIFY(map->isVisible());
    QCOMPARE(PixelIn(*map, map->CellRect(HardSixteenRow, TenColumn)), Colour(QuarterMissedColour));
    // A decision judged meanwhile shows the next time the view is picked.
    keeper.Take(g, Decision({HandKind::Hard, 16, 10}, Stand, Hit));
    QTest::mouseClick(views.StrategyButton(), Qt::LeftButton, {}, QPoint(8, views.StrategyButton()->height() / 2));
    QVERIFY(chart->isVisible());
    QTest::mouseClick(views.MistakesButton(), Qt::LeftButton, {}, QPoint(8, views.MistakesButton()->height() / 2));
    QCOMPARE(map->Map()[HardSixteenRow][TenColumn].Missed, 2);
    // Without a record there is nothing to switch to.
    TChartSwitch alone(new TStrategyChart, nullptr);
    QVERIFY(alone.MistakesButton() == nullptr);
}

void DrillViewsTest::theStrategyEditorShowsThePlayersMistakes() {
    StartedWindow w;
    w.Keeper().Take(w.window.game(), Decision({HandKind::Pair, 8, 6}, Stand, Split));
    bool seen = false;
    After(30, [&] {
        TStrategyForm* form = w.window.findChild<TStrategyForm*>();
        QVERIFY(form);
        auto* views = form->findChild<TChartSwitch*>();
        QVERIFY(views && views->MistakesButton());
        QVERIFY(form->Chart()->isVisible());
        views->MistakesButton()->click();
        QVERIFY(!form->Chart()->isVisible());
        QCOMPARE(form->findChild<QLabel*>("ChartTitle")->text(), QString("Your mistakes on two cards"));
        const int eights = ChartHardRows + ChartSoftRows + 6;
        QCOMPARE(PixelIn(*views->MistakeMap(), views->MistakeMap()->CellRect(eights, 4)), Colour(HalfMissedColour));
        seen = true;
        // Leaving by a menu title, as a player does.
        QMenu* menu = w.window.findChild<QMenu*>("Options1");
        menu->popup(QPoint(0, 0));
        menu->close();
    });
    Item(w.window, "StratOptions")->trigger();
    QVERIFY(seen);
}

void DrillViewsTest::theReviewListsTheCostliestCellsAndClearsTheRecord() {
    StartedWindow w;
    DrillKeeper& keeper = w.Keeper();
    const Game& g = w.window.game();
    keeper.Take(g, Decision({HandKind::Hard, 16, 10}, Stand, Hit, "Hit 16 against Dealer 10"));
    keeper.Take(g, Decision({HandKind::Hard, 16, 10}, Hit, Hit));
    keeper.Take(g, Decision({HandKind::Pair, 8, 6}, Stand, Split, "Split 8's against Dealer 6"));
    keeper.Take(g, Decision({HandKind::Pair, 8, 6}, Stand, Split, "Split 8's against Dealer 6"));
    Item(w.window, "Mistakes1")->trigger();
    TReviewDialog* review = w.window.findChild<TReviewDialog*>();
    QVERIFY(review && review->isVisible());
    QTreeWidget* list = review->List();
    QCOMPARE(list->topLevelItemCount(), 2);
    // Without costs the most often missed cell comes first.
    QCOMPARE(list->topLevelItem(0)->text(0), QString("8,8 against 6: missed 2 of 2"));
    QCOMPARE(list->topLevelItem(0)->child(0)->text(0),
             QString("You stood twice where the strategy splits"));
    QCOMPARE(list->topLevelItem(0)->child(0)->text(1), QString("Split 8's against Dealer 6"));
    // Nothing priced the mistakes here: no cost is claimed.
    QCOMPARE(review->SessionLine()->text(), QString("This session: Accuracy 25.0 % (1 of 4)"));
    QCOMPARE(PixelIn(*review->Map(), review->Map()->CellRect(HardSixteenRow, TenColumn)),
             Colour(HalfMissedColour));

    // A decision judged while the window is open shows at once.
    keeper.Take(g, Decision({HandKind::Soft, 18, 9}, Stand, Hit, "Hit Soft 18 against Dealer 9"));
    w.window.ShowDrillScore();
    QCOMPARE(list->topLevelItemCount(), 3);

    BoxAnswerer boxes;
    boxes.Press(QMessageBox::No);
    boxes.Press(QMessageBox::Yes);
    QTest::mouseClick(review->ClearButton(), Qt::LeftButton);
    QCOMPARE(keeper.Record().AllTime().Judged, 5); // "No" keeps it
    QTest::mouseClick(review->ClearButton(), Qt::LeftButton);
    QCOMPARE(boxes.Seen.size(), 2);
    QCOMPARE(keeper.Record().AllTime().Judged, 0);
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(list->topLevelItem(0)->text(0), QString("No mistakes to review."));
    QCOMPARE(review->SessionLine()->text(), QString("This session: No decisions judged"));
}

void DrillViewsTest::weakSpotPracticeIsAnOptionsItem() {
    StartedWindow w;
    QAction* item = Item(w.window, "WeakSpots1");
    QVERIFY(item->isCheckable());
    QVERIFY(!item->isChecked());
    QVERIFY(!w.Keeper().WeakSpotPractice);
    item->trigger();
    QVERIFY(w.Keeper().WeakSpotPractice);
    QCOMPARE(w.window.game().DrillRecorder, &w.Keeper());
    item->trigger();
    QVERIFY(!w.Keeper().WeakSpotPractice);
}

QTEST_MAIN(DrillViewsTest)
#include "drill_views_test.moc"
