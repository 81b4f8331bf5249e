// The statistics of many records: columns of the readout (since the last reset, or over the
// history), the trend window of one figure, and the readouts copied to the clipboard as text.
// The judge measures every record taken; the window only shows what it found.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>

#include "cursor_overlay.h"
#include "form1.h"
#include "measurement_readout.h"
#include "records/record_history.h"
#include "scope/record_judge.h"
#include "scope/scope.h"
#include "trend_window.h"
#include "verdict_text.h"

namespace kalvira::ui {

namespace {

// "T1 = 7.500 ms  #301  407" as three lines: "T1 = 7.500 ms", "T1 sample = 301", "T1 value = 407".
QStringList cursorCopyLines(const QStringList &readout) {
    QStringList lines;
    for (const QString &line : readout) {
        const QStringList parts = line.split(QStringLiteral("  "));
        lines << parts.front();
        if (parts.size() < 3 || !parts[1].startsWith(QLatin1Char('#'))) continue;
        const QString name = parts.front().left(parts.front().indexOf(QLatin1Char(' ')));
        lines << Form1::tr("%1 sample = %2").arg(name, parts[1].mid(1));
        lines << Form1::tr("%1 value = %2").arg(name, parts.mid(2).join(QStringLiteral("  ")));
    }
    return lines;
}

}  // namespace

void Form1::createStatistics() {
    judge_ = std::make_unique<scope::RecordJudge>(*scope_);
    pictureMenu_->addSeparator();
    statisticsAction_ = addPictureCommand(tr("Statistics"), Qt::Key_S, true);
    connect(statisticsAction_, &QAction::toggled, this, [this](bool on) {
        statisticsWanted_ = on;
        if (!on) historyStatistics_.reset();
        // The columns belong to the measurements' readout: showing them shows it.
        for (QAction *action : actions()) {
            if (on && action->shortcut() == QKeySequence(Qt::Key_M) && !action->isChecked())
                action->setChecked(true);
        }
        refreshReadout();
    });
    connect(addPictureCommand(tr("Reset statistics")), &QAction::triggered, this, [this] {
        historyStatistics_.reset();
        judge_->resetStatistics();
        refreshReadout();
    });
    connect(addPictureCommand(tr("Mark record for the history's statistics"), Qt::Key_K),
            &QAction::triggered, this, [this] { markHistoryRecord(); });
    connect(addPictureCommand(tr("Statistics of the history")), &QAction::triggered, this,
            [this] { showHistoryStatistics(); });
    connect(addPictureCommand(tr("Trend…"), Qt::Key_T), &QAction::triggered, this,
            [this] { showTrend(); });
    connect(addPictureCommand(tr("Copy readouts"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)),
            &QAction::triggered, this, [this] { copyReadouts(); });
    connect(judge_.get(), &scope::RecordJudge::statisticsChanged, this, [this] {
        if (trendWindow_ && trendWindow_->isVisible()) trendWindow_->refresh();
    });
}

ReadoutExtras Form1::readoutExtras() {
    ReadoutExtras extras;
    if (!judge_) return extras;
    if (historyStatistics_ && runInProgress()) historyStatistics_.reset();  // a run shows its own
    if (statisticsWanted_) {
        extras.statistics = historyStatistics_ ? historyStatistics_.get() : &judge_->statistics();
        extras.statisticsTitle = historyStatistics_
                                     ? historyStatisticsTitle_
                                     : tr("Statistics since %1 · records %2")
                                           .arg(judge_->statisticsSince().toLocalTime().toString(
                                               QStringLiteral("HH:mm:ss")))
                                           .arg(judge_->statistics().records);
    }
    if (referenceWanted_) extras.deltaRef = judge_->deltaRef();
    if (const auto &verdict = judge_->verdict()) {
        extras.failed = verdict->figuresOutside;
        if (judge_->criteria().mask) extras.maskNote = maskNote(*verdict, scope_->record().size());
    }
    if (judge_->criteria().judges()) extras.passFail = {judge_->passCount(), judge_->failCount()};
    return extras;
}

void Form1::refreshJudging() {
    if (!judge_) return;
    refreshReference();
    refreshFailures();
}

// Every entry kept, or those between the two marked ones; shown in the columns until a run, a
// reset or the columns are put away.
void Form1::showHistoryStatistics() {
    const auto range = judge_->historyRange();
    if (!range) {
        showNotice(tr("The history holds no record."));
        return;
    }
    historyStatistics_ = std::make_shared<analysis::FigureStatistics>(judge_->historyStatistics());
    historyStatisticsTitle_ = tr("Statistics of history records %1..%2 of %3")
                                  .arg(range->first + 1)
                                  .arg(range->second + 1)
                                  .arg(scope_->history().size());
    if (!statisticsAction_->isChecked()) return statisticsAction_->setChecked(true);
    refreshReadout();
}

void Form1::markHistoryRecord() {
    const std::size_t at = scope_->historyPosition();
    if (at >= scope_->history().size()) {
        showNotice(tr("The record on screen is not one of the history."));
        return;
    }
    judge_->markHistoryEntry(at);
    refreshHistoryLabel();
}

bool Form1::historyEntryMarked(std::size_t index) const {
    if (!judge_) return false;
    const std::vector<std::size_t> marks = judge_->historyMarks();
    return std::find(marks.begin(), marks.end(), index) != marks.end();
}

void Form1::showTrend() {
    if (!trendWindow_) trendWindow_ = new TrendWindow(judge_->trend(), this);
    trendWindow_->show();
    trendWindow_->raise();
    trendWindow_->activateWindow();
    trendWindow_->refresh();
}

// The cursors' readout first, then the measurements' with their statistics, one
// "name = value unit" a line.
void Form1::copyReadouts() {
    QStringList lines;
    if (cursorOverlay_ && !cursorOverlay_->isHidden())
        lines << cursorCopyLines(cursorOverlay_->readout());
    lines << readout_->copyLines();
    if (lines.isEmpty()) {
        showNotice(
            tr("No readout is on screen to copy: show the measurements (M) or the "
               "cursors (C) first."));
        return;
    }
    QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

}  // namespace kalvira::ui
