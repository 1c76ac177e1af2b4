// The menus thrown at a running program: Run items, "Reset Game", the option forms and their buttons, the
// menu-bar action items and the table's gestures, in a random order and at any moment, as an impatient
// player would. Nothing may crash or hang, the games may not pile up inside one another, and afterwards the
// program plays a plain game of Normal Play.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMdiArea>
#include <QMenu>
#include <QRandomGenerator>
#include <QTest>

#include "engine/startup.h"
#include "engine/table_view.h"
#include "shell/qt/main_form.h"
#include "table/layout.h"
#include "table/qt/player.h"
#include "tests/qt/gui_test_support.h"
#include "tests/qt/quiet_start.h"

using namespace zvx;
using namespace zvx::gui;
using namespace zvx::testing;

namespace {

// The items a player may pick from the menus while a game runs (print, help and exit open windows of their
// own and are tried elsewhere).
constexpr const char* MenuItems[] = {"NormalPlay1", "PracticeDeck1", "Simulation1", "Analysis",
                                     "GameReset1",  "Rules1",        "StratOptions", "Preferences1",
                                     "SaveFile",    "SaveAs1",       "LoadFile"};
constexpr const char* BarItems[] = {"BetButton",   "StandButton",     "HitButton", "DoubleButton",
                                    "SplitButton", "SurrenderButton", "HintButton"};

qsizetype RandomIndex(QRandomGenerator& random, std::size_t size) {
    return static_cast<qsizetype>(random.bounded(static_cast<quint32>(size)));
}

// Any modal box gets a random one of its buttons, the way a player clicks whatever is there.
class AnyAnswer {
public:
    explicit AnyAnswer(QRandomGenerator& random) : random_(random) {
        timer_.setInterval(3);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
        timer_.start();
    }
    int Boxes = 0;

private:
    void Answer() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        ++Boxes;
        if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
            // The game file list: OK on the name it proposes (a save or a load in the test's folder), or Cancel.
            if (random_.bounded(2) == 0) static_cast<QDialog*>(files)->accept();
            else files->reject();
            return;
        }
        QList<QAbstractButton*> buttons;
        for (auto* b : dialog->findChildren<QAbstractButton*>())
            if (b->isVisible() && b->isEnabled()) buttons << b;
        if (buttons.isEmpty()) dialog->reject();
        else buttons[RandomIndex(random_, static_cast<std::size_t>(buttons.size()))]->click();
    }
    QRandomGenerator& random_;
    QTimer timer_;
};

} // namespace

class MenuMonkeyTest : public QObject {
    Q_OBJECT
private slots:
    void menusAtAnyMomentNeitherCrashNorPileUp();
};

