#include "table/qt/table_bench.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

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

// The cards of a round in the order they are dealt (box 1, box 2, the dealer, box 1, box 2, the dealer), then
// the draws, as values. A plain round: 10, 8 and 10, 9 stand against the dealer's 17 and win. A split round:
// box 1 splits 8, 8 against a 6, both hands make 18, the dealer draws to 26.
const std::vector<int> PlainRound = {10, 10, 10, 8, 9, 7};
const std::vector<int> SplitRound = {8, 10, 6, 8, 9, 10, 10, 10, 10};

// Brings cards of the given values to the front of what is left of the shoe, each swapped with another card
// of its value (one already dealt if need be): the shoe keeps its cards, only their order changes.
void ArrangeNextCards(ShoeState& shoe, const std::vector<int>& values) {
    const int first = shoe.CardsDealt;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int position = first + static_cast<int>(i);
        for (int k = 0; k < shoe.ShoeSize; ++k) {
            const int q = (position + k) % shoe.ShoeSize;
            if (q >= first && q < position) continue; // arranged already
            if (shoe.At(q).Value != values[i]) continue;
            std::swap(shoe.Order[static_cast<std::size_t>(position)], shoe.Order[static_cast<std::size_t>(q)]);
            break;
        }
    }
}

// Computer play's rounds timed from one sweep of the chips to the next, a plain round and a split round at each
// bar position; the first round (with the shoe's first shuffle) only starts the clock.
void TimeComputerRounds(TMainForm& window, TableBenchResult& result) {
    constexpr std::array<int, 3> Positions = {100, 50, 1}; // the right end, the start, the left end
    Game& g = window.game();
    QElapsedTimer clock;
    int stage = 0; // even: a plain round, odd: a split round, of Positions[stage / 2]
    bool measuring = false;
    bool arrange = false;
    bool done = false;
    TPlayer* connected = nullptr;
    const auto swept = [&] {
        if (measuring) {
            const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
            const bool split = g.Hands[2].CardCount > 0 || g.Hands[4].CardCount > 0;
            auto& lengths = result.ComputerRounds[static_cast<std::size_t>(stage / 2)];
            // A round that did not go as arranged reads as not measured.
            (stage % 2 == 1 ? lengths.SplitSeconds : lengths.PlainSeconds) = split == (stage % 2 == 1) ? seconds : -1;
            ++stage;
        }
        measuring = false;
        if (stage >= static_cast<int>(2 * Positions.size())) {
            done = true;
            return;
        }
        // No shuffle inside a measured round: near the cut card an unmeasured round shuffles first.
        if (g.Shoe.CardsDealt + 20 > g.Shoe.CutCardPosition) {
            g.Shoe.CardsDealt = g.Shoe.CutCardPosition + 1;
            return;
        }
        window.tableWindow()->Scene().SpeedBar()->setValue(Positions[static_cast<std::size_t>(stage / 2)]);
        arrange = true;
        measuring = true;
        clock.start();
    };
    for (const int position : Positions) result.ComputerRounds.push_back({position, 0, 0});
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        TPlayer* table = window.tableWindow();
        if (!table) return;
        if (done) {
            watch.stop();
            window.findChild<QAction*>("GameReset1")->trigger();
            return;
        }
        if (connected == table) return;
        connected = table;
        QObject::connect(table, &TPlayer::roundSwept, table, swept);
        // The bets are on the table and no card is dealt yet: the round's cards are put in order.
        table->OnStep = [&] {
            if (!arrange || g.Hands[1].Bet == 0 || g.Hands[1].CardCount != 0) return;
            arrange = false;
            ArrangeNextCards(g.Shoe, stage % 2 == 1 ? SplitRound : PlainRound);
        };
    });
    watch.start();
    window.findChild<QAction*>("Simulation1")->trigger();
    watch.stop();
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

    TimeComputerRounds(window, result);

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
