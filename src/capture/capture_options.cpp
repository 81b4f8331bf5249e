#include "capture_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include "calibration_options.h"
#include "common/link_facts.h"
#include "long_capture_options.h"
#include "records/record_file.h"

namespace kalvira::capture {

namespace {

constexpr int kMaxRecords = 1000;

std::optional<int> toInt(const QString &text, int low, int high) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high) return {};
    return value;
}

// "rectangular, hann, hamming, blackman-harris, flat-top"
QString windowNames() {
    QStringList names;
    for (const auto window : analysis::kSpectrumWindows) {
        names << QString::fromStdString(std::string(analysis::windowName(window)));
    }
    return names.join(QStringLiteral(", "));
}

CommandLineExit usageError(const QString &message) {
    return {2, QStringLiteral("kalvira-capture: %1\n%2\n")
                   .arg(message, QCoreApplication::translate("kalvira-capture",
                                                             "Try 'kalvira-capture --help'."))};
}

}  // namespace

std::variant<CaptureOptions, CommandLineExit> parseCommandLine(const QStringList &arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "kalvira-capture",
        "Takes records from the KALVIRA acquisition unit, as the window's START does, and writes\n"
        "them as a record file (CSV with `# key=value` settings lines).\n\n"
        "Exit status: 0 every record arrived, 1 the link failed (the unit's message on stderr),\n"
        "2 usage error, 130 interrupted (Ctrl+C; the complete records are still written)."));
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        QCoreApplication::translate("kalvira-capture", "Show this help and exit."));
    const QCommandLineOption port(
        QStringLiteral("port"),
        QCoreApplication::translate("kalvira-capture",
                                    "Serial device path, or COM1 / COM2 as the window names them "
                                    "(KALVIRA_COM1 / KALVIRA_COM2 when set). Default COM1."),
        QCoreApplication::translate("kalvira-capture", "DEVICE"), QStringLiteral("COM1"));
    const QCommandLineOption rate(
        QStringLiteral("rate"),
        QCoreApplication::translate(
            "kalvira-capture",
            "Samples per second: 40000, 20000, 10000, 5000, 2000, 1000, 500 or 200. "
            "Default 40000."),
        QStringLiteral("SPS"), QStringLiteral("40000"));
    const QCommandLineOption samples(
        QStringLiteral("samples"),
        QCoreApplication::translate(
            "kalvira-capture", "Samples per record, 100..16000 in steps of 100. Default 5000."),
        QStringLiteral("N"), QStringLiteral("5000"));
    const QCommandLineOption trigger(
        QStringLiteral("trigger"),
        QCoreApplication::translate(
            "kalvira-capture",
            "ext: the unit's external trigger input; level: the signal crossing the "
            "trigger level. Default ext."),
        QStringLiteral("ext|level"), QStringLiteral("ext"));
    const QCommandLineOption level(
        QStringLiteral("level"),
        QCoreApplication::translate("kalvira-capture", "Trigger level, 1..254. Default 100."),
        QStringLiteral("L"), QStringLiteral("100"));
    const QCommandLineOption edge(
        QStringLiteral("edge"),
        QCoreApplication::translate("kalvira-capture", "Trigger edge: fall or rise. Default fall."),
        QStringLiteral("fall|rise"), QStringLiteral("fall"));
    const QCommandLineOption records(
        QStringLiteral("records"),
        QCoreApplication::translate("kalvira-capture",
                                    "Complete records to take, 1..%1, or 0 for no end but Ctrl+C "
                                    "or --duration. 1 is a single run; more run the continuous "
                                    "mode, stopped after the last one. Default 1, or 0 with "
                                    "--duration or --interval.")
            .arg(kMaxRecords),
        QStringLiteral("K"), QStringLiteral("1"));
    const QCommandLineOption output(
        QStringLiteral("output"),
        QCoreApplication::translate("kalvira-capture",
                                    "Write the record file to FILE (replaced only when complete) "
                                    "instead of standard output."),
        QCoreApplication::translate("kalvira-capture", "FILE"));
    const QCommandLineOption measure(
        QStringLiteral("measure"),
        QCoreApplication::translate(
            "kalvira-capture",
            "Print the measurements of each record as one JSON object a line on standard output "
            "(min, max, peak_to_peak, mean, rms, frequency_hz, period_s, duty_cycle_percent, "
            "positive_width_s, negative_width_s, rise_time_s, fall_time_s, periods; with a "
            "calibration also min_v, max_v, peak_to_peak_v, mean_v, rms_v) with the figures of its "
            "Hann spectrum whatever --window says (fundamental_hz, fundamental_dbfs, thd_percent "
            "over harmonics 2..10, sinad_db, enob_bits; SINAD and ENOB from its Blackman-Harris "
            "spectrum, as in the spectrum window); null where not defined. The record file then "
            "goes only to --output, when given."));
    const QCommandLineOption spectrum(
        QStringLiteral("spectrum"),
        QCoreApplication::translate(
            "kalvira-capture",
            "Write the spectrum of each record to FILE (replaced only when complete) as the "
            "spectrum window's CSV: `# key=value` lines, then frequency_hz,magnitude_db in dBFS, "
            "the mean removed; several records in one file with a leading record column."),
        QStringLiteral("FILE"));
    const QCommandLineOption window(
        QStringLiteral("window"),
        QCoreApplication::translate("kalvira-capture",
                                    "The window for --spectrum: %1. Default hann. --measure "
                                    "always uses hann.")
            .arg(windowNames()),
        QStringLiteral("NAME"), QStringLiteral("hann"));
    parser.addOptions({help, port, rate, samples, trigger, level, edge, records, output, measure,
                       spectrum, window});

    const CalibrationOptions calibrationOptions = addCalibrationOptions(parser);
    const LongCaptureOptions longCaptureOptions = addLongCaptureOptions(parser);
    if (!parser.parse(arguments)) return usageError(parser.errorText());
    if (parser.isSet(help)) return CommandLineExit{0, parser.helpText()};
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(QCoreApplication::translate("kalvira-capture", "unexpected argument %1")
                              .arg(parser.positionalArguments().constFirst()));
    }

    CaptureOptions options;
    const auto calibration = readCalibrationOptions(parser, calibrationOptions);
    if (const auto *error = std::get_if<QString>(&calibration)) return usageError(*error);
    options.calibration = std::get<0>(calibration);
    const auto times = readLongCaptureOptions(parser, longCaptureOptions);
    if (const auto *error = std::get_if<QString>(&times)) return usageError(*error);
    options.durationS = std::get<LongCaptureTimes>(times).durationS;
    options.intervalS = std::get<LongCaptureTimes>(times).intervalS;
    const QString portName = parser.value(port);
    if (portName == QStringLiteral("COM1") || portName == QStringLiteral("COM2")) {
        options.portIndex = portName == QStringLiteral("COM1") ? 0 : 1;
    } else if (!portName.isEmpty()) {
        options.device = portName.toStdString();
    } else {
        return usageError(QCoreApplication::translate("kalvira-capture", "--port needs a device"));
    }
    const auto sps = toInt(parser.value(rate), 1, 1000000);
    const auto rateCode = sps ? records::rateCodeForSps(*sps) : std::nullopt;
    if (!rateCode) {
        return usageError(QCoreApplication::translate(
            "kalvira-capture",
            "--rate must be one of 40000, 20000, 10000, 5000, 2000, 1000, 500, 200"));
    }
    options.rateCode = *rateCode;
    const auto length = toInt(parser.value(samples), kSamplesPerBlock, kMaxRecordLength);
    if (!length || !isRecordLength(*length)) {
        return usageError(QCoreApplication::translate(
            "kalvira-capture", "--samples must be 100..16000 in steps of 100"));
    }
    options.samples = *length;
    if (parser.value(trigger) != QStringLiteral("ext") &&
        parser.value(trigger) != QStringLiteral("level")) {
        return usageError(
            QCoreApplication::translate("kalvira-capture", "--trigger must be ext or level"));
    }
    options.measure = parser.isSet(measure);
    options.levelTrigger = parser.value(trigger) == QStringLiteral("level");
    const auto triggerLevel = toInt(parser.value(level), 1, 254);
    if (!triggerLevel) {
        return usageError(QCoreApplication::translate("kalvira-capture", "--level must be 1..254"));
    }
    options.triggerLevel = *triggerLevel;
    if (parser.value(edge) != QStringLiteral("fall") &&
        parser.value(edge) != QStringLiteral("rise")) {
        return usageError(
            QCoreApplication::translate("kalvira-capture", "--edge must be fall or rise"));
    }
    options.fallingEdge = parser.value(edge) == QStringLiteral("fall");
    const auto count = toInt(parser.value(records), 0, kMaxRecords);
    if (!count) {
        return usageError(QCoreApplication::translate("kalvira-capture", "--records must be 0..%1")
                              .arg(kMaxRecords));
    }
    options.records = *count;
    // A time limit or an interval without a count means records until then.
    if (!parser.isSet(records) && (options.durationS || options.intervalS)) options.records = 0;
    if (parser.isSet(output) && parser.value(output).isEmpty()) {
        return usageError(
            QCoreApplication::translate("kalvira-capture", "--output needs a file name"));
    }
    options.output = parser.value(output);
    if (parser.isSet(spectrum) && parser.value(spectrum).isEmpty()) {
        return usageError(
            QCoreApplication::translate("kalvira-capture", "--spectrum needs a file name"));
    }
    options.spectrum = parser.value(spectrum);
    const auto named = analysis::windowNamed(parser.value(window).toStdString());
    if (!named) {
        return usageError(
            QCoreApplication::translate("kalvira-capture", "--window must be one of %1")
                .arg(windowNames()));
    }
    options.window = *named;
    return options;
}

}  // namespace kalvira::capture
