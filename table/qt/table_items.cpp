#include "table/qt/table_items.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionGraphicsItem>

#include <cmath>

#include "cards/qt/card_pictures.h"
#include "table/chip_rack.h"

namespace zvx::gui {

namespace {

constexpr qreal AmountTagHeight = 13;

// The number of device pixels a logical length covers where the painter draws now.
qreal DeviceScale(const QPainter* painter) {
    const QTransform t = painter->deviceTransform();
    return std::sqrt(t.m11() * t.m11() + t.m12() * t.m12());
}

QColor ChipFace(int value) {
    switch (value) {
    case 2: return QColor(230, 0, 200);
    case 5: return QColor(210, 0, 0);
    case 25: return QColor(0, 200, 0);
    case 100: return QColor(25, 25, 25);
    case 500: return QColor(128, 0, 128);
    case 1000: return QColor(245, 245, 245);
    default: return QColor(0, 0, 230);
    }
}

QString ChipLabel(int value) {
    if (value == 2) return "$2.50";
    if (value <= 25) return "$" + QString::number(value);
    return QString::number(value);
}

} // namespace

QColor NamedColour(TableColour colour) {
    switch (colour) {
    case TableColour::Green: return TableFelt;
    case TableColour::Red: return Qt::red;
    case TableColour::Lime: return QColor(0, 255, 0);
    case TableColour::Black: return Qt::black;
    case TableColour::Purple: return QColor(128, 0, 128);
    case TableColour::White: return Qt::white;
    case TableColour::Blue: return Qt::blue;
    case TableColour::Fuchsia: return QColor(255, 0, 255);
    case TableColour::Maroon: return QColor(128, 0, 0);
    }
    return Qt::black;
}

// --- Cards -----------------------------------------------------------------------------------------------

CardPlaceItem::CardPlaceItem(int width, int height) : width_(width), height_(height) {}

QRectF CardPlaceItem::boundingRect() const { return QRectF(0, 0, std::max(width_, 0), height_); }

void CardPlaceItem::SetPicture(int picture) {
    if (picture == picture_) return;
    picture_ = picture;
    update();
}

void CardPlaceItem::SetWidth(int width) {
    if (width == width_) return;
    prepareGeometryChange();
    width_ = width;
}

void CardPlaceItem::SetStretched(bool stretched) {
    stretched_ = stretched;
    update();
}

void CardPlaceItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (picture_ == 0 || width_ <= 0) return;
    const qreal pictureWidth = stretched_ ? width_ : CardPictureWidth;
    const qreal shownHeight = std::min<qreal>(CardPictureHeight, height_);
    const qreal scale = DeviceScale(painter);
    const QSize pixels(std::max(1, int(std::lround(pictureWidth * scale))),
                       std::max(1, int(std::lround(CardPictureHeight * scale))));
    const QPixmap picture = TCardImage::Shared().Picture(picture_, pixels);
    const QRectF source(0, 0, pixels.width(), pixels.height() * shownHeight / CardPictureHeight);
    painter->drawPixmap(QRectF(0, 0, pictureWidth, shownHeight), picture, source);
}

// --- Chips ------------------------------------------------------------------------------------------------

ChipItem::ChipItem(int width, int height) : width_(width), height_(height) {}

QRectF ChipItem::boundingRect() const {
    return count_ >= 2 ? QRectF(-4, 0, width_ + 8, height_ + AmountTagHeight) : QRectF(0, 0, width_, height_);
}

void ChipItem::SetValue(int value) {
    if (value == value_) return;
    value_ = value;
    update();
}

void ChipItem::SetCount(int count) {
    if (count == count_) return;
    prepareGeometryChange();
    count_ = count;
    update();
}

QString ChipItem::AmountTag() const {
    if (count_ < 2 || value_ == 0) return {};
    return QString("$%1").arg(ChipWorth(value_) * count_);
}

void ChipItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (value_ == 0) return;
    if (const QString tag = AmountTag(); !tag.isEmpty()) {
        // Under the chip, so a bet of two equal chips reads as its amount and not as one chip.
        QFont small("DejaVu Sans");
        small.setBold(true);
        small.setPixelSize(10);
        painter->setFont(small);
        const QRectF box(-4, height_, width_ + 8, AmountTagHeight);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(0, 0, 0, 170));
        painter->drawRoundedRect(box, 3, 3);
        painter->setPen(Qt::white);
        painter->drawText(box, Qt::AlignCenter, tag);
    }
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF rim = QRectF(0, 0, width_, height_).adjusted(1, 1, -1, -1);
    const QColor face = ChipFace(value_);
    const bool light = value_ == 1000;
    const QColor marks = light ? QColor(0, 0, 200) : Qt::white;
    painter->setPen(QPen(QColor(0, 0, 0, 160), 1));
    painter->setBrush(face);
    painter->drawEllipse(rim);
    // The edge marks of a casino chip: six short blocks around the rim.
    painter->save();
    painter->translate(rim.center());
    painter->scale(rim.width() / 2, rim.height() / 2);
    painter->setPen(Qt::NoPen);
    painter->setBrush(marks);
    for (int i = 0; i < 6; ++i) {
        painter->drawRect(QRectF(-0.12, -0.98, 0.24, 0.26));
        painter->rotate(60);
    }
    painter->restore();
    const QRectF inlay = rim.adjusted(rim.width() * 0.2, rim.height() * 0.2, -rim.width() * 0.2, -rim.height() * 0.2);
    painter->setPen(QPen(marks, 1, Qt::DashLine));
    painter->setBrush(face.lighter(light ? 100 : 115));
    painter->drawEllipse(inlay);
    QFont font("DejaVu Sans");
    font.setBold(true);
    const QString label = ChipLabel(value_);
    font.setPixelSize(label.size() >= 4 ? 9 : 11);
    painter->setFont(font);
    painter->setPen(light || value_ == 25 ? Qt::black : Qt::white);
    painter->drawText(inlay.adjusted(-4, 0, 4, 0), Qt::AlignCenter, label);
}

