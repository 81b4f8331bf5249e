#include "record_mask.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <deque>

namespace kalvira::analysis {

namespace {

// The running extreme of values over the window [k - half, k + half], held to the values, for
// every k: a deque of indices whose values keep their order (ascending for the minimum).
template <typename Before>
std::vector<double> runningExtreme(std::span<const std::int16_t> values, std::int32_t half,
                                   Before before) {
    const auto n = static_cast<std::int64_t>(values.size());
    std::vector<double> extreme(values.size());
    std::deque<std::int64_t> candidates;
    std::int64_t entered = 0;  // values[0 .. entered) have entered the window
    for (std::int64_t k = 0; k < n; ++k) {
        for (; entered < n && entered <= k + half; ++entered) {
            while (!candidates.empty() &&
                   !before(values[static_cast<std::size_t>(candidates.back())],
                           values[static_cast<std::size_t>(entered)]))
                candidates.pop_back();
            candidates.push_back(entered);
        }
        while (candidates.front() < k - half) candidates.pop_front();
        extreme[static_cast<std::size_t>(k)] = values[static_cast<std::size_t>(candidates.front())];
    }
    return extreme;
}

}  // namespace

MaskBand maskBand(std::span<const std::int16_t> reference, double levelCounts,
                  std::int32_t timeSamples) {
    const std::int32_t half = std::max(0, timeSamples);
    MaskBand band;
    band.lower = runningExtreme(reference, half, std::less<>());
    band.upper = runningExtreme(reference, half, std::greater<>());
    for (double &lower : band.lower) lower -= levelCounts;
    for (double &upper : band.upper) upper += levelCounts;
    return band;
}

std::optional<double> levelInCounts(const MaskTolerance &tolerance,
                                    const std::optional<Calibration> &calibration) {
    if (!tolerance.inVolts) return tolerance.level;
    if (!calibration) return std::nullopt;
    return tolerance.level / std::fabs(calibration->voltsPerCount * calibration->probe);
}

std::vector<std::int32_t> maskFailures(const MaskBand &band, std::span<const std::int16_t> record) {
    std::vector<std::int32_t> failures;
    const std::size_t n = std::min(record.size(), band.lower.size());
    for (std::size_t k = 0; k < n; ++k) {
        const double sample = record[k];
        if (sample < band.lower[k] || sample > band.upper[k])
            failures.push_back(static_cast<std::int32_t>(k));
    }
    return failures;
}

std::optional<MaskTolerance> parseMaskLevel(std::string_view text) {
    MaskTolerance tolerance;
    double scale = 1.0;
    if (text.ends_with("mV")) {
        tolerance.inVolts = true;
        scale = 1e-3;
        text.remove_suffix(2);
    } else if (text.ends_with("V")) {
        tolerance.inVolts = true;
        text.remove_suffix(1);
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() ||
        !std::isfinite(value) || value < 0.0)
        return std::nullopt;
    tolerance.level = value * scale;
    return tolerance;
}

}  // namespace kalvira::analysis
