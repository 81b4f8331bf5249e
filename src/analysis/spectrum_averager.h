#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "spectrum.h"

namespace kalvira::analysis {

enum class AveragingMode { Off, Linear, Exponential, PeakHold, MinimumHold };

inline constexpr int kLeastAveraged = 2;
inline constexpr int kMostAveraged = 1000;

// How spectra of successive records are combined.
struct Averaging {
    AveragingMode mode = AveragingMode::Off;
    // N, kLeastAveraged..kMostAveraged: linear averages N records' power, exponential weighs each
    // new one 1/N.
    int records = 10;
    bool operator==(const Averaging &) const = default;
};

// "off", "linear:N", "exp:N", "peak", "min": the names of kalvira-capture's --average and of the
// spectrum file's averaging line.
std::string averagingName(const Averaging &averaging);
// The averaging a name gives, N whole and within 2..1000; empty for any other text.
std::optional<Averaging> averagingNamed(std::string_view name);

// Combines the spectra of records as they come, bin by bin:
// - linear: the mean power of the first N after a reset; then the average is complete and stays;
// - exponential: each new power weighed 1/k for the k-th of the first N, 1/N after, so the first
//   record does not linger;
// - peak and minimum hold: each bin's highest and lowest amplitude, exactly as the spectra had it.
// A spectrum of another window, length, rate or DC choice than the ones before restarts it.
class SpectrumAverager {
public:
    explicit SpectrumAverager(Averaging averaging = {}) : averaging_(averaging) {}

    const Averaging &averaging() const { return averaging_; }
    // Another averaging restarts it.
    void setAveraging(const Averaging &averaging);
    void reset();
    void add(const Spectrum &spectrum);

    // The latest spectrum added (its frequency estimate and SINAD) with the combined amplitudes;
    // empty before the first.
    const std::optional<Spectrum> &result() const { return result_; }
    // The spectra combined since the reset: at most N for linear, 1 when off.
    int count() const { return count_; }
    // A linear average of N spectra is complete.
    bool complete() const {
        return averaging_.mode == AveragingMode::Linear && count_ >= averaging_.records;
    }

private:
    bool fits(const Spectrum &spectrum) const;

    Averaging averaging_;
    std::optional<Spectrum> result_;
    std::vector<double> power_;  // linear: the sum of the powers; exponential: their average
    int count_ = 0;
};

// The averaging of records of one length and rate, oldest first, each weighed with window: the
// newest N for linear, the newest kMostAveraged otherwise. The newest one's spectrum is taken
// whole (its fundamental and SINAD), the others' amplitudes alone.
SpectrumAverager averageRecords(std::span<const std::span<const std::int16_t>> records,
                                double sampleRateHz, SpectrumWindow window, bool removeDc,
                                const Averaging &averaging, SpectrumAnalyser &analyser);

}  // namespace kalvira::analysis
