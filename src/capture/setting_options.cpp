#include "setting_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <string_view>

#include "common/link_facts.h"
#include "option_numbers.h"
#include "settings/setting_fields.h"

namespace kalvira::capture {

namespace {

// The option of the settings field with key: one name for the field wherever it is set.
QString optionName(std::string_view key) {
    const settings::SettingField *field = settings::fieldWithKey(key);
    Q_ASSERT(field && !field->option.empty());
    return field ? QString::fromUtf8(field->option.data(),
                                     static_cast<qsizetype>(field->option.size()))
                 : QString();
}

}  // namespace

SettingOptions addSettingOptions(QCommandLineParser &parser) {
    SettingOptions options{
        {optionName("sample_rate_sps"),
         QCoreApplication::translate(
             "kalvira-capture",
             "Samples per second: 40000, 20000, 10000, 5000, 2000, 1000, 500 or 200. "
             "Default 40000."),
         QStringLiteral("SPS"), QStringLiteral("40000")},
        {optionName("samples"),
         QCoreApplication::translate(
             "kalvira-capture", "Samples per record, 100..16000 in steps of 100. Default 5000."),
         QStringLiteral("N"), QStringLiteral("5000")},
        {optionName("trigger"),
         QCoreApplication::translate(
             "kalvira-capture",
             "ext: the unit's external trigger input; level: the signal crossing the "
             "trigger level. Default ext."),
         QStringLiteral("ext|level"), QStringLiteral("ext")},
        {optionName("trigger_level"),
         QCoreApplication::translate("kalvira-capture", "Trigger level, 1..254. Default 100."),
         QStringLiteral("L"), QStringLiteral("100")},
        {optionName("trigger_edge"),
         QCoreApplication::translate("kalvira-capture",
                                     "Trigger edge: fall or rise. Default fall."),
         QStringLiteral("fall|rise"), QStringLiteral("fall")}};
    parser.addOptions(
        {options.rate, options.samples, options.trigger, options.level, options.edge});
    return options;
}

std::variant<settings::ScopeSettings, QString> readSettingOptions(const QCommandLineParser &parser,
                                                                  const SettingOptions &options) {
    settings::ScopeSettings read;
    const auto sps = wholeNumberIn(parser.value(options.rate), 1, 1000000);
    const auto rateCode = sps ? settings::rateCodeForSps(*sps) : std::nullopt;
    if (!rateCode) {
        return QCoreApplication::translate(
            "kalvira-capture",
            "--rate must be one of 40000, 20000, 10000, 5000, 2000, 1000, 500, 200");
    }
    read.rateCode = *rateCode;
    const auto length =
        wholeNumberIn(parser.value(options.samples), kSamplesPerBlock, kMaxRecordLength);
    if (!length || !isRecordLength(*length)) {
        return QCoreApplication::translate("kalvira-capture",
                                           "--samples must be 100..16000 in steps of 100");
    }
    read.recordLength = *length;
    const QString source = parser.value(options.trigger);
    if (source != QStringLiteral("ext") && source != QStringLiteral("level")) {
        return QCoreApplication::translate("kalvira-capture", "--trigger must be ext or level");
    }
    read.triggerMode = source == QStringLiteral("level") ? 2 : 0;  // "Trig./Single", "Ext./Single"
    const auto level = wholeNumberIn(parser.value(options.level), 1, 254);
    if (!level) return QCoreApplication::translate("kalvira-capture", "--level must be 1..254");
    read.triggerLevel = *level;
    const QString edge = parser.value(options.edge);
    if (edge != QStringLiteral("fall") && edge != QStringLiteral("rise")) {
        return QCoreApplication::translate("kalvira-capture", "--edge must be fall or rise");
    }
    read.fallingEdge = edge == QStringLiteral("fall");
    return read;
}

}  // namespace kalvira::capture
