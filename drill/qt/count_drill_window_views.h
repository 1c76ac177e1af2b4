#pragma once

#include "drill/count_drill.h"

#include <QWidget>
#include <vector>

namespace zvx::gui {

// The cards of a count drill, face up in a row, as large as the space allows at the cards' own proportions.
// Focusable: a key or a click here turns the next card of the deck countdown.
class TDrillCards : public QWidget {
    Q_OBJECT

  public:
    explicit TDrillCards(QWidget* parent = nullptr);

    void SetCards(std::vector<int> codes);
    const std::vector<int>& Cards() const { return cards_; }
    // Where the card at an index is drawn.
    QRect CardRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    // Space, Enter on the cards, the right arrow or a click: the player turns a card.
    void Turned();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    std::vector<int> cards_;
};

// The discard tray drawn to scale: a tray that holds the whole shoe, the cards dealt standing in it, and a
// single deck beside it to measure by, as a player judges a real tray. Once the question is answered the tray
// shows its marks at every deck and half deck.
class TDiscardTrayView : public QWidget {
    Q_OBJECT

  public:
    explicit TDiscardTrayView(QWidget* parent = nullptr);

    void SetTray(const DiscardTray& tray, bool marked);
    const DiscardTray& Tray() const { return tray_; }
    bool Marked() const { return marked_; }
    // The tray's inside and the stack of cards in it, in widget coordinates.
    QRect TrayRect() const;
    QRect StackRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // Pixels per card: the full shoe fills the tray's height.
    double CardHeight() const;

    DiscardTray tray_{};
    bool marked_ = false;
};

} // namespace zvx::gui
