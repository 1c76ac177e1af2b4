#include "shell/qt/window_geometry.h"

#include <QMainWindow>
#include <QScreen>
#include <QSettings>

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

} // namespace

void RestoreWindowGeometry(QMainWindow& window, QSize bars, QSize firstClient) {
    const QSettings settings = UserSettings();
    QSize client = settings.value(ClientSizeKey).toSize();
    if (!client.isValid() || client.isEmpty()) client = firstClient;
    QSize size = client + bars;
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
