#include "shell/qt/about_boxes.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zvx::gui {

namespace {

constexpr const char* ProductName = "Zorvex Professional BlackJack";

const char* const MouseMoves[] = {
    "To place a Bet, click on one of your chips or drag a chip from your stack.  You may also click on the screen "
    "to bet the same as your last bet.  To bet 2x your previous bet, double click on the \"Bet Box\".  Place a bet "
    "on the left \"Bet Box\" to play 2 hands.",
    "To Hit (take an additional card), click on your hand.",
    "To Stand, click the left mouse button on the dealer's down card.",
    "To Split a pair, drag the second card left or right, or place an additional chip next to your original bet.",
    "To Double Down, drag another chip from your pile and place it next to your original bet, or click on your "
    "original bet.",
    "To Surrender (if offered), drag your bet up or to the right.",
    "To change color (exchange a chip for lower denominations, or change chips for a higher denomination), drag "
    "the chip up to the dealer. ",
};

QLabel* WrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

TAboutZVXBox::TAboutZVXBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutZVXBox");
    setWindowTitle("About ZVX");
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(":/icons/zvx.svg").pixmap(64, 64));
    auto* name = new QLabel(ProductName, this);
    name->setObjectName("ProductName");
    QFont font = name->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    font.setBold(true);
    name->setFont(font);
    auto* details = WrappedLabel("Version 1.1\nA blackjack game, trainer and simulator.", this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(details);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

TAboutHitBox::TAboutHitBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutHitBox");
    setWindowTitle("Mouse Moves");
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* panelLayout = new QVBoxLayout(panel);
    auto* heading = new QLabel("WITH YOUR MOUSE:", panel);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    panelLayout->addWidget(heading);
    for (const char* move : MouseMoves) panelLayout->addWidget(WrappedLabel(QString::fromLatin1(move), panel));

    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("CloseAboutHit");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(ok, 0, Qt::AlignRight);
    setMinimumWidth(520);
}

} // namespace zvx::gui
