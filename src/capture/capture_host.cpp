#include "capture_host.h"

#include <QCoreApplication>
#include <cstdio>
#include <utility>

#include "acquisition/measurement_run.h"
#include "common/link_facts.h"

namespace kalvira::capture {

CaptureHost::CaptureHost(const CaptureOptions &options, QObject *parent)
    : QObject(parent), options_(options) {
    Timer1.setInterval(100);
    connect(&Timer1, &QTimer::timeout, this, &CaptureHost::Timer1_Timer);
    started_.start();
}

void CaptureHost::endForTime() {
    timeIsUp_ = true;
    setStopGombLenyomva(-1);
    if (run_) run_->wake();
}

void CaptureHost::interrupt() {
    if (std::exchange(interrupted_, true) && run_) return run_->abort();
    setStopGombLenyomva(-1);
    if (run_) run_->wake();
}

std::int16_t CaptureHost::trigLevelValue() const {
    return static_cast<std::int16_t>(options_.triggerLevel);
}

std::int16_t CaptureHost::sampleScrollValue() const {
    return static_cast<std::int16_t>(options_.samples / kSamplesPerBlock);
}

void CaptureHost::enableTimer1() {
    if (!Timer1.isActive()) Timer1.start();
}

// Nothing to lock without a window.
void CaptureHost::setSettingsLocked(bool) {}

// The end is reported once the pass that ended the run is over.
void CaptureHost::runStateChanged() {
    if (run_ && !run_->running()) {
        QMetaObject::invokeMethod(this, &CaptureHost::runEnded, Qt::QueuedConnection);
    }
    showStatus();
}

void CaptureHost::commitSampleData(std::span<const std::int16_t> record) {
    committed_.assign(record.begin(), record.end());
}

// The window draws the new record here; the capture keeps it. After the last record wanted the
// stop request is raised at once, so a continuous run sends nothing more to the unit.
void CaptureHost::redraw() {
    if (MeresVege != -1) return;
    if (++recordCount_ == 1) firstTaken_ = QDateTime::currentDateTimeUtc();
    if (options_.records > 0 && recordCount_ >= options_.records) setStopGombLenyomva(-1);
    if (recordHandler_) recordHandler_(committed_);
    if (keepingRecords_) records_.push_back(std::move(committed_));
    committed_.clear();
    showStatus();
}

void CaptureHost::showMessage(const std::string &text, std::function<void()> closed) {
    clearStatus();
    if (!failure_) failure_ = text;
    std::fprintf(stderr, "%s\n", text.c_str());
    QMetaObject::invokeMethod(
        this, [closed = std::move(closed)] { closed(); }, Qt::QueuedConnection);
}

void CaptureHost::Timer1_Timer() {
    if (run_) run_->tick();
    showStatus();
}

void CaptureHost::showStatus() {
    if (!statusLine_ || !run_ || !run_->running()) return;
    QString status = options_.records > 0
                         ? QCoreApplication::translate("kalvira-capture", "%1/%2 records complete")
                               .arg(recordCount_)
                               .arg(options_.records)
                         : QCoreApplication::translate("kalvira-capture", "%1 records complete")
                               .arg(recordCount_);
    const qint64 seconds = started_.elapsed() / 1000;
    status += QStringLiteral(", %1:%2:%3")
                  .arg(seconds / 3600)
                  .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                  .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (fileSize_) {
        status += QCoreApplication::translate("kalvira-capture", ", %1 kB in the file")
                      .arg(fileSize_() / 1024);
    }
    status += QStringLiteral(", ") +
              QString::fromStdString(acquisition::describeProgress(run_->progress()));
    std::fprintf(stderr, "\r%s\033[K", status.toLocal8Bit().constData());
    std::fflush(stderr);
}

void CaptureHost::clearStatus() {
    if (!statusLine_) return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
}

}  // namespace kalvira::capture
