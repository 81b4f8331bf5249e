#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "calibration.h"

namespace kalvira::analysis {

// A record's levels in volts at the probe's tip, by its calibration.
struct VoltLevels {
    double minimum = 0.0;
    int minimumCount = 0;  // the count read as minimum: the highest one when the input inverts
    double maximum = 0.0;
    int maximumCount = 0;
    double peakToPeak = 0.0;
    double mean = 0.0;
    double rms = 0.0;  // about 0 V, not about count 0
    bool operator==(const VoltLevels &) const = default;
};

// What the readout shows about one record. Levels are in sample units (0..32767 from the unit).
struct RecordMeasurements {
    int minimum = 0;
    int maximum = 0;
    int peakToPeak = 0;  // maximum - minimum
    double mean = 0.0;
    double rms = 0.0;  // root mean square of the sample values themselves, the mean included
    std::optional<double> frequencyHz;
    std::optional<double> periodS;  // seconds, 1 / frequencyHz
    // Over the same whole periods as the frequency, defined with it: the share of the period
    // from a rising crossing of the mid level to the next falling one, and the times between.
    std::optional<double> dutyCyclePercent;
    std::optional<double> positiveWidthS;
    std::optional<double> negativeWidthS;
    std::optional<int> periods;  // the number of those whole periods, 2 or more
    // Seconds from 10 % to 90 % of the span and back, averaged over every whole edge.
    std::optional<double> riseTimeS;
    std::optional<double> fallTimeS;
    std::optional<VoltLevels> volts;  // with a calibration only
    bool operator==(const RecordMeasurements &) const = default;
};

// Measures a record taken one sample every samplePeriodS seconds. An empty record gives zeros
// and no frequency. The period is found from the rising crossings of the level halfway between
// minimum and maximum, each placed by linear interpolation between the two samples around that
// level, and counted over whole periods only: (last crossing - first crossing) / (crossings - 1).
// No frequency when fewer than three rising crossings (two whole periods) are found, when the
// record is flat, or when samplePeriodS is not positive. Crossings, widths and edges as
// midLevelCrossings and measurePulseTiming find them (pulse_timing.h). Levels in volts too when
// a calibration is given and the record is not empty.
RecordMeasurements measureRecord(std::span<const std::int16_t> samples, double samplePeriodS,
                                 const std::optional<Calibration> &calibration = std::nullopt);

// One JSON object on one line, without spaces or a line end:
// {"min":..,"max":..,"peak_to_peak":..,"mean":..,"rms":..,"frequency_hz":..,"period_s":..,
// "duty_cycle_percent":..,"positive_width_s":..,"negative_width_s":..,"rise_time_s":..,
// "fall_time_s":..,"periods":..}, with levels in volts the members "min_v", "max_v",
// "peak_to_peak_v", "mean_v" and "rms_v" last; six significant digits (as printf's %.6g), null
// for a figure that is not defined. Independent of the locale.
std::string measurementsJson(const RecordMeasurements &measurements);

// The lines of the readout box, UTF-8, in this order and independent of the locale:
// "f = 200.0 Hz" below 1 kHz, "f = 12.500 kHz" from 1 kHz;
// "T = 2.500 s" from 1 s, "T = 5.000 ms" from 1 ms, "T = 250.0 µs" below;
// "f = –" and "T = –" (en dash) when there is no frequency;
// "min = 312", "max = 712", "p-p = 400", "mean = 512.0", "rms = 530.1";
// "duty = 50.0 %", "+width = 5.000 ms", "-width = 5.000 ms", "rise = 80.0 µs",
// "fall = 80.0 µs" (times as T), "periods = 9", each "= –" when not defined. With levels in
// volts, min to rms read "min = -1.000 V (312)", "mean = 5.000 mV (512.0)" (formatVolts), the
// counts beside them.
std::vector<std::string> readoutLines(const RecordMeasurements &measurements);

}  // namespace kalvira::analysis
