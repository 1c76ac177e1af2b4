#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace zvx::gui {

// A modal message box wide enough for its whole title, centred on its parent. `details` goes under the text
// (a file name, a reason) so that the text itself stays the program's own words. Returns the button pressed.
QMessageBox::StandardButton ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                           const QString& text, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                           QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
                                           const QString& details = {});

// Makes a dialog at least as wide as its title needs, so that the frame does not cut it short.
void FitTitle(QDialog& dialog);

// Places a dialog's centre on the centre of `over`'s frame.
void CentreOn(QDialog& dialog, const QWidget& over);

} // namespace zvx::gui
