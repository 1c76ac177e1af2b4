#include "shell/qt/print_window.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

namespace zvx::gui {

namespace {

bool PaintScaled(QPrinter& printer, const QPixmap& picture) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRect page = painter.viewport();
    QSize size = picture.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(picture.rect());
    painter.drawPixmap(0, 0, picture);
    return painter.end();
}

} // namespace

void PrintWindow(QWidget& window) {
    const QPixmap picture = window.grab();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(picture.width() > picture.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        const auto answer = QMessageBox::question(&window, "Print",
                                                  "No printer is installed.\n\nSave the picture of the window as a "
                                                  "PDF file instead?",
                                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        if (answer != QMessageBox::Yes) return;
        QString path = QFileDialog::getSaveFileName(&window, "Save Picture as PDF", "zvx.pdf", "PDF files (*.pdf)",
                                                    nullptr, QFileDialog::DontUseNativeDialog);
        if (path.isEmpty()) return;
        if (!path.endsWith(".pdf", Qt::CaseInsensitive)) path += ".pdf";
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        if (!PaintScaled(printer, picture))
            QMessageBox::warning(&window, "Print", QString("The file \"%1\" could not be written.").arg(path));
        return;
    }
    QPrintDialog dialog(&printer, &window);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!PaintScaled(printer, picture)) QMessageBox::warning(&window, "Print", "The picture could not be printed.");
}

} // namespace zvx::gui
