#include "shell/qt/help_viewer.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace zvx::gui {

namespace {

constexpr const char* HelpIndex = "qrc:/help/index.html";

class HelpViewer : public QDialog {
public:
    explicit HelpViewer(QWidget* parent) : QDialog(parent) {
        setObjectName("HelpViewer");
        setWindowTitle("Zorvex Professional BlackJack - Help");
        browser_ = new QTextBrowser(this);
        browser_->setObjectName("HelpBrowser");
        browser_->setOpenExternalLinks(true);
        browser_->setSource(QUrl(HelpIndex));
        auto* back = new QPushButton("&Back", this);
        auto* contents = new QPushButton("&Contents", this);
        auto* close = new QPushButton("&Close", this);
        connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
        connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
        back->setEnabled(false);
        connect(contents, &QPushButton::clicked, this, [this] { browser_->setSource(QUrl(HelpIndex)); });
        connect(close, &QPushButton::clicked, this, &QDialog::close);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(back);
        buttons->addWidget(contents);
        buttons->addStretch(1);
        buttons->addWidget(close);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(browser_, 1);
        layout->addLayout(buttons);
        resize(720, 560);
    }

private:
    QTextBrowser* browser_ = nullptr;
};

} // namespace

void ShowHelpTopics(QWidget* parent) {
    // One viewer: asking again brings it to the front at the index.
    static QPointer<HelpViewer> viewer;
    if (!viewer) {
        viewer = new HelpViewer(parent);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

} // namespace zvx::gui
