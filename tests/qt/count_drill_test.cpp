// The Count Drill window played as a player plays it: settings typed and chosen with the keyboard, the cards
// dealt at a fast pace, the count typed and the verdict read; the deck countdown turned by keys and clicks;
// the true count read from the tray.

#include "cards/card.h"
#include "drill/count_drill.h"
#include "drill/count_drill_record_file.h"
#include "drill/qt/count_drill_window.h"
#include "drill/qt/count_drill_window_desk.h"
#include "drill/qt/count_drill_window_views.h"
#include "engine/game_state.h"
#include "shell/qt/main_form.h"
#include "tests/qt/gui_test_support.h"
#include "tests/qt/quiet_start.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <vector>

using namespace zvx;
using namespace zvx::gui;

namespace {

const DrillShoeRules Shoe{2, 3, false, 12u};

template <class W> W* Find(QWidget& window, const char* name) {
    W* w = window.findChild<W*>(name);
    if (!w) qFatal("no %s", name);
    return w;
}

// Replaces a field's text by typing, as the player does.
void TypeInto(QWidget* field, const QString& text) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

// Picks a combo box's entry with the keyboard.
void Choose(QComboBox* combo, int index) {
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
}

// Shows the window and makes it the active one, so keys and focus go where the player's would.
void Show(QWidget& window) {
    window.resize(640, 480);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

QString Text(QWidget& window, const char* label) {
    return Find<QLabel>(window, label)->text();
}

int HiLoOf(const std::vector<int>& cards, int n) {
    int running = 0;
    for (int i = 0; i < n; ++i)
        running += CountTagOf(CardValue(cards[static_cast<std::size_t>(i)]));
    return running;
}

} // namespace

class CountDrillTest : public QObject {
    Q_OBJECT

