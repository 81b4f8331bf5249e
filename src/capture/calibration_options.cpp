#include "calibration_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace kalvira::capture {

CalibrationOptions addCalibrationOptions(QCommandLineParser &parser) {
    CalibrationOptions options{
        {QStringLiteral("volts-per-count"),
         QCoreApplication::translate(
             "kalvira-capture",
             "Volts at the unit's input per count, finite and not 0 (negative for an inverting "
             "input); with --zero-count, values read as (value - C) x V x K volts, written into "
             "the record file and added to --measure as min_v .. rms_v."),
         QStringLiteral("V")},
        {QStringLiteral("zero-count"),
         QCoreApplication::translate("kalvira-capture", "The count that reads 0 V, 0..32767."),
         QStringLiteral("C")},
        {QStringLiteral("probe"),
         QCoreApplication::translate("kalvira-capture",
                                     "The probe's attenuation: 1, 10 or 100. Default 1."),
         QStringLiteral("K")}};
    parser.addOptions({options.voltsPerCount, options.zeroCount, options.probe});
    return options;
}

std::variant<std::optional<analysis::Calibration>, QString> readCalibrationOptions(
    const QCommandLineParser &parser, const CalibrationOptions &options) {
    const bool slope = parser.isSet(options.voltsPerCount);
    if (slope != parser.isSet(options.zeroCount)) {
        return QCoreApplication::translate("kalvira-capture",
                                           "--volts-per-count and --zero-count go together");
    }
    if (!slope) {
        if (parser.isSet(options.probe)) {
            return QCoreApplication::translate("kalvira-capture",
                                               "--probe needs --volts-per-count and --zero-count");
        }
        return std::optional<analysis::Calibration>();
    }
    bool slopeRead = false;
    bool zeroRead = false;
    bool probeRead = true;
    const double voltsPerCount = parser.value(options.voltsPerCount).toDouble(&slopeRead);
    const double zeroCount = parser.value(options.zeroCount).toDouble(&zeroRead);
    const bool probeGiven = parser.isSet(options.probe);
    const int probe = probeGiven ? parser.value(options.probe).toInt(&probeRead) : 1;
    // What is not a number is refused as makeCalibration refuses what is out of range.
    const auto made = analysis::makeCalibration(slopeRead ? voltsPerCount : 0.0,
                                                zeroRead ? zeroCount : -1.0, probeRead ? probe : 0);
    if (const auto *problem = std::get_if<analysis::CalibrationProblem>(&made)) {
        switch (*problem) {
            case analysis::CalibrationProblem::NoProbeFactor:
                return QCoreApplication::translate("kalvira-capture",
                                                   "--probe must be 1, 10 or 100");
            case analysis::CalibrationProblem::ZeroOutOfRange:
                return QCoreApplication::translate("kalvira-capture",
                                                   "--zero-count must be a number in 0..32767");
            default:
                return QCoreApplication::translate(
                    "kalvira-capture", "--volts-per-count must be a number, finite and not 0");
        }
    }
    return std::optional(std::get<analysis::Calibration>(made));
}

}  // namespace kalvira::capture
