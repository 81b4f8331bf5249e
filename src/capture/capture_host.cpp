#include "capture_host.h"

#include <QCoreApplication>
#include <cstdio>
#include <utility>

#include "scope/scope.h"

namespace kalvira::capture {

CaptureHost::CaptureHost(const CaptureOptions &options, QObject *parent)
    : QObject(parent), options_(options) {
    clock_.setInterval(100);
    connect(&clock_, &QTimer::timeout, this, &CaptureHost::clockTicked);
    started_.start();
}

void CaptureHost::endForTime() {
    timeIsUp_ = true;
    if (scope_) scope_->stop();
}

void CaptureHost::interrupt() {
    const bool again = std::exchange(interrupted_, true);
    if (!scope_) return;
    if (again) return scope_->abort();
    scope_->stop();
}

void CaptureHost::startClock() {
    if (!clock_.isActive()) clock_.start();
}

// Nothing to lock without a window.
void CaptureHost::setSettingsLocked(bool) {}

// The end is reported once the pass that ended the run is over.
void CaptureHost::runStateChanged() {
    if (scope_ && !scope_->running()) {
        QMetaObject::invokeMethod(this, &CaptureHost::runEnded, Qt::QueuedConnection);
    }
    showStatus();
}

// The window draws the new record here; the capture keeps it. After the last record wanted the
// stop request is raised at once, so a continuous run sends nothing more to the unit.
void CaptureHost::redraw() {
    if (!scope_ || !scope_->recordShown()) return;
    if (++recordCount_ == 1) firstTaken_ = QDateTime::currentDateTimeUtc();
    if (options_.records > 0 && recordCount_ >= options_.records) scope_->stop();
    const std::span<const std::int16_t> record = scope_->record();
    if (recordHandler_) recordHandler_(record);
    if (keepingRecords_) records_.emplace_back(record.begin(), record.end());
    showStatus();
}

void CaptureHost::showMessage(const std::string &text, std::function<void()> closed) {
    clearStatus();
    if (!failure_) failure_ = text;
    std::fprintf(stderr, "%s\n", text.c_str());
    QMetaObject::invokeMethod(
        this, [closed = std::move(closed)] { closed(); }, Qt::QueuedConnection);
}

void CaptureHost::clockTicked() {
    if (scope_) scope_->tick();
    showStatus();
}

void CaptureHost::showStatus() {
    if (!statusLine_ || !scope_ || !scope_->running()) return;
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
              QString::fromStdString(acquisition::describeProgress(scope_->run().progress()));
    std::fprintf(stderr, "\r%s\033[K", status.toLocal8Bit().constData());
    std::fflush(stderr);
}

void CaptureHost::clearStatus() {
    if (!statusLine_) return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
}

}  // namespace kalvira::capture
