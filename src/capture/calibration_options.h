#pragma once

#include <QCommandLineOption>
#include <QString>
#include <optional>
#include <variant>

#include "analysis/calibration.h"

class QCommandLineParser;

namespace kalvira::capture {

// --volts-per-count V, --zero-count C and --probe K: how the values read in volts, written into
// the record file and measured by --measure.
struct CalibrationOptions {
    QCommandLineOption voltsPerCount;
    QCommandLineOption zeroCount;
    QCommandLineOption probe;
};

// Adds the options to parser, after those already added.
CalibrationOptions addCalibrationOptions(QCommandLineParser &parser);

// The calibration the parsed command line gives, none without the options, or the text of the
// usage error: V and C go together, V finite and not 0, C in 0..32767, K 1, 10 or 100 (1 when
// not given, and only given with V and C).
std::variant<std::optional<analysis::Calibration>, QString> readCalibrationOptions(
    const QCommandLineParser &parser, const CalibrationOptions &options);

}  // namespace kalvira::capture
