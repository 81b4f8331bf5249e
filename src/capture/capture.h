#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "acquisition/qt_serial_port.h"
#include "analysis/spectrum.h"
#include "analysis/spectrum_averager.h"
#include "capture_host.h"
#include "capture_options.h"
#include "records/record_appender.h"
#include "records/record_file.h"
#include "scope/record_judge.h"
#include "scope/scope.h"

namespace kalvira::capture {

// One capture of kalvira-capture: the scope on the serial port with a CaptureHost for its front
// end, the runs it takes (one, continuous, or one on each beat of an interval), the records
// handed on as they complete, and the files written at the end.
class Capture final : public QObject {
public:
    // A device path must already stand as port 1 (KALVIRA_COM1).
    explicit Capture(const CaptureOptions &options, QObject *parent = nullptr);

    // Ctrl+C, once for each: the run ends as at STOP, a second one at once.
    void interrupt();
    // Takes the records in the event loop and writes what the options ask for; the exit status:
    // 0 every record arrived, 1 the link or a file failed, 3 a record failed its limits or mask
    // (the link and the files whole), 130 interrupted.
    int run();

private:
    void handOn(std::span<const std::int16_t> record);
    void append(std::span<const std::int16_t> record);
    void average(std::span<const std::int16_t> record);
    void abortAfterWriteError();
    void startRun();
    void onRunEnded();
    bool wantsAnotherRun() const;
    void endAfterDuration();
    int finish();
    std::optional<std::string> writeFiles();
    void printMeasurements(std::span<const std::int16_t> record, std::optional<bool> passed);
    void printRecordLines(std::span<const std::int16_t> record, std::optional<bool> passed);
    void printAnnotations(std::span<const std::int16_t> record);
    records::RecordFile recordFile() const;

    const CaptureOptions options_;
    const bool appending_;      // each record goes to its file as it completes
    const bool writesRecords_;  // a record file is written: not --measure alone
    const bool exports_;        // --output names a .sr or .wav file: written at the end
    acquisition::QtSerialPort port_;
    CaptureHost host_;
    scope::Scope scope_;
    scope::RecordJudge judge_;
    std::vector<bool> passed_;  // each record's verdict, in the order they came
    analysis::SpectrumAnalyser analyser_;
    analysis::SpectrumAverager averager_;
    records::RecordAppender appender_;
    std::optional<std::string> writeError_;
    QElapsedTimer clock_;  // since the first run, for the interval's beats
    long long runsStarted_ = 0;
    bool toldBackToBack_ = false;
    std::uint64_t recordsPrinted_ = 0;  // records whose --measure or --decode lines are out
    bool decodeFailed_ = false;
};

}  // namespace kalvira::capture
