#pragma once

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMap>

#include "table/layout.h"
#include "table/qt/table_items.h"

class QGraphicsProxyWidget;
class QScrollBar;

namespace zvx::gui {

// The table as one scene of 644 x 465 logical pixels: every named place of the layout is an item at its
// coordinates, found by its name. Gestures map a point of the view to the scene and ask which named item
// lies there.
class TTableScene : public QGraphicsScene {
    Q_OBJECT

public:
    explicit TTableScene(QObject* parent = nullptr);

    QGraphicsItem* Item(const QString& name) const; // nullptr for a name the table does not have
    CardPlaceItem* Card(const QString& name) const;
    ChipItem* Chip(const QString& name) const;
    OutlineItem* Outline(const QString& name) const;
    PanelItem* Panel(const QString& name) const;
    BracketItem* Bracket(const QString& name) const;
    QScrollBar* SpeedBar() const { return speedBar_; }
    // The speed bar is a widget of its own: a press on it, its drag, a wheel over it and the keys while it has
    // the focus are its input, not the table's gestures.
    bool SpeedBarTakes(QPointF scenePoint) const;
    bool SpeedBarHasFocus() const;

    // The name an item carries, and the topmost visible named item at a point of the scene.
    static QString NameOf(const QGraphicsItem* item);
    QString NamedItemAt(QPointF scenePoint) const;

    // Puts an item back at its own place.
    void Home(const QString& name);

private:
    QGraphicsItem* MakeItem(const Place& place);

    QMap<QString, QGraphicsItem*> items_;
    QScrollBar* speedBar_ = nullptr;
    QGraphicsProxyWidget* speedBarItem_ = nullptr;
};

// Shows the table scaled to the window, keeping its shape: one table pixel is one screen pixel at the
// design size, and more on a larger window.
class TTableView : public QGraphicsView {
    Q_OBJECT

public:
    explicit TTableView(TTableScene* scene, QWidget* parent = nullptr);
    qreal Scale() const { return transform().m11(); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The arrow, page, Home and End keys move the speed bar once a click has given it the focus.
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace zvx::gui
