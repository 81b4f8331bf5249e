#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kalvira::analysis {

class SpectrumAnalyser;

// The unit's full-scale range for the ENOB of a sine fit: 1024 counts, 0..1023.
inline constexpr double kFullScaleRange = 1024;

// A record's sine by the four-parameter least-squares fit of IEEE Std 1241 (frequency,
// amplitude, phase, offset) and what its residuals say of the converter: NAD, the RMS of the
// residuals; SINAD = 20 log10(amplitude / sqrt 2 / NAD); ENOB = log2(FSR / (NAD sqrt 12)), which
// unlike (SINAD - 1.76) / 6.02 does not drop for a tone below full scale.
struct SineFit {
    double frequencyHz = 0;
    double amplitude = 0;           // counts, peak
    double phaseRad = 0;            // sample 1 is offset + amplitude * cos(phaseRad)
    double offset = 0;              // counts
    double nad = 0;                 // counts
    std::optional<double> sinadDb;  // empty when the sine fits exactly (NAD 0)
    std::optional<double> enobBits;
};

// The fit of samples taken at sampleRateHz, started from startHz (within a few tenths of a bin
// of the sine's frequency), the ENOB against fullScaleRange counts. Empty with fewer than 5
// periods, where the fit is unreliable, or when it does not settle.
std::optional<SineFit> fitSine(std::span<const std::int16_t> samples, double sampleRateHz,
                               double startHz, double fullScaleRange = kFullScaleRange);

// The sine fit of a record, started from the fundamental of its Hann spectrum: the figures the
// spectrum window, kalvira-capture --measure and the remote control's ENOB report. Empty with no
// fundamental or fewer than 5 periods.
std::optional<SineFit> recordSineFit(std::span<const std::int16_t> record, double sampleRateHz,
                                     SpectrumAnalyser &analyser);

// ,"sinefit_frequency_hz":..,"sinefit_amplitude":..,"sinefit_nad":..,"sinefit_sinad_db":..,
// "sinefit_enob_bits":.. as spectrumFiguresJsonFields writes its figures; null where empty.
std::string sineFitJsonFields(const std::optional<SineFit> &fit);

}  // namespace kalvira::analysis
