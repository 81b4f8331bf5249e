#include "record_figures.h"

#include <charconv>
#include <cmath>

#include "cursor_readings.h"

namespace kalvira::analysis {

namespace {

// Four significant digits in fixed notation, more only for whole numbers of five digits or more,
// and with an exponent below 0.001: "512.3", "3.162", "0.05123", "32767", "3.162e-05".
std::string significant(double value) {
    if (value == 0.0 || !std::isfinite(value)) return "0";
    if (std::fabs(value) < 1e-3) {
        char buffer[48];
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 3)
                .ptr;
        return std::string(buffer, end);
    }
    if (std::fabs(value) >= 1e4) return std::to_string(std::llround(value));
    const double step = std::pow(10.0, std::floor(std::log10(std::fabs(value))) - 3.0);
    const double rounded = std::round(value / step) * step;
    const int decimals =
        std::max(0, 3 - static_cast<int>(std::floor(std::log10(std::fabs(rounded)) + 1e-9)));
    char buffer[48];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, decimals)
            .ptr;
    return std::string(buffer, end);
}

}  // namespace

FigureValues figureValues(const RecordMeasurements &measurements,
                          const std::optional<ReferenceDifference> &deltaRef) {
    FigureValues values;
    const auto set = [&values](Figure figure, std::optional<double> value) {
        values[indexOf(figure)] = value;
    };
    set(Figure::Frequency, measurements.frequencyHz);
    set(Figure::Period, measurements.periodS);
    set(Figure::Minimum, measurements.minimum);
    set(Figure::Maximum, measurements.maximum);
    set(Figure::PeakToPeak, measurements.peakToPeak);
    set(Figure::Mean, measurements.mean);
    set(Figure::Rms, measurements.rms);
    set(Figure::DutyCycle, measurements.dutyCyclePercent);
    set(Figure::PositiveWidth, measurements.positiveWidthS);
    set(Figure::NegativeWidth, measurements.negativeWidthS);
    set(Figure::RiseTime, measurements.riseTimeS);
    set(Figure::FallTime, measurements.fallTimeS);
    if (measurements.periods) set(Figure::Periods, *measurements.periods);
    if (deltaRef) {
        set(Figure::DeltaRef, deltaRef->counts);
        set(Figure::DeltaRefVolts, deltaRef->volts);
    }
    if (const auto &volts = measurements.volts) {
        set(Figure::MinimumVolts, volts->minimum);
        set(Figure::MaximumVolts, volts->maximum);
        set(Figure::PeakToPeakVolts, volts->peakToPeak);
        set(Figure::MeanVolts, volts->mean);
        set(Figure::RmsVolts, volts->rms);
    }
    return values;
}

std::optional<Figure> figureNamed(std::string_view key) {
    for (const FigureFacts &facts : kFigures) {
        if (facts.key == key) return facts.figure;
    }
    return std::nullopt;
}

std::array<Figure, 13> readoutFigures(bool volts) {
    return {Figure::Frequency,
            Figure::Period,
            volts ? Figure::MinimumVolts : Figure::Minimum,
            volts ? Figure::MaximumVolts : Figure::Maximum,
            volts ? Figure::PeakToPeakVolts : Figure::PeakToPeak,
            volts ? Figure::MeanVolts : Figure::Mean,
            volts ? Figure::RmsVolts : Figure::Rms,
            Figure::DutyCycle,
            Figure::PositiveWidth,
            Figure::NegativeWidth,
            Figure::RiseTime,
            Figure::FallTime,
            Figure::Periods};
}

std::string figureText(Figure figure, double value) {
    switch (factsOf(figure).unit) {
        case FigureUnit::Hertz:
            return hertzText(value);
        case FigureUnit::Seconds:
            return secondsText(value);
        case FigureUnit::Percent:
            return significant(value) + " %";
        case FigureUnit::Volts:
            return formatVolts(value);
        case FigureUnit::Whole:
            if (value == std::round(value) && std::fabs(value) < 1e15)
                return std::to_string(static_cast<long long>(value));
            break;
        case FigureUnit::Counts:
            break;
    }
    return significant(value);
}

}  // namespace kalvira::analysis
