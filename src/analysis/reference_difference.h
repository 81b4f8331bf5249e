#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "calibration.h"

namespace kalvira::analysis {

// How far a trace lies from its reference: the root mean square of their difference, sample by
// sample, over the samples both have.
struct ReferenceDifference {
    double counts = 0.0;
    std::optional<double> volts;  // with a calibration: the counts through its gain
    bool operator==(const ReferenceDifference &) const = default;
};

// Sample k of the trace against sample k of the reference, for k up to the shorter one's length;
// none when either is empty. Exact in counts up to the final square root.
std::optional<ReferenceDifference> referenceDifference(
    std::span<const std::int16_t> trace, std::span<const std::int16_t> reference,
    const std::optional<Calibration> &calibration = std::nullopt);

}  // namespace kalvira::analysis
