#include "shell/qt/message_boxes.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>

namespace zvx::gui {

namespace {

// The frame's icon and its buttons beside the title, and the title's own margins.
constexpr int TitleBarExtra = 150;

int TitleWidth(const QDialog& dialog) {
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(dialog.windowTitle()) + TitleBarExtra;
}

} // namespace

void FitTitle(QDialog& dialog) {
    const int wanted = TitleWidth(dialog);
    // A message box sizes itself when shown and ignores a minimum width; a spacer in its grid holds it open.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                      grid->columnCount());
        return;
    }
    dialog.setMinimumWidth(std::max(dialog.minimumWidth(), wanted));
}

void CentreOn(QDialog& dialog, const QWidget& over) {
    dialog.adjustSize();
    const QRect frame = over.window()->frameGeometry();
    dialog.move(frame.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
}

QMessageBox::StandardButton ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                           const QString& text, QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton, const QString& details) {
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
    if (!details.isEmpty()) box.setInformativeText(details);
    FitTitle(box);
    if (parent) CentreOn(box, *parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace zvx::gui
