#pragma once

namespace zvx {

struct Game;

// What the game loop asks of the main window beside the table: the analysis window and the event dispatch
// between rounds while no table is shown. The desktop program implements it with its windows; the
// command-line tool with its output.
class ShellView {
public:
    virtual ~ShellView() = default;
    virtual void ProcessEvents() = 0;
    virtual void RefreshAnalysisWindow() = 0;
    // Called while the statistics of the run are still in place, before the reset clears them.
    virtual void CloseAnalysisWindow() = 0;
};

} // namespace zvx
