#pragma once

// What the desktop program's tests share: a fresh current folder, an answerer for modal boxes, and the
// nested game loop driven from timers.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <utility>

namespace zvx::testing {

// The main window keeps its geometry in the user's configuration folder: every test program keeps its own in a
// temporary folder instead, so no test reads or writes the real user's settings. There the window starts
// restored, with a client area of 636 x 400, the size the tests' gestures and pictures were written for; a
// test of the first start clears the settings.
inline QString TestSettingsFolder() {
    static QTemporaryDir folder;
    return folder.path();
}
inline void SeedTestWindowSettings() {
    QSettings settings("Zorvex", "zvx");
    settings.clear();
    settings.setValue("MainWindow/Maximised", false);
    settings.setValue("MainWindow/ClientSize", QSize(636, 400));
}
inline const bool SettingsRedirected = [] {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, TestSettingsFolder());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, TestSettingsFolder());
    SeedTestWindowSettings();
    return true;
}();

// Makes a fresh temporary folder the current one for the test's life (the program keeps ZVX.PRM there).
class CurrentFolder {
public:
    CurrentFolder() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~CurrentFolder() { QDir::setCurrent(previous_); }
    QString File(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

// Answers the modal boxes the program opens, in order: each answer is a button for a message box (or a
// function for any dialog). Every box seen is recorded as its text (message boxes) or caption (dialogs).
class BoxAnswerer {
public:
    using Answer = std::function<void(QDialog&)>;

    BoxAnswerer() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }

    void Press(QMessageBox::StandardButton button) {
        answers_.push_back([button](QDialog& dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
                if (QAbstractButton* b = box->button(button)) {
                    b->click();
                    return;
                }
                if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
                    ok->click(); // a box with only OK: the answer is all it takes
                    return;
                }
            }
            dialog.reject();
        });
    }
    void Accept() {
        answers_.push_back([](QDialog& dialog) { dialog.accept(); });
    }
    void Then(Answer answer) { answers_.push_back(std::move(answer)); }

    QStringList Seen;

private:
    void Poll() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog == last_ || !dialog->isVisible()) return;
        last_ = dialog;
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) Seen << box->text();
        else Seen << dialog->windowTitle();
        if (answers_.empty()) {
            // An unexpected box would hang the test: close it, and the test sees it in Seen.
            dialog->reject();
            return;
        }
        Answer answer = std::move(answers_.front());
        answers_.pop_front();
        answer(*dialog);
    }

    QTimer timer_;
    std::deque<Answer> answers_;
    QPointer<QDialog> last_;
};

// Runs `step` from the event loop after `ms` milliseconds: the way a test acts while a game loop, started
// by the test itself, is waiting inside its own event handling.
inline void After(int ms, std::function<void()> step) { QTimer::singleShot(ms, std::move(step)); }

// Handles events until `done` holds or the time runs out; returns `done()`.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 60000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) QTest::qWait(5);
    return done();
}

} // namespace zvx::testing
