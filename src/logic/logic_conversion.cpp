#include "logic_conversion.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace kalvira::logic {

namespace {

// The mid level and 10 % of the span, in counts; zeros for an empty record.
LogicThreshold recordDefaults(std::span<const std::int16_t> record) {
    if (record.empty()) return {};
    const auto [low, high] = std::minmax_element(record.begin(), record.end());
    const double span = double(*high) - double(*low);
    return {(double(*low) + double(*high)) / 2.0, span / 10.0, false};
}

}  // namespace

std::variant<LogicThreshold, ThresholdProblem> resolveThreshold(
    std::span<const std::int16_t> record, const ThresholdChoice &choice,
    const std::optional<analysis::Calibration> &calibration) {
    LogicThreshold threshold = recordDefaults(record);
    threshold.invert = choice.invert;
    if ((choice.level && !std::isfinite(*choice.level)) ||
        (choice.hysteresis && !std::isfinite(*choice.hysteresis))) {
        return ThresholdProblem::NotFinite;
    }
    if (choice.hysteresis && *choice.hysteresis < 0) return ThresholdProblem::NegativeHysteresis;
    if (choice.inVolts) {
        if (!calibration) return ThresholdProblem::VoltsWithoutCalibration;
        const double voltsPerCount = calibration->voltsPerCount * calibration->probe;
        if (choice.level) threshold.level = calibration->zeroCount + *choice.level / voltsPerCount;
        if (choice.hysteresis) threshold.hysteresis = *choice.hysteresis / std::abs(voltsPerCount);
        if (voltsPerCount < 0) threshold.invert = !threshold.invert;
        return threshold;
    }
    if (choice.level) threshold.level = *choice.level;
    if (choice.hysteresis) threshold.hysteresis = *choice.hysteresis;
    return threshold;
}

std::vector<std::uint8_t> toLogic(std::span<const std::int16_t> record,
                                  const LogicThreshold &threshold) {
    std::vector<std::uint8_t> levels;
    levels.reserve(record.size());
    if (record.empty()) return levels;
    const double rise = threshold.level + threshold.hysteresis / 2.0;
    const double fall = threshold.level - threshold.hysteresis / 2.0;
    bool high = record.front() >= threshold.level;
    for (const std::int16_t sample : record) {
        if (high && sample < fall) high = false;
        if (!high && sample > rise) high = true;
        levels.push_back(high != threshold.invert ? 1 : 0);
    }
    return levels;
}

std::string thresholdProblemText(ThresholdProblem problem) {
    switch (problem) {
        case ThresholdProblem::VoltsWithoutCalibration:
            return "a threshold in volts needs a calibration";
        case ThresholdProblem::NotFinite:
            return "the threshold and the hysteresis must be finite numbers";
        case ThresholdProblem::NegativeHysteresis:
            break;
    }
    return "the hysteresis must not be negative";
}

}  // namespace kalvira::logic
