// The casino table: cards on their places, the hole card, the pointer, the split, payouts, the pause, and
// computer play at the table with its money checked after every round.

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QGraphicsView>
#include <QScrollBar>
#include <QWheelEvent>
#include <QTest>

#include <sys/resource.h>

#include <chrono>
#include <cmath>

#include "cards/qt/card_pictures.h"
#include "engine/options_file.h"
#include "engine/round.h"
#include "engine/settlement.h"
#include "engine/shoe.h"
#include "engine/startup.h"
#include "shell/qt/main_form.h"
#include "table/chip_rack.h"
#include "table/pacing.h"
#include "table/qt/player.h"
#include "tests/qt/gui_test_support.h"
#include "tests/stacked_shoe.h"

using namespace zvx;
using namespace zvx::gui;
using namespace zvx::testing;

namespace {

void WriteOptions(int minimum, bool twoHands, bool surrender) {
    Game g;
    g.Options.FirstRun = false;
    InstallDefaultOptions(g);
    g.Options.HideStrategyIntro = true;
    g.Options.Rules.TableMinimum = static_cast<std::uint16_t>(minimum);
    g.Options.Rules.PlayTwoHands = twoHands;
    g.Options.Rules.SurrenderAllowed = surrender;
    SaveOptions(g);
}

// A table window of its own, shown at its design size, over the main window's game with a fresh rack.
struct Table {
    Table() {
        WriteOptions(25, false, false);
        main.AppOnActivate();
        Game& g = main.game();
        g.TableShown = true;
        g.Table = &player;
        player.resize(TableWidth, TableHeight);
        player.show();
        QVERIFY(QTest::qWaitForWindowExposed(&player));
        g.Options.Prefs.AnimationSpeed = MinAnimationSpeed;
        g.DelayFactor = 0; // no waiting unless a test asks for it
        g.CurrentBet = 25;
        NewBankroll(g);
    }
    Game& game() { return main.game(); }
    QGraphicsItem* Item(const char* name) { return player.Scene().Item(name); }
    CardPlaceItem* Card(const char* name) { return player.Scene().Card(name); }
    ChipItem* Chip(const char* name) { return player.Scene().Chip(name); }
    THand& Hand(int slot) { return game().Hands[static_cast<std::size_t>(slot)]; }
    // Deals the cards in order: a hand number for each card.
    void Deal(std::initializer_list<int> hands) {
        for (const int hand : hands) DealCard(game(), hand);
    }

