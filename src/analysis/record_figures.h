#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "record_measurements.h"
#include "reference_difference.h"

namespace kalvira::analysis {

// Every figure measured of a record that statistics, limits and the trend take, in the readout's
// order: the figures of measureRecord, their levels in volts (with a calibration only), and the
// RMS difference from a reference (with a reference of the record's rate only).
enum class Figure {
    Frequency,
    Period,
    Minimum,
    Maximum,
    PeakToPeak,
    Mean,
    Rms,
    DutyCycle,
    PositiveWidth,
    NegativeWidth,
    RiseTime,
    FallTime,
    Periods,
    MinimumVolts,
    MaximumVolts,
    PeakToPeakVolts,
    MeanVolts,
    RmsVolts,
    DeltaRef,
    DeltaRefVolts,
};
inline constexpr std::size_t kFigureCount = 20;

// How a figure's value reads.
enum class FigureUnit { Hertz, Seconds, Counts, Percent, Whole, Volts };

struct FigureFacts {
    Figure figure;
    std::string_view key;     // its JSON member and --limit name: "frequency_hz"
    std::string_view symbol;  // the readout's name: "f"
    FigureUnit unit;
};

inline constexpr std::array<FigureFacts, kFigureCount> kFigures{{
    {Figure::Frequency, "frequency_hz", "f", FigureUnit::Hertz},
    {Figure::Period, "period_s", "T", FigureUnit::Seconds},
    {Figure::Minimum, "min", "min", FigureUnit::Counts},
    {Figure::Maximum, "max", "max", FigureUnit::Counts},
    {Figure::PeakToPeak, "peak_to_peak", "p-p", FigureUnit::Counts},
    {Figure::Mean, "mean", "mean", FigureUnit::Counts},
    {Figure::Rms, "rms", "rms", FigureUnit::Counts},
    {Figure::DutyCycle, "duty_cycle_percent", "duty", FigureUnit::Percent},
    {Figure::PositiveWidth, "positive_width_s", "+width", FigureUnit::Seconds},
    {Figure::NegativeWidth, "negative_width_s", "-width", FigureUnit::Seconds},
    {Figure::RiseTime, "rise_time_s", "rise", FigureUnit::Seconds},
    {Figure::FallTime, "fall_time_s", "fall", FigureUnit::Seconds},
    {Figure::Periods, "periods", "periods", FigureUnit::Whole},
    {Figure::MinimumVolts, "min_v", "min", FigureUnit::Volts},
    {Figure::MaximumVolts, "max_v", "max", FigureUnit::Volts},
    {Figure::PeakToPeakVolts, "peak_to_peak_v", "p-p", FigureUnit::Volts},
    {Figure::MeanVolts, "mean_v", "mean", FigureUnit::Volts},
    {Figure::RmsVolts, "rms_v", "rms", FigureUnit::Volts},
    {Figure::DeltaRef, "delta_ref", "Δref", FigureUnit::Counts},
    {Figure::DeltaRefVolts, "delta_ref_v", "Δref", FigureUnit::Volts},
}};

inline constexpr std::size_t indexOf(Figure figure) {
    return static_cast<std::size_t>(figure);
}
inline constexpr const FigureFacts &factsOf(Figure figure) {
    return kFigures[indexOf(figure)];
}

// One value per figure, indexed by indexOf(); none where the figure is not defined for the record.
using FigureValues = std::array<std::optional<double>, kFigureCount>;

// The figures of a record's measurements, with its difference from the reference when there is a
// reference of its rate.
FigureValues figureValues(const RecordMeasurements &measurements,
                          const std::optional<ReferenceDifference> &deltaRef = std::nullopt);

// The figure a key names ("frequency_hz", "duty_cycle_percent", ...).
std::optional<Figure> figureNamed(std::string_view key);

// The figures the readout's lines show, in the lines' order, f to periods; the levels as volts
// figures when the readout reads in volts.
std::array<Figure, 13> readoutFigures(bool volts);

// A value of the figure with four significant digits and its unit, UTF-8 and independent of the
// locale: "200.0 Hz", "12.50 kHz", "5.000 ms", "512.3", "3.162e-05", "50.00 %", "2.500 V"; a whole
// number of periods as it is ("9"), a mean of them as "9.500".
std::string figureText(Figure figure, double value);

}  // namespace kalvira::analysis
