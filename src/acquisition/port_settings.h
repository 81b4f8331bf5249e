#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalvira::acquisition {

// Line settings as the settings string gives them, e.g. "115200,n,8,1".
struct PortSettings {
    int baudRate = 0;
    char parity = 'n';  // 'n', 'e', 'o', 'm' or 's'
    int dataBits = 0;   // 5..8
    int stopBits = 0;   // 1 or 2
    bool operator==(const PortSettings &) const = default;
};

// Where the user's remembered choices live (the devices chosen for COM1 and COM2, the last
// folder of a file dialog): QSettings of this organisation and application.
inline constexpr char kSettingsOrganisation[] = "kalvira";
inline constexpr char kSettingsApplication[] = "kalvira";

// Parses "baud,parity,databits,stopbits"; nullopt when any field is malformed.
std::optional<PortSettings> parsePortSettings(std::string_view text);

// The device a port number (1 or 2) stands for: KALVIRA_COM1 / KALVIRA_COM2 from the environment
// when set, else the device chosen for it and remembered in the user's settings, else
// /dev/ttyS0 / /dev/ttyS1 (COM1 / COM2 on Windows).
std::string deviceForPort(int number);

// The device named by KALVIRA_COM<number>, when set and not empty.
std::optional<std::string> environmentDeviceForPort(int number);

// The device remembered for a port number (settings of organisation and application "kalvira",
// key "ports/COM<number>"); choosing replaces it, forgetting removes it.
std::optional<std::string> chosenDeviceForPort(int number);
void chooseDeviceForPort(int number, const std::string &device);
void forgetDeviceForPort(int number);

}  // namespace kalvira::acquisition
