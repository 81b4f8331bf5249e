#include "decode_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cmath>

#include "decode/decoder_library.h"
#include "decode/decoder_setup.h"

namespace kalvira::capture {

namespace {

// A level or band: a number of counts, or of volts when it ends in V.
struct LevelText {
    double value = 0.0;
    bool volts = false;
};

std::optional<LevelText> readLevel(QString text) {
    LevelText level;
    if (text.endsWith(QLatin1Char('V'), Qt::CaseInsensitive)) {
        level.volts = true;
        text.chop(1);
    }
    bool ok = false;
    level.value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(level.value)) return std::nullopt;
    return level;
}

std::variant<decode::DecoderSetup, QString> readSetup(const QString &text) {
    const auto request = decode::parseDecodeRequest(text.toStdString());
    if (const auto *error = std::get_if<std::string>(&request))
        return QStringLiteral("--decode: %1").arg(QString::fromStdString(*error));
    auto started = decode::DecoderLibrary::instance();
    if (const auto *failure = std::get_if<std::string>(&started))
        return QString::fromStdString(*failure);
    auto &library = *std::get<decode::DecoderLibrary *>(started);
    const auto &id = std::get<decode::DecodeRequest>(request).id;
    // Only the decoder asked for is loaded, unless it is not there and the list is wanted.
    std::vector<decode::DecoderInfo> known;
    if (auto one = library.singleChannelDecoder(id)) known.push_back(std::move(*one));
    const std::span<const decode::DecoderInfo> candidates =
        known.empty() ? std::span<const decode::DecoderInfo>(library.singleChannelDecoders())
                      : std::span<const decode::DecoderInfo>(known);
    auto setup = decode::checkDecodeRequest(std::get<decode::DecodeRequest>(request), candidates);
    if (const auto *error = std::get_if<std::string>(&setup))
        return QStringLiteral("--decode: %1").arg(QString::fromStdString(*error));
    return std::get<decode::DecoderSetup>(std::move(setup));
}

}  // namespace

DecodeOptions addDecodeOptions(QCommandLineParser &parser) {
    DecodeOptions options{
        {QStringLiteral("decode"),
         QCoreApplication::translate(
             "kalvira-capture",
             "Decode each record with a decoder of one channel of the decoder library "
             "(libsigrokdecode), e.g. uart:baudrate=2400,parity=none, ir_nec, pwm. Each "
             "annotation is printed as one JSON object a line on standard output (record, "
             "start_s, end_s, row, text), after the record's --measure line when given; the "
             "record file then goes only to --output, when given."),
         QStringLiteral("DECODER[:OPTION=VALUE,...]")},
        {QStringLiteral("threshold"),
         QCoreApplication::translate(
             "kalvira-capture",
             "The level between low and high for --decode and .sr files: counts, or volts with a "
             "V after the number and a calibration. Default the mid level of each record."),
         QStringLiteral("C")},
        {QStringLiteral("hysteresis"),
         QCoreApplication::translate("kalvira-capture",
                                     "The width of the band about the threshold that changes "
                                     "nothing, in counts or in volts as --threshold. Default "
                                     "10 % of each record's span."),
         QStringLiteral("H")},
        {QStringLiteral("invert"),
         QCoreApplication::translate("kalvira-capture",
                                     "High below the threshold: RS-232 levels.")}};
    parser.addOptions({options.decode, options.threshold, options.hysteresis, options.invert});
    return options;
}

std::variant<DecodeChoice, QString> readDecodeOptions(const QCommandLineParser &parser,
                                                      const DecodeOptions &options) {
    DecodeChoice choice;
    choice.threshold.invert = parser.isSet(options.invert);
    std::optional<LevelText> level;
    std::optional<LevelText> band;
    if (parser.isSet(options.threshold) && !(level = readLevel(parser.value(options.threshold)))) {
        return QCoreApplication::translate("kalvira-capture",
                                           "--threshold must be a number, or a number and V");
    }
    if (parser.isSet(options.hysteresis) &&
        (!(band = readLevel(parser.value(options.hysteresis))) || band->value < 0)) {
        return QCoreApplication::translate(
            "kalvira-capture", "--hysteresis must be a number not below 0, or such a number and V");
    }
    if (level && band && level->volts != band->volts) {
        return QCoreApplication::translate(
            "kalvira-capture", "--threshold and --hysteresis must both be in volts or in counts");
    }
    if (level) choice.threshold.level = level->value;
    if (band) choice.threshold.hysteresis = band->value;
    choice.threshold.inVolts = (level && level->volts) || (band && band->volts);
    if (!parser.isSet(options.decode)) return choice;
    auto setup = readSetup(parser.value(options.decode));
    if (const auto *error = std::get_if<QString>(&setup)) return *error;
    choice.setup = std::get<decode::DecoderSetup>(std::move(setup));
    return choice;
}

}  // namespace kalvira::capture
