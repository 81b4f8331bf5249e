#include "judge_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include "option_numbers.h"

namespace kalvira::capture {

namespace {

// "frequency_hz, period_s, ..."
QString figureKeys() {
    QStringList keys;
    for (const analysis::FigureFacts &facts : analysis::kFigures)
        keys << QString::fromUtf8(facts.key.data(), static_cast<qsizetype>(facts.key.size()));
    return keys.join(QStringLiteral(", "));
}

bool inVolts(analysis::Figure figure) {
    return analysis::factsOf(figure).unit == analysis::FigureUnit::Volts;
}

bool isDeltaRef(analysis::Figure figure) {
    return figure == analysis::Figure::DeltaRef || figure == analysis::Figure::DeltaRefVolts;
}

std::variant<analysis::FigureLimit, QString> readLimit(const QString &given, bool calibrated,
                                                       bool masked) {
    const auto read = analysis::parseLimit(given.toStdString());
    if (const auto *limit = std::get_if<analysis::FigureLimit>(&read)) {
        if (inVolts(limit->figure) && !calibrated)
            return QCoreApplication::translate(
                       "kalvira-capture", "--limit %1 needs --volts-per-count and --zero-count")
                .arg(given);
        if (isDeltaRef(limit->figure) && !masked)
            return QCoreApplication::translate(
                       "kalvira-capture",
                       "--limit %1 needs --mask, the reference it is measured from")
                .arg(given);
        return *limit;
    }
    switch (std::get<analysis::LimitProblem>(read)) {
        case analysis::LimitProblem::UnknownFigure:
            return QCoreApplication::translate("kalvira-capture",
                                               "--limit %1 names no figure; the figures are %2")
                .arg(given, figureKeys());
        case analysis::LimitProblem::NotNumbers:
            return QCoreApplication::translate("kalvira-capture",
                                               "--limit %1: LOW and HIGH must be numbers")
                .arg(given);
        case analysis::LimitProblem::LowAboveHigh:
            return QCoreApplication::translate("kalvira-capture",
                                               "--limit %1: LOW must not be above HIGH")
                .arg(given);
        case analysis::LimitProblem::NoRange:
            break;
    }
    return QCoreApplication::translate("kalvira-capture", "--limit must be NAME=LOW..HIGH, not %1")
        .arg(given);
}

// The mask file's one record, at the capture's rate.
std::variant<records::RecordFile, QString> readMaskFile(const QString &path,
                                                        const settings::ScopeSettings &settings) {
    const QString name = QDir::toNativeSeparators(path);
    const records::ReadResult read = records::readRecordFile(path);
    if (const auto *error = std::get_if<records::ReadError>(&read)) {
        const QString where =
            error->line > 0
                ? QCoreApplication::translate("kalvira-capture", ", line %1").arg(error->line)
                : QString();
        return QCoreApplication::translate("kalvira-capture", "--mask %1%2: %3")
            .arg(name, where, QString::fromStdString(error->message));
    }
    const auto &file = std::get<records::RecordFile>(read);
    if (file.records.size() != 1) {
        return QCoreApplication::translate("kalvira-capture",
                                           "--mask %1 holds %2 records; a mask is made of one")
            .arg(name)
            .arg(file.records.size());
    }
    if (file.settings.rateCode != settings.rateCode) {
        return QCoreApplication::translate(
                   "kalvira-capture", "--mask %1 was taken at %2 SPS, the capture is at %3 SPS")
            .arg(name)
            .arg(file.settings.sampleRateSps())
            .arg(settings.sampleRateSps());
    }
    return file;
}

}  // namespace

JudgeOptions addJudgeOptions(QCommandLineParser &parser) {
    JudgeOptions options{
        {QStringLiteral("statistics"),
         QCoreApplication::translate(
             "kalvira-capture",
             "At the end (or at Ctrl+C) print one JSON object on standard output with the "
             "minimum, maximum, mean, standard deviation and count of every figure over the "
             "records: {\"frequency_hz\":{\"min\":..,\"max\":..,\"mean\":..,\"std\":..,"
             "\"count\":..},...}. The record file then goes only to --output, when given.")},
        {QStringLiteral("limit"),
         QCoreApplication::translate(
             "kalvira-capture",
             "A record passes only with the figure NAME (a key of --measure, e.g. frequency_hz, "
             "duty_cycle_percent) in LOW..HIGH; repeatable. --measure lines gain \"pass\"; the "
             "exit status is 3 when any record failed."),
         QStringLiteral("NAME=LOW..HIGH")},
        {QStringLiteral("mask"),
         QCoreApplication::translate(
             "kalvira-capture",
             "Test each record against the record in FILE (a record file of one record at the "
             "capture's rate) widened by --mask-level and --mask-time: a record fails where a "
             "sample leaves the band. The exit status is 3 when any record failed."),
         QCoreApplication::translate("kalvira-capture", "FILE")},
        {QStringLiteral("mask-level"),
         QCoreApplication::translate(
             "kalvira-capture",
             "The mask's width about the reference: counts, or volts with V or mV after the "
             "number (0.05V, 50mV; with a calibration). Default 0."),
         QStringLiteral("L")},
        {QStringLiteral("mask-time"),
         QCoreApplication::translate(
             "kalvira-capture",
             "The mask's width in time: each sample may lie within the reference's span over "
             "±S samples, 0..%1. Default 0.")
             .arg(analysis::kMaxMaskSamples),
         QStringLiteral("S")}};
    parser.addOptions(
        {options.statistics, options.limit, options.mask, options.maskLevel, options.maskTime});
    return options;
}

std::variant<Judging, QString> readJudgeOptions(const QCommandLineParser &parser,
                                                const JudgeOptions &options,
                                                const settings::ScopeSettings &settings) {
    Judging judging;
    judging.statistics = parser.isSet(options.statistics);
    const bool masked = parser.isSet(options.mask);
    for (const QString &given : parser.values(options.limit)) {
        auto limit = readLimit(given, settings.calibration.has_value(), masked);
        if (const auto *error = std::get_if<QString>(&limit)) return *error;
        judging.limits.push_back(std::get<analysis::FigureLimit>(limit));
    }
    if (!masked) {
        if (parser.isSet(options.maskLevel) || parser.isSet(options.maskTime))
            return QCoreApplication::translate("kalvira-capture",
                                               "--mask-level and --mask-time need --mask");
        return judging;
    }
    analysis::MaskTolerance tolerance;
    if (parser.isSet(options.maskLevel)) {
        const auto level = analysis::parseMaskLevel(parser.value(options.maskLevel).toStdString());
        if (!level) {
            return QCoreApplication::translate(
                "kalvira-capture",
                "--mask-level must be a number 0 or more, of counts, or of volts with V "
                "or mV after it");
        }
        if (level->inVolts && !settings.calibration)
            return QCoreApplication::translate(
                "kalvira-capture",
                "--mask-level in volts needs --volts-per-count and --zero-count");
        tolerance = *level;
    }
    if (parser.isSet(options.maskTime)) {
        const auto time =
            wholeNumberIn(parser.value(options.maskTime), 0, analysis::kMaxMaskSamples);
        if (!time)
            return QCoreApplication::translate("kalvira-capture",
                                               "--mask-time must be 0..%1 samples")
                .arg(analysis::kMaxMaskSamples);
        tolerance.samples = *time;
    }
    auto reference = readMaskFile(parser.value(options.mask), settings);
    if (const auto *error = std::get_if<QString>(&reference)) return *error;
    judging.mask = tolerance;
    judging.reference = std::get<records::RecordFile>(std::move(reference));
    return judging;
}

}  // namespace kalvira::capture
