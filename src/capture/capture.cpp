#include "capture.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "capture_reports.h"
#include "common/link_facts.h"
#include "decode/decoder_library.h"
#include "decode/record_decoding.h"
#include "export/export_file.h"

namespace kalvira::capture {

namespace {

constexpr int kLinkFailed = 1;
constexpr int kRecordFailed = 3;
constexpr int kInterrupted = 130;

void reportError(const std::string &text) {
    std::fprintf(stderr, "kalvira-capture: %s\n", text.c_str());
}

void reportError(const QString &text) {
    std::fprintf(stderr, "kalvira-capture: %s\n", text.toLocal8Bit().constData());
}

// The complete records to FILE (replaced whole) or standard output; the reason on failure.
std::optional<std::string> writeRecords(const QString &path, const records::RecordFile &file) {
    if (!path.isEmpty()) return records::writeRecordFile(path, file);
    QFile out;
    const QByteArray bytes = records::formatRecordFile(file);
    if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size() ||
        !out.flush()) {
        return QCoreApplication::translate("kalvira-capture", "standard output: %1")
            .arg(out.errorString())
            .toStdString();
    }
    return {};
}

}  // namespace

Capture::Capture(const CaptureOptions &options, QObject *parent)
    : QObject(parent),
      options_(options),
      appending_(options.appendsRecords()),
      writesRecords_((!(options.measure || options.decode) && !options.judging.statistics) ||
                     !options.output.isEmpty()),
      exports_(exporting::exportFormatOf(options.output).has_value()),
      host_(options),
      // The history is of no use without a window: it keeps the newest record only.
      scope_(port_, host_, 0),
      judge_(scope_),
      averager_(options.average.value_or(analysis::Averaging{})) {
    host_.setStatusLine(::isatty(STDERR_FILENO) == 1);
    scope_.setSettings(options_.settings);
    scope_.setUserCalibration(options_.settings.calibration);
    scope_.setPort(options_.portIndex);
    host_.attach(&scope_);
    // The statistics cover the whole capture, each --interval run included; there is no trend.
    judge_.setResetAtStart(false);
    judge_.setTrendKept(false);
    if (options_.judging.reference) judge_.setReference(*options_.judging.reference);
    judge_.setCriteria({options_.judging.limits, options_.judging.mask});
    // A capture of more than one record hands each one on as it completes: appended to its file
    // and synced, its measurements printed, so that hours of records cost no memory and a crash
    // loses at most the record under way.
    // A session or WAV file is written at the end, from the records kept.
    host_.setKeepingRecords(!appending_ || (!options_.spectrum.isEmpty() && !options_.average) ||
                            exports_);
    if (appending_ && writesRecords_ && !exports_ && !options_.output.isEmpty())
        host_.setFileSize([this] { return appender_.bytesWritten(); });
    host_.setRecordHandler([this](std::span<const std::int16_t> record) { handOn(record); });
    connect(&host_, &CaptureHost::runEnded, this, &Capture::onRunEnded);
}

void Capture::interrupt() {
    host_.interrupt();
    if (!scope_.running()) QCoreApplication::quit();  // between the runs of an interval
}

int Capture::run() {
    if (options_.durationS) {
        QTimer::singleShot(std::chrono::milliseconds(std::llround(*options_.durationS * 1000)),
                           &host_, [this] { endAfterDuration(); });
    }
    clock_.start();
    QMetaObject::invokeMethod(this, &Capture::startRun, Qt::QueuedConnection);
    QCoreApplication::exec();
    host_.clearStatus();
    return finish();
}

void Capture::handOn(std::span<const std::int16_t> record) {
    passed_.push_back(judge_.lastTakenPassed());
    if ((options_.measure || options_.decode) && appending_) {
        printRecordLines(record, passed_.back());
        std::fflush(stdout);
    }
    if (appending_ && writesRecords_ && !exports_ && !writeError_) append(record);
    if (options_.average && !writeError_) average(record);
}

void Capture::append(std::span<const std::int16_t> record) {
    records::RecordFile entry;
    entry.settings = options_.settings;
    entry.taken = QDateTime::currentDateTimeUtc();
    entry.records = {std::vector<std::int16_t>(record.begin(), record.end())};
    if (appender_.recordsWritten() == 0) writeError_ = appender_.open(options_.output);
    if (!writeError_) writeError_ = appender_.append(entry);
    if (writeError_) abortAfterWriteError();
}

// The averaged spectrum replaces the file's as each record completes, so that it is of use even
// when the capture is cut short.
void Capture::average(std::span<const std::int16_t> record) {
    const auto &rate = kSampleRates[static_cast<std::size_t>(options_.settings.rateCode)];
    averager_.add(analyser_.transform(record, rate.samplesPerSecond, options_.window));
    records::RecordFile file;
    file.settings = options_.settings;
    file.taken = host_.firstTaken();
    writeError_ = writeAveragedSpectrum(options_.spectrum, file, averager_);
    if (writeError_) abortAfterWriteError();
}

