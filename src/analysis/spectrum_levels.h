#pragma once

#include <optional>
#include <string>

#include "calibration.h"

namespace kalvira::analysis {

// How a spectrum's amplitudes (peak amplitudes in counts) read: in dBFS and counts, or, through
// a calibration, in dBV (0 dBV: 1 V RMS at the probe's tip) and volts.
class SpectrumLevels {
public:
    SpectrumLevels() = default;
    explicit SpectrumLevels(std::optional<Calibration> calibration);

    bool inVolts() const { return calibration_.has_value(); }
    // The level in dB of an amplitude: dBFS, or dBV with a calibration; -300 for nothing.
    double db(double amplitudeCounts) const;
    // What a dBFS figure reads as in this unit.
    double dbFromDbfs(double dbfs) const { return dbfs + offsetDb_; }
    // The amplitude in counts, or in volts with a calibration.
    double linear(double amplitudeCounts) const;
    // The top of the dB axis: 0 dBFS, or the full scale in dBV rounded up to 10 dB.
    double topDb() const;
    const char *dbUnit() const { return inVolts() ? "dBV" : "dBFS"; }

private:
    std::optional<Calibration> calibration_;
    double voltsPerCount_ = 1.0;  // at the probe's tip, taken positive
    double offsetDb_ = 0.0;       // dBV minus dBFS
};

}  // namespace kalvira::analysis
