#include "port_settings.h"

#include <QSettings>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <vector>

namespace kalvira::acquisition {

namespace {

std::optional<int> parseInt(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string_view> splitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t comma; (comma = text.find(',', start)) != std::string_view::npos;
         start = comma + 1) {
        fields.push_back(text.substr(start, comma - start));
    }
    fields.push_back(text.substr(start));
    return fields;
}

}  // namespace

std::optional<PortSettings> parsePortSettings(std::string_view text) {
    const auto fields = splitFields(text);
    if (fields.size() != 4 || fields[1].size() != 1) return std::nullopt;
    const auto baud = parseInt(fields[0]);
    const auto dataBits = parseInt(fields[2]);
    const auto stopBits = parseInt(fields[3]);
    const char parity = static_cast<char>(std::tolower(static_cast<unsigned char>(fields[1][0])));
    if (!baud || *baud <= 0 || !dataBits || *dataBits < 5 || *dataBits > 8 || !stopBits ||
        (*stopBits != 1 && *stopBits != 2) ||
        std::string_view("neoms").find(parity) == std::string_view::npos) {
        return std::nullopt;
    }
    return PortSettings{*baud, parity, *dataBits, *stopBits};
}

namespace {

QString settingsKey(int number) {
    return QStringLiteral("ports/COM%1").arg(number);
}

}  // namespace

std::optional<std::string> chosenDeviceForPort(int number) {
    const QString device = QSettings(kSettingsOrganisation, kSettingsApplication)
                               .value(settingsKey(number))
                               .toString();
    if (device.isEmpty()) return std::nullopt;
    return device.toStdString();
}

void chooseDeviceForPort(int number, const std::string &device) {
    QSettings(kSettingsOrganisation, kSettingsApplication)
        .setValue(settingsKey(number), QString::fromStdString(device));
}

void forgetDeviceForPort(int number) {
    QSettings(kSettingsOrganisation, kSettingsApplication).remove(settingsKey(number));
}

std::optional<std::string> environmentDeviceForPort(int number) {
    const std::string variable = "KALVIRA_COM" + std::to_string(number);
    if (const char *device = std::getenv(variable.c_str()); device && *device) return device;
    return std::nullopt;
}

std::string deviceForPort(int number) {
    if (auto device = environmentDeviceForPort(number)) return *device;
    if (auto device = chosenDeviceForPort(number)) return *device;
#ifdef _WIN32
    return "COM" + std::to_string(number);
#else
    return "/dev/ttyS" + std::to_string(number - 1);
#endif
}

}  // namespace kalvira::acquisition
