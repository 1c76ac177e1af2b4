// What the player sees of the mode and the boxes at the real table: the Practice Deck named in the title, on the
// table and in the status bar; box 1's split beside box 2 bracketed with box 1; and chip drags made while the
// last round's chips still fly, which count once the bets open, or fly back where they bet nothing.

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QStatusBar>
#include <QTest>

#include <deque>
#include <functional>

#include "engine/action_items.h"
#include "engine/startup.h"
#include "shell/qt/main_form.h"
#include "table/layout.h"
#include "table/qt/player.h"
#include "tests/qt/gui_test_support.h"
#include "tests/qt/quiet_start.h"
#include "tests/qt/table_script.h"
#include "tests/stacked_shoe.h"

using namespace zvx;
using namespace zvx::gui;
using namespace zvx::testing;

namespace {

using Script = TableScript;

struct Table {
    explicit Table(bool twoHands) {
        WriteQuietOptions([twoHands](Game& g) {
            g.Options.Prefs.AnimationSpeed = 1000;
            g.Options.Prefs.SoundOn = false;
            g.Options.Rules.TableMinimum = 25;
            g.Options.Rules.PlayTwoHands = twoHands;
        });
        StartOptions options;
        options.Seed = 5;
        window = std::make_unique<TMainForm>(options);
        window->show();
        window->AppOnActivate();
        const QSize extra = window->size() - window->mdiArea()->size();
        window->resize(QSize(TableWidth, TableHeight) + extra);
    }
    Game& g() { return window->game(); }
    TPlayer& player() { return *window->tableWindow(); }
    QWidget* viewport() { return player().View().viewport(); }
    QPoint At(QPointF scenePoint) { return player().View().mapFromScene(scenePoint); }
    QPointF Middle(const char* name) {
        const Place& place = PlaceNamed(name);
        return {place.Left + place.Width / 2.0, place.Top + place.Height / 2.0};
    }
    void Click(const char* name) { QTest::mouseClick(viewport(), Qt::LeftButton, {}, At(Middle(name))); }
    void Press(QPointF at) { QTest::mousePress(viewport(), Qt::LeftButton, {}, At(at)); }
    void MoveTo(QPointF from, QPointF to) {
        for (int i = 1; i <= 8; ++i) QTest::mouseMove(viewport(), At(from + (to - from) * i / 8));
    }
    void Release(QPointF at) { QTest::mouseRelease(viewport(), Qt::LeftButton, {}, At(at)); }
    bool WaitingForBet() { return g().TableShown && g().BettingOpen && g().ChosenBet == 0; }
    bool WaitingForDecision() {
        return g().TableShown && !g().BettingOpen && (window->visibleActionItems() & StandItem) != 0;
    }
    void Play(const char* item) { window->findChild<QAction*>(item)->trigger(); }
    void Reset() { window->findChild<QAction*>("GameReset1")->trigger(); }
    QString ModeName() {
        auto* label = window->statusBar()->findChild<QLabel*>("ModeName");
        return label && label->isVisible() ? label->text() : QString();
    }

    CurrentFolder folder;
    std::unique_ptr<TMainForm> window;
};

// A chip of the $25 column dropped on box 1.
const QPointF OnBox1(340, 380);

} // namespace

class TableModesTest : public QObject {
    Q_OBJECT

private slots:
    void everyModeNamesItselfAndThePracticeDeckSaysItPlaysNoMoney();
    void aSplitOfBoxOneBesideBoxTwoIsBracketedWithBoxOne();
    void aDragMadeWhileTheChipsSweepCounts_data();
    void aDragMadeWhileTheChipsSweepCounts();
    void aChipDroppedWhereItBetsNothingFliesHome();
};

