#pragma once

#include <QCommandLineOption>
#include <QString>
#include <optional>
#include <variant>

#include "decode/decoder_info.h"
#include "logic/logic_conversion.h"

class QCommandLineParser;

namespace kalvira::capture {

// --decode, --threshold, --hysteresis and --invert: each record turned into logic and decoded.
struct DecodeOptions {
    QCommandLineOption decode;
    QCommandLineOption threshold;
    QCommandLineOption hysteresis;
    QCommandLineOption invert;
};

// What the command line asks of the decoding: the decoder, none without --decode, and how the
// record becomes logic.
struct DecodeChoice {
    std::optional<decode::DecoderSetup> setup;
    logic::ThresholdChoice threshold;
};

// Adds the options to parser, after those already added.
DecodeOptions addDecodeOptions(QCommandLineParser &parser);

// The choice the parsed command line gives, or the usage error: a decoder or an option the
// installed decoder library does not know (the message lists those it knows), a threshold that
// is not a number. Starts the decoder library when --decode is given.
std::variant<DecodeChoice, QString> readDecodeOptions(const QCommandLineParser &parser,
                                                      const DecodeOptions &options);

}  // namespace kalvira::capture