void MenuMonkeyTest::menusAtAnyMomentNeitherCrashNorPileUp() {
    CurrentFolder folder;
    WriteQuietOptions([](Game& g) {
        g.Options.Prefs.AnimationSpeed = 1000;
        g.Options.Prefs.SoundOn = false;
        g.Options.Rules.TableMinimum = 5;
    });
    StartOptions options;
    options.Seed = 5;
    TMainForm window(options);
    window.show();
    window.AppOnActivate();

    // ZVX_MONKEY_SEED plays other sequences when hunting for faults; the suite plays this one.
    QRandomGenerator random(qEnvironmentVariableIsSet("ZVX_MONKEY_SEED")
                                ? static_cast<quint32>(qEnvironmentVariableIntValue("ZVX_MONKEY_SEED"))
                                : 20261209u);
    AnyAnswer answers(random);
    // A menu item picked as the player picks it: the menu opens (which ends an option form's wait), and the
    // item runs from the event loop, not inside this tick.
    auto pick = [&](const char* name) {
        QAction* item = Item(window, name);
        for (QObject* o : item->associatedObjects())
            if (auto* menu = qobject_cast<QMenu*>(o)) emit menu->aboutToShow();
        QMetaObject::invokeMethod(item, "trigger", Qt::QueuedConnection);
    };
    int events = 0;
    int deepest = 0;
    QTimer monkey;
    monkey.setInterval(2);
    QObject::connect(&monkey, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget()) return;
        deepest = std::max(deepest, window.runDepth());
        if (++events > 1500) {
            monkey.stop();
            pick("GameReset1");
            return;
        }
        switch (random.bounded(8)) {
        case 0:
            pick(MenuItems[RandomIndex(random, std::size(MenuItems))]);
            break;
        case 1: {
            QAction* item = Item(window, BarItems[RandomIndex(random, std::size(BarItems))]);
            if (item->isVisible() && item->isEnabled())
                QMetaObject::invokeMethod(item, "trigger", Qt::QueuedConnection);
            break;
        }
        case 2: {
            // A button of whatever fills the window: an option form's, or none.
            QList<QAbstractButton*> buttons;
            for (auto* b : window.mdiArea()->findChildren<QAbstractButton*>())
                if (b->isVisible() && b->isEnabled()) buttons << b;
            if (!buttons.isEmpty()) {
                QAbstractButton* b = buttons[RandomIndex(random, static_cast<std::size_t>(buttons.size()))];
                QTimer::singleShot(0, b, [b] { b->click(); });
            }
            break;
        }
        default: {
            TPlayer* table = window.tableWindow();
            if (!table || !table->isVisible()) break;
            QWidget* viewport = table->View().viewport();
            auto at = [&] {
                return table->View().mapFromScene(QPointF(random.bounded(TableWidth), random.bounded(TableHeight)));
            };
            const QPoint a = at(), b = at();
            if (random.bounded(2) == 0) {
                QTest::mouseClick(viewport, Qt::LeftButton, {}, a);
            } else {
                QTest::mousePress(viewport, Qt::LeftButton, {}, a);
                QTest::mouseMove(viewport, (a + b) / 2);
                QTest::mouseRelease(viewport, Qt::LeftButton, {}, b);
            }
            break;
        }
        }
    });
    monkey.start();
    // Once the monkey has stopped, "Reset Game" until no game runs.
    QTimer closer;
    closer.setInterval(50);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (!monkey.isActive() && window.gameRunning() && !QApplication::activeModalWidget()) pick("GameReset1");
    });
    closer.start();
    QVERIFY(WaitUntil([&] { return !monkey.isActive() && window.runDepth() == 0; }, 600000));
    // What the monkey queued last still runs (a form, a mode): the closer stops it again.
    QTest::qWait(300);
    QVERIFY(WaitUntil([&] { return window.runDepth() == 0; }, 60000));
    closer.stop();
    qInfo("%d events, %d boxes answered", events, answers.Boxes);
    QVERIFY2(deepest <= 1, qPrintable(QString("games piled up %1 deep").arg(deepest)));

    // The program is still whole: a game of Normal Play waits for the player at a table (for a bet, or for a
    // decision when the preferences the monkey clicked bet the minimum by themselves).
    bool waiting = false;
    auto waitingForPlayer = [&] {
        return window.game().TableShown && window.tableWindow() &&
               (window.game().BettingOpen || (window.visibleActionItems() & StandItem) != 0);
    };
    QString state;
    After(0, [&] {
        waiting = WaitUntil(waitingForPlayer, 120000);
        const Game& g = window.game();
        state = QString("table %1 %2, betting %3, items %4, speed %5, minimum bets %6, modal %7, forms open %8")
                    .arg(g.TableShown)
                    .arg(window.tableWindow() != nullptr)
                    .arg(g.BettingOpen)
                    .arg(window.visibleActionItems())
                    .arg(g.Prefs().AnimationSpeed)
                    .arg(g.Prefs().AlwaysBetMinimum)
                    .arg(QApplication::activeModalWidget() ? QApplication::activeModalWidget()->windowTitle() : "-")
                    .arg(window.mdiArea()->subWindowList().size());
        Item(window, "GameReset1")->trigger();
    });
    emit window.findChild<QMenu*>("Run1")->aboutToShow(); // the menu opens, closing any option form
    Item(window, "NormalPlay1")->trigger();
    QVERIFY2(waiting, qPrintable(state));
    QCOMPARE(window.runDepth(), 0);
}

QTEST_MAIN(MenuMonkeyTest)
#include "menu_monkey_test.moc"