void TableModesTest::everyModeNamesItselfAndThePracticeDeckSaysItPlaysNoMoney() {
    Table t(false);
    struct Seen {
        QString Title, Status, Caption;
    };
    std::vector<Seen> seen;
    Script script(*t.window);
    const auto look = [&] {
        const PanelItem* caption = t.window->tableWindow() ? t.player().Scene().Panel("ModeCaption") : nullptr;
        seen.push_back({t.window->windowTitle(), t.ModeName(), caption && caption->isVisible() ? caption->Text() : ""});
    };
    script.When([&] { return t.WaitingForDecision(); }, [&] {
        look();
        t.Play("NormalPlay1");
    });
    script.When([&] { return t.WaitingForBet(); }, [&] {
        look();
        t.Play("Simulation1");
    });
    // Computer play is always animating or pausing: it is looked at from a timer of its own.
    QTimer computer;
    computer.setInterval(5);
    QObject::connect(&computer, &QTimer::timeout, [&] {
        if (!t.g().AutoPlay || !t.window->tableWindow() || t.g().Hands[1].CardCount == 0) return;
        computer.stop();
        look();
        t.Reset();
    });
    computer.start();
    script.Start();
    t.Play("PracticeDeck1");
    // The game ended: the title and the status bar name no mode.
    look();
    QVERIFY(script.Done());
    QCOMPARE(seen.size(), std::size_t(4));
    QVERIFY2(seen[0].Title.endsWith(" - Practice Deck"), qPrintable(seen[0].Title));
    QCOMPARE(seen[0].Status, QString("PRACTICE DECK - decisions only, no money"));
    QCOMPARE(seen[0].Caption, QString("PRACTICE DECK - decisions only, no money"));
    QVERIFY2(seen[1].Title.endsWith(" - Normal Play"), qPrintable(seen[1].Title));
    QCOMPARE(seen[1].Status, QString("Normal Play"));
    QVERIFY(seen[1].Caption.isEmpty());
    QVERIFY2(seen[2].Title.endsWith(" - Computer Simulated Play"), qPrintable(seen[2].Title));
    QCOMPARE(seen[2].Status, QString("Computer Simulated Play"));
    QVERIFY(seen[2].Caption.isEmpty());
    QVERIFY2(!seen[3].Title.contains(" - "), qPrintable(seen[3].Title));
    QVERIFY(seen[3].Status.isEmpty());
}

void TableModesTest::aSplitOfBoxOneBesideBoxTwoIsBracketedWithBoxOne() {
    Table t(true);
    BoxAnswerer boxes;
    Script script(*t.window);
    bool bracketBeforeSplit = true;
    bool bracketAfterSplit = false;
    QRectF bracket;
    script.When([&] { return t.WaitingForBet(); }, [&] {
        // Box 1: 8, 8 against a 6; box 2: 10, 9; each split hand draws a 10.
        StackShoe(t.g(), {8, 10, 6, 8 + 13, 9, 10, 10, 10, 10});
        t.Press(t.Middle("Bet25"));
        t.MoveTo(t.Middle("Bet25"), t.Middle("BetBox3"));
        t.Release(t.Middle("BetBox3")); // a chip on box 2 bets both boxes
    });
    script.When([&] { return t.WaitingForDecision(); }, [&] {
        QVERIFY(t.g().SecondBoxActive);
        bracketBeforeSplit = t.player().Scene().Item("Box1Bracket")->isVisible();
        // Box 1's second card dragged to the right splits the pair; the new hand goes to hand 4.
        const QPointF card = t.Middle("pos12");
        t.Press(card);
        t.MoveTo(card, card + QPointF(70, 0));
        t.Release(card + QPointF(70, 0));
    });
    script.When([&] { return t.WaitingForDecision() && t.g().Hands[4].CardCount == 2; }, [&] {
        QGraphicsItem* item = t.player().Scene().Item("Box1Bracket");
        bracketAfterSplit = item->isVisible();
        bracket = item->sceneBoundingRect();
        t.Reset();
    });
    script.Start();
    t.Play("NormalPlay1");
    QVERIFY(script.Done());
    QVERIFY(!bracketBeforeSplit);
    QVERIFY(bracketAfterSplit);
    // Under the split hand (hand 4, beside box 2) and box 1's own hand, and no further left than hand 4's chips.
    QVERIFY(bracket.left() <= PlaceNamed("Bet4").Left);
    QVERIFY(bracket.left() > PlaceNamed("Bet3").Left + 44);
    QVERIFY(bracket.right() >= PlaceNamed("Bet11").Left + 44);
    QVERIFY(bracket.top() >= PlaceNamed("Bet1").Top + 44);
}

