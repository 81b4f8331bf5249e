// The run's progress: phase and percentage in the window's title and a slim indicator beside the
// buttons, shown only while a run is in progress. A new phase shows at once; the indicator moves
// with Timer1's ticks only, so no repaint ever stands between a block and its acknowledgement.
// Where a phase has no measure of how far it has come (the unit's answer, the trigger, the pause)
// the indicator shows the share of the wait's time limit already used, never a busy animation,
// which would repaint many times a second while the program only waits. At rest, once a run has
// ended, Timer1 keeps ticking; its ticks then find nothing to show.
#include <QProgressBar>
#include <QTimer>

#include "form1.h"
#include "look.h"
#include "remote/remote_server.h"
#include "scope/scope.h"

namespace kalvira::ui {

void Form1::createProgressIndicator() {
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("runProgress"));
    progressBar_->setTextVisible(false);
    progressBar_->setFocusPolicy(Qt::NoFocus);
    progressBar_->setRange(0, 100);
    progressBar_->resize(192, 10);
    progressBar_->hide();
    connect(Timer1, &QTimer::timeout, this, [this] { showRunProgress(); });
}

void Form1::showRunProgress(bool phaseChangesOnly) {
    const acquisition::RunProgress progress = scope_->run().progress();
    if (progress.phase == acquisition::RunPhase::Idle &&
        shownPhase_ == acquisition::RunPhase::Idle) {
        return;  // at rest, shown as such
    }
    if (phaseChangesOnly && progress.phase == shownPhase_) return;
    shownPhase_ = progress.phase;
    showTitle(progress);

    // A failure's message speaks for itself: nothing is under way while it is up.
    const bool running = progress.phase != acquisition::RunPhase::Idle &&
                         progress.phase != acquisition::RunPhase::Reporting;
    progressBar_->setValue(progress.percent.value_or(progress.timeLimitUsedPercent));
    progressBar_->setVisible(running);
}

void Form1::showTitle(const acquisition::RunProgress &progress) {
    const std::string words = acquisition::describeProgress(progress);
    QString title = ui::windowTitle();
    if (remote_ && remote_->hasClient()) title += QStringLiteral(" – ") + tr("remote");
    if (!words.empty()) title += QStringLiteral(" – ") + QString::fromStdString(words);
    if (windowTitle() != title) setWindowTitle(title);
}

}  // namespace kalvira::ui
