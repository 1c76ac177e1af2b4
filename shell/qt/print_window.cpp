#include "shell/qt/print_window.h"

#include <QBuffer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include <cstdint>
#include <span>

#include "engine/safe_file.h"

namespace zvx::gui {

namespace {

bool PaintScaled(QPaintDevice& device, const QPixmap& picture) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
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
        // Drawn in memory and saved as every file of the program is, never written over in place.
        QBuffer bytes;
        bytes.open(QIODevice::WriteOnly);
        bool drawn = false;
        {
            QPdfWriter pdf(&bytes);
            pdf.setPageLayout(printer.pageLayout());
            pdf.setResolution(printer.resolution());
            drawn = PaintScaled(pdf, picture);
        }
        const QByteArray& data = bytes.data();
        const std::span<const std::uint8_t> content(reinterpret_cast<const std::uint8_t*>(data.constData()),
                                                    static_cast<std::size_t>(data.size()));
        if (!drawn || !SaveFileReplacing(path.toStdString(), content))
            QMessageBox::warning(&window, "Print", QString("The file \"%1\" could not be written.").arg(path));
        return;
    }
    QPrintDialog dialog(&printer, &window);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!PaintScaled(printer, picture)) QMessageBox::warning(&window, "Print", "The picture could not be printed.");
}

} // namespace zvx::gui
