#pragma once

#include <QDateTime>
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "acquisition/measurement_run.h"
#include "acquisition/run_host.h"
#include "analysis/calibration.h"
#include "analysis/cursor_readings.h"
#include "common/link_facts.h"
#include "common/sample_record.h"
#include "records/record_file.h"
#include "records/record_history.h"
#include "scope_front_end.h"
#include "settings/scope_settings.h"

namespace kalvira::scope {

// The oscilloscope without its window: what it is set to, the record on screen, the records seen
// before it, the cursors over it, how it reads in volts, and the measurement run that fills it.
// A front end shows it and serves the run; whoever sets it (the window's controls, a remote
// client) goes through it. Everything happens on the GUI thread.
class Scope final : public QObject, private acquisition::RunHost {
    Q_OBJECT
public:
    // port and frontEnd must outlive the scope. The history keeps the newest records within
    // historyBudgetBytes (the newest always).
    Scope(acquisition::SerialPort &port, ScopeFrontEnd &frontEnd,
          std::size_t historyBudgetBytes = records::RecordHistory::kDefaultBudgetBytes,
          QObject *parent = nullptr);
    ~Scope() override;

    // --- Settings ---------------------------------------------------------------------------
    // What the scope is set to now, the calibration on screen included.
    const settings::ScopeSettings &settings() const { return settings_; }
    // A front end with controls moves them to what is asked (in the order a user would); each
    // control then reports through noteSettings(). Without one the settings are taken as asked.
    void setSettingsMover(std::function<void(const settings::ScopeSettings &)> mover) {
        mover_ = std::move(mover);
    }
    // Asks for other settings (from a file, a remote client); the calibration is not changed.
    void setSettings(const settings::ScopeSettings &wanted);
    // What the front end's controls show now; the calibration is not changed.
    void noteSettings(const settings::ScopeSettings &shown);
    // The port the next frame goes through: 0 "COM1", 1 "COM2".
    int port() const { return port_; }
    void setPort(int port) { port_ = port; }

    // --- The run ----------------------------------------------------------------------------
    const acquisition::MeasurementRun &run() const { return *run_; }
    bool running() const { return run_->running(); }
    void start() { run_->start(); }  // START
    void stop() { run_->stop(); }    // STOP
    void tick() { run_->tick(); }    // the tenth-second clock
    void abort() { run_->abort(); }  // the front end is going away

    // --- The record on screen ---------------------------------------------------------------
    // Whether a complete record is on screen (MeresVege -1): until the rate or the length is
    // changed, or a run fails with a bad start byte or a broken block.
    bool recordShown() const { return recordShown_; }
    // The record store, sample k at index k; only 1..settings().recordLength belong to the record.
    const SampleRecord &samples() const { return samples_; }
    // Samples 1..N of the record on screen.
    std::span<const std::int16_t> record() const;
    // Whether the record on screen came from the unit in a run, not from a file or the history.
    bool recordFromUnit() const { return recordFromUnit_; }
    // Counts the records taken or shown from files; the one on screen is the latest.
    std::uint64_t recordNumber() const { return recordNumber_; }
    // When the record on screen was taken, UTC; invalid before the first.
    const QDateTime &recordTaken() const { return recordTaken_; }
    // The record on screen as a file holds it: its settings, time and samples.
    records::RecordFile recordOnScreen() const;
    // The record on screen is void (MeresVege 0).
    void clearRecord();
    // Called with each record the run takes, once it is on screen, numbered and timed and before
    // the history keeps it; returns whether the history is to keep it. None: every one is kept.
    void setRecordTakenHandler(std::function<bool()> handler) {
        recordTakenHandler_ = std::move(handler);
    }
    // A record from a file or the history becomes the record on screen, reading by the file's
    // calibration; its settings are the front end's to apply first.
    void showRecord(const records::RecordFile &entry);

    // --- The history ------------------------------------------------------------------------
    const records::RecordHistory &history() const { return history_; }
    // Keeps entries of one record each, oldest first; how many of them the history kept.
    std::size_t keep(std::vector<records::RecordFile> entries);
    void clearHistory();
    // The entry the screen shows: the one stepped to, the newest when the record on screen is the
    // last one kept, and one past the newest otherwise.
    std::size_t historyPosition() const;
    // The record on screen was shown from entry index.
    void noteHistoryShown(std::size_t index);
    // Shows entry index (below size()) as the record on screen, with its settings. A front end
    // with controls shows it itself, as a user stepping back would; without one the scope takes
    // its settings and record.
    void showHistoryEntry(std::size_t index);
    void setEntryShower(std::function<void(std::size_t)> shower) { shower_ = std::move(shower); }

    // --- The cursors ------------------------------------------------------------------------
    // Where the cursors stand; none until placed, and none fit for a record of another rate or
    // length than the one they were placed on.
    std::optional<analysis::CursorPositions> cursors() const;
    void setCursors(const analysis::CursorPositions &positions);

    // --- The calibration --------------------------------------------------------------------
    // The user's calibration, which reads every record taken.
    const std::optional<analysis::Calibration> &userCalibration() const { return userCalibration_; }
    // A new choice of the user's: the record on screen reads by it too.
    void setUserCalibration(const std::optional<analysis::Calibration> &calibration);

signals:
    void settingsChanged();
    void recordChanged();
    void historyChanged();
    void cursorsChanged();
    void calibrationChanged();
    void runChanged();
    // A failure of the run is being reported to the user with this text.
    void messageShown(const QString &text);

private:
    // The run's host: the settings, the record and what the front end does.
    acquisition::RunSettings runSettings() const override;
    void startClock() override { frontEnd_.startClock(); }
    void setSettingsLocked(bool locked) override { frontEnd_.setSettingsLocked(locked); }
    void takeRecord(std::span<const std::int16_t> record) override;
    void dropRecord() override { clearRecord(); }
    void redraw() override { frontEnd_.redraw(); }
    void showMessage(const std::string &text, std::function<void()> closed) override;
    void runStateChanged() override;

    void setCalibrationOnScreen(const std::optional<analysis::Calibration> &calibration);

    ScopeFrontEnd &frontEnd_;
    std::function<void(const settings::ScopeSettings &)> mover_;
    std::function<void(std::size_t)> shower_;
    std::function<bool()> recordTakenHandler_;
    settings::ScopeSettings settings_;
    int port_ = 0;

    bool recordShown_ = false;
    bool recordFromUnit_ = false;
    SampleRecord samples_{};
    std::uint64_t recordNumber_ = 0;
    QDateTime recordTaken_;

    records::RecordHistory history_;
    // The entry stepped to and the record number it was shown as; the record number of the newest.
    std::optional<std::pair<std::size_t, std::uint64_t>> historyShown_;
    std::uint64_t historyNewestNumber_ = 0;

    std::optional<analysis::CursorPositions> cursors_;
    std::pair<int, int> cursorsPlacedFor_;  // the rate and length of the record they were set on

    std::optional<analysis::Calibration> userCalibration_;

    std::unique_ptr<acquisition::MeasurementRun> run_;
};

}  // namespace kalvira::scope
