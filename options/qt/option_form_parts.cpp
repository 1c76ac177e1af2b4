#include "options/qt/option_form_parts.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zvx::gui {

namespace {

constexpr int ExitButtonWidth = 120;

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

void SetFormGround(QWidget* form, const QString& name, const QString& caption) {
    form->setObjectName(name);
    form->setWindowTitle(caption);
    form->setAutoFillBackground(true);
    form->setBackgroundRole(QPalette::Window);
}

} // namespace zvx::gui
