#include "drill/qt/count_drill_window_views.h"

#include "cards/qt/card_pictures.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace zvx::gui {

namespace {

constexpr int Margin = 8;
constexpr int CardGap = 10;
// The tray, the measuring deck and the text beside them, in parts of the view's width.
constexpr double TrayWidthShare = 0.22;
constexpr int LabelHeight = 18;
const QColor Felt(0, 96, 48);
const QColor TrayWall(60, 40, 25);
const QColor CardEdge(250, 250, 245);
const QColor CardEdgeShade(190, 190, 180);
const QColor DeckMark(255, 215, 0);

// The stripes of a stack seen edge on: a line for every few cards, so its height reads as a pile of cards.
void DrawStack(QPainter& p, const QRect& stack, double cardHeight) {
    if (stack.height() <= 0) return;
    p.fillRect(stack, CardEdge);
    p.setPen(CardEdgeShade);
    const double every = std::max(3.0, cardHeight * 4);
    for (double y = stack.bottom() - every; y > stack.top(); y -= every) {
        const int line = static_cast<int>(std::lround(y));
        p.drawLine(stack.left(), line, stack.right(), line);
    }
    p.setPen(Qt::black);
    p.drawRect(stack.adjusted(0, 0, -1, -1));
}

} // namespace

TDrillCards::TDrillCards(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Felt);
    setPalette(pal);
    setAccessibleName("Cards");
}

void TDrillCards::SetCards(std::vector<int> codes) {
    cards_ = std::move(codes);
    update();
}

QRect TDrillCards::CardRect(int index) const {
    const int n = std::max<int>(1, static_cast<int>(cards_.size()));
    const QRect area = rect().adjusted(Margin, Margin, -Margin, -Margin);
    // Twice the table's size at most: larger than that a card stops looking like one in the hand.
    int h = std::min(area.height(), 2 * CardPictureHeight);
    int w = h * CardPictureWidth / CardPictureHeight;
    // A round's worth may not fit side by side at full height: the cards shrink together.
    const int widest = (area.width() - (n - 1) * CardGap) / n;
    if (w > widest) {
        w = std::max(1, widest);
        h = w * CardPictureHeight / CardPictureWidth;
    }
    const int rowWidth = n * w + (n - 1) * CardGap;
    const int left = area.left() + (area.width() - rowWidth) / 2 + index * (w + CardGap);
    const int top = area.top() + (area.height() - h) / 2;
    return {left, top, w, h};
}

QSize TDrillCards::sizeHint() const {
    return {6 * (CardPictureWidth + CardGap), 2 * CardPictureHeight};
}
QSize TDrillCards::minimumSizeHint() const {
    return {CardPictureWidth + 2 * Margin, CardPictureHeight / 2};
}

void TDrillCards::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const qreal ratio = devicePixelRatioF();
    for (int i = 0; i < static_cast<int>(cards_.size()); ++i) {
        const QRect r = CardRect(i);
        QPixmap picture = TCardImage::Shared().Picture(
            cards_[static_cast<std::size_t>(i)], QSize(static_cast<int>(std::lround(r.width() * ratio)),
                                                       static_cast<int>(std::lround(r.height() * ratio))));
        picture.setDevicePixelRatio(ratio);
        p.drawPixmap(r.topLeft(), picture);
    }
    if (hasFocus()) {
        p.setPen(QPen(Qt::white, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void TDrillCards::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Right:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat()) emit Turned();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TDrillCards::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        emit Turned();
        return;
    }
    QWidget::mousePressEvent(event);
}

TDiscardTrayView::TDiscardTrayView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Felt);
    setPalette(pal);
    setAccessibleName("Discard tray");
}

void TDiscardTrayView::SetTray(const DiscardTray& tray, bool marked) {
    tray_ = tray;
    marked_ = marked;
    update();
}

QSize TDiscardTrayView::sizeHint() const {
    return {420, 260};
}
QSize TDiscardTrayView::minimumSizeHint() const {
    return {200, 120};
}

QRect TDiscardTrayView::TrayRect() const {
    const QRect area = rect().adjusted(Margin, Margin + LabelHeight, -Margin, -Margin);
    const int w = std::max(20, static_cast<int>(area.width() * TrayWidthShare));
    return {area.left() + area.width() / 5 - w / 2, area.top(), w, area.height()};
}

double TDiscardTrayView::CardHeight() const {
    return tray_.ShoeCards > 0 ? static_cast<double>(TrayRect().height()) / tray_.ShoeCards : 0.0;
}

QRect TDiscardTrayView::StackRect() const {
    const QRect tray = TrayRect();
    const int h = static_cast<int>(std::lround(CardHeight() * tray_.CardsDealt));
    return {tray.left() + 3, tray.bottom() + 1 - h, tray.width() - 6, h};
}

void TDiscardTrayView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect tray = TrayRect();
    const double cardHeight = CardHeight();

    // The tray: open at the top, walls and floor, deep enough for the whole shoe.
    p.setPen(QPen(TrayWall, 3));
    p.drawLine(tray.topLeft(), tray.bottomLeft());
    p.drawLine(tray.bottomLeft(), tray.bottomRight());
    p.drawLine(tray.bottomRight(), tray.topRight());
    DrawStack(p, StackRect(), cardHeight);

    // One deck to measure by, at the same scale.
    const int deckHeight = static_cast<int>(std::lround(cardHeight * CardsInDeck));
    const QRect deck(tray.right() + tray.width() / 2, tray.bottom() + 1 - deckHeight, tray.width() - 6,
                     deckHeight);
    DrawStack(p, deck, cardHeight);

    p.setPen(Qt::white);
    p.drawText(QRect(tray.left() - Margin, rect().top() + 2, tray.width() + 2 * Margin, LabelHeight),
               Qt::AlignCenter, tr("Discards"));
    p.drawText(QRect(deck.left() - Margin, rect().top() + 2, deck.width() + 2 * Margin, LabelHeight),
               Qt::AlignCenter, tr("One deck"));

    if (!marked_ || cardHeight <= 0) return;
    // The answer: a mark at every half deck of the tray, a long one at every whole deck.
    p.setPen(QPen(DeckMark, 2));
    const int halfDecks = tray_.ShoeCards / (CardsInDeck / 2);
    for (int half = 1; half <= halfDecks; ++half) {
        const int y = tray.bottom() + 1 - static_cast<int>(std::lround(cardHeight * half * CardsInDeck / 2));
        const bool whole = half % 2 == 0;
        const int reach = whole ? 14 : 7;
        p.drawLine(tray.left() - reach, y, tray.left(), y);
        if (whole) p.drawText(QPoint(tray.left() - reach - 14, y + 5), QString::number(half / 2));
    }
    const QString dealt = tr("%1 cards dealt: %2 decks").arg(tray_.CardsDealt).arg(tray_.Decks(), 0, 'f', 2);
    p.drawText(
        QRect(deck.right() + Margin, tray.top(), rect().right() - deck.right() - 2 * Margin, tray.height()),
        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, dealt);
}

} // namespace zvx::gui
