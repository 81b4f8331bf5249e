#pragma once

#include <QCommandLineOption>
#include <QString>
#include <optional>
#include <variant>

class QCommandLineParser;

namespace kalvira::capture {

// --duration SECONDS and --interval SECONDS: how long an unattended capture runs, and how often
// a slow logger takes its single record.
struct LongCaptureOptions {
    QCommandLineOption duration;
    QCommandLineOption interval;
};

struct LongCaptureTimes {
    std::optional<double> durationS;
    std::optional<double> intervalS;
};

// Adds the options to parser, after those already added.
LongCaptureOptions addLongCaptureOptions(QCommandLineParser &parser);

// The times the parsed command line gives, or the text of the usage error: each a positive,
// finite number of seconds when given.
std::variant<LongCaptureTimes, QString> readLongCaptureOptions(const QCommandLineParser &parser,
                                                               const LongCaptureOptions &options);

}  // namespace kalvira::capture
