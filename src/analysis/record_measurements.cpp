#include "record_measurements.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>

#include "pulse_timing.h"

namespace kalvira::analysis {

namespace {

// Appends a number as to_chars writes it: fixed with the given decimals, or general with six
// significant digits when decimals is negative. Never depends on the locale.
void appendNumber(std::string &text, double value, int decimals = -1) {
    char buffer[64];
    const auto result = decimals < 0 ? std::to_chars(buffer, buffer + sizeof buffer, value,
                                                     std::chars_format::general, 6)
                                     : std::to_chars(buffer, buffer + sizeof buffer, value,
                                                     std::chars_format::fixed, decimals);
    text.append(buffer, result.ptr);
}

std::string line(const char *name, double value, int decimals, const char *unit = "") {
    std::string text = std::string(name) + " = ";
    appendNumber(text, value, decimals);
    return text + unit;
}

std::string undefinedLine(const char *name) {
    return std::string(name) + " = \u2013";
}

// Appends the JSON member ,"name":value, null when the value is missing or not finite.
template <typename Number>
void appendMember(std::string &text, const char *name, std::optional<Number> value) {
    text.append(",\"").append(name).append("\":");
    if (value && std::isfinite(static_cast<double>(*value)))
        appendNumber(text, static_cast<double>(*value));
    else
        text += "null";
}

// Whether value, shown with the given decimals, would read 1000 or more: then the next larger
// unit is used, so that 999.96 Hz reads "1.000 kHz" rather than "1000.0 Hz".
bool reachesThousand(double value, int decimals) {
    return std::round(value * std::pow(10.0, decimals)) >= 1000.0 * std::pow(10.0, decimals);
}

// A time in s from 1 s, in ms from 1 ms, else in µs; the dash when there is none.
std::string timeLine(const char *name, std::optional<double> seconds) {
    if (!seconds) return undefinedLine(name);
    const double t = *seconds;
    if (reachesThousand(t * 1e3, 3)) return line(name, t, 3, " s");
    if (reachesThousand(t * 1e6, 1)) return line(name, t * 1e3, 3, " ms");
    return line(name, t * 1e6, 1, " \u00b5s");
}

// A level in volts with its reading in counts beside it.
std::string voltsLine(const char *name, double volts, double count, int decimals) {
    std::string text = std::string(name) + " = " + formatVolts(volts) + " (";
    appendNumber(text, count, decimals);
    return text + ")";
}

// The levels of samples whose sum and sum of squares are given, about the calibration's zero. The
// sums about the whole count nearest to it are exact; only the fraction left is in floating point.
VoltLevels voltLevels(const RecordMeasurements &counts, std::int64_t n, std::int64_t sum,
                      std::int64_t sumOfSquares, const Calibration &calibration) {
    const std::int64_t whole = std::llround(calibration.zeroCount);
    const double fraction = calibration.zeroCount - static_cast<double>(whole);
    const std::int64_t shiftedSum = sum - n * whole;
    const std::int64_t shiftedSquares = sumOfSquares - 2 * whole * sum + n * whole * whole;
    const double meanSquare =
        (static_cast<double>(shiftedSquares) - 2.0 * fraction * static_cast<double>(shiftedSum)) /
            static_cast<double>(n) +
        fraction * fraction;
    const double gain = calibration.voltsPerCount * calibration.probe;
    const bool inverting = gain < 0.0;
    VoltLevels levels;
    levels.minimumCount = inverting ? counts.maximum : counts.minimum;
    levels.maximumCount = inverting ? counts.minimum : counts.maximum;
    levels.minimum = calibration.volts(levels.minimumCount);
    levels.maximum = calibration.volts(levels.maximumCount);
    levels.peakToPeak = std::abs(gain) * counts.peakToPeak;
    levels.mean = calibration.volts(counts.mean);
    levels.rms = std::abs(gain) * std::sqrt(std::max(0.0, meanSquare));
    return levels;
}

}  // namespace

RecordMeasurements measureRecord(std::span<const std::int16_t> samples, double samplePeriodS,
                                 const std::optional<Calibration> &calibration) {
    RecordMeasurements result;
    if (samples.empty()) return result;
    int minimum = samples[0];
    int maximum = samples[0];
    std::int64_t sum = 0;
    std::int64_t sumOfSquares = 0;  // up to 16000 * 32767^2, far beyond 32 bits
    for (const std::int16_t sample : samples) {
        minimum = sample < minimum ? sample : minimum;
        maximum = sample > maximum ? sample : maximum;
        sum += sample;
        sumOfSquares += std::int64_t{sample} * sample;
    }
    const auto count = static_cast<double>(samples.size());
    result.minimum = minimum;
    result.maximum = maximum;
    result.peakToPeak = maximum - minimum;
    result.mean = static_cast<double>(sum) / count;
    result.rms = std::sqrt(static_cast<double>(sumOfSquares) / count);
    if (calibration) {
        const auto n = static_cast<std::int64_t>(samples.size());
        result.volts = voltLevels(result, n, sum, sumOfSquares, *calibration);
    }
    if (result.peakToPeak == 0 || !(samplePeriodS > 0.0)) return result;
    const PulseTiming timing = measurePulseTiming(samples, minimum, maximum);
    if (timing.rise) result.riseTimeS = *timing.rise * samplePeriodS;
    if (timing.fall) result.fallTimeS = *timing.fall * samplePeriodS;
    if (timing.periods < 2) return result;
    result.periodS = timing.period * samplePeriodS;
    result.frequencyHz = 1.0 / *result.periodS;
    result.dutyCyclePercent = 100.0 * timing.high / timing.period;
    result.positiveWidthS = timing.high * samplePeriodS;
    result.negativeWidthS = timing.low * samplePeriodS;
    result.periods = timing.periods;
    return result;
}

std::string measurementsJson(const RecordMeasurements &measurements) {
    std::string text = "{\"min\":";
    appendNumber(text, measurements.minimum);
    text += ",\"max\":";
    appendNumber(text, measurements.maximum);
    text += ",\"peak_to_peak\":";
    appendNumber(text, measurements.peakToPeak);
    text += ",\"mean\":";
    appendNumber(text, measurements.mean);
    text += ",\"rms\":";
    appendNumber(text, measurements.rms);
    appendMember(text, "frequency_hz", measurements.frequencyHz);
    appendMember(text, "period_s", measurements.periodS);
    appendMember(text, "duty_cycle_percent", measurements.dutyCyclePercent);
    appendMember(text, "positive_width_s", measurements.positiveWidthS);
    appendMember(text, "negative_width_s", measurements.negativeWidthS);
    appendMember(text, "rise_time_s", measurements.riseTimeS);
    appendMember(text, "fall_time_s", measurements.fallTimeS);
    appendMember(text, "periods", measurements.periods);
    if (const auto &volts = measurements.volts) {
        appendMember(text, "min_v", std::optional(volts->minimum));
        appendMember(text, "max_v", std::optional(volts->maximum));
        appendMember(text, "peak_to_peak_v", std::optional(volts->peakToPeak));
        appendMember(text, "mean_v", std::optional(volts->mean));
        appendMember(text, "rms_v", std::optional(volts->rms));
    }
    return text + "}";
}

std::vector<std::string> readoutLines(const RecordMeasurements &measurements) {
    std::vector<std::string> lines;
    if (measurements.frequencyHz && measurements.periodS) {
        const double f = *measurements.frequencyHz;
        lines.push_back(reachesThousand(f, 1) ? line("f", f / 1e3, 3, " kHz")
                                              : line("f", f, 1, " Hz"));
        lines.push_back(timeLine("T", measurements.periodS));
    } else {
        lines.push_back(undefinedLine("f"));
        lines.push_back(undefinedLine("T"));
    }
    if (const auto &volts = measurements.volts) {
        lines.push_back(voltsLine("min", volts->minimum, volts->minimumCount, 0));
        lines.push_back(voltsLine("max", volts->maximum, volts->maximumCount, 0));
        lines.push_back(voltsLine("p-p", volts->peakToPeak, measurements.peakToPeak, 0));
        lines.push_back(voltsLine("mean", volts->mean, measurements.mean, 1));
        lines.push_back(voltsLine("rms", volts->rms, measurements.rms, 1));
    } else {
        lines.push_back(line("min", measurements.minimum, 0));
        lines.push_back(line("max", measurements.maximum, 0));
        lines.push_back(line("p-p", measurements.peakToPeak, 0));
        lines.push_back(line("mean", measurements.mean, 1));
        lines.push_back(line("rms", measurements.rms, 1));
    }
    const auto &duty = measurements.dutyCyclePercent;
    lines.push_back(duty ? line("duty", *duty, 1, " %") : undefinedLine("duty"));
    lines.push_back(timeLine("+width", measurements.positiveWidthS));
    lines.push_back(timeLine("-width", measurements.negativeWidthS));
    lines.push_back(timeLine("rise", measurements.riseTimeS));
    lines.push_back(timeLine("fall", measurements.fallTimeS));
    const auto &periods = measurements.periods;
    lines.push_back(periods ? line("periods", *periods, 0) : undefinedLine("periods"));
    return lines;
}

}  // namespace kalvira::analysis
