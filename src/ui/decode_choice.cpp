#include "decode_choice.h"

#include <QSettings>

#include "settings_store.h"

namespace kalvira::ui {

namespace {

constexpr auto kGroup = "decode";

std::optional<double> number(const QSettings &stored, const QString &key) {
    bool ok = false;
    const double value = stored.value(key).toDouble(&ok);
    if (!stored.contains(key) || !ok) return std::nullopt;
    return value;
}

}  // namespace

DecodeChoice rememberedDecodeChoice() {
    QSettings stored = settingsStore();
    stored.beginGroup(QLatin1String(kGroup));
    DecodeChoice choice;
    choice.on = stored.value(QStringLiteral("on"), false).toBool();
    const QString request = stored.value(QStringLiteral("request")).toString();
    if (!request.isEmpty()) choice.request = request.toStdString();
    choice.threshold.level = number(stored, QStringLiteral("level"));
    choice.threshold.hysteresis = number(stored, QStringLiteral("hysteresis"));
    choice.threshold.inVolts = stored.value(QStringLiteral("inVolts"), false).toBool();
    choice.threshold.invert = stored.value(QStringLiteral("invert"), false).toBool();
    return choice;
}

void rememberDecodeChoice(const DecodeChoice &choice) {
    QSettings stored = settingsStore();
    stored.beginGroup(QLatin1String(kGroup));
    stored.setValue(QStringLiteral("on"), choice.on);
    stored.setValue(QStringLiteral("request"), QString::fromStdString(choice.request));
    const auto keep = [&stored](const QString &key, const std::optional<double> &value) {
        if (value) return stored.setValue(key, *value);
        stored.remove(key);
    };
    keep(QStringLiteral("level"), choice.threshold.level);
    keep(QStringLiteral("hysteresis"), choice.threshold.hysteresis);
    stored.setValue(QStringLiteral("inVolts"), choice.threshold.inVolts);
    stored.setValue(QStringLiteral("invert"), choice.threshold.invert);
}

}  // namespace kalvira::ui
