#include "setting_fields.h"

#include <charconv>
#include <cmath>

#include "common/link_facts.h"
#include "common/time_bases.h"

namespace kalvira::settings {

namespace {

std::optional<int> inRange(std::string_view text, long long low, long long high) {
    const auto value = parseInteger(text);
    if (!value || *value < low || *value > high) return {};
    return static_cast<int>(*value);
}

// A choice among names, by its index.
template <std::size_t N>
std::optional<int> choice(std::string_view text, const std::array<std::string_view, N> &names) {
    for (std::size_t i = 0; i < N; ++i) {
        if (names[i] == text) return static_cast<int>(i);
    }
    return {};
}

constexpr std::array<std::string_view, 2> kEdges{"rise", "fall"};
constexpr std::array<std::string_view, 2> kStyles{"line", "dot"};
constexpr std::array<std::string_view, 2> kFlags{"0", "1"};

// An integer field read within low..high.
template <int ScopeSettings::*member, long long low, long long high>
bool readNumber(std::string_view text, ScopeSettings &settings) {
    const auto value = inRange(text, low, high);
    if (!value) return false;
    settings.*member = *value;
    return true;
}

template <int ScopeSettings::*member>
std::string numberText(const ScopeSettings &settings) {
    return std::to_string(settings.*member);
}

template <bool ScopeSettings::*member>
bool readFlag(std::string_view text, ScopeSettings &settings) {
    const auto value = choice(text, kFlags);
    if (!value) return false;
    settings.*member = *value == 1;
    return true;
}

template <bool ScopeSettings::*member>
std::string flagText(const ScopeSettings &settings) {
    return settings.*member ? "1" : "0";
}

bool readRate(std::string_view text, ScopeSettings &settings) {
    const auto sps = inRange(text, 1, 1000000);
    const auto code = sps ? rateCodeForSps(*sps) : std::nullopt;
    if (!code) return false;
    settings.rateCode = *code;
    return true;
}

bool readLength(std::string_view text, ScopeSettings &settings) {
    const auto samples = inRange(text, kSamplesPerBlock, kMaxRecordLength);
    if (!samples || !isRecordLength(*samples)) return false;
    settings.recordLength = *samples;
    return true;
}

bool readTrigger(std::string_view text, ScopeSettings &settings) {
    const auto mode = choice(text, kTriggerNames);
    if (!mode) return false;
    settings.triggerMode = *mode;
    return true;
}

bool readEdge(std::string_view text, ScopeSettings &settings) {
    const auto edge = choice(text, kEdges);
    if (!edge) return false;
    settings.fallingEdge = *edge == 1;
    return true;
}

bool readStyle(std::string_view text, ScopeSettings &settings) {
    const auto style = choice(text, kStyles);
    if (!style) return false;
    settings.dots = *style == 1;
    return true;
}

constexpr long long kLastTimeBase = static_cast<long long>(kTimeBases.size()) - 1;

}  // namespace

const std::array<SettingField, 10> kSettingFields{{
    {"sample_rate_sps", "rate", "ACQuire:SRATe",
     [](const ScopeSettings &s) { return std::to_string(s.sampleRateSps()); }, readRate},
    {"samples", "samples", "ACQuire:POINts",
     [](const ScopeSettings &s) { return std::to_string(s.recordLength); }, readLength},
    {"trigger", "trigger", "TRIGger:SOURce",
     [](const ScopeSettings &s) {
         return std::string(kTriggerNames.at(static_cast<std::size_t>(s.triggerMode & 3)));
     },
     readTrigger},
    {"trigger_level", "level", "TRIGger:LEVel", numberText<&ScopeSettings::triggerLevel>,
     readNumber<&ScopeSettings::triggerLevel, 1, 254>},
    {"trigger_edge", "edge", "TRIGger:SLOPe",
     [](const ScopeSettings &s) { return std::string(s.fallingEdge ? "fall" : "rise"); }, readEdge},
    {"time_base_index", "", "TIMebase:SCALe", numberText<&ScopeSettings::timeBase>,
     readNumber<&ScopeSettings::timeBase, 0, kLastTimeBase>},
    {"volts_per_div_half", "", "", flagText<&ScopeSettings::halfHeight>,
     readFlag<&ScopeSettings::halfHeight>},
    {"line_style", "", "",
     [](const ScopeSettings &s) { return std::string(s.dots ? "dot" : "line"); }, readStyle},
    {"trigger_marker", "", "", flagText<&ScopeSettings::triggerMarker>,
     readFlag<&ScopeSettings::triggerMarker>},
    {"scroll_divisions", "", "", numberText<&ScopeSettings::scrollDivisions>,
     readNumber<&ScopeSettings::scrollDivisions, 0, kMaxScrollDivisions>},
}};

const SettingField *fieldWithKey(std::string_view key) {
    for (const SettingField &field : kSettingFields) {
        if (field.key == key) return &field;
    }
    return nullptr;
}

std::optional<long long> parseInteger(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
    return value;
}

std::optional<double> parseReal(std::string_view text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
    if (!std::isfinite(value)) return {};
    return value;
}

std::string realText(double value) {
    std::array<char, 32> text{};
    return {text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr};
}

}  // namespace kalvira::settings