    TMainForm main;
    TPlayer player{main, main.game()};
};

std::chrono::nanoseconds ProcessCpu() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return std::chrono::seconds(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           std::chrono::microseconds(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

QAction* MenuItem(TMainForm& w, const char* name) { return w.findChild<QAction*>(name); }

} // namespace

class TableTest : public QObject {
    Q_OBJECT

private slots:
    void cardsLandOnTheirPlacesWithTheHoleCardFaceDown();
    void theEleventhCardAndTheDealersTenthAreShown();
    void thePointerShowsOnlyWhileHandThreeHoldsCards();
    void aSplitMovesTheSecondCardToTheNewHand();
    void aBlackjackIsPaidOntoTheWinningSpotsAndSweptBack();
    void theViewScalesTheTableKeepingItsShape();
    void cardPicturesComeFromTheDeckOrAreDrawnWithoutIt();
    void aPauseRepaintsTakesNoInputAndSleeps();
    void theSpeedBarAnswersClickDragWheelAndKeysEvenDuringAPause();
    void aBetOfTwoEqualChipsShowsItsAmount();
    void theShufflePromptWaitsForAClickOrAKeyOnTheTable();
    void resetAndANewGameWorkInTheMiddleOfAnAnimation();
    void moneyIsConservedOverAThousandComputerPlayedRounds();
};

void TableTest::cardsLandOnTheirPlacesWithTheHoleCardFaceDown() {
    CurrentFolder folder;
    Table t;
    StackShoe(t.game(), {9, 10 + 13, 5, King, 7 + 26});
    t.game().Shoe.CardBackStyle = 1;
    t.Deal({1, 0, 1, 0});
    QVERIFY(t.Card("pos11")->isVisible());
    QCOMPARE(t.Card("pos11")->pos(), QPointF(309, 150));
    QCOMPARE(t.Card("pos12")->pos(), QPointF(317, 174));
    QCOMPARE(t.Card("pos1")->pos(), QPointF(197, 26));
    QCOMPARE(t.Card("pos1")->Picture(), 10 + 13);
    QCOMPARE(t.Card("pos2")->Picture(), RedBackPicture);
    QCOMPARE(t.Card("pos2")->pos(), QPointF(237, 30));

    t.player.RevealHoleCard();
    QCOMPARE(t.Card("pos2")->Picture(), int(King));
    QCOMPARE(t.Card("pos2")->pos(), QPointF(237, 30));
    QCOMPARE(t.Card("pos2")->Width(), 72);

    // The blue back for the other style; a finished dealer is not turned again.
    t.player.ClearTable();
    QVERIFY(!t.Card("pos11")->isVisible());
    StackShoe(t.game(), {9, 10, 5, King});
    t.Hand(0) = THand{};
    t.game().Shoe.CardBackStyle = 0;
    t.Deal({0, 0});
    QCOMPARE(t.Card("pos2")->Picture(), BlueBackPicture);
    t.Hand(0).Finished = true;
    t.player.RevealHoleCard();
    QCOMPARE(t.Card("pos2")->Picture(), BlueBackPicture);
}

void TableTest::theEleventhCardAndTheDealersTenthAreShown() {
    CurrentFolder folder;
    Table t;
    // Eleven small cards make 21 in hand 1; the dealer draws ten to 17.
    StackShoe(t.game(), {Ace, Ace, Ace, Ace, 2, 2, 2, 2, 3, 3, 3, 2, 2, 2, 2, 3, Ace, Ace, Ace, Ace, 2});
    for (int i = 0; i < 11; ++i) t.Deal({1});
    QCOMPARE(t.Hand(1).Total, std::uint16_t(21));
    QVERIFY(t.Card("pos110")->isVisible());
    QVERIFY(t.Card("pos111")->isVisible());
    QCOMPARE(t.Card("pos111")->pos(), QPointF(309 + 80, 390));
    QCOMPARE(t.Card("pos111")->Picture(), 3);
    QVERIFY(!t.Card("pos21")->isVisible()); // not in the next hand's place
    for (int i = 0; i < 10; ++i) t.Deal({0});
    QVERIFY(t.Card("pos9")->isVisible());
    QVERIFY(t.Card("pos10")->isVisible());
    QCOMPARE(t.Card("pos10")->Picture(), 2);
}

void TableTest::thePointerShowsOnlyWhileHandThreeHoldsCards() {
    CurrentFolder folder;
    Table t;
    StackShoe(t.game(), {8, 9, 8 + 13, 10});
    t.Deal({1, 0, 1, 0});
    t.player.ShowPointer(1);
    QVERIFY(!t.Item("Pointer")->isVisible());
    t.Hand(1).Finished = false;
    SplitHand(t.game(), 1, 3);
    t.player.ShowPointer(1);
    QVERIFY(t.Item("Pointer")->isVisible());
    QCOMPARE(t.Item("Pointer")->pos(), QPointF(380, 136));
    t.player.ShowPointer(3);
    QCOMPARE(t.Item("Pointer")->x(), 80.0);
    t.player.ShowPointer(0);
    QVERIFY(!t.Item("Pointer")->isVisible());
    t.player.ShowHandText(0, "17"); // the dealer has no text panel
    QVERIFY(!t.Item("Hand1")->isVisible());
}

void TableTest::aSplitMovesTheSecondCardToTheNewHand() {
    CurrentFolder folder;
    Table t;
    Game& g = t.game();
    StackShoe(g, {8, 9, 8 + 13, 10, 3, 2 + 26});
    t.player.PlaceBetChip(25, 1, false);
    const double bankrollAfterBet = g.Bankroll;
    t.Deal({1, 0, 1, 0});
    t.Hand(1).Finished = false;
    t.Hand(1).StrategyBets[1] = 25;
    SplitHand(g, 1, 3);
    // The moved card is on the new hand's first place; the old second place went home and then took the
    // split hand's next card.
    QCOMPARE(t.Card("pos31")->pos(), QPointF(5, 150));
    QCOMPARE(t.Card("pos31")->Picture(), 8 + 13);
    QCOMPARE(t.Card("pos12")->pos(), QPointF(317, 174));
    QCOMPARE(t.Card("pos12")->Picture(), 3);
    QCOMPARE(t.Card("pos32")->Picture(), 2 + 26);
    // The new hand's bet came from the rack.
    QVERIFY(t.Chip("Bet3")->isVisible());
    QCOMPARE(t.Chip("Bet3")->Value(), 25);
    QCOMPARE(g.Bankroll, bankrollAfterBet - 25);
    QCOMPARE(t.player.ChipsOnTable(), 50.0);

    // The same move alone, from a hand whose second place is shown: the source ends hidden at home.
    t.player.ClearTable();
    StackShoe(g, {8, 8 + 13});
    t.Hand(2) = THand{};
    t.Deal({2, 2});
    t.player.MoveCard(2, 4);
    QVERIFY(!t.Card("pos22")->isVisible());
    QCOMPARE(t.Card("pos22")->pos(), QPointF(469, 174));
    QCOMPARE(t.Card("pos41")->pos(), QPointF(157, 150));
}

void TableTest::aBlackjackIsPaidOntoTheWinningSpotsAndSweptBack() {
    CurrentFolder folder;
    Table t;
    Game& g = t.game();
    const double start = g.Bankroll;
    t.player.PlaceBetChip(25, 1, false);
    t.Hand(1).StrategyBets[1] = 25;
    t.player.ShowHandResult(1, 1.5);
    QCOMPARE(static_cast<PanelItem*>(t.Item("Hand1"))->Text(), QString("Win $37.50"));
    QCOMPARE(t.Chip("Bet111")->Value(), 25);
    QCOMPARE(t.Chip("Bet1111")->Value(), 5);
    QCOMPARE(t.Chip("Bet1111")->Count(), 2);
    QVERIFY(t.Item("Ring1111")->isVisible());
    QCOMPARE(t.Chip("Bet11111")->Value(), 2);
    QCOMPARE(t.player.ChipsOnTable(), 62.5);
    QCOMPARE(t.player.DealerNet(), -37.5);
    t.player.ReturnAllChips();
    QCOMPARE(g.Bankroll, start + 37.5);
    QCOMPARE(t.player.ChipsOnTable(), 0.0);
    QCOMPARE(RackWorth(g.ChipCounts), g.Bankroll);

    // A surrender in computer play: the dealer takes the bet and half of it comes back.
    t.player.PlaceBetChip(25, 1, false);
    t.player.ShowHandResult(1, -0.5);
    QCOMPARE(static_cast<PanelItem*>(t.Item("Hand1"))->Text(), QString("Lose $12.50"));
    QCOMPARE(t.player.ChipsOnTable(), 12.5);
    t.player.ReturnAllChips();
    QCOMPARE(g.Bankroll, start + 37.5 - 12.5);
    QCOMPARE(static_cast<PanelItem*>(t.Item("BankPanel"))->Text(), QString::fromStdString(BankText(g.Bankroll)));
}

void TableTest::theViewScalesTheTableKeepingItsShape() {
    CurrentFolder folder;
    Table t;
    QCOMPARE(t.player.View().Scale(), 1.0);
    t.player.resize(2 * TableWidth, 3 * TableHeight);
    QTest::qWait(20);
    QCOMPARE(t.player.View().Scale(), 2.0);
    // Table coordinates are the same whatever the size: the gestures map through the view.
    const QPoint onBank = t.player.View().mapFromScene(QPointF(550, 395));
    QCOMPARE(t.player.ToScene(t.player.View().mapTo(&t.player, onBank)).toPoint(), QPoint(550, 395));
    t.player.ShowBankroll();
    QCOMPARE(t.player.Scene().NamedItemAt(QPointF(550, 395)), QString("BankPanel"));
}

void TableTest::cardPicturesComeFromTheDeckOrAreDrawnWithoutIt() {
    TCardImage deck;
    QVERIFY2(deck.FromDeck(), "the SVG deck of gnome-cards-data is missing");
    QCOMPARE(TCardImage::ElementId(14), QString("heart_1"));
    QCOMPARE(TCardImage::ElementId(52), QString("diamond_king"));
    QCOMPARE(TCardImage::ElementId(37), QString("club_jack"));
    const QImage red = deck.Picture(RedBackPicture, QSize(71, 96)).toImage();
    const QImage blue = deck.Picture(BlueBackPicture, QSize(71, 96)).toImage();
    auto redness = [](const QImage& image) {
        long long r = 0, b = 0;
        for (int y = 10; y < 86; ++y)
            for (int x = 10; x < 61; ++x) {
                r += qRed(image.pixel(x, y));
                b += qBlue(image.pixel(x, y));
            }
        return r - b;
    };
    QVERIFY(redness(red) > 0);
    QVERIFY(redness(blue) < 0);
    // Cached per card and size.
    deck.Picture(1, QSize(71, 96));
    deck.Picture(1, QSize(71, 96));
    deck.Picture(1, QSize(142, 192));
    QCOMPARE(deck.CachedPictures(), 4);

    // Without the deck file every picture is drawn by the program, never blank.
    TCardImage none("/nonexistent/deck.svgz");
    QVERIFY(!none.FromDeck());
    for (const int picture : {1, 13, 40, RedBackPicture, BlueBackPicture}) {
        const QImage image = none.Picture(picture, QSize(71, 96)).toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < 96; y += 3)
            for (int x = 0; x < 71; x += 3) colours.insert(image.pixel(x, y));
        QVERIFY2(colours.size() > 3, qPrintable(QString("picture %1 is blank").arg(picture)));
    }
}

void TableTest::aPauseRepaintsTakesNoInputAndSleeps() {
    CurrentFolder folder;
    Table t;
    Game& g = t.game();
    // A hundred units of about 8 ms each.
    g.Options.Prefs.AnimationSpeed = DefaultAnimationSpeed;
    g.DelayFactor = DelayFactorForSpeed(DefaultAnimationSpeed);
    int paints = 0;
    int presses = 0;
    struct Counter : QObject {
        int* paints;
        int* presses;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++*paints;
            if (e->type() == QEvent::MouseButtonPress) ++*presses;
            return false;
        }
    } counter;
    counter.paints = &paints;
    counter.presses = &presses;
    QWidget* viewport = t.player.View().viewport();
    viewport->installEventFilter(&counter);
    QTest::qWait(50);
    paints = 0;
    After(60, [&] { QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(100, 100)); });
    t.player.ShowBankroll(); // something to paint
    const auto cpuBefore = ProcessCpu();
    const auto wallBefore = std::chrono::steady_clock::now();
    t.player.Pause(100);
    const auto wall = std::chrono::steady_clock::now() - wallBefore;
    const auto cpu = ProcessCpu() - cpuBefore;
    QVERIFY(paints >= 1);
    QCOMPARE(presses, 0);
    QVERIFY(wall >= std::chrono::milliseconds(290));
    // A waiting table sleeps: far less processor time than wall time.
    QVERIFY2(cpu < wall / 2, qPrintable(QString("%1 ms of processor time in a %2 ms pause")
                                            .arg(std::chrono::duration<double, std::milli>(cpu).count())
                                            .arg(std::chrono::duration<double, std::milli>(wall).count())));
    // Outside a pause the table takes its input again.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(100, 100));
    QCOMPARE(presses, 1);
    viewport->removeEventFilter(&counter);
}

