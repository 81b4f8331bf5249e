#include "settings_json.h"

#include <QJsonValue>
#include <cmath>

#include "setting_fields.h"

namespace kalvira::settings {

namespace {

constexpr auto kCalibration = "calibration";

bool isFlag(std::string_view key) {
    return key == "volts_per_div_half" || key == "trigger_marker";
}

bool isText(std::string_view key) {
    return key == "trigger" || key == "trigger_edge" || key == "line_style";
}

QString keyName(std::string_view key) {
    return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

QJsonValue fieldValue(const SettingField &field, const ScopeSettings &settings) {
    const std::string text = field.text(settings);
    if (isFlag(field.key)) return text == "1";
    if (isText(field.key)) return QString::fromStdString(text);
    return std::stoi(text);
}

// The record file text of a JSON value for the field; none when the type does not fit.
std::optional<std::string> fieldText(const SettingField &field, const QJsonValue &value) {
    if (isFlag(field.key)) {
        if (!value.isBool()) return {};
        return value.toBool() ? "1" : "0";
    }
    if (isText(field.key)) {
        if (!value.isString()) return {};
        return value.toString().toStdString();
    }
    const double number = value.toDouble(std::nan(""));
    if (!value.isDouble() || number != std::floor(number) || std::abs(number) > 1e9) return {};
    return std::to_string(static_cast<long long>(number));
}

std::optional<analysis::Calibration> calibrationOf(const QJsonValue &value) {
    const QJsonObject object = value.toObject();
    const QJsonValue slope = object.value(QLatin1String("volts_per_count"));
    const QJsonValue zero = object.value(QLatin1String("zero_count"));
    const QJsonValue probe = object.value(QLatin1String("probe"));
    if (object.size() != 3 || !slope.isDouble() || !zero.isDouble() || !probe.isDouble() ||
        probe.toDouble() != std::floor(probe.toDouble()) || std::abs(probe.toDouble()) > 1000) {
        return {};
    }
    const auto made = analysis::makeCalibration(slope.toDouble(), zero.toDouble(),
                                                static_cast<int>(probe.toDouble()));
    if (const auto *calibration = std::get_if<analysis::Calibration>(&made)) return *calibration;
    return {};
}

}  // namespace

QJsonObject toJson(const ScopeSettings &settings) {
    QJsonObject object;
    for (const SettingField &field : kSettingFields)
        object.insert(keyName(field.key), fieldValue(field, settings));
    if (const auto &c = settings.calibration) {
        object.insert(QLatin1String(kCalibration),
                      QJsonObject{{"volts_per_count", c->voltsPerCount},
                                  {"zero_count", c->zeroCount},
                                  {"probe", c->probe}});
    } else {
        object.insert(QLatin1String(kCalibration), QJsonValue::Null);
    }
    return object;
}

std::variant<ScopeSettings, std::string> fromJson(const QJsonObject &object,
                                                  const ScopeSettings &base) {
    ScopeSettings settings = base;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::string key = it.key().toStdString();
        if (key == kCalibration) {
            if (it.value().isNull()) {
                settings.calibration.reset();
                continue;
            }
            settings.calibration = calibrationOf(it.value());
            if (!settings.calibration) return "bad calibration";
            continue;
        }
        const SettingField *field = fieldWithKey(key);
        if (!field) return "unknown setting " + key;
        const auto text = fieldText(*field, it.value());
        if (!text || !field->read(*text, settings)) return "bad " + key;
    }
    return settings;
}

}  // namespace kalvira::settings
