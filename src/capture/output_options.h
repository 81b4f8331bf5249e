#pragma once

#include <QCommandLineOption>
#include <QString>
#include <variant>

#include "capture_options.h"

class QCommandLineParser;

namespace kalvira::capture {

// --records, --output, --measure, --spectrum, --window and --average: how many records are taken
// and what becomes of them.
struct OutputOptions {
    QCommandLineOption records;
    QCommandLineOption output;
    QCommandLineOption measure;
    QCommandLineOption spectrum;
    QCommandLineOption window;
    QCommandLineOption average;
};

// Adds the options to parser, after those already added.
OutputOptions addOutputOptions(QCommandLineParser &parser);

// options with what the parsed command line gives for these, or the text of the usage error,
// checked in the order of the options. Without --records, a capture with a duration or an
// interval takes records until it ends.
std::variant<CaptureOptions, QString> withOutputOptions(CaptureOptions options,
                                                        const QCommandLineParser &parser,
                                                        const OutputOptions &outputs);

}  // namespace kalvira::capture