void TableTest::theSpeedBarAnswersClickDragWheelAndKeysEvenDuringAPause() {
    CurrentFolder folder;
    Table t;
    t.game().AutoPlay = true;
    t.Item("ScrollBar1")->show();
    t.player.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&t.player));
    QScrollBar* bar = t.player.Scene().SpeedBar();
    QWidget* viewport = t.player.View().viewport();
    const Place& place = PlaceNamed("ScrollBar1");
    auto at = [&](double fraction) {
        return t.player.View().mapFromScene(
            QPointF(place.Left + place.Width * fraction, place.Top + place.Height / 2.0));
    };
    // A click in the trough right of the handle pages toward the fast end, and the pace follows.
    bar->setValue(50);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at(0.85));
    QCOMPARE(bar->value(), 60);
    QCOMPARE(t.game().SimulationDelay, std::uint16_t(41));
    // The handle dragged to the right.
    bar->setValue(50);
    QTest::mousePress(viewport, Qt::LeftButton, {}, at(0.5));
    for (int i = 1; i <= 10; ++i) QTest::mouseMove(viewport, at(0.5 + 0.04 * i));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at(0.9));
    QVERIFY2(bar->value() > 80, qPrintable(QString::number(bar->value())));
    // The keys, once a click has given the bar the focus.
    const int dragged = bar->value();
    QTest::keyClick(&t.player.View(), Qt::Key_Left);
    QCOMPARE(bar->value(), dragged - 10);
    // The wheel over the bar.
    const int keyed = bar->value();
    const QPoint over = at(0.5);
    QWheelEvent wheel(over, viewport->mapToGlobal(over), {}, QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(viewport, &wheel);
    QVERIFY(bar->value() != keyed);
    // In the middle of a pause, which takes no other input.
    t.game().DelayFactor = DelayFactorForSpeed(DefaultAnimationSpeed);
    t.game().Options.Prefs.AnimationSpeed = DefaultAnimationSpeed;
    bar->setValue(50);
    After(100, [&] { QTest::mouseClick(viewport, Qt::LeftButton, {}, at(0.15)); });
    t.player.Pause(60);
    QCOMPARE(bar->value(), 40);
}

