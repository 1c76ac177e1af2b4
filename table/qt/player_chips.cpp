#include "table/qt/player.h"

#include <array>
#include <cmath>

#include "table/chip_gestures.h"
#include "table/layout.h"
#include "table/pacing.h"
#include "table/qt/player_support.h"

namespace zvx::gui {

namespace {

constexpr std::array<int, 4> SweepOrder = {2, 1, 4, 3};

} // namespace

void TPlayer::ShowChipStacks() {
    for (const Place& place : TableLayout()) {
        if (place.Kind != PlaceKind::RackChip && place.Kind != PlaceKind::RackOutline) continue;
        const auto count = game_.ChipCounts[static_cast<std::size_t>(ChipKind(place.Value))];
        const bool shown = place.Kind == PlaceKind::RackChip ? count > 0 : OutlineShown(static_cast<int>(count), place.Threshold);
        Show(Q(place.Name), shown);
    }
    Repaint();
}

void TPlayer::ShowBankroll() {
    PanelItem* bank = scene_->Panel("BankPanel");
    bank->SetText(Q(BankText(game_.Bankroll)));
    bank->show();
    Repaint();
}

void TPlayer::ShowLimitPanels() {
    const LimitTexts texts = LimitPanelTexts(game_.Rules().TableMinimum);
    const QColor background = NamedColour(ChipColour(game_.Rules().TableMinimum));
    const QColor ink = texts.WhiteText ? Qt::white : Qt::black;
    PanelItem* minimum = scene_->Panel("AdvicePanel1");
    PanelItem* maximum = scene_->Panel("AdvicePanel2");
    minimum->SetColours(background, ink);
    maximum->SetColours(background, ink);
    minimum->SetText(Q(texts.Minimum));
    maximum->SetText(Q(texts.Maximum));
    for (const char* name : {"AdvicePanelBorder", "AdvicePanel1", "AdvicePanel2"}) Show(name, true);
    Repaint();
}

void TPlayer::NewChipRack() {
    // A new bankroll starts the books of the table afresh.
    dealerNet_ = 0;
    ShowChipStacks();
    ShowAdvice("");
    ShowBankroll();
}

void TPlayer::ColourUpChips() {
    BusyScope busy(*this);
    zvx::ColourUpChips(game_, *this);
    LoadHeldChipFor(game_.CurrentBet);
}

void TPlayer::PrepareChipsFor(int amount) {
    BusyScope busy(*this);
    zvx::PrepareChipsFor(game_, *this, amount);
    LoadHeldChipFor(game_.CurrentBet);
}

void TPlayer::LoadHeldChipFor(int amount) {
    const int column = ColumnFor(amount);
    ChipItem* held = scene_->Chip("MovingChip");
    const Place& rack = PlaceNamed(RackChipName(column));
    held->SetValue(column);
    held->setPos(rack.Left, rack.Top);
    held->hide();
}

void TPlayer::LoadHeldChip(int amount) { LoadHeldChipFor(amount); }

void TPlayer::TakeMovingChipFromBox1() { scene_->Chip("MovingChip")->SetValue(scene_->Chip("Bet1")->Value()); }

void TPlayer::FlyChip(int value, QPointF from, QPointF to) {
    ChipItem* moving = scene_->Chip("MovingChip");
    moving->SetValue(value);
    moving->setPos(from);
    const QPointF distance = to - from;
    const int n = ChipSteps(Speed(), static_cast<int>(distance.x()), static_cast<int>(distance.y()));
    Step(moving, n, TowardTarget(distance.x(), n), TowardTarget(distance.y(), n));
    moving->setPos(to);
}

void TPlayer::SendChipHome(int value, QPointF from) {
    BusyScope busy(*this);
    LoadHeldChipFor(value);
    const QPointF column = scene_->Item("MovingChip")->pos();
    FlyChip(value, from, column);
    scene_->Item("MovingChip")->hide();
    Repaint();
}

void TPlayer::ShowSpotRing(ChipItem* spot, const QString& ring) {
    OutlineItem* outline = scene_->Outline(ring);
    outline->SetColour(NamedColour(ChipColour(spot->Value())));
    outline->setVisible(spot->isVisible() && spot->Count() >= 2);
}

// The ring needs no flag here: it shows whenever a second chip of the same value lands on the spot.
void TPlayer::PlaceBetChip(int amount, int slot, bool) { PlaceChipOn(amount, Q(SpotName(slot, 1))); }

void TPlayer::PlaceChipOn(int amount, const QString& spotName) {
    BusyScope busy(*this);
    ChipItem* spot = scene_->Chip(spotName);
    LoadHeldChipFor(amount);
    ShowChipStacks();
    if (spotName == "Bet1" && !spot->isVisible()) ClearTable();
    const std::optional<int> value = TakeChipFor(game_, *this, amount);
    if (!value) return; // the rack cannot make the chip: nothing is bet
    ShowChipStacks();
    HideBetPrompts();
    LoadHeldChipFor(amount);
    const QPointF from = scene_->Item("MovingChip")->pos();
    FlyChip(*value, from, spot->pos());
    // A second chip of the same value lies under the first and shows as the ring.
    spot->SetCount(spot->isVisible() && spot->Value() == *value ? spot->Count() + 1 : 1);
    spot->SetValue(*value);
    spot->show();
    QString ring = spotName;
    ring.replace(0, 3, "Ring");
    ShowSpotRing(spot, ring);
    scene_->Item("MovingChip")->hide();
    Repaint();
    Pause(pauses::ChipFlight);
    ShowBankroll();
    zvx::ColourUpChips(game_, *this);
    Pause(pauses::BetChip);
}

bool TPlayer::SpotHasChips(int slot) { return Spot(slot, 1)->isVisible(); }

bool TPlayer::RingShown(int slot) { return scene_->Item(Q(RingName(slot, 1)))->isVisible(); }

double TPlayer::ChipsOnSpot(int slot) {
    const ChipItem* spot = Spot(slot, 1);
    return spot->isVisible() ? ChipWorth(spot->Value()) * spot->Count() : 0;
}

double TPlayer::ChipsOnTable() const {
    double sum = 0;
    for (const Place& place : TableLayout()) {
        if (place.Kind != PlaceKind::BetSpot) continue;
        const ChipItem* spot = scene_->Chip(Q(place.Name));
        if (spot->isVisible()) sum += ChipWorth(spot->Value()) * spot->Count();
    }
    return sum;
}

void TPlayer::ShowDoubleChips(int slot) {
    const QString spot = Q(SpotName(slot, 2));
    if (scene_->Item(spot)->isVisible()) return;
    // A bet of two chips doubles with two chips, each of half the bet.
    PlaceChipOn(game_.CurrentBet, spot);
    if (game_.PairedChips) PlaceChipOn(game_.CurrentBet, spot);
}

void TPlayer::DealerPaysChips(int value, int count, const QString& spotName) {
    ChipItem* spot = scene_->Chip(spotName);
    QString ring = spotName;
    ring.replace(0, 3, "Ring");
    for (int i = 0; i < count; ++i) {
        Repaint();
        FlyChip(value, QPointF(DealerTray.X, DealerTray.Y), spot->pos());
        spot->SetCount(spot->isVisible() && spot->Value() == value ? spot->Count() + 1 : 1);
        spot->SetValue(value);
        spot->show();
        ShowSpotRing(spot, ring);
        dealerNet_ -= ChipWorth(value);
        scene_->Item("MovingChip")->hide();
        Repaint();
        Pause(pauses::ChipFlight);
    }
    LoadHeldChipFor(game_.CurrentBet);
}

void TPlayer::DealerTakesChip(const QString& spotName) {
    ChipItem* spot = scene_->Chip(spotName);
    if (!spot->isVisible()) return;
    QString ring = spotName;
    ring.replace(0, 3, "Ring");
    Show(ring, false);
    spot->hide();
    FlyChip(spot->Value(), spot->pos(), QPointF(DealerTray.X, DealerTray.Y));
    dealerNet_ += ChipWorth(spot->Value()) * spot->Count();
    spot->SetValue(0);
    spot->SetCount(0);
    scene_->Item("MovingChip")->hide();
    Repaint();
    Pause(pauses::ChipFlight);
}

void TPlayer::PayOnto(int hand, double amount) {
    for (const SpotChips& chips : PayoutChips(amount, SpotCount(hand)))
        DealerPaysChips(chips.Value, chips.Count, Q(SpotName(hand, chips.Spot)));
}

void TPlayer::ShowHandResult(int slot, double ratio) {
    if (slot < 1 || slot > 4) return;
    BusyScope busy(*this);
    const int bet = game_.Hands[static_cast<std::size_t>(slot)].StrategyBets[1];
    ShowHandText(slot, HandResultText(ratio, bet));
    const bool surrender = std::fabs(ratio + 0.5) < 0.001;
    if (ratio < 0 && !surrender) {
        DealerTakesChip(Q(SpotName(slot, 1)));
        DealerTakesChip(Q(SpotName(slot, 2)));
    } else if (surrender) {
        // The surrender gesture moves the chips itself; computer play (and the menu item) leave them on the
        // spot, and then the dealer takes the bet and half of it comes back here.
        if (Spot(slot, 1)->isVisible()) {
            DealerTakesChip(Q(SpotName(slot, 1)));
            DealerTakesChip(Q(SpotName(slot, 2)));
            PayOnto(slot, 0.5 * bet);
        }
    } else if (std::fabs(ratio - 1.5) < 0.001 && (slot == 1 || slot == 3)) {
        PayOnto(slot, 1.5 * bet);
    } else {
        PayOnto(slot, bet);
        Pause(pauses::EvenMoney);
    }
    Repaint();
    for (const int hand : {1, 2, 3, 4})
        if (Spot(hand, 3)->isVisible()) {
            Pause(pauses::PayoutShown);
            break;
        }
}

void TPlayer::ReturnChipToStack(const QString& spotName) {
    ChipItem* spot = scene_->Chip(spotName);
    const int value = spot->Value();
    const int count = spot->Count();
    LoadHeldChipFor(value);
    const QPointF column = scene_->Item("MovingChip")->pos();
    spot->hide();
    FlyChip(value, spot->pos(), column);
    scene_->Item("MovingChip")->hide();
    Repaint();
    Pause(pauses::ChipFlight);
    AdjustChips(game_, value, count);
    spot->SetValue(0);
    spot->SetCount(0);
    ShowChipStacks();
    ShowBankroll();
}

void TPlayer::ReturnAllChips() {
    BusyScope busy(*this);
    for (const int hand : SweepOrder)
        for (int s = SpotCount(hand); s >= 1; --s) {
            if (!Spot(hand, s)->isVisible()) continue;
            Show(Q(RingName(hand, s)), false);
            ReturnChipToStack(Q(SpotName(hand, s)));
        }
    Repaint();
    emit roundSwept();
}

} // namespace zvx::gui
