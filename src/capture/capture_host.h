#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "capture_options.h"
#include "scope/scope_front_end.h"

namespace kalvira::scope {
class Scope;
}

namespace kalvira::capture {

// The scope's front end without a window: every committed record is handed on or kept, and a
// failure's message goes to standard error.
class CaptureHost final : public QObject, public scope::ScopeFrontEnd {
    Q_OBJECT
public:
    explicit CaptureHost(const CaptureOptions &options, QObject *parent = nullptr);

    // The scope whose run the clock ticks and the stop request wakes; it must outlive the host's
    // use.
    void attach(scope::Scope *scope) { scope_ = scope; }
    // Ctrl+C. The first acts as STOP: the run ends at its next stop test, a record already
    // complete is kept. A later one ends the run at once, not waiting for the frame, the
    // acknowledgement or the pause under way.
    void interrupt();
    bool interrupted() const { return interrupted_; }
    // --duration has passed: the run ends as at STOP, keeping the record under way.
    void endForTime();
    bool timeIsUp() const { return timeIsUp_; }
    // Called with each complete record as it arrives, before the next one is asked for.
    void setRecordHandler(std::function<void(std::span<const std::int16_t>)> handler) {
        recordHandler_ = std::move(handler);
    }
    // Whether records() keeps the records; a capture that hands them on at once needs not.
    void setKeepingRecords(bool keeping) { keepingRecords_ = keeping; }
    // The size of the file the records go to, for the status line.
    void setFileSize(std::function<long long()> size) { fileSize_ = std::move(size); }
    long long recordCount() const { return recordCount_; }
    // Shows the complete records and the run's state on one line of standard error, redrawn at
    // every tick of the tenth-second clock (for a terminal).
    void setStatusLine(bool shown) { statusLine_ = shown; }
    void clearStatus();

    // The complete records, in the order they arrived, when kept.
    const std::vector<std::vector<std::int16_t>> &records() const { return records_; }
    // When the first record was complete.
    const QDateTime &firstTaken() const { return firstTaken_; }
    // The message of the failure that ended the run, if one did.
    const std::optional<std::string> &failure() const { return failure_; }

    void startClock() override;
    void setSettingsLocked(bool locked) override;
    void redraw() override;
    void showMessage(const std::string &text, std::function<void()> closed) override;
    void runStateChanged() override;

signals:
    // The run has ended and closed the port. Emitted once the pass that ended it is over.
    void runEnded();

private:
    void clockTicked();
    void showStatus();

    CaptureOptions options_;
    scope::Scope *scope_ = nullptr;
    QTimer clock_;  // the tenth-second clock
    std::vector<std::vector<std::int16_t>> records_;
    QDateTime firstTaken_;
    std::optional<std::string> failure_;
    bool statusLine_ = false;
    bool interrupted_ = false;
    bool timeIsUp_ = false;
    bool keepingRecords_ = true;
    long long recordCount_ = 0;
    std::function<void(std::span<const std::int16_t>)> recordHandler_;
    std::function<long long()> fileSize_;
    QElapsedTimer started_;
};

}  // namespace kalvira::capture