// Not from inside the run's pass that handed the record on: after it.
void Capture::abortAfterWriteError() {
    QMetaObject::invokeMethod(
        this, [this] { scope_.abort(); }, Qt::QueuedConnection);
}

// With --interval each record is a single run of its own, started on the interval's beat, or at
// once when the one before took longer.
void Capture::startRun() {
    if (host_.interrupted() || host_.timeIsUp()) return QCoreApplication::quit();
    ++runsStarted_;
    scope_.start();
}

void Capture::onRunEnded() {
    if (scope_.running()) return;
    if (!wantsAnotherRun()) return QCoreApplication::quit();
    const auto due = std::llround(*options_.intervalS * 1000.0 * double(runsStarted_));
    const qint64 wait = due - clock_.elapsed();
    if (wait < 0 && !std::exchange(toldBackToBack_, true)) {
        host_.clearStatus();
        reportError(QCoreApplication::translate(
            "kalvira-capture",
            "a record takes longer than the interval: records follow back to back"));
    }
    QTimer::singleShot(std::chrono::milliseconds(std::max<qint64>(0, wait)), this,
                       &Capture::startRun);
}

bool Capture::wantsAnotherRun() const {
    return options_.intervalS && !host_.failure() && !writeError_ && !host_.interrupted() &&
           !host_.timeIsUp() && (options_.records == 0 || host_.recordCount() < options_.records);
}

void Capture::endAfterDuration() {
    host_.endForTime();
    if (!scope_.running()) QCoreApplication::quit();
}

int Capture::finish() {
    if ((options_.measure || options_.decode) && !appending_ && !writeError_) {
        const auto &records = host_.records();
        for (std::size_t i = 0; i < records.size(); ++i) printRecordLines(records[i], passed_[i]);
    }
    if (options_.judging.statistics)
        std::printf("%s\n", analysis::statisticsJson(judge_.statistics()).c_str());
    std::fflush(stdout);
    if (writeError_) {
        reportError(*writeError_);
        return kLinkFailed;
    }
    if (host_.recordCount() > 0) {
        if (const auto error = writeFiles()) {
            reportError(*error);
            return kLinkFailed;
        }
    }
    if (host_.failure() || decodeFailed_) return kLinkFailed;
    if (judge_.failCount() > 0) return kRecordFailed;
    if (host_.interrupted()) return kInterrupted;
    if (host_.timeIsUp() || host_.recordCount() == options_.records) return 0;
    reportError(QCoreApplication::translate("kalvira-capture",
                                            "the run ended before every record arrived"));
    return kLinkFailed;
}

// The record file when the records were not appended as they came (a session or WAV file is
// never appended to), then the spectra.
std::optional<std::string> Capture::writeFiles() {
    const records::RecordFile file = recordFile();
    auto error = std::optional<std::string>();
    if (exports_) error = exporting::writeExport(options_.output, file, options_.threshold);
    if (!exports_ && !appending_ && writesRecords_) error = writeRecords(options_.output, file);
    if (!error && !options_.spectrum.isEmpty() && !options_.average) {
        error = writeSpectra(options_.spectrum, file, options_.window, analyser_);
    }
    return error;
}

// The verdict joins the line only when something judges the records.
void Capture::printMeasurements(std::span<const std::int16_t> record, std::optional<bool> passed) {
    const auto &rate = kSampleRates[static_cast<std::size_t>(options_.settings.rateCode)];
    if (!options_.judging.judges()) passed.reset();
    std::printf(
        "%s\n",
        measurementLine(record, rate, options_.settings.calibration, analyser_, passed).c_str());
}

void Capture::printRecordLines(std::span<const std::int16_t> record, std::optional<bool> passed) {
    ++recordsPrinted_;
    if (options_.measure) printMeasurements(record, passed);
    if (options_.decode) printAnnotations(record);
}

// A decode that fails is told on standard error; the other records are still decoded.
void Capture::printAnnotations(std::span<const std::int16_t> record) {
    auto started = decode::DecoderLibrary::instance();
    const int rate = options_.settings.sampleRateSps();
    auto decoded =
        std::holds_alternative<std::string>(started)
            ? std::variant<decode::RecordDecode, std::string>(std::get<std::string>(started))
            : decode::decodeRecord(*std::get<decode::DecoderLibrary *>(started), *options_.decode,
                                   record, rate, options_.threshold, options_.settings.calibration);
    if (const auto *error = std::get_if<std::string>(&decoded)) {
        decodeFailed_ = true;
        std::fflush(stdout);
        return reportError(QCoreApplication::translate("kalvira-capture", "record %1: %2")
                               .arg(recordsPrinted_)
                               .arg(QString::fromStdString(*error)));
    }
    for (const auto &annotation : std::get<decode::RecordDecode>(decoded).annotations) {
        std::printf("%s\n", decode::annotationJson(recordsPrinted_, annotation, rate).c_str());
    }
}

records::RecordFile Capture::recordFile() const {
    records::RecordFile file;
    file.settings = options_.settings;
    file.taken = host_.firstTaken();
    file.records = host_.records();
    return file;
}

}  // namespace kalvira::capture
