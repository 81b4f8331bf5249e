#include "long_capture_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cmath>

namespace kalvira::capture {

LongCaptureOptions addLongCaptureOptions(QCommandLineParser &parser) {
    LongCaptureOptions options{
        QCommandLineOption(QStringLiteral("duration"),
                           QCoreApplication::translate(
                               "kalvira-capture",
                               "End the capture after SECONDS, as Ctrl+C does but with status 0; "
                               "the record under way is completed."),
                           QStringLiteral("SECONDS")),
        QCommandLineOption(
            QStringLiteral("interval"),
            QCoreApplication::translate(
                "kalvira-capture",
                "Take one single record every SECONDS, as a slow data logger does, instead of "
                "the continuous mode's 0.3 s pause. Shorter than a record: back to back."),
            QStringLiteral("SECONDS"))};
    parser.addOptions({options.duration, options.interval});
    return options;
}

std::variant<LongCaptureTimes, QString> readLongCaptureOptions(const QCommandLineParser &parser,
                                                               const LongCaptureOptions &options) {
    LongCaptureTimes times;
    const auto seconds = [&parser](const QCommandLineOption &option,
                                   std::optional<double> &into) -> std::optional<QString> {
        if (!parser.isSet(option)) return {};
        bool ok = false;
        const double value = parser.value(option).toDouble(&ok);
        if (!ok || !std::isfinite(value) || value <= 0.0) {
            return QCoreApplication::translate("kalvira-capture",
                                               "--%1 must be a positive number of seconds")
                .arg(option.names().constFirst());
        }
        into = value;
        return {};
    };
    if (auto error = seconds(options.duration, times.durationS)) return *error;
    if (auto error = seconds(options.interval, times.intervalS)) return *error;
    return times;
}

}  // namespace kalvira::capture
