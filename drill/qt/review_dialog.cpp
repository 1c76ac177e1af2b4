#include "drill/qt/review_dialog.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "drill/drill_keeper.h"
#include "drill/qt/mistake_map_view.h"
#include "drill/review_list.h"
#include "shell/qt/message_boxes.h"

namespace zvx::gui {

namespace {

// Enough to review in one sitting; the map shows every cell.
constexpr std::size_t ReviewedCells = 40;

QString Text(const std::string& s) { return QString::fromStdString(s); }

} // namespace

TReviewDialog::TReviewDialog(DrillKeeper& keeper, QWidget* parent) : QDialog(parent), keeper_(keeper) {
    setObjectName("ReviewDialog");
    setWindowTitle("My Mistakes");
    auto* column = new QVBoxLayout(this);
    session_ = new QLabel(this);
    session_->setObjectName("SessionTotals");
    allTime_ = new QLabel(this);
    allTime_->setObjectName("AllTimeTotals");
    column->addWidget(session_);
    column->addWidget(allTime_);

    auto* middle = new QHBoxLayout;
    list_ = new QTreeWidget(this);
    list_->setObjectName("MistakeList");
    list_->setColumnCount(2);
    list_->setHeaderLabels({"Your mistakes, the costliest first", "The strategy's play and why"});
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->setMinimumWidth(480);
    middle->addWidget(list_, 3);
    map_ = new TMistakeMap(this);
    middle->addWidget(map_, 2);
    column->addLayout(middle, 1);

    place_ = new QLabel(this);
    place_->setObjectName("RecordPlace");
    place_->setWordWrap(true);
    column->addWidget(place_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    clear_ = buttons->addButton("Clear my record", QDialogButtonBox::ResetRole);
    clear_->setObjectName("ClearRecord");
    connect(clear_, &QPushButton::clicked, this, &TReviewDialog::ClearRecord);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    column->addWidget(buttons);
    // Room for both columns of the list beside the map where the screen has it.
    const QSize room = screen()->availableGeometry().size() * 9 / 10;
    resize(std::min(1400, room.width()), std::min(760, room.height()));
    Refresh();
}

void TReviewDialog::Refresh() {
    const DrillRecord& record = keeper_.Record();
    session_->setText("This session: " + Text(TotalsText(record.Session())));
    allTime_->setText("All time: " + Text(TotalsText(record.AllTime())));
    place_->setText(keeper_.Kept() ? "Your record is kept in " + Text(keeper_.File().string())
                                   : "Your record is not kept after the program closes.");
    list_->clear();
    const auto review = CostliestMistakes(record, ReviewedCells);
    for (const ReviewEntry& entry : review) {
        auto* cell = new QTreeWidgetItem(list_, {Text(ReviewHeading(entry))});
        QFont bold = cell->font(0);
        bold.setBold(true);
        cell->setFont(0, bold);
        for (const MistakeTally& mistake : entry.Mistakes) {
            auto* line = new QTreeWidgetItem(cell, {Text(ReviewLine(mistake)), Text(mistake.Advice)});
            line->setToolTip(0, line->text(0));
            line->setToolTip(1, line->text(1));
        }
    }
    if (review.empty()) new QTreeWidgetItem(list_, {"No mistakes to review."});
    list_->expandAll();
    map_->SetHeatMap(BuildHeatMap(record));
}

void TReviewDialog::ClearRecord() {
    const auto answer =
        ShowMessageBox(this, QMessageBox::Question, "Clear my record",
                       "Forget every decision in your record, this session's included?",
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) return;
    if (const auto failure = keeper_.Clear())
        ShowMessageBox(this, QMessageBox::Warning, "Clear my record",
                       "The record is cleared for this session, but the file could not be written.",
                       QMessageBox::Ok, QMessageBox::Ok, Text(*failure));
    Refresh();
}

} // namespace zvx::gui
