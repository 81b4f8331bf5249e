#include "capture_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include "calibration_options.h"
#include "decode_options.h"
#include "judge_options.h"
#include "long_capture_options.h"
#include "output_options.h"
#include "serve_options.h"
#include "setting_options.h"

namespace kalvira::capture {

namespace {

// Every option, in the order --help lists them.
struct OptionSet {
    QCommandLineOption help;
    QCommandLineOption port;
    SettingOptions settings;
    OutputOptions outputs;
    JudgeOptions judge;
    CalibrationOptions calibration;
    LongCaptureOptions longCapture;
    ServeOptions serve;
    DecodeOptions decode;
};

OptionSet addOptions(QCommandLineParser &parser) {
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
    parser.addOptions({help, port});
    // A braced list is evaluated in its order, which is --help's.
    return {help,
            port,
            addSettingOptions(parser),
            addOutputOptions(parser),
            addJudgeOptions(parser),
            addCalibrationOptions(parser),
            addLongCaptureOptions(parser),
            addServeOptions(parser),
            addDecodeOptions(parser)};
}

// The port --port names: the window's COM1 or COM2, or a device path.
struct PortChoice {
    int index = 0;
    std::optional<std::string> device;
};

std::variant<PortChoice, QString> readPort(const QString &name) {
    if (name == QStringLiteral("COM1")) return PortChoice{0, {}};
    if (name == QStringLiteral("COM2")) return PortChoice{1, {}};
    if (!name.isEmpty()) return PortChoice{0, name.toStdString()};
    return QCoreApplication::translate("kalvira-capture", "--port needs a device");
}

// --trigger gives a single run's trigger mode; more than one record without an interval runs its
// continuous mode: 0 "Ext./Single" becomes 1 "Ext./Cont.", 2 "Trig./Single" 3 "Trig./Cont.".
CaptureOptions withRunMode(CaptureOptions options) {
    if (options.records != 1 && !options.intervalS) ++options.settings.triggerMode;
    return options;
}

// The options the parsed command line gives, or the text of the usage error, checked in this
// order.
std::variant<CaptureOptions, QString> readOptions(const QCommandLineParser &parser,
                                                  const OptionSet &set) {
    const auto calibration = readCalibrationOptions(parser, set.calibration);
    if (const auto *error = std::get_if<QString>(&calibration)) return *error;
    const auto times = readLongCaptureOptions(parser, set.longCapture);
    if (const auto *error = std::get_if<QString>(&times)) return *error;
    const auto port = readPort(parser.value(set.port));
    if (const auto *error = std::get_if<QString>(&port)) return *error;
    const auto settings = readSettingOptions(parser, set.settings);
    if (const auto *error = std::get_if<QString>(&settings)) return *error;
    const auto serve = readServeOptions(parser, set.serve);
    if (const auto *error = std::get_if<QString>(&serve)) return *error;
    const auto decoding = readDecodeOptions(parser, set.decode);
    if (const auto *error = std::get_if<QString>(&decoding)) return *error;
    if (std::get<DecodeChoice>(decoding).threshold.inVolts && !std::get<0>(calibration)) {
        return QCoreApplication::translate(
            "kalvira-capture", "a threshold in volts needs --volts-per-count and --zero-count");
    }

    CaptureOptions options;
    options.portIndex = std::get<PortChoice>(port).index;
    options.device = std::get<PortChoice>(port).device;
    options.settings = std::get<settings::ScopeSettings>(settings);
    options.settings.calibration = std::get<0>(calibration);
    auto judging = readJudgeOptions(parser, set.judge, options.settings);
    if (const auto *error = std::get_if<QString>(&judging)) return *error;
    options.judging = std::get<Judging>(std::move(judging));
    options.durationS = std::get<LongCaptureTimes>(times).durationS;
    options.intervalS = std::get<LongCaptureTimes>(times).intervalS;
    options.serve = std::get<0>(serve);
    options.decode = std::get<DecodeChoice>(decoding).setup;
    options.threshold = std::get<DecodeChoice>(decoding).threshold;
    auto read = withOutputOptions(std::move(options), parser, set.outputs);
    if (auto *done = std::get_if<CaptureOptions>(&read)) *done = withRunMode(std::move(*done));
    return read;
}

CommandLineExit usageError(const QString &message) {
    return {2, QStringLiteral("kalvira-capture: %1\n%2\n")
                   .arg(message, QCoreApplication::translate("kalvira-capture",
                                                             "Try 'kalvira-capture --help'."))};
}

}  // namespace

std::variant<CaptureOptions, CommandLineExit> parseCommandLine(const QStringList &arguments) {
    QCommandLineParser parser;
    const OptionSet set = addOptions(parser);
    if (!parser.parse(arguments)) return usageError(parser.errorText());
    if (parser.isSet(set.help)) return CommandLineExit{0, parser.helpText()};
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(QCoreApplication::translate("kalvira-capture", "unexpected argument %1")
                              .arg(parser.positionalArguments().constFirst()));
    }
    auto read = readOptions(parser, set);
    if (const auto *error = std::get_if<QString>(&read)) return usageError(*error);
    return std::get<CaptureOptions>(std::move(read));
}

}  // namespace kalvira::capture
