// The run's progress: phase and percentage in the window's title and a slim indicator beside the
// buttons, shown only while a run is in progress. A new phase shows at once; percentages move with
// Timer1's ticks only, so no repaint ever stands between a block and its acknowledgement, and
// nothing wakes the program for them at rest.
#include <QProgressBar>

#include "acquisition/measurement_run.h"
#include "form1.h"
#include "look.h"

namespace kalvira::ui {

void Form1::showRunProgress(bool phaseChangesOnly) {
    const acquisition::RunProgress progress = run_ ? run_->progress() : acquisition::RunProgress{};
    if (phaseChangesOnly && progress.phase == shownPhase_) return;
    shownPhase_ = progress.phase;
    const std::string words = acquisition::describeProgress(progress);
    QString title = ui::windowTitle();
    if (!words.empty()) title += QStringLiteral(" – ") + QString::fromStdString(words);
    if (windowTitle() != title) setWindowTitle(title);

    // A failure's message speaks for itself: nothing is under way while it is up.
    const bool running = progress.phase != acquisition::RunPhase::Idle &&
                         progress.phase != acquisition::RunPhase::Reporting;
    if (progress.percent) {
        progressBar_->setRange(0, 100);
        progressBar_->setValue(*progress.percent);
    } else {
        progressBar_->setRange(0, 0);  // busy, with no measure of how far
    }
    progressBar_->setVisible(running);
}

}  // namespace kalvira::ui