// --- Outlines ----------------------------------------------------------------------------------------------

OutlineItem::OutlineItem(int width, int height, QColor colour, bool oval)
    : width_(width), height_(height), colour_(colour), oval_(oval) {}

QRectF OutlineItem::boundingRect() const { return QRectF(-1, -1, width_ + 2, height_ + 2); }

void OutlineItem::SetColour(QColor colour) {
    colour_ = colour;
    update();
}

void OutlineItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(colour_, 2));
    painter->setBrush(Qt::NoBrush);
    const QRectF r(1, 1, width_ - 2, height_ - 2);
    if (oval_) painter->drawEllipse(r);
    else painter->drawRect(r);
}

// --- Panels ------------------------------------------------------------------------------------------------

PanelItem::PanelItem(int width, int height, QColor background, QColor text, Qt::Alignment alignment)
    : width_(width), height_(height), background_(background), textColour_(text), alignment_(alignment) {}

QRectF PanelItem::boundingRect() const { return QRectF(0, 0, width_, height_); }

void PanelItem::SetText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    update();
}

void PanelItem::SetColours(QColor background, QColor text) {
    background_ = background;
    textColour_ = text;
    update();
}

void PanelItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const QRectF r(0, 0, width_, height_);
    if (background_.isValid()) painter->fillRect(r, background_);
    if (bevel_) {
        painter->setPen(QColor(0, 0, 0, 140));
        painter->drawLine(QPointF(0.5, height_ - 0.5), QPointF(0.5, 0.5));
        painter->drawLine(QPointF(0.5, 0.5), QPointF(width_ - 0.5, 0.5));
        painter->setPen(QColor(255, 255, 255, 140));
        painter->drawLine(QPointF(width_ - 0.5, 0.5), QPointF(width_ - 0.5, height_ - 0.5));
        painter->drawLine(QPointF(width_ - 0.5, height_ - 0.5), QPointF(0.5, height_ - 0.5));
    }
    QFont font = monospace_ ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QFont("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(fontPixels_ > 0 ? fontPixels_ : std::max(9, height_ - 6));
    painter->setFont(font);
    painter->setPen(textColour_);
    painter->drawText(r.adjusted(2, 0, -2, 0), int(alignment_ | Qt::AlignVCenter), text_);
}

// --- Bracket -----------------------------------------------------------------------------------------------

BracketItem::BracketItem(int width, int height, const QString& caption)
    : width_(width), height_(height), caption_(caption) {}

QRectF BracketItem::boundingRect() const { return QRectF(0, 0, width_, height_); }

void BracketItem::SetWidth(int width) {
    if (width == width_) return;
    prepareGeometryChange();
    width_ = width;
}

void BracketItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(height_ - 4);
    painter->setFont(font);
    const qreal textWidth = QFontMetricsF(font).horizontalAdvance(caption_) + 10;
    const qreal mid = height_ / 2.0;
    const qreal gapLeft = (width_ - textWidth) / 2;
    painter->setPen(QPen(Qt::yellow, 1.5));
    // Ticks up at both ends, the line broken for the caption.
    painter->drawLine(QPointF(1, 0), QPointF(1, mid));
    painter->drawLine(QPointF(width_ - 1, 0), QPointF(width_ - 1, mid));
    painter->drawLine(QPointF(1, mid), QPointF(gapLeft, mid));
    painter->drawLine(QPointF(gapLeft + textWidth, mid), QPointF(width_ - 1, mid));
    painter->drawText(QRectF(gapLeft, 0, textWidth, height_), Qt::AlignCenter, caption_);
}

// --- Pointer -----------------------------------------------------------------------------------------------

QRectF PointerItem::boundingRect() const { return QRectF(0, 0, 53, 36); }

void PointerItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    // A white glove pointing left and down, toward the cards of the hand it stands over.
    painter->setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    hand.moveTo(2, 27);                 // finger tip
    hand.cubicTo(2, 23, 6, 21, 10, 21); // top of the finger
    hand.lineTo(28, 15);
    hand.cubicTo(31, 9, 38, 7, 44, 9);  // knuckles
    hand.lineTo(51, 11);
    hand.lineTo(51, 31);                // cuff
    hand.lineTo(41, 33);
    hand.cubicTo(35, 35, 30, 33, 27, 31);
    hand.lineTo(10, 31);
    hand.cubicTo(5, 31, 2, 30, 2, 27);
    hand.closeSubpath();
    painter->setPen(QPen(Qt::black, 1.5));
    painter->setBrush(QColor(255, 250, 235));
    painter->drawPath(hand);
    painter->setPen(QPen(Qt::black, 1));
    for (const qreal y : {20.0, 25.0})
        painter->drawLine(QPointF(29, y), QPointF(40, y - 1));
    painter->fillRect(QRectF(46, 10, 5, 22), QColor(40, 40, 160));
}

} // namespace zvx::gui