void TableTest::aBetOfTwoEqualChipsShowsItsAmount() {
    CurrentFolder folder;
    Table t;
    t.player.PlaceBetChip(25, 1, false);
    QCOMPARE(t.Chip("Bet1")->AmountTag(), QString());
    t.player.PlaceBetChip(25, 1, true);
    QCOMPARE(t.Chip("Bet1")->Count(), 2);
    QCOMPARE(t.Chip("Bet1")->AmountTag(), QString("$50"));
    // The tag is drawn under the chip, inside what the item repaints.
    QVERIFY(t.Chip("Bet1")->boundingRect().height() > PlaceNamed("Bet1").Height);
}

void TableTest::theShufflePromptWaitsForAClickOrAKeyOnTheTable() {
    CurrentFolder folder;
    Table t;
    QWidget* viewport = t.player.View().viewport();
    bool shownWhileWaiting = false;
    After(150, [&] {
        shownWhileWaiting = t.Item("AdvicePanel")->isVisible();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(50, 200));
    });
    QElapsedTimer clock;
    clock.start();
    t.player.WaitForPlayerToGoOn("SHUFFLE - CLICK TO GO ON");
    QVERIFY(clock.elapsed() >= 140); // timers and repaints do not end the wait
    QVERIFY(shownWhileWaiting);
    QVERIFY(!t.Item("AdvicePanel")->isVisible());
    After(100, [&] { QTest::keyClick(&t.player.View(), Qt::Key_Space); });
    clock.restart();
    t.player.WaitForPlayerToGoOn("SHUFFLE - CLICK TO GO ON");
    QVERIFY(clock.elapsed() >= 90);
}

