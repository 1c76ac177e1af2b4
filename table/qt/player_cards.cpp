#include "table/qt/player.h"

#include <QScrollBar>

#include <cmath>

#include "table/layout.h"
#include "table/pacing.h"
#include "table/qt/player_support.h"

namespace zvx::gui {

void TPlayer::ClearTable() {
    for (const Place& place : TableLayout())
        if (place.Kind == PlaceKind::CardPlace) {
            CardPlaceItem* card = scene_->Card(Q(place.Name));
            card->hide();
            card->SetPicture(0);
        }
    for (const char* name : {"Hand1", "Hand2", "Hand3", "Hand4"}) Show(name, false);
    box1Hands_ = 1u << 1;
    ShowBoxBracket();
    ShowPointer(0);
    Repaint();
}

void TPlayer::ShowCard(int slot, const TCard& card) {
    // The position comes from the hand, not from the slot code alone, whose eleventh card of a hand would
    // name the next hand's first place.
    const int position = card.Slot - 10 * slot;
    const Place* place = PlaceForCard(slot, position);
    if (!place) return;
    BusyScope busy(*this);
    CardPlaceItem* item = scene_->Card(Q(place->Name));
    const bool holeCard = slot == DealerSlot && position == 2;
    item->SetPicture(holeCard ? CardBackPicture(game_.Shoe.CardBackStyle) : card.Face);
    const int n = DealSteps(Speed(), place->Top);
    const int dx = TowardTarget(place->Left - DealOrigin.X, n);
    const int dy = StepOffset(place->Top - DealOrigin.Y, n);
    item->setPos(DealOrigin.X, DealOrigin.Y);
    item->show();
    Repaint();
    Step(item, n, dx, dy);
    item->setPos(place->Left, place->Top);
    Repaint();
}

void TPlayer::RevealHoleCard() {
    const THand& dealer = game_.Hands[DealerSlot];
    if (dealer.Finished || dealer.CardCount < 2 || !dealer.Cards[2]) return;
    BusyScope busy(*this);
    CardPlaceItem* card = scene_->Card("pos2");
    const QPointF home = card->pos();
    const int width = card->Width();
    const int n = FlipSteps(Speed());
    const int w = FlipWidthStep(n);
    card->show();
    card->SetStretched(true);
    for (int i = 0; i < n; ++i) {
        card->moveBy(w, 0);
        card->SetWidth(card->Width() - 2 * w);
        Repaint();
        StepPause(pauses::FlipStep);
    }
    // The flip lets the menus run: a reset there has taken the hole card away.
    if (const TCard* hole = dealer.Cards[2]) card->SetPicture(hole->Face);
    for (int i = 0; i < n; ++i) {
        card->moveBy(-w, 0);
        card->SetWidth(card->Width() + 2 * w);
        Repaint();
        StepPause(pauses::FlipStep);
    }
    card->setPos(home);
    card->SetWidth(width);
    card->SetStretched(false);
    Repaint();
}

void TPlayer::MoveCard(int fromSlot, int toSlot) {
    const QString sourceName = Q(CardPlaceName(fromSlot, 2));
    const Place& target = PlaceNamed(CardPlaceName(toSlot, 1));
    CardPlaceItem* source = scene_->Card(sourceName);
    CardPlaceItem* moving = scene_->Card(Q(target.Name));
    if (!source || !moving) return;
    BusyScope busy(*this);
    moving->SetPicture(source->Picture());
    moving->setPos(source->pos());
    moving->show();
    source->hide();
    const double dx = target.Left - source->x();
    const int n = SplitSteps(Speed(), static_cast<int>(dx));
    const int dy = -StepOffset(static_cast<int>(std::lround(std::fabs(target.Top - source->y()))), n);
    Step(moving, n, TowardTarget(dx, n), dy);
    moving->setPos(target.Left, target.Top);
    scene_->Home(sourceName);
    source->SetPicture(0);
    if (box1Hands_ & (1u << fromSlot)) box1Hands_ |= 1u << toSlot;
    ShowBoxBracket();
    Repaint();
}

// Hand 4 lies between the boxes, beside box 2's hand: when it holds a split of box 1 (two boxes in play), a
// bracket under box 1's hands keeps them together.
void TPlayer::ShowBoxBracket() {
    BracketItem* bracket = scene_->Bracket("Box1Bracket");
    const bool shown = game_.SecondBoxActive && (box1Hands_ & (1u << 4)) != 0;
    if (shown) bracket->SetWidth(BoxBracketWidth(box1Hands_ & (1u << 2) ? 2 : 1));
    bracket->setVisible(shown);
}

bool TPlayer::FirstPlaceShown(int slot) {
    const CardPlaceItem* first = scene_->Card(Q(CardPlaceName(slot, 1)));
    return first && first->isVisible();
}

void TPlayer::ShowPointer(int slot) {
    QGraphicsItem* pointer = scene_->Item("Pointer");
    if (slot >= 1 && slot <= 4) pointer->setX(PointerLeft(slot));
    // One hand on the table needs no pointer: it shows only while hand 3 holds cards.
    pointer->setVisible(slot != 0 && scene_->Item("pos31")->isVisible());
    Repaint();
}

void TPlayer::ShowHandText(int slot, const std::string& text) {
    if (slot < 1 || slot > 4) return;
    PanelItem* panel = scene_->Panel(QString("Hand%1").arg(slot));
    panel->SetText(Q(text));
    panel->show();
    Repaint();
}

void TPlayer::ShowAdvice(const std::string& text) {
    if (!game_.AutoPlay) {
        ShowLimitPanels();
        return;
    }
    game_.SimulationDelay = 101 - scene_->SpeedBar()->value();
    PanelItem* panel = scene_->Panel("AdvicePanel");
    panel->SetColours(Qt::blue, Qt::white);
    panel->SetText(Q(text));
    panel->show();
    Repaint();
    if (text.empty()) return;
    AdvicePause(game_.SimulationDelay);
    panel->hide();
    Repaint();
}

void TPlayer::SlideCutCard(bool show) {
    QGraphicsItem* cut = scene_->Item("CutCard");
    // Nothing to take away when the cut card is not on the table.
    if (!show && !cut->isVisible()) return;
    BusyScope busy(*this);
    const int n = CutCardSteps(Speed());
    const Point target = show ? CutCardHome : CutCardGone;
    if (show) cut->setPos(DealOrigin.X, DealOrigin.Y);
    const int dx = RoundedStepOffset(static_cast<int>(target.X - cut->x()), n);
    const int dy = RoundedStepOffset(static_cast<int>(target.Y - cut->y()), n);
    Step(cut, n, dx, dy);
    cut->setPos(target.X, target.Y);
    if (!show) cut->hide();
    Repaint();
    Pause(pauses::ChipFlight);
}

void TPlayer::AnimateShuffle() {
    BusyScope busy(*this);
    Pause(pauses::BeforeShuffle);
    ClearTable();
    SlideCutCard(false);
    const int speed = Speed();
    const int cards = ShuffleFlickerCards(speed);
    const int pause = ShuffleFlickerPause(speed);
    CardPlaceItem* left = scene_->Card("pos11");
    CardPlaceItem* right = scene_->Card("pos12");
    left->setPos(ShuffleLeftCard.X, ShuffleLeftCard.Y);
    right->setPos(ShuffleRightCard.X, ShuffleRightCard.Y);
    left->show();
    right->show();
    Repaint();
    Pause(pauses::ShuffleSettle);
    const ShoeState& shoe = game_.Shoe;
    for (int d = 41 - cards; d <= 40 && d < shoe.ShoeSize; ++d) {
        const int face = shoe.At(d).Face;
        left->SetPicture(face);
        left->moveBy(1, 0);
        Repaint();
        StepPause(pause);
        right->SetPicture(face);
        right->moveBy(-1, 0);
        Repaint();
        StepPause(pause);
    }
    Pause(pauses::ShuffleSettle);
    left->hide();
    right->hide();
    scene_->Home("pos11");
    scene_->Home("pos12");
    Repaint();
}

} // namespace zvx::gui
