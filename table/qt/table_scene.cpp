#include "table/qt/table_scene.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsRectItem>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>

namespace zvx::gui {

namespace {

constexpr int NameKey = 0;

QString Hint(const Place& place) {
    switch (place.Kind) {
    case PlaceKind::SpeedBar: return "Slide button to vary playing speed";
    case PlaceKind::LimitFrame:
    case PlaceKind::LimitPanel: return "Click to Change Limits";
    case PlaceKind::BetBox: return place.Hand == 1 ? "Place bet here to play 1 hand" : "Place bet here to play 2 hands";
    default: return {};
    }
}

} // namespace

TTableScene::TTableScene(QObject* parent) : QGraphicsScene(parent) {
    setSceneRect(0, 0, TableWidth, TableHeight);
    setBackgroundBrush(TableFelt);
    // Few items, most of them moving: a spatial index would only be rebuilt on every step.
    setItemIndexMethod(QGraphicsScene::NoIndex);
    qreal z = 0;
    for (const Place& place : TableLayout()) {
        QGraphicsItem* item = MakeItem(place);
        item->setPos(place.Left, place.Top);
        item->setZValue(z++);
        item->setData(NameKey, QString::fromStdString(place.Name));
        const QString hint = Hint(place);
        if (!hint.isEmpty()) item->setToolTip(hint);
        addItem(item);
        items_.insert(QString::fromStdString(place.Name), item);
    }
}

QGraphicsItem* TTableScene::MakeItem(const Place& place) {
    QGraphicsItem* item = nullptr;
    switch (place.Kind) {
    case PlaceKind::CardPlace:
        item = new CardPlaceItem(place.Width, place.Height);
        break;
    case PlaceKind::RackChip: {
        auto* chip = new ChipItem(place.Width, place.Height);
        chip->SetValue(place.Value);
        item = chip;
        break;
    }
    case PlaceKind::BetSpot:
    case PlaceKind::Sprite:
        item = place.Name == "Chipa" || place.Name == "Chipb"
                   ? static_cast<QGraphicsItem*>(new OutlineItem(place.Width, place.Height, Qt::white, true))
                   : new ChipItem(place.Width, place.Height);
        break;
    case PlaceKind::RackOutline:
        item = new OutlineItem(place.Width, place.Height, NamedColour(OutlineColour(place.Value)), true);
        break;
    case PlaceKind::Ring:
        item = new OutlineItem(place.Width, place.Height, Qt::white, true);
        break;
    case PlaceKind::HandText: {
        auto* panel = new PanelItem(place.Width, place.Height, TableFelt, Qt::yellow, Qt::AlignHCenter);
        item = panel;
        break;
    }
    case PlaceKind::BankPanel: {
        auto* panel = new PanelItem(place.Width, place.Height, TableFelt, Qt::white, Qt::AlignRight);
        panel->SetMonospace(true);
        panel->SetFontPixels(12);
        item = panel;
        break;
    }
    case PlaceKind::AdvicePanel: {
        auto* panel = new PanelItem(place.Width, place.Height, Qt::blue, Qt::white, Qt::AlignHCenter);
        panel->SetBevel(true);
        item = panel;
        break;
    }
    case PlaceKind::LimitPanel:
        item = new PanelItem(place.Width, place.Height, Qt::red, Qt::white, Qt::AlignLeft);
        break;
    case PlaceKind::LimitFrame: {
        auto* frame = new QGraphicsRectItem(0, 0, place.Width, place.Height);
        frame->setPen(QPen(Qt::black, 1));
        frame->setBrush(QColor(192, 192, 192));
        item = frame;
        break;
    }
    case PlaceKind::Prompt: {
        auto* panel = new PanelItem(place.Width, place.Height, QColor(), Qt::white, Qt::AlignHCenter);
        panel->SetText(place.Hand == 1 ? "PLACE YOUR BET" : "BET 2 HANDS");
        item = panel;
        break;
    }
    case PlaceKind::SpeedLabel: {
        auto* panel = new PanelItem(place.Width, place.Height, Qt::white, Qt::black, Qt::AlignLeft);
        panel->SetBevel(true);
        panel->SetText("< Slower    Faster>");
        panel->SetFontPixels(11);
        item = panel;
        break;
    }
    case PlaceKind::SpeedBar: {
        speedBar_ = new QScrollBar(Qt::Horizontal);
        speedBar_->setObjectName("ScrollBar1");
        speedBar_->setRange(1, 100);
        speedBar_->setSingleStep(10);
        speedBar_->setPageStep(10);
        speedBar_->setValue(50);
        speedBar_->setFixedSize(place.Width, place.Height);
        speedBar_->setToolTip(Hint(place));
        speedBar_->setFocusPolicy(Qt::WheelFocus);
        auto* proxy = new QGraphicsProxyWidget;
        proxy->setWidget(speedBar_);
        speedBarItem_ = proxy;
        item = proxy;
        break;
    }
    case PlaceKind::BetBox: {
        auto* box = new QGraphicsRectItem(0, 0, place.Width, place.Height);
        box->setPen(QPen(QColor(255, 255, 255, 170), 1, Qt::DashLine));
        box->setBrush(Qt::NoBrush);
        item = box;
        break;
    }
    case PlaceKind::Pointer:
        item = new PointerItem;
        break;
    case PlaceKind::ModeCaption: {
        auto* panel = new PanelItem(place.Width, place.Height, QColor(128, 0, 0), Qt::white, Qt::AlignHCenter);
        panel->SetBevel(true);
        panel->SetFontPixels(12);
        panel->SetText("PRACTICE DECK - decisions only, no money");
        item = panel;
        break;
    }
    case PlaceKind::BoxBracket:
        item = new BracketItem(place.Width, place.Height, QString("BOX %1").arg(place.Hand));
        break;
    case PlaceKind::CutCard: {
        auto* cut = new QGraphicsRectItem(0, 0, place.Width, place.Height);
        cut->setPen(Qt::NoPen);
        cut->setBrush(Qt::red);
        item = cut;
        break;
    }
    }
    // Everything but the rack starts hidden; the rack shows its columns from the counts.
    item->setVisible(place.Kind == PlaceKind::RackChip || place.Kind == PlaceKind::RackOutline);
    return item;
}

QGraphicsItem* TTableScene::Item(const QString& name) const { return items_.value(name, nullptr); }
CardPlaceItem* TTableScene::Card(const QString& name) const { return dynamic_cast<CardPlaceItem*>(Item(name)); }
ChipItem* TTableScene::Chip(const QString& name) const { return dynamic_cast<ChipItem*>(Item(name)); }
OutlineItem* TTableScene::Outline(const QString& name) const { return dynamic_cast<OutlineItem*>(Item(name)); }
PanelItem* TTableScene::Panel(const QString& name) const { return dynamic_cast<PanelItem*>(Item(name)); }
BracketItem* TTableScene::Bracket(const QString& name) const { return dynamic_cast<BracketItem*>(Item(name)); }

QString TTableScene::NameOf(const QGraphicsItem* item) { return item ? item->data(NameKey).toString() : QString(); }

QString TTableScene::NamedItemAt(QPointF scenePoint) const {
    for (QGraphicsItem* item : items(scenePoint, Qt::IntersectsItemShape, Qt::DescendingOrder))
        if (item->isVisible() && !NameOf(item).isEmpty()) return NameOf(item);
    return {};
}

bool TTableScene::SpeedBarTakes(QPointF scenePoint) const {
    if (!speedBarItem_ || !speedBarItem_->isVisible()) return false;
    return speedBar_->isSliderDown() || speedBarItem_->sceneBoundingRect().contains(scenePoint);
}

bool TTableScene::SpeedBarHasFocus() const {
    return speedBarItem_ && speedBarItem_->isVisible() && focusItem() == speedBarItem_;
}

void TTableScene::Home(const QString& name) {
    const Place* place = FindPlace(name.toStdString());
    if (QGraphicsItem* item = Item(name); item && place) item->setPos(place->Left, place->Top);
}

TTableView::TTableView(TTableScene* scene, QWidget* parent) : QGraphicsView(scene, parent) {
    setObjectName("TableView");
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setBackgroundBrush(TableFelt.darker(130));
    setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    // Every step of an animation moves an item; repainting the whole table is simpler and as fast.
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    setCacheMode(QGraphicsView::CacheNone);
    setAlignment(Qt::AlignCenter);
    setMinimumSize(160, 116);
}

void TTableView::keyPressEvent(QKeyEvent* event) {
    auto* table = static_cast<TTableScene*>(scene());
    if (!table || !table->SpeedBarHasFocus()) {
        QGraphicsView::keyPressEvent(event);
        return;
    }
    QScrollBar* bar = table->SpeedBar();
    switch (event->key()) {
    case Qt::Key_Left: bar->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case Qt::Key_Right: bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case Qt::Key_PageUp: bar->triggerAction(QAbstractSlider::SliderPageStepSub); break;
    case Qt::Key_PageDown: bar->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
    case Qt::Key_Home: bar->triggerAction(QAbstractSlider::SliderToMinimum); break;
    case Qt::Key_End: bar->triggerAction(QAbstractSlider::SliderToMaximum); break;
    default: QGraphicsView::keyPressEvent(event); return;
    }
    event->accept();
}

void TTableView::resizeEvent(QResizeEvent* event) {
    QGraphicsView::resizeEvent(event);
    // Not fitInView, which leaves a margin: at the design size the table must be drawn one to one.
    const qreal scale = std::min(viewport()->width() / sceneRect().width(), viewport()->height() / sceneRect().height());
    setTransform(QTransform::fromScale(scale, scale));
    centerOn(sceneRect().center());
}

} // namespace zvx::gui