void TableTest::resetAndANewGameWorkInTheMiddleOfAnAnimation() {
    CurrentFolder folder;
    WriteOptions(25, true, false);
    TMainForm w;
    w.show();
    w.AppOnActivate();
    bool nestedStarted = false;
    bool tableWasShown = false;
    // A new game chosen while the first one's cards are moving, then a reset while the second one plays.
    After(300, [&] {
        tableWasShown = w.tableWindow() && w.tableWindow()->isVisible();
        After(300, [&] { MenuItem(w, "GameReset1")->trigger(); });
        nestedStarted = true;
        MenuItem(w, "Simulation1")->trigger();
    });
    MenuItem(w, "Simulation1")->trigger();
    QVERIFY(tableWasShown);
    QVERIFY(nestedStarted);
    QVERIFY(!w.gameRunning());
    QVERIFY(!w.game().TableShown);
    QTest::qWait(50);
    QVERIFY(w.tableWindow() == nullptr);
}

void TableTest::moneyIsConservedOverAThousandComputerPlayedRounds() {
    CurrentFolder folder;
    // The $5 table with two boxes, surrender and every double: half chips, two-chip bets and every payout.
    WriteOptions(5, true, true);
    StartOptions options;
    options.Seed = 11;
    TMainForm w(options);
    w.show();
    w.AppOnActivate();
    Game& g = w.game();
    // The fastest play: the fewest animation steps and no pause at all, so the rounds go as fast as the
    // table can lay out its chips.
    g.Options.Prefs.AnimationSpeed = MinAnimationSpeed;
    g.DelayFactor = 0;
    int rounds = 0;
    int games = 0;
    int faults = 0;
    QString firstFault;
    const int wanted = 1000;
    while (rounds < wanted && games < 50) {
        ++games;
        After(0, [&] {
            TPlayer* table = w.tableWindow();
            QVERIFY(table);
            table->Scene().SpeedBar()->setValue(100); // the fastest play
            connect(table, &TPlayer::roundSwept, table, [&, table] {
                ++rounds;
                const double start = 200.0 * g.Rules().TableMinimum;
                const double held = g.Bankroll + table->ChipsOnTable() + table->DealerNet();
                bool negative = false;
                for (const auto count : g.ChipCounts) negative |= count < 0;
                if ((std::fabs(held - start) > 0.001 || negative || RackWorth(g.ChipCounts) != g.Bankroll) &&
                    faults++ == 0)
                    firstFault = QString("round %1: bankroll %2 + table %3 + dealer %4 != %5")
                                     .arg(rounds)
                                     .arg(g.Bankroll)
                                     .arg(table->ChipsOnTable())
                                     .arg(table->DealerNet())
                                     .arg(start);
                if (rounds >= wanted) MenuItem(w, "GameReset1")->trigger();
            });
        });
        MenuItem(w, "Simulation1")->trigger(); // returns when the bankroll runs out or at the reset
    }
    QCOMPARE(rounds, wanted);
    QVERIFY2(faults == 0, qPrintable(firstFault));
}

QTEST_MAIN(TableTest)
#include "table_test.moc"
