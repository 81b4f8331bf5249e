#include "reference_difference.h"

#include <algorithm>
#include <cmath>

namespace kalvira::analysis {

std::optional<ReferenceDifference> referenceDifference(
    std::span<const std::int16_t> trace, std::span<const std::int16_t> reference,
    const std::optional<Calibration> &calibration) {
    const std::size_t n = std::min(trace.size(), reference.size());
    if (n == 0) return std::nullopt;
    std::int64_t sumOfSquares = 0;  // 16000 * 65535^2 at most, far within 64 bits
    for (std::size_t k = 0; k < n; ++k) {
        const std::int64_t difference = std::int64_t{trace[k]} - reference[k];
        sumOfSquares += difference * difference;
    }
    ReferenceDifference result;
    result.counts = std::sqrt(static_cast<double>(sumOfSquares) / static_cast<double>(n));
    if (calibration)
        result.volts = result.counts * std::fabs(calibration->voltsPerCount * calibration->probe);
    return result;
}

}  // namespace kalvira::analysis
