#include "spectrum_levels.h"

#include <algorithm>
#include <cmath>

#include "spectrum.h"

namespace kalvira::analysis {

SpectrumLevels::SpectrumLevels(std::optional<Calibration> calibration) : calibration_(calibration) {
    if (!calibration_) return;
    voltsPerCount_ = std::fabs(calibration_->voltsPerCount) * calibration_->probe;
    // A sine of peak amplitude A counts is A * voltsPerCount / sqrt(2) volts RMS.
    offsetDb_ = 20 * std::log10(kFullScaleAmplitude * voltsPerCount_ / std::sqrt(2.0));
}

double SpectrumLevels::db(double amplitudeCounts) const {
    const double dbfs = toDbfs(amplitudeCounts);
    return dbfs <= -300.0 ? -300.0 : dbFromDbfs(dbfs);
}

double SpectrumLevels::linear(double amplitudeCounts) const {
    return amplitudeCounts * voltsPerCount_;
}

double SpectrumLevels::topDb() const {
    return inVolts() ? std::ceil(offsetDb_ / 10.0 - 1e-9) * 10.0 : 0.0;
}

}  // namespace kalvira::analysis
