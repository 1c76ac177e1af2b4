#include "table/qt/table_bench.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>

#include "engine/startup.h"
#include "shell/qt/event_waits.h"
#include "table/qt/player.h"

namespace zvx::gui {

namespace {

double ProcessCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

// Counts the frames the table's view paints.
class FrameCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++Frames;
        return false;
    }
    int Frames = 0;
};

bool Landed(TPlayer& table, const char* place) {
    const CardPlaceItem* card = table.Scene().Card(place);
    const Place& home = PlaceNamed(place);
    return card->isVisible() && card->pos() == QPointF(home.Left, home.Top);
}

} // namespace

TableBenchResult RunTableBench(const StartOptions& options, int width, int height) {
    TableBenchResult result;
    TMainForm window(options);
    window.resize(width, height);
    window.show();
    window.AppOnActivate();
    Game& g = window.game();
    g.Options.Prefs.AnimationSpeed = DefaultAnimationSpeed;
    g.DelayFactor = DelayFactorForSpeed(DefaultAnimationSpeed);
    for (int i = 0; i < 20; ++i) LetEventsRun();

    // Computer play: the first card, and the frames of the first deal (from the first card to the hole card).
    QElapsedTimer clock;
    FrameCounter counter;
    int framesAtFirstCard = 0;
    double dealStartMs = 0;
    QTimer watch;
    watch.setTimerType(Qt::PreciseTimer);
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        TPlayer* table = window.tableWindow();
        if (!table) return;
        if (counter.parent() == nullptr) {
            counter.setParent(table);
            table->View().viewport()->installEventFilter(&counter);
        }
        if (result.FirstCardShownMs == 0 && table->Scene().Card("pos11")->isVisible()) {
            result.FirstCardShownMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            dealStartMs = result.FirstCardShownMs;
            framesAtFirstCard = counter.Frames;
        }
        if (result.FirstCardLandedMs == 0 && Landed(*table, "pos11"))
            result.FirstCardLandedMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        if (result.FirstCardShownMs > 0 && Landed(*table, "pos2")) {
            const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6 - dealStartMs;
            result.DealFrames = counter.Frames - framesAtFirstCard;
            result.DealFramesPerSecond = ms > 0 ? result.DealFrames * 1000.0 / ms : 0;
            table->View().viewport()->removeEventFilter(&counter);
            counter.setParent(nullptr);
            watch.stop();
            window.findChild<QAction*>("GameReset1")->trigger();
        }
    });
    watch.start();
    clock.start();
    window.findChild<QAction*>("Simulation1")->trigger();
    watch.stop();

    // Normal Play waiting for a bet.
    QTimer::singleShot(1000, [&] {
        const double cpuBefore = ProcessCpuMs();
        QElapsedTimer idle;
        idle.start();
        QTimer::singleShot(3000, [&, cpuBefore] {
            const double wall = static_cast<double>(idle.nsecsElapsed()) / 1e6;
            result.IdleCpuPercent = std::max(0.0, 100.0 * (ProcessCpuMs() - cpuBefore) / wall);
            window.findChild<QAction*>("GameReset1")->trigger();
        });
    });
    window.findChild<QAction*>("NormalPlay1")->trigger();
    return result;
}

} // namespace zvx::gui
