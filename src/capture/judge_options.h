#pragma once

#include <QCommandLineOption>
#include <QString>
#include <optional>
#include <variant>
#include <vector>

#include "analysis/figure_limits.h"
#include "analysis/record_mask.h"
#include "records/record_file.h"
#include "settings/scope_settings.h"

class QCommandLineParser;

namespace kalvira::capture {

// --statistics, --limit NAME=LOW..HIGH (repeatable), --mask FILE, --mask-level L and
// --mask-time S: the statistics of the records' figures and the tests each record must pass.
struct JudgeOptions {
    QCommandLineOption statistics;
    QCommandLineOption limit;
    QCommandLineOption mask;
    QCommandLineOption maskLevel;
    QCommandLineOption maskTime;
};

// What the records are judged by.
struct Judging {
    bool statistics = false;  // one JSON object of every figure's statistics at the end
    std::vector<analysis::FigureLimit> limits;
    std::optional<analysis::MaskTolerance> mask;   // with the reference below
    std::optional<records::RecordFile> reference;  // the mask file's record
    bool judges() const { return !limits.empty() || mask.has_value(); }
};

// Adds the options to parser, after those already added.
JudgeOptions addJudgeOptions(QCommandLineParser &parser);

// What the parsed command line judges by, for a capture with these settings (their rate and
// calibration), or the text of the usage error: a limit that is not NAME=LOW..HIGH of a figure
// that the capture measures (the levels in volts need a calibration, delta_ref a mask) with LOW
// at most HIGH; a mask file that is not one record at the capture's rate; a level or a time out
// of range, or either without --mask. The mask file is read here, before any port is opened.
std::variant<Judging, QString> readJudgeOptions(const QCommandLineParser &parser,
                                                const JudgeOptions &options,
                                                const settings::ScopeSettings &settings);

}  // namespace kalvira::capture
