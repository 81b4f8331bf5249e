#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kalvira::analysis {

// What the readout shows about one record. Levels are in sample units (0..32767 from the unit).
struct RecordMeasurements {
    int minimum = 0;
    int maximum = 0;
    int peakToPeak = 0;  // maximum - minimum
    double mean = 0.0;
    double rms = 0.0;  // root mean square of the sample values themselves, the mean included
    std::optional<double> frequencyHz;
    std::optional<double> periodS;  // seconds, 1 / frequencyHz
    bool operator==(const RecordMeasurements &) const = default;
};

// Fraction of the peak-to-peak value that the crossing detector's hysteresis band spans, centred
// on the mid level: a rising crossing counts only once the signal has been below the band and
// then rises above it, so noise smaller than half the band adds no crossings.
inline constexpr double kHysteresisFraction = 0.10;

// Measures a record taken one sample every samplePeriodS seconds. An empty record gives zeros
// and no frequency. The period is found from the rising crossings of the level halfway between
// minimum and maximum, each placed by linear interpolation between the two samples around that
// level, and counted over whole periods only: (last crossing - first crossing) / (crossings - 1).
// No frequency when fewer than three rising crossings (two whole periods) are found, when the
// record is flat, or when samplePeriodS is not positive.
RecordMeasurements measureRecord(std::span<const std::int16_t> samples, double samplePeriodS);

// One JSON object on one line, without spaces or a line end:
// {"min":..,"max":..,"peak_to_peak":..,"mean":..,"rms":..,"frequency_hz":..,"period_s":..}
// with six significant digits (as printf's %.6g), frequency and
// period null when there is none. Independent of the locale.
std::string measurementsJson(const RecordMeasurements &measurements);

// The lines of the readout box, UTF-8, in this order and independent of the locale:
// "f = 200.0 Hz" below 1 kHz, "f = 12.500 kHz" from 1 kHz;
// "T = 2.500 s" from 1 s, "T = 5.000 ms" from 1 ms, "T = 250.0 µs" below;
// "f = –" and "T = –" (en dash) when there is no frequency;
// "min = 312", "max = 712", "p-p = 400", "mean = 512.0", "rms = 530.1".
std::vector<std::string> readoutLines(const RecordMeasurements &measurements);

}  // namespace kalvira::analysis
