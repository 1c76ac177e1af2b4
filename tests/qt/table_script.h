#pragma once

#include <QTimer>

#include <deque>
#include <functional>
#include <utility>

#include "shell/qt/main_form.h"
#include "table/qt/player.h"

namespace zvx::gui {

// Steps run in order, each once its condition holds and the table is not animating: the test's side of the
// game loop, which runs inside the menu item's handler.
class TableScript {
public:
    using Condition = std::function<bool()>;
    using Step = std::function<void()>;

    explicit TableScript(TMainForm& w) : w_(w) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    }
    void When(Condition condition, Step step) { steps_.push_back({std::move(condition), std::move(step)}); }
    void Start() { timer_.start(); }
    bool Done() const { return steps_.empty(); }

private:
    void Poll() {
        if (running_ || steps_.empty()) return;
        TPlayer* table = w_.tableWindow();
        if (table && table->Busy()) return;
        if (!steps_.front().first()) return;
        running_ = true;
        Step step = std::move(steps_.front().second);
        steps_.pop_front();
        step();
        running_ = false;
    }
    TMainForm& w_;
    QTimer timer_;
    std::deque<std::pair<Condition, Step>> steps_;
    bool running_ = false;
};

} // namespace zvx::gui
