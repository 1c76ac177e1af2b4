#pragma once

#include <QDialog>

namespace zvx::gui {

// "Betting Stategies": what the four strategies of the analysis do, with a way to stop seeing it.
class TStrategyIntroBox : public QDialog {
    Q_OBJECT

public:
    explicit TStrategyIntroBox(QWidget* parent = nullptr);
    bool DoNotShowAgain() const { return doNotShowAgain_; }

private:
    bool doNotShowAgain_ = false;
};

} // namespace zvx::gui
