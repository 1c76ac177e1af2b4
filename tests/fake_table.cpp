#include "tests/fake_table.h"

#include <algorithm>

namespace zvx::testing {

namespace {
std::string Num(double v) {
    std::string s = std::to_string(v);
    s.erase(s.find_last_not_of('0') + 1);
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}
} // namespace

void FakeTable::Bet(int amount) {
    Script.push_back([amount](Game& g) { g.ChosenBet = static_cast<std::uint16_t>(amount); });
}

void FakeTable::Act(int slot, Action action) {
    Script.push_back([slot, action](Game& g) {
        g.ActiveHand = static_cast<std::uint16_t>(slot);
        g.PlayerAction = action;
    });
}

void FakeTable::BetBoth(int amount) {
    Script.push_back([this, amount](Game& g) {
        Spots[1][0] = Spots[3][0] = true;
        g.ChosenBet = static_cast<std::uint16_t>(amount);
    });
}

bool FakeTable::Saw(const std::string& call) const {
    return std::find(Calls.begin(), Calls.end(), call) != Calls.end();
}

int FakeTable::Count(const std::string& prefix) const {
    return static_cast<int>(std::count_if(Calls.begin(), Calls.end(),
                                          [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
}

void FakeTable::ProcessEvents() {
    ++EventPasses;
    if (cardJustShown_) {
        cardJustShown_ = false;
        return;
    }
    if (Script.empty()) {
        // Nothing left to do: the player walks away, which ends every wait.
        game_.StopRequested = true;
        game_.PlayerAction = Stand;
        game_.ActiveHand = 0;
        game_.ChosenBet = game_.Rules().TableMinimum;
        return;
    }
    auto step = std::move(Script.front());
    Script.pop_front();
    step(game_);
}

void FakeTable::WaitForPlayerToGoOn(const std::string& prompt) {
    Record("WaitForPlayerToGoOn " + prompt);
    if (WhileBoxUp) WhileBoxUp(game_);
}
void FakeTable::Pause(int units) { Record("Pause " + std::to_string(units)); }
void FakeTable::AdvicePause(int units) { Record("AdvicePause " + std::to_string(units)); }
void FakeTable::Beep() { Record("Beep"); }
void FakeTable::ClearTable() { Record("ClearTable"); }
void FakeTable::ShowCard(int slot, const TCard& card) {
    cardJustShown_ = IdleAfterCard;
    Record("ShowCard " + std::to_string(slot) + " " + std::to_string(card.Slot));
}
void FakeTable::SlideCutCard(bool show) { Record(show ? "SlideCutCard show" : "SlideCutCard hide"); }
void FakeTable::AnimateShuffle() { Record("AnimateShuffle"); }
void FakeTable::RevealHoleCard() { Record("RevealHoleCard"); }
void FakeTable::MoveCard(int fromSlot, int toSlot) {
    Record("MoveCard " + std::to_string(fromSlot) + " " + std::to_string(toSlot));
}
bool FakeTable::FirstPlaceShown(int) { return false; }
void FakeTable::ShowPointer(int slot) { Record("ShowPointer " + std::to_string(slot)); }
void FakeTable::ShowHandText(int slot, const std::string& text) {
    Record("ShowHandText " + std::to_string(slot) + " " + text);
}
void FakeTable::ShowAdvice(const std::string& text) { Record("ShowAdvice " + text); }
void FakeTable::NewChipRack() { Record("NewChipRack"); }
void FakeTable::ShowBankroll() { Record("ShowBankroll"); }
void FakeTable::ColourUpChips() { Record("ColourUpChips"); }
void FakeTable::PrepareChipsFor(int amount) { Record("PrepareChipsFor " + std::to_string(amount)); }
void FakeTable::LoadHeldChip(int amount) { Record("LoadHeldChip " + std::to_string(amount)); }
void FakeTable::TakeMovingChipFromBox1() { Record("TakeMovingChipFromBox1"); }
void FakeTable::PlaceBetChip(int amount, int slot, bool ring) {
    Spots[slot][0] = true;
    if (ring) Spots[slot][1] = true;
    Record("PlaceBetChip " + std::to_string(amount) + " " + std::to_string(slot) + (ring ? " ring" : ""));
}
bool FakeTable::SpotHasChips(int slot) { return Spots[slot][0]; }
bool FakeTable::RingShown(int slot) { return Spots[slot][1]; }
double FakeTable::ChipsOnSpot(int slot) { return slot == 1 ? ChipsOnBox1 : 0; }
void FakeTable::ShowDoubleChips(int slot) { Record("ShowDoubleChips " + std::to_string(slot)); }
void FakeTable::ShowHandResult(int slot, double ratio) {
    Record("ShowHandResult " + std::to_string(slot) + " " + Num(ratio));
}
void FakeTable::ReturnAllChips() {
    for (auto& s : Spots) s[0] = s[1] = false;
    Record("ReturnAllChips");
}
void FakeTable::ShowBetPrompts(bool twoHands) { Record(twoHands ? "ShowBetPrompts 2" : "ShowBetPrompts 1"); }
void FakeTable::HideBetPrompts() { Record("HideBetPrompts"); }
void FakeTable::ShowBetBox(int box) { Record("ShowBetBox " + std::to_string(box)); }
void FakeTable::ShowActionItems(unsigned items) {
    VisibleItems |= items;
    Record("ShowActionItems " + std::to_string(items));
}
void FakeTable::HideActionItems(unsigned items) {
    VisibleItems &= ~items;
    Record("HideActionItems " + std::to_string(items));
}
void FakeTable::CloseTableWindow() { Record("CloseTableWindow"); }
bool FakeTable::AskYesNo(const std::string& question) {
    Questions.push_back(question);
    Record("AskYesNo " + question);
    if (WhileBoxUp) WhileBoxUp(game_);
    if (Answers.empty()) return false;
    const bool answer = Answers.front();
    Answers.pop_front();
    return answer;
}
void FakeTable::ShowAdviceBox(const std::string& text, int left, int top) {
    AdviceBoxes.push_back(text);
    Record("ShowAdviceBox " + text + " @" + std::to_string(left) + "," + std::to_string(top));
    if (WhileBoxUp) WhileBoxUp(game_);
}

} // namespace zvx::testing
