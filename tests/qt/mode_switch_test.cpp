// Switching between the Run items for a long session: every window and object a mode makes goes when the
// mode ends, so the program's memory stays flat however often the player switches.

#include <QAction>
#include <QApplication>
#include <QTest>

#include <atomic>
#include <vector>

#include "shell/qt/main_form.h"
#include "tests/qt/gui_test_support.h"
#include "tests/qt/quiet_start.h"

// Qt's table of hooks, the one object inspectors use to see every QObject made and destroyed.
extern quintptr Q_CORE_EXPORT qtHookData[];

using namespace zvx;
using namespace zvx::gui;
using namespace zvx::testing;

namespace {

// Slots of qtHookData (its layout is versioned, and has kept these slots since it began).
constexpr int HookDataVersion = 0;
constexpr int AddQObjectHook = 3;
constexpr int RemoveQObjectHook = 4;

std::atomic<long long> LiveObjects{0};

void CountAdded(QObject*) { ++LiveObjects; }
void CountRemoved(QObject*) { --LiveObjects; }

void CountObjects() {
    if (qtHookData[HookDataVersion] < 1) qFatal("Qt's object hooks are missing");
    qtHookData[AddQObjectHook] = reinterpret_cast<quintptr>(&CountAdded);
    qtHookData[RemoveQObjectHook] = reinterpret_cast<quintptr>(&CountRemoved);
}

// Lets every deferred deletion run, so that only what is really kept is counted.
long long SettledObjectCount() {
    for (int i = 0; i < 5; ++i) {
        QTest::qWait(20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return LiveObjects.load();
}

constexpr const char* RunItems[] = {"NormalPlay1", "PracticeDeck1", "Simulation1", "Analysis"};

// Picks the Run items in turn, `switches` times, each once the mode before it has its window up, then resets.
// `seen` gets the live object count each time Normal Play is picked, while the games are still running.
void SwitchModes(TMainForm& w, int switches, std::vector<long long>& seen) {
    int made = 0;
    QElapsedTimer sinceSwitch;
    sinceSwitch.start();
    QTimer driver;
    driver.setInterval(2);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        const bool up = w.runDepth() > 0 && (w.tableWindow() || w.simForm());
        if (!up || sinceSwitch.elapsed() < 20) return;
        sinceSwitch.restart();
        const char* next = ++made > switches ? "GameReset1" : RunItems[made % std::size(RunItems)];
        if (next == RunItems[0]) seen.push_back(LiveObjects.load());
        if (made > switches) driver.stop();
        QMetaObject::invokeMethod(Item(w, next), "trigger", Qt::QueuedConnection);
    });
    driver.start();
    Item(w, RunItems[0])->trigger(); // returns once every game has unwound
    QCOMPARE(w.runDepth(), 0);
    QVERIFY(made > switches);
}

} // namespace

class ModeSwitchTest : public QObject {
    Q_OBJECT
private slots:
    void twoHundredModeSwitchesKeepTheObjectCountFlat();
};

void ModeSwitchTest::twoHundredModeSwitchesKeepTheObjectCountFlat() {
    CurrentFolder folder;
    WriteQuietOptions([](Game& g) {
        g.Options.Prefs.AnimationSpeed = 1000;
        g.Options.Prefs.SoundOn = false;
    });
    TMainForm w;
    w.show();
    w.AppOnActivate();
    CountObjects();
    // One long session: every switch happens inside the game before it, as a player's does, and nothing
    // returns to the main loop between them. The first rounds make what lives for the whole session.
    std::vector<long long> seen;
    SwitchModes(w, 200, seen);
    QVERIFY(seen.size() >= 40);
    const long long early = seen[2];
    const long long late = seen.back();
    QVERIFY2(late - early <= 20, qPrintable(QString("%1 objects more after 200 switches").arg(late - early)));
    // And once the session is over, everything it made is gone.
    const long long settled = SettledObjectCount();
    QVERIFY2(settled <= seen[0], qPrintable(QString("%1 objects kept after the session").arg(settled)));
    QVERIFY(w.tableWindow() == nullptr && w.simForm() == nullptr);
}

QTEST_MAIN(ModeSwitchTest)
#include "mode_switch_test.moc"
