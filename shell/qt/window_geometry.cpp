#include "shell/qt/window_geometry.h"

#include <QMainWindow>
#include <QScreen>
#include <QSettings>

namespace zvx::gui {

namespace {

constexpr const char* SettingsOrganization = "Zorvex";
constexpr const char* SettingsApplication = "zvx";
constexpr const char* GeometryKey = "MainWindow/Geometry";

QSettings UserSettings() { return QSettings(SettingsOrganization, SettingsApplication); }

} // namespace

void RestoreWindowGeometry(QMainWindow& window, QSize restored) {
    const QByteArray remembered = UserSettings().value(GeometryKey).toByteArray();
    if (!remembered.isEmpty() && window.restoreGeometry(remembered)) return;

    QSize normal = restored;
    if (const QScreen* screen = window.screen()) {
        const QRect room = screen->availableGeometry();
        normal = normal.boundedTo(room.size());
        window.setGeometry(QRect(room.center() - QPoint(normal.width() / 2, normal.height() / 2), normal));
    } else {
        window.resize(normal);
    }
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void RememberWindowGeometry(const QMainWindow& window) { UserSettings().setValue(GeometryKey, window.saveGeometry()); }

} // namespace zvx::gui
