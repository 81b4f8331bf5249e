#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "analysis/calibration.h"

namespace kalvira::logic {

// What the user asks of the conversion; what is not given comes from the record itself.
struct ThresholdChoice {
    std::optional<double> level;       // none: the mid level between minimum and maximum
    std::optional<double> hysteresis;  // the band's width, >= 0; none: 10 % of the span
    // Level and hysteresis in volts at the probe's tip; needs a calibration, by which high is
    // the higher voltage.
    bool inVolts = false;
    bool invert = false;  // high below the level: RS-232 levels, an inverting driver
    bool operator==(const ThresholdChoice &) const = default;
};

// The conversion in counts: the level goes high once a sample rises above level + hysteresis/2,
// low once one falls below level - hysteresis/2, and holds inside that band.
struct LogicThreshold {
    double level = 0.0;
    double hysteresis = 0.0;  // >= 0
    bool invert = false;      // the logic level is the opposite of the count's side
    bool operator==(const LogicThreshold &) const = default;
};

// Why a choice cannot be turned into a threshold.
enum class ThresholdProblem {
    VoltsWithoutCalibration,  // volts asked for, no calibration to read them by
    NotFinite,                // a level or hysteresis that is not a finite number
    NegativeHysteresis,
};

// Why a threshold cannot be made, as the user reads it.
std::string thresholdProblemText(ThresholdProblem problem);

// The threshold for the record by the choice. In volts the level and the band are converted to
// counts by the calibration; an inverting calibration (negative volts per count) inverts the
// logic so that high still means the higher voltage.
std::variant<LogicThreshold, ThresholdProblem> resolveThreshold(
    std::span<const std::int16_t> record, const ThresholdChoice &choice,
    const std::optional<analysis::Calibration> &calibration);

// One byte a sample, 1 for high and 0 for low (bit 0: one logic channel as the decoder library
// and the session files take it). The first sample is high when at or above the level.
std::vector<std::uint8_t> toLogic(std::span<const std::int16_t> record,
                                  const LogicThreshold &threshold);

}  // namespace kalvira::logic
