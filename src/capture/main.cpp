// kalvira-capture: takes records from the acquisition unit with the window's measurement run and
// writes them as a record file, their measurements and their spectra. Ctrl+C ends the run as
// STOP does, a second one at once.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <utility>

#include "acquisition/measurement_run.h"
#include "acquisition/qt_serial_port.h"
#include "capture_host.h"
#include "capture_options.h"
#include "capture_reports.h"
#include "common/link_facts.h"
#include "i18n/translations.h"
#include "records/record_appender.h"
#include "records/record_file.h"

namespace {

using namespace kalvira;

constexpr int kLinkFailed = 1;
constexpr int kInterrupted = 130;

int interruptPipe[2] = {-1, -1};  // the SIGINT handler's byte goes in [1], the event loop reads [0]

void onInterrupt(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(interruptPipe[1], &byte, 1);
}

bool catchInterrupt() {
    if (::pipe(interruptPipe) != 0) return false;
    for (const int end : interruptPipe) ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    return ::sigaction(SIGINT, &action, nullptr) == 0;
}

records::RecordFile recordFile(const capture::CaptureOptions &options,
                               const capture::CaptureHost &host) {
    records::RecordFile file;
    file.sampleRateSps = records::spsForRateCode(options.rateCode);
    file.samples = options.samples;
    file.trigger = options.triggerMode();
    file.triggerLevel = options.triggerLevel;
    file.fallingEdge = options.fallingEdge;
    file.taken = host.firstTaken();
    file.records = host.records();
    file.calibration = options.calibration;
    return file;
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

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kalvira-capture"));
    i18n::installTranslations(app);
    const auto parsed = capture::parseCommandLine(QCoreApplication::arguments());
    if (const auto *exit = std::get_if<capture::CommandLineExit>(&parsed)) {
        std::fputs(exit->text.toLocal8Bit().constData(), exit->status == 0 ? stdout : stderr);
        return exit->status;
    }
    const auto &options = std::get<capture::CaptureOptions>(parsed);
    // A device path is opened as port 1, the number the window's "COM1" stands for.
    if (options.device) qputenv("KALVIRA_COM1", QByteArray::fromStdString(*options.device));
    if (!catchInterrupt()) {
        std::perror("kalvira-capture: SIGINT");
        return kLinkFailed;
    }

    acquisition::QtSerialPort port;
    capture::CaptureHost host(options);
    host.setStatusLine(::isatty(STDERR_FILENO) == 1);
    acquisition::MeasurementRun run(host, port);
    host.attach(&run);

    // A capture of more than one record hands each one on as it completes: appended to its file
    // and synced, its measurements printed, so that hours of records cost no memory and a crash
    // loses at most the record under way.
    analysis::SpectrumAnalyser analyser;
    const auto &rate = kSampleRates[static_cast<std::size_t>(options.rateCode)];
    const bool appending = options.appendsRecords();
    const bool writesRecords = !options.measure || !options.output.isEmpty();
    records::RecordAppender appender;
    std::optional<std::string> writeError;
    host.setKeepingRecords(!appending || !options.spectrum.isEmpty());
    if (appending && writesRecords && !options.output.isEmpty())
        host.setFileSize([&appender] { return appender.bytesWritten(); });
    host.setRecordHandler([&](std::span<const std::int16_t> record) {
        if (options.measure && appending) {
            std::printf(
                "%s\n",
                capture::measurementLine(record, rate, options.calibration, analyser).c_str());
            std::fflush(stdout);
        }
        if (!appending || !writesRecords || writeError) return;
        records::RecordFile entry = recordFile(options, host);
        entry.taken = QDateTime::currentDateTimeUtc();
        entry.records = {std::vector<std::int16_t>(record.begin(), record.end())};
        if (appender.recordsWritten() == 0) writeError = appender.open(options.output);
        if (!writeError) writeError = appender.append(entry);
        // Not from inside the run's pass that handed the record on: after it.
        if (writeError)
            QMetaObject::invokeMethod(
                &app, [&run] { run.abort(); }, Qt::QueuedConnection);
    });

    QSocketNotifier interrupt(interruptPipe[0], QSocketNotifier::Read);
    QObject::connect(&interrupt, &QSocketNotifier::activated, &app, [&] {
        char byte = 0;
        while (::read(interruptPipe[0], &byte, 1) == 1) host.interrupt();  // a byte a Ctrl+C
        if (!run.running()) QCoreApplication::quit();  // between the runs of an interval
    });
    if (options.durationS) {
        QTimer::singleShot(std::chrono::milliseconds(std::llround(*options.durationS * 1000)),
                           &host, [&] {
                               host.endForTime();
                               if (!run.running()) QCoreApplication::quit();
                           });
    }
    // With --interval each record is a single run of its own, started on the interval's beat, or
    // at once when the one before took longer.
    QElapsedTimer clock;
    clock.start();
    long long runsStarted = 0;
    bool toldBackToBack = false;
    const auto startRun = [&] {
        if (host.interrupted() || host.timeIsUp()) return QCoreApplication::quit();
        ++runsStarted;
        run.start();
    };
    QObject::connect(&host, &capture::CaptureHost::runEnded, &app, [&] {
        if (run.running()) return;
        const bool more = options.intervalS && !host.failure() && !writeError &&
                          !host.interrupted() && !host.timeIsUp() &&
                          (options.records == 0 || host.recordCount() < options.records);
        if (!more) return QCoreApplication::quit();
        const auto due = std::llround(*options.intervalS * 1000.0 * double(runsStarted));
        const qint64 wait = due - clock.elapsed();
        if (wait < 0 && !std::exchange(toldBackToBack, true)) {
            host.clearStatus();
            std::fprintf(stderr, "kalvira-capture: %s\n",
                         QCoreApplication::translate(
                             "kalvira-capture",
                             "a record takes longer than the interval: records follow back to back")
                             .toLocal8Bit()
                             .constData());
        }
        QTimer::singleShot(std::chrono::milliseconds(std::max<qint64>(0, wait)), &app, startRun);
    });
    QMetaObject::invokeMethod(&app, startRun, Qt::QueuedConnection);
    QCoreApplication::exec();
    host.clearStatus();

    if (writeError) {
        std::fprintf(stderr, "kalvira-capture: %s\n", writeError->c_str());
        return kLinkFailed;
    }
    if (options.measure && !appending) {
        for (const auto &record : host.records()) {
            std::printf(
                "%s\n",
                capture::measurementLine(record, rate, options.calibration, analyser).c_str());
        }
        std::fflush(stdout);
    }
    if (host.recordCount() > 0) {
        const records::RecordFile file = recordFile(options, host);
        auto error =
            !appending && writesRecords ? writeRecords(options.output, file) : std::nullopt;
        if (!error && !options.spectrum.isEmpty()) {
            error = capture::writeSpectra(options.spectrum, file, options.window, analyser);
        }
        if (error) {
            std::fprintf(stderr, "kalvira-capture: %s\n", error->c_str());
            return kLinkFailed;
        }
    }
    if (host.failure()) return kLinkFailed;
    if (host.interrupted()) return kInterrupted;
    if (host.timeIsUp() || host.recordCount() == options.records) return 0;
    std::fprintf(
        stderr, "kalvira-capture: %s\n",
        QCoreApplication::translate("kalvira-capture", "the run ended before every record arrived")
            .toLocal8Bit()
            .constData());
    return kLinkFailed;
}
