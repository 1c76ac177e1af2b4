#include "analysis/qt/strategy_intro_box.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "analysis/strategy_intro.h"

namespace zvx::gui {

TStrategyIntroBox::TStrategyIntroBox(QWidget* parent) : QDialog(parent) {
    setObjectName("StrategyIntroBox");
    setWindowTitle(StrategyIntroCaption);
    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName("Memo1");
    memo->setReadOnly(true);
    memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QStringList lines;
    for (const char* line : StrategyIntroLines) lines << QString::fromLatin1(line);
    memo->setPlainText(lines.join('\n'));
    const QFontMetrics metrics(memo->font());
    memo->setMinimumSize(metrics.horizontalAdvance(QString(64, QLatin1Char('x'))), metrics.lineSpacing() * 13);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName("OkButton");
    QPushButton* hide = buttons->addButton(StrategyIntroHideButton, QDialogButtonBox::RejectRole);
    hide->setObjectName("HideButton");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(hide, &QPushButton::clicked, this, [this] {
        doNotShowAgain_ = true;
        accept();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo);
    layout->addWidget(buttons);
}

} // namespace zvx::gui
