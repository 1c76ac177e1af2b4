#include "options/qt/option_form_parts.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFont>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace zvx::gui {

namespace {

constexpr int ExitButtonWidth = 120;
// The share of the room the grown page may take: fonts do not grow quite in proportion, and the rest keeps
// the scroll bars away.
constexpr double RoomFilled = 0.85;
// What a line edit needs beside its text: its inner margins, and its frame when it has one.
constexpr int FramedLineMargin = 12;
constexpr int BareLineMargin = 4;
constexpr double ScaleStep = 0.05; // coarse steps, so a resize by a few pixels does not lay the page out again

// Keeps the page as large as its scroll area, and never smaller than its controls need, and grows the page's
// text with the room. The scroll area's own resizing is not used: it gives a page with word-wrapped text its
// preferred height rather than the room there is, so the form would scroll where it need not. Each widget's
// own font is noted at the first resize and scaled from there, so headings keep their larger size and the
// scale never compounds.
class PageFitter : public QObject {
public:
    PageFitter(QScrollArea* area, QWidget* page, double largestScale)
        : QObject(area), area_(area), page_(page), largestScale_(largestScale) {
        area->installEventFilter(this);
        page->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == area_ && event->type() == QEvent::Resize) {
            Rescale();
            Fit();
        } else if (watched == page_ && event->type() == QEvent::LayoutRequest) {
            Fit();
        }
        return false;
    }

private:
    void Rescale() {
        if (!page_) return;
        if (baseFonts_.empty()) {
            baseSize_ = page_->minimumSizeHint();
            baseFonts_.emplace_back(page_, page_->font());
            for (QWidget* child : page_->findChildren<QWidget*>()) baseFonts_.emplace_back(child, child->font());
        }
        if (baseSize_.width() <= 0 || baseSize_.height() <= 0) return;
        const double room = std::min(static_cast<double>(area_->width()) / baseSize_.width(),
                                     static_cast<double>(area_->height()) / baseSize_.height());
        const double scale = std::clamp(std::floor(room * RoomFilled / ScaleStep) * ScaleStep, 1.0, largestScale_);
        if (scale == scale_) return;
        scale_ = scale;
        for (auto& [widget, base] : baseFonts_) {
            if (!widget) continue;
            QFont font = base;
            if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * scale);
            else font.setPixelSize(static_cast<int>(font.pixelSize() * scale));
            widget->setFont(font);
            // A read-only line that serves as a label keeps its whole text in view.
            if (auto* line = qobject_cast<QLineEdit*>(widget.data()); line && line->isReadOnly())
                line->setMinimumWidth(QFontMetrics(font).horizontalAdvance(line->text()) +
                                      (line->hasFrame() ? FramedLineMargin : BareLineMargin));
        }
    }

    // The page fills the area; a dimension in which it cannot fit scrolls, and its scroll bar takes its room
    // from the other dimension.
    void Fit() {
        if (!page_) return;
        const QSize least = page_->minimumSizeHint().expandedTo(page_->minimumSize());
        const int barWidth = area_->verticalScrollBar()->sizeHint().width();
        const int barHeight = area_->horizontalScrollBar()->sizeHint().height();
        int width = area_->width();
        int height = area_->height();
        bool tall = least.height() > height;
        const bool wide = least.width() > width - (tall ? barWidth : 0);
        if (wide) {
            height -= barHeight;
            tall = least.height() > height;
        }
        if (tall) width -= barWidth;
        width = std::max(least.width(), width);
        // Word-wrapped text needs more lines, and so more height, the narrower the page.
        int leastHeight = least.height();
        if (QLayout* layout = page_->layout(); layout && layout->hasHeightForWidth())
            leastHeight = std::max(leastHeight, layout->totalMinimumHeightForWidth(width));
        const QSize size(width, std::max(leastHeight, height));
        if (page_->size() != size) page_->resize(size);
    }

    QScrollArea* area_;
    QPointer<QWidget> page_;
    QSize baseSize_;
    std::vector<std::pair<QPointer<QWidget>, QFont>> baseFonts_;
    double largestScale_;
    double scale_ = 1.0;
};

} // namespace

QGroupBox* MakeRadioGroup(QWidget* parent, const QString& name, const QString& caption, const QStringList& items,
                          QButtonGroup*& group) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    group = new QButtonGroup(box);
    group->setExclusive(true);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], box);
        button->setObjectName(QString("%1Item%2").arg(name).arg(i));
        group->addButton(button, i);
        layout->addWidget(button);
    }
    layout->addStretch(1);
    return box;
}

QPushButton* MakeExitButton(QWidget* parent) {
    auto* button = new QPushButton(ExitCaption, parent);
    button->setObjectName("ExitButton");
    button->setMinimumWidth(ExitButtonWidth);
    return button;
}

QWidget* MakeFormPage(QWidget* form, double largestScale) {
    auto* area = new QScrollArea(form);
    area->setObjectName("FormScroll");
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(false);
    // Tab goes from control to control, each scrolled into view; the area itself is no stop.
    area->setFocusPolicy(Qt::NoFocus);
    auto* page = new QWidget(area);
    page->setObjectName("FormPage");
    area->setWidget(page);
    // The page shows the form's ground, not the scroll area's base colour.
    area->viewport()->setAutoFillBackground(false);
    page->setAutoFillBackground(false);
    auto* layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);
    new PageFitter(area, page, largestScale);
    return page;
}

void SetFormGround(QWidget* form, const QString& name, const QString& caption) {
    form->setObjectName(name);
    form->setWindowTitle(caption);
    form->setAutoFillBackground(true);
    form->setBackgroundRole(QPalette::Window);
}

} // namespace zvx::gui
