#include "drill/qt/count_drill_window_desk.h"

#include "drill/count_drill_record_file.h"
#include "drill/qt/count_drill_window.h"
#include "engine/game_state.h"

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>

namespace zvx::gui {

namespace {

constexpr int MessageMilliseconds = 15000;

DrillShoeRules ShoeRulesOf(const Game& game) {
    const CasinoRules& rules = game.Rules();
    return DrillShoeRules{rules.Decks, rules.Penetration, rules.PlayTwoHands, game.FixedSeed};
}

} // namespace

TCountDrillDesk::TCountDrillDesk(const Game& game, const std::string& mistakesRecordPath, QMdiArea* area,
                                 QMainWindow* window)
    : QObject(window), game_(game), area_(area), window_(window),
      path_(mistakesRecordPath.empty() ? std::filesystem::path()
                                       : CountRecordPathBeside(mistakesRecordPath)) {
    setObjectName("CountDrillDesk");
}

QAction* TCountDrillDesk::AddMenuItem(QMenu* menu) {
    auto* action = new QAction(tr("Count &Drill"), this);
    action->setObjectName("CountDrill1");
    action->setStatusTip(
        tr("Practise counting cards: the running count at a pace, the deck countdown, the true count"));
    connect(action, &QAction::triggered, this, [this] { Open(); });
    menu->addAction(action);
    return action;
}

TCountDrillWindow* TCountDrillDesk::Open() {
    if (!loaded_) LoadRecord();
    if (drill_) {
        drill_->SetShoeRules(ShoeRulesOf(game_));
        if (auto* sub = qobject_cast<QMdiSubWindow*>(drill_->parentWidget())) {
            sub->show();
            area_->setActiveSubWindow(sub);
        }
        drill_->setFocus();
        return drill_;
    }
    auto* drill = new TCountDrillWindow(ShoeRulesOf(game_));
    drill->SetRecord(record_);
    drill->SetRecordChanged([this](const CountDrillRecord& record) { SaveRecord(record); });
    drill_ = drill;
    QMdiSubWindow* sub = area_->addSubWindow(drill);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(drill->windowTitle());
    // The window area fits every window to itself as it resizes; the drill opens that way too.
    sub->setGeometry(area_->viewport()->rect());
    sub->show();
    area_->setActiveSubWindow(sub);
    drill->setFocus();
    return drill;
}

void TCountDrillDesk::LoadRecord() {
    loaded_ = true;
    if (path_.empty()) return;
    CountRecordLoad load = LoadCountRecordFile(path_);
    record_ = std::move(load.Record);
    writable_ = load.Writable;
    if (load.Message)
        window_->statusBar()->showMessage(QString::fromStdString(*load.Message), MessageMilliseconds);
}

void TCountDrillDesk::SaveRecord(const CountDrillRecord& record) {
    record_ = record;
    if (path_.empty() || !writable_) return;
    if (const auto failure = SaveCountRecordFile(path_, record_))
        window_->statusBar()->showMessage(
            tr("The count drill record was not saved: %1").arg(QString::fromStdString(*failure)),
            MessageMilliseconds);
}

} // namespace zvx::gui
