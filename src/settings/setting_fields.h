#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "scope_settings.h"

namespace kalvira::settings {

// One field of ScopeSettings and every name it goes by. Its text is the form a record file's
// `# key=value` line holds ("40000", "ext-single", "fall", "1"); the JSON takes the same key.
struct SettingField {
    std::string_view key;     // record file key and JSON name
    std::string_view option;  // kalvira-capture's --option; empty where none
    std::string_view remote;  // the remote-control header, long form; empty where none
    std::string (*text)(const ScopeSettings &settings);
    // Sets the field from its text; false, the settings untouched, when the text is not one.
    bool (*read)(std::string_view text, ScopeSettings &settings);
    bool operator==(const SettingField &) const = default;
};

// The fields but the calibration, in the order a record file writes them. A record file may leave
// out scroll_divisions (0); every other key is required at its start.
extern const std::array<SettingField, 10> kSettingFields;

// The field a key names, or none.
const SettingField *fieldWithKey(std::string_view key);

// The calibration's three keys, written together after the other fields.
inline constexpr std::array<std::string_view, 3> kCalibrationKeys{"volts_per_count", "zero_count",
                                                                  "probe"};

// Trigger mode 0..3 as a record file names it.
inline constexpr std::array<std::string_view, 4> kTriggerNames{"ext-single", "ext-cont",
                                                               "level-single", "level-cont"};

// A whole number written as a record file writes it: digits, a minus sign at most, nothing else.
std::optional<long long> parseInteger(std::string_view text);
// A finite number as std::to_chars writes it; nothing else (no sign +, no space, no "inf").
std::optional<double> parseReal(std::string_view text);
// The shortest text that reads back as the same number.
std::string realText(double value);

}  // namespace kalvira::settings
