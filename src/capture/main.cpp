// kalvira-capture: takes records from the acquisition unit with the window's measurement run and
// writes them as a record file, their measurements and their spectra. Ctrl+C ends the run as
// STOP does, a second one at once.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <cstdio>

#include "acquisition/measurement_run.h"
#include "acquisition/qt_serial_port.h"
#include "capture_host.h"
#include "capture_options.h"
#include "capture_reports.h"
#include "common/link_facts.h"
#include "i18n/translations.h"
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

    QSocketNotifier interrupt(interruptPipe[0], QSocketNotifier::Read);
    QObject::connect(&interrupt, &QSocketNotifier::activated, &app, [&] {
        char byte = 0;
        while (::read(interruptPipe[0], &byte, 1) == 1) host.interrupt();  // a byte a Ctrl+C
    });
    QObject::connect(&host, &capture::CaptureHost::runEnded, &app, [&] {
        if (!run.running()) QCoreApplication::quit();
    });
    QMetaObject::invokeMethod(
        &app, [&] { run.start(); }, Qt::QueuedConnection);
    QCoreApplication::exec();
    host.clearStatus();

    analysis::SpectrumAnalyser analyser;
    if (options.measure) {
        const auto &rate = kSampleRates[static_cast<std::size_t>(options.rateCode)];
        for (const auto &record : host.records()) {
            std::printf(
                "%s\n",
                capture::measurementLine(record, rate, options.calibration, analyser).c_str());
        }
        std::fflush(stdout);
    }
    if (!host.records().empty()) {
        const records::RecordFile file = recordFile(options, host);
        auto error = !options.measure || !options.output.isEmpty()
                         ? writeRecords(options.output, file)
                         : std::nullopt;
        if (!error && !options.spectrum.isEmpty()) {
            error = capture::writeSpectra(options.spectrum, file, options.window, analyser);
        }
        if (error) {
            std::fprintf(stderr, "kalvira-capture: %s\n", error->c_str());
            return kLinkFailed;
        }
    }
    if (host.failure()) return kLinkFailed;
    if (host.records().size() == static_cast<std::size_t>(options.records)) return 0;
    if (host.interrupted()) return kInterrupted;
    std::fprintf(
        stderr, "kalvira-capture: %s\n",
        QCoreApplication::translate("kalvira-capture", "the run ended before every record arrived")
            .toLocal8Bit()
            .constData());
    return kLinkFailed;
}
