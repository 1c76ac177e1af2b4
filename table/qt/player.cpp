#include "table/qt/player.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

#include "shell/qt/event_waits.h"
#include "shell/qt/main_form.h"

namespace zvx::gui {

TPlayer::TPlayer(TMainForm& main, Game& game, QWidget* parent) : QWidget(parent), main_(main), game_(game) {
    setObjectName("Player");
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0, 128, 0));
    setPalette(palette);
    auto* text = new QLabel("The casino table is being set up.\n\nBetting and Rules Analysis runs in full; the "
                            "table modes follow in the next version.",
                            this);
    text->setAlignment(Qt::AlignCenter);
    text->setStyleSheet("color: white; font-size: 14pt;");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
}

void TPlayer::BeginGame() {}

void TPlayer::RepeatLastBet() {}

void TPlayer::ProcessEvents() { LetEventsRun(); }

void TPlayer::WaitForPlayer() { WaitForNextEvent(); }

void TPlayer::Pause(int) {}

void TPlayer::AdvicePause(int) {}

void TPlayer::Beep() {
    if (game_.Prefs().SoundOn) QApplication::beep();
}

void TPlayer::ShowActionItems(unsigned items) { main_.ShowActionItems(items); }

void TPlayer::HideActionItems(unsigned items) { main_.HideActionItems(items); }

void TPlayer::CloseTableWindow() { main_.CloseTableWindow(); }

bool TPlayer::AskYesNo(const std::string& question) {
    return QMessageBox::question(this, "ZVX", QString::fromStdString(question), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void TPlayer::ShowAdviceBox(const std::string& text, int left, int top) {
    QMessageBox box(QMessageBox::Critical, "Advice", QString::fromStdString(text), QMessageBox::Ok, this);
    box.move(mapToGlobal(QPoint(left, top)));
    box.exec();
}

} // namespace zvx::gui