  private slots:
    void aShortDrillAtAFastPaceIsScored();
    void aRandomStopAsksOnTheWay();
    void theDeckCountdownMustEndAtTheSystemsValue();
    void theTrueCountDrillScoresTheTray();
    void closingStopsADrill();
    void theDeskKeepsTheRecordBesideTheMistakesRecord();
    void theRunMenuOpensTheDrillOverAGame();
};

void CountDrillTest::aShortDrillAtAFastPaceIsScored() {
    TCountDrillWindow w(Shoe);
    int saves = 0;
    w.SetRecordChanged([&](const CountDrillRecord&) { ++saves; });
    Show(w);
    TypeInto(Find<QDoubleSpinBox>(w, "Pace"), "10");
    TypeInto(Find<QSpinBox>(w, "DrillCards"), "7");
    auto* count = Find<QLineEdit>(w, "CountField");
    auto* cards = Find<TDrillCards>(w, "DrillCardsView");
    const std::vector<int> shoe = ShuffledDrillShoe(Shoe);

    for (const bool answerRight : {true, false}) {
        QTest::mouseClick(Find<QPushButton>(w, "StartDrill"), Qt::LeftButton);
        QVERIFY(w.Running());
        QCOMPARE(cards->Cards(), std::vector<int>{shoe[0]});
        QVERIFY(!count->isEnabled());
        // Seven cards at ten a second: the count is asked within a second (the limit leaves room for a busy
        // machine).
        QTRY_VERIFY_WITH_TIMEOUT(count->isEnabled(), 30000);
        QVERIFY(Text(w, "DrillPrompt").contains("last card"));
        QVERIFY2(cards->Cards().empty(), "the cards are gone when the count is asked");
        const int running = HiLoOf(shoe, 7);
        QTest::keyClicks(count, QString::number(answerRight ? running : running + 3));
        QTest::keyClick(count, Qt::Key_Return);
        const QString verdict = w.ResultText();
        if (answerRight)
            QVERIFY2(verdict.startsWith("Right"), qPrintable(verdict));
        else
            QVERIFY2(verdict.startsWith("Wrong: you said"), qPrintable(verdict));
        QVERIFY2(verdict.contains("7 cards at 10 a second"), qPrintable(verdict));
        QVERIFY(!w.Running());
    }
    QCOMPARE(saves, 2);
    QCOMPARE(w.Record().Sessions.size(), std::size_t{2});
    QCOMPARE(w.Record().Sessions[0].Right, 1);
    QCOMPARE(w.Record().Sessions[1].Right, 0);
    QCOMPARE(w.Record().Sessions[0].Pace, 10.0);
    QVERIFY(Text(w, "DrillBest").contains("0 of 1 right"));
}

void CountDrillTest::aRandomStopAsksOnTheWay() {
    TCountDrillWindow w(Shoe);
    Show(w);
    TypeInto(Find<QDoubleSpinBox>(w, "Pace"), "10");
    TypeInto(Find<QSpinBox>(w, "DrillCards"), "60");
    Choose(Find<QComboBox>(w, "CardsAtATime"), 2);
    auto* stops = Find<QCheckBox>(w, "RandomStops");
    QTest::mouseClick(stops, Qt::LeftButton, {}, QPoint(8, stops->height() / 2)); // on its box
    QVERIFY(stops->isChecked());
    // Where the drill stops, worked out by the drill itself on the same shoe.
    RunningCountDrill same(Shoe,
                           RunningDrillSettings{CountingSystemId::HiLo, DrillGroup::Round, 10, 60, true});
    while (!same.CountDue())
        same.Deal();
    QVERIFY(!same.Finished());

    QTest::mouseClick(Find<QPushButton>(w, "StartDrill"), Qt::LeftButton);
    QCOMPARE(Find<TDrillCards>(w, "DrillCardsView")->Cards().size(), std::size_t{4});
    auto* count = Find<QLineEdit>(w, "CountField");
    QTRY_VERIFY_WITH_TIMEOUT(count->isEnabled(), 30000);
    QVERIFY2(Text(w, "DrillPrompt").startsWith("Stop!"), qPrintable(Text(w, "DrillPrompt")));
    QTest::keyClicks(count, QString::number(same.Count().Running()));
    QTest::keyClick(count, Qt::Key_Return);
    QVERIFY2(w.ResultText().startsWith("Right"), qPrintable(w.ResultText()));
    QVERIFY2(w.Running(), "the drill goes on after a stop");
    QVERIFY(!count->isEnabled());
    // The Stop button ends it and keeps the count asked.
    QTest::mouseClick(Find<QPushButton>(w, "StartDrill"), Qt::LeftButton);
    QVERIFY(!w.Running());
    QCOMPARE(w.Record().Sessions.size(), std::size_t{1});
    QCOMPARE(w.Record().Sessions[0].Right, 1);
}

void CountDrillTest::theDeckCountdownMustEndAtTheSystemsValue() {
    TCountDrillWindow w(Shoe);
    Show(w);
    Choose(Find<QComboBox>(w, "CountSystem"), 1); // the Knock-Out count: +4 over a full deck
    Choose(Find<QComboBox>(w, "DrillKind"), 1);
    QVERIFY2(!Find<QDoubleSpinBox>(w, "Pace")->isEnabled(), "the player sets the pace of a countdown");
    auto* cards = Find<TDrillCards>(w, "DrillCardsView");
    auto* count = Find<QLineEdit>(w, "CountField");
    for (const QString& typed : {QString("0"), QString("+4")}) {
        QTest::mouseClick(Find<QPushButton>(w, "StartDrill"), Qt::LeftButton);
        QCOMPARE(cards->Cards().size(), std::size_t{1});
        QTest::mouseClick(cards, Qt::LeftButton, {}, cards->CardRect(0).center());
        QVERIFY(Text(w, "DrillPrompt").startsWith("Card 2 of 52"));
        for (int i = 2; i < 52; ++i) {
            QVERIFY(!count->isEnabled());
            QTest::keyClick(cards, Qt::Key_Space);
        }
        QVERIFY(count->isEnabled());
        QVERIFY(count->hasFocus());
        QTest::keyClicks(count, typed);
        QTest::keyClick(count, Qt::Key_Return);
        QVERIFY(!w.Running());
        if (typed == "0") {
            QVERIFY2(w.ResultText().startsWith("Wrong: you said 0, and a full deck counts to +4"),
                     qPrintable(w.ResultText()));
            QVERIFY(Text(w, "DrillBest").contains("No deck countdown yet in Knock-Out"));
        } else {
            QVERIFY2(w.ResultText().startsWith("Right") && w.ResultText().contains("A new best time"),
                     qPrintable(w.ResultText()));
            QVERIFY(Text(w, "DrillBest").contains("Best deck countdown in Knock-Out"));
        }
    }
    QVERIFY(w.Record().BestCountdownOf(CountingSystemId::KnockOut));
    QVERIFY(!w.Record().BestCountdownOf(CountingSystemId::HiLo));
}

void CountDrillTest::theTrueCountDrillScoresTheTray() {
    TCountDrillWindow w(Shoe);
    Show(w);
    Choose(Find<QComboBox>(w, "DrillKind"), 2);
    auto* tray = Find<TDiscardTrayView>(w, "DiscardTray");
    QVERIFY(tray->isVisible());
    QTest::mouseClick(Find<QPushButton>(w, "StartDrill"), Qt::LeftButton);

    TrueCountDrill same(Shoe, CountingSystemId::HiLo);
    const TrueCountQuestion q = same.Question();
    QCOMPARE(tray->Tray().CardsDealt, q.CardsDealt);
    QVERIFY2(!tray->Marked(), "no marks to read the answer from");
    // Drawn to scale: the stack stands as high in the tray as the share of the shoe dealt.
    QVERIFY(std::abs(tray->StackRect().height() - tray->TrayRect().height() * q.CardsDealt / 104.0) <= 1.0);
    QVERIFY(Text(w, "DrillPrompt")
                .contains(q.Running > 0 ? QString("+%1").arg(q.Running) : QString::number(q.Running)));

    auto* decks = Find<QLineEdit>(w, "DecksLeftField");
    auto* count = Find<QLineEdit>(w, "CountField");
    QVERIFY(decks->hasFocus());
    const double half = NearestHalfDeck(q.CardsLeft());
    QTest::keyClicks(decks, QString::number(half));
    QTest::keyClick(decks, Qt::Key_Return);
    QVERIFY(count->hasFocus());
    QTest::keyClicks(count, QString::number(q.Running / half, 'f', 1));
    QTest::keyClick(count, Qt::Key_Return);
    QVERIFY2(w.ResultText().contains(": right.") && !w.ResultText().contains("wrong"),
             qPrintable(w.ResultText()));
    QVERIFY(tray->Marked());

    // Enter goes on to the next shoe, with a wrong estimate this time.
    QTest::keyClick(Find<QPushButton>(w, "CheckCount"), Qt::Key_Return);
    QVERIFY(!tray->Marked());
    same.NextQuestion();
    QCOMPARE(tray->Tray().CardsDealt, same.Question().CardsDealt);
    QTest::keyClicks(decks, QString::number(NearestHalfDeck(same.Question().CardsLeft()) + 1.5));
    QTest::keyClicks(count, "0");
    QTest::keyClick(count, Qt::Key_Return);
    QVERIFY(w.ResultText().contains("wrong"));
    QTest::mouseClick(Find<QPushButton>(w, "StartDrill"), Qt::LeftButton);
    QCOMPARE(w.Record().Sessions.size(), std::size_t{1});
    QCOMPARE(w.Record().Sessions[0].Asked, 2);
    QCOMPARE(w.Record().Sessions[0].Right, 1);
}

void CountDrillTest::closingStopsADrill() {
    auto* w = new TCountDrillWindow(Shoe);
    w->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<TCountDrillWindow> alive(w);
    w->show();
    QTest::mouseClick(Find<QPushButton>(*w, "StartDrill"), Qt::LeftButton);
    QVERIFY(w->Running());
    QTest::qWait(50);
    w->close();
    QTRY_VERIFY(alive.isNull());
    QTest::qWait(600); // the deal timer went with the window
}

void CountDrillTest::theDeskKeepsTheRecordBesideTheMistakesRecord() {
    zvx::testing::CurrentFolder folder;
    const std::string mistakes = folder.File("data/zvx/drill-record.json").toStdString();
    const auto recordPath = CountRecordPathBeside(mistakes);
    Game game;
    game.Options.Rules.Decks = 1;
    game.FixedSeed = 3u;
    QMainWindow main;
    auto* area = new QMdiArea(&main);
    main.setCentralWidget(area);
    auto* desk = new TCountDrillDesk(game, mistakes, area, &main);
    QMenu* run = main.menuBar()->addMenu("&Run");
    desk->AddMenuItem(run);
    Show(main);

    for (int opening = 0; opening < 2; ++opening) {
        main.findChild<QAction*>("CountDrill1")->trigger();
        TCountDrillWindow* w = desk->Window();
        QVERIFY(w);
        QCOMPARE(area->subWindowList().size(), 1);
        QCOMPARE(area->activeSubWindow()->widget(), w);
        auto* best = Find<QLabel>(*w, "DrillBest");
        if (opening == 1) {
            QVERIFY2(best->text().contains("Best deck countdown in Hi-Lo"), qPrintable(best->text()));
            main.findChild<QAction*>("CountDrill1")->trigger();
            QCOMPARE(area->subWindowList().size(), 1); // the open drill comes to the front, no second one
            w->parentWidget()->close();
            QTRY_VERIFY(!desk->Window());
            break;
        }
        Choose(Find<QComboBox>(*w, "DrillKind"), 1);
        QTest::mouseClick(Find<QPushButton>(*w, "StartDrill"), Qt::LeftButton);
        auto* cards = Find<TDrillCards>(*w, "DrillCardsView");
        for (int i = 1; i < 52; ++i)
            QTest::keyClick(cards, Qt::Key_Space);
        auto* count = Find<QLineEdit>(*w, "CountField");
        QTest::keyClicks(count, "0");
        QTest::keyClick(count, Qt::Key_Return);
        QVERIFY2(w->ResultText().startsWith("Right"), qPrintable(w->ResultText()));
        // Written as the session ends, beside the mistakes record.
        const CountRecordLoad load = LoadCountRecordFile(recordPath);
        QVERIFY(!load.Message);
        QCOMPARE(load.Record.Sessions.size(), std::size_t{1});
        QVERIFY(load.Record.BestCountdownOf(CountingSystemId::HiLo).has_value());
        w->parentWidget()->close();
        QTRY_VERIFY(!desk->Window());
        QCOMPARE(area->subWindowList().size(), 0);
    }
}

void CountDrillTest::theRunMenuOpensTheDrillOverAGame() {
    zvx::testing::CurrentFolder folder;
    zvx::testing::WriteQuietOptions();
    TMainForm w;
    w.show();
    w.AppOnActivate();
    bool opened = false;
    bool gameWentOn = false;
    bool closed = false;
    zvx::testing::After(200, [&] {
        QAction* item = zvx::testing::Item(w, "CountDrill1");
        QVERIFY(item->parent() && w.menuBar()->findChild<QMenu*>("Run1")->actions().contains(item));
        item->trigger();
        auto* drill = w.findChild<TCountDrillWindow*>();
        opened = drill && w.mdiArea()->activeSubWindow() && w.mdiArea()->activeSubWindow()->widget() == drill;
        if (!drill) return;
        QTest::mouseClick(Find<QPushButton>(*drill, "StartDrill"), Qt::LeftButton);
        QTest::qWait(300);
        gameWentOn = w.gameRunning() && drill->Running();
        drill->parentWidget()->close();
        QTest::qWait(50);
        closed = !w.findChild<TCountDrillWindow*>();
        zvx::testing::Item(w, "GameReset1")->trigger();
    });
    zvx::testing::Item(w, "NormalPlay1")->trigger(); // waits for a bet until the reset ends the game
    QVERIFY(opened);
    QVERIFY(gameWentOn);
    QVERIFY(closed);
    QVERIFY(!w.gameRunning());
    // Opened again once the game is over, and closed with the program.
    zvx::testing::Item(w, "CountDrill1")->trigger();
    QVERIFY(w.findChild<TCountDrillWindow*>());
}

QTEST_MAIN(CountDrillTest)
#include "count_drill_test.moc"
