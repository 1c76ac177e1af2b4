#pragma once

#include <QColor>
#include <QGraphicsItem>
#include <QString>

#include "table/chip_rack.h"

namespace zvx::gui {

QColor NamedColour(TableColour colour);
inline const QColor TableFelt(0, 128, 0);

// The items of the table. Each is drawn from its own top-left corner: an item's position is the place's
// (left, top) in table coordinates.

// A card place: shows a card picture unscaled at its top-left corner, cut to the place's size; during the
// hole card's flip the picture is stretched to the place's width. Pictures are rendered at the size the
// view shows them, so a scaled table stays crisp.
class CardPlaceItem : public QGraphicsItem {
public:
    CardPlaceItem(int width, int height);
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    int Picture() const { return picture_; } // 1..52 faces, 53 and 54 the backs, 0 none
    void SetPicture(int picture);
    int Width() const { return width_; }
    void SetWidth(int width); // may pass below zero during a fast flip: nothing is drawn then
    void SetStretched(bool stretched);

private:
    int picture_ = 0;
    int width_;
    int height_;
    bool stretched_ = false;
};

// A chip: a rack column's picture, a bet spot or a sprite. A spot's value and chip count are the table's
// record of the money lying on it; a count of two or more shows as the spot's ring.
class ChipItem : public QGraphicsItem {
public:
    ChipItem(int width, int height);
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    int Value() const { return value_; }
    void SetValue(int value);
    int Count() const { return count_; }
    void SetCount(int count);
    // A spot of two or more chips shows their sum beside them ("$50"), a single chip nothing.
    QString AmountTag() const;

private:
    int value_ = 0;
    int count_ = 0;
    int width_;
    int height_;
};

// An outline without fill: the rack's stack outlines, the rings and the exchange stack's outlines.
class OutlineItem : public QGraphicsItem {
public:
    OutlineItem(int width, int height, QColor colour, bool oval);
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    void SetColour(QColor colour);
    QColor Colour() const { return colour_; }

private:
    int width_;
    int height_;
    QColor colour_;
    bool oval_;
};

// A borderless text panel (hand texts, the bank, the advice and limit panels, the prompts).
class PanelItem : public QGraphicsItem {
public:
    PanelItem(int width, int height, QColor background, QColor text, Qt::Alignment alignment);
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    QString Text() const { return text_; }
    void SetText(const QString& text);
    void SetColours(QColor background, QColor text);
    QColor Background() const { return background_; }
    QColor TextColour() const { return textColour_; }
    void SetBevel(bool lowered) { bevel_ = lowered; }
    void SetMonospace(bool monospace) { monospace_ = monospace; }
    void SetFontPixels(int pixels) { fontPixels_ = pixels; }

private:
    int width_;
    int height_;
    QColor background_;
    QColor textColour_;
    Qt::Alignment alignment_;
    QString text_;
    bool bevel_ = false;
    bool monospace_ = false;
    int fontPixels_ = 0;
};

// A thin bracket under hands that belong together, open upward, with a caption in its middle ("BOX 1").
class BracketItem : public QGraphicsItem {
public:
    BracketItem(int width, int height, const QString& caption);
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    int Width() const { return width_; }
    void SetWidth(int width);
    QString Caption() const { return caption_; }

private:
    int width_;
    int height_;
    QString caption_;
};

// The pointing hand over the hand being played.
class PointerItem : public QGraphicsItem {
public:
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
};

} // namespace zvx::gui