void TableModesTest::aDragMadeWhileTheChipsSweepCounts_data() {
    QTest::addColumn<bool>("releasedDuringSweep");
    QTest::newRow("the whole drag during the sweep") << true;
    QTest::newRow("pressed during the sweep, released after it") << false;
}

void TableModesTest::aDragMadeWhileTheChipsSweepCounts() {
    QFETCH(bool, releasedDuringSweep);
    Table t(false);
    t.g().Options.Prefs.AnimationSpeed = 8000; // a sweep long enough to drag in
    BoxAnswerer boxes;
    Script script(*t.window);
    const QPointF chip = t.Middle("Bet25");
    bool sweeping = false;
    bool dragged = false;
    bool betPlaced = false;
    // The mouse acts from a timer, as a player's does: inside the sweep's pauses, when the table takes no input.
    QTimer mouse;
    mouse.setInterval(1);
    QObject::connect(&mouse, &QTimer::timeout, [&] {
        if (!sweeping || dragged) return;
        dragged = true;
        t.Press(chip);
        t.MoveTo(chip, releasedDuringSweep ? OnBox1 : (chip + OnBox1) / 2);
        if (releasedDuringSweep) t.Release(OnBox1);
    });
    script.When([&] { return t.WaitingForBet(); }, [&] {
        StackShoe(t.g(), {10, 10, 10, 7}); // 20 against 17: a win, paid and swept
        t.Click("Bet25");
    });
    script.When([&] { return t.WaitingForDecision(); }, [&] {
        // The sweep: the round's results are up and box 1's bet has left its spot for the rack.
        t.player().OnStep = [&] {
            if (!t.g().BettingOpen && t.player().Scene().Item("Hand1")->isVisible() &&
                !t.player().Scene().Item("Bet1")->isVisible())
                sweeping = true;
        };
        mouse.start();
        t.Click("pos2"); // stand
    });
    script.When([&] { return dragged && (releasedDuringSweep || t.g().BettingOpen); }, [&] {
        if (releasedDuringSweep) return;
        t.MoveTo((chip + OnBox1) / 2, OnBox1);
        t.Release(OnBox1);
    });
    script.When([&] { return dragged && (t.WaitingForBet() || t.WaitingForDecision()); }, [&] {
        betPlaced = t.WaitingForDecision() && t.g().CurrentBet == 25;
        t.player().OnStep = nullptr;
        t.Reset();
    });
    // A drag lost for good leaves the game waiting for a bet: the test ends it.
    QTimer::singleShot(60000, t.window.get(), [&] { t.Reset(); });
    script.Start();
    t.Play("NormalPlay1");
    QVERIFY(dragged);
    QVERIFY(betPlaced);
}

void TableModesTest::aChipDroppedWhereItBetsNothingFliesHome() {
    Table t(false);
    BoxAnswerer boxes;
    Script script(*t.window);
    double bankroll = 0;
    int flightPictures = 0;
    script.When([&] { return t.WaitingForBet(); }, [&] {
        StackShoe(t.g(), {10, 10, 2, 7, 5});
        t.Click("Bet25");
    });
    script.When([&] { return t.WaitingForDecision(); }, [&] {
        bankroll = t.g().Bankroll;
        t.player().OnStep = [&] {
            const QGraphicsItem* moving = t.player().Scene().Item("MovingChip");
            if (moving->isVisible() && moving->x() > 130 && moving->x() < 580) ++flightPictures;
        };
        // The $25 chip dropped on the felt between the boxes, beside no bet: it neither doubles nor splits.
        const QPointF chip = t.Middle("Bet25");
        const QPointF felt(150, 250);
        t.Press(chip);
        t.MoveTo(chip, felt);
        t.Release(felt);
        t.player().OnStep = nullptr;
        QCOMPARE(t.g().Bankroll, bankroll);
        QCOMPARE(t.g().PlayerAction, NoAction);
        QVERIFY(!t.player().Scene().Item("MovingChip")->isVisible());
        t.Reset();
    });
    script.Start();
    t.Play("NormalPlay1");
    QVERIFY(script.Done());
    QVERIFY2(flightPictures > 0, "the chip vanished where it was dropped");
}

QTEST_MAIN(TableModesTest)
#include "table_modes_test.moc"
