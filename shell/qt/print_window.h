#pragma once

class QWidget;

namespace zvx::gui {

// Prints a picture of the window's client area scaled to the page, through the print dialog. With no printer
// installed it offers to save the picture as a PDF file instead.
void PrintWindow(QWidget& window);

} // namespace zvx::gui
