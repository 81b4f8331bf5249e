#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "calibration.h"

namespace kalvira::analysis {

// How far a record may stray from the reference and still pass: ±level about the reference and
// ±samples in time.
struct MaskTolerance {
    double level = 0.0;  // counts, or volts when inVolts; 0 or more
    bool inVolts = false;
    std::int32_t samples = 0;  // 0..kMaxMaskSamples
    bool operator==(const MaskTolerance &) const = default;
};

inline constexpr std::int32_t kMaxMaskSamples = 1000;

// The band a record must keep within, per sample of the reference: at sample k, from the lowest
// to the highest reference sample within ±samples of k, widened by ±level counts.
struct MaskBand {
    std::vector<double> lower;
    std::vector<double> upper;
};

// The band about the reference, in O(N) whatever the width: each sample enters and leaves the
// running minimum and maximum once.
MaskBand maskBand(std::span<const std::int16_t> reference, double levelCounts,
                  std::int32_t timeSamples);

// The level in counts that a tolerance stands for under a calibration; none for volts without one.
std::optional<double> levelInCounts(const MaskTolerance &tolerance,
                                    const std::optional<Calibration> &calibration);

// The samples of the record outside the band, as indices from 0, over the samples both the record
// and the band have.
std::vector<std::int32_t> maskFailures(const MaskBand &band, std::span<const std::int16_t> record);

// A mask level as the command line gives it: counts as a plain number ("8", "2.5"), volts with
// "V" or "mV" after it ("0.05V", "50mV"); none unless it is a finite number 0 or more.
std::optional<MaskTolerance> parseMaskLevel(std::string_view text);

}  // namespace kalvira::analysis
