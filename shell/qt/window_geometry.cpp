#include "shell/qt/window_geometry.h"

#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QTimer>

namespace zvx::gui {

namespace {

constexpr const char* SettingsOrganization = "Zorvex";
constexpr const char* SettingsApplication = "zvx";
constexpr const char* MaximisedKey = "MainWindow/Maximised";
constexpr const char* PositionKey = "MainWindow/Position";
constexpr const char* ClientSizeKey = "MainWindow/ClientSize";
// Of a remembered place, this much must still be on a screen (its title bar, to drag it back).
constexpr int VisibleMargin = 80;

QSettings UserSettings() { return QSettings(SettingsOrganization, SettingsApplication); }

// The client size comes back exactly once the window is up: until the frame's layout has placed the menu and
// status bars, what they take is only a guess from their size hints, and the style or their minimums can make
// them a pixel or two taller. A client size restored through the guess alone would shrink by that at every run.
// The first time the window shows restored (at once, or when a maximised start is restored), the window's
// size is set again so the client area is the one remembered; then the keeper goes.
class ClientSizeKeeper : public QObject {
public:
    ClientSizeKeeper(QMainWindow& window, QSize client)
        : QObject(&window), window_(window), client_(client), placed_(window.size()) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && (event->type() == QEvent::Show || event->type() == QEvent::WindowStateChange))
            QTimer::singleShot(0, this, &ClientSizeKeeper::Correct);
        return QObject::eventFilter(watched, event);
    }

private:
    void Correct() {
        const QWidget* client = window_.centralWidget();
        if (done_ || !client || !window_.isVisible()) return;
        if (window_.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) return;
        done_ = true;
        deleteLater();
        // A size the window was given since (by the program or the window manager) stands.
        if (window_.size() != placed_) return;
        if (QLayout* layout = window_.layout()) layout->activate();
        const QSize bars = window_.size() - client->size();
        const QScreen* screen = window_.screen();
        QSize size = client_ + bars;
        if (screen) size = size.boundedTo(screen->availableGeometry().size());
        if (size != window_.size()) window_.resize(size);
    }

    QMainWindow& window_;
    QSize client_;
    QSize placed_; // the window's size as restored, the bars guessed
    bool done_ = false;
};
} // namespace

void RestoreWindowGeometry(QMainWindow& window, QSize guessedBars, QSize firstClient) {
    const QSettings settings = UserSettings();
    QSize client = settings.value(ClientSizeKey).toSize();
    if (!client.isValid() || client.isEmpty()) client = firstClient;
    QSize size = client + guessedBars;
    const QScreen* screen = window.screen();
    const QRect room = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), size);
    size = size.boundedTo(room.size());
    QRect placed(room.center() - QPoint(size.width() / 2, size.height() / 2), size);
    const QVariant position = settings.value(PositionKey);
    if (position.isValid()) {
        const QRect remembered(position.toPoint(), size);
        // A screen unplugged since, or a smaller one: the window comes back where it can be seen.
        if (room.adjusted(VisibleMargin, VisibleMargin, -VisibleMargin, -VisibleMargin).intersects(remembered))
            placed = remembered;
    }
    window.setGeometry(placed);
    new ClientSizeKeeper(window, client);
    if (!settings.contains(MaximisedKey) || settings.value(MaximisedKey).toBool())
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void RememberWindowGeometry(const QMainWindow& window) {
    const bool maximised = window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
    const QRect normal = maximised ? window.normalGeometry() : window.geometry();
    const QWidget* client = window.centralWidget();
    const QSize bars = client ? window.size() - client->size() : QSize(0, 0);
    QSettings settings = UserSettings();
    settings.setValue(MaximisedKey, maximised);
    if (normal.isValid()) {
        settings.setValue(PositionKey, normal.topLeft());
        settings.setValue(ClientSizeKey, normal.size() - bars);
    }
}

} // namespace zvx::gui
