#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kalvira::analysis {

// Fraction of the peak-to-peak value that the crossing detector's hysteresis band spans, centred
// on the mid level: a crossing counts only once the signal has been on one side of the band and
// then leaves it on the other, so noise smaller than half the band adds no crossings.
inline constexpr double kHysteresisFraction = 0.10;

// A crossing of the mid level, halfway between minimum and maximum.
struct Crossing {
    double position = 0.0;  // in samples from the first, interpolated between two samples
    std::size_t after = 0;  // the first sample past the mid level, on the far side of it
    bool rising = false;
    bool operator==(const Crossing &) const = default;
};

// The crossings of a record, in time order, rising and falling in turn. Each is placed at the
// last time the signal passed the mid level before it left the hysteresis band on the far
// side. None for a flat record.
std::vector<Crossing> midLevelCrossings(std::span<const std::int16_t> samples, int minimum,
                                        int maximum);

// The timing of a record's pulses, in sample periods.
struct PulseTiming {
    // Whole periods from the first rising crossing to the last; the means below are taken over
    // them and mean nothing while periods is 0.
    int periods = 0;
    double period = 0.0;
    double high = 0.0;  // from a rising crossing to the next falling one
    double low = 0.0;   // from a falling crossing to the next rising one
    // 10 % to 90 % of the span (rise) and 90 % to 10 % (fall), averaged over every whole edge:
    // one whose crossing is preceded by the level it leaves and followed by the level it
    // reaches, each before the neighbouring crossing. Levels placed by linear interpolation.
    std::optional<double> rise;
    std::optional<double> fall;
};

PulseTiming measurePulseTiming(std::span<const std::int16_t> samples, int minimum, int maximum);

}  // namespace kalvira::analysis
