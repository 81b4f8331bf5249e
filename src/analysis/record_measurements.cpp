#include "record_measurements.h"

#include <charconv>
#include <cmath>
#include <cstddef>

namespace kalvira::analysis {

namespace {

// Rising crossings of the mid level, found with hysteresis: the count and the interpolated
// positions (in samples) of the first and the last.
struct RisingCrossings {
    int count = 0;
    double first = 0.0;
    double last = 0.0;
};

RisingCrossings findRisingCrossings(std::span<const std::int16_t> samples, int minimum,
                                    int maximum) {
    const double mid = 0.5 * (minimum + maximum);
    const double halfBand = 0.5 * kHysteresisFraction * (maximum - minimum);
    const double lower = mid - halfBand;
    const double upper = mid + halfBand;
    RisingCrossings crossings;
    bool armed = false;          // the signal has been below the band since the last crossing
    double lastMidCrossing = 0;  // where the signal last rose through the mid level
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double value = samples[i];
        if (i > 0 && samples[i - 1] < mid && value >= mid) {
            const double previous = samples[i - 1];
            lastMidCrossing = static_cast<double>(i - 1) + (mid - previous) / (value - previous);
        }
        if (value < lower) {
            armed = true;
        } else if (armed && value > upper) {
            // Below the band before, above it now: the mid level was crossed in between, and
            // lastMidCrossing is the latest place where that happened.
            armed = false;
            if (crossings.count == 0) crossings.first = lastMidCrossing;
            crossings.last = lastMidCrossing;
            ++crossings.count;
        }
    }
    return crossings;
}

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

// Whether value, shown with the given decimals, would read 1000 or more: then the next larger
// unit is used, so that 999.96 Hz reads "1.000 kHz" rather than "1000.0 Hz".
bool reachesThousand(double value, int decimals) {
    return std::round(value * std::pow(10.0, decimals)) >= 1000.0 * std::pow(10.0, decimals);
}

}  // namespace

RecordMeasurements measureRecord(std::span<const std::int16_t> samples, double samplePeriodS) {
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
    if (result.peakToPeak == 0 || !(samplePeriodS > 0.0)) return result;
    const RisingCrossings crossings = findRisingCrossings(samples, minimum, maximum);
    if (crossings.count < 3) return result;
    const double periodSamples = (crossings.last - crossings.first) / (crossings.count - 1);
    result.periodS = periodSamples * samplePeriodS;
    result.frequencyHz = 1.0 / *result.periodS;
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
    text += ",\"frequency_hz\":";
    if (measurements.frequencyHz)
        appendNumber(text, *measurements.frequencyHz);
    else
        text += "null";
    text += ",\"period_s\":";
    if (measurements.periodS)
        appendNumber(text, *measurements.periodS);
    else
        text += "null";
    return text + "}";
}

std::vector<std::string> readoutLines(const RecordMeasurements &measurements) {
    std::vector<std::string> lines;
    if (measurements.frequencyHz && measurements.periodS) {
        const double f = *measurements.frequencyHz;
        lines.push_back(reachesThousand(f, 1) ? line("f", f / 1e3, 3, " kHz")
                                              : line("f", f, 1, " Hz"));
        const double t = *measurements.periodS;
        if (reachesThousand(t * 1e3, 3))
            lines.push_back(line("T", t, 3, " s"));
        else if (reachesThousand(t * 1e6, 1))
            lines.push_back(line("T", t * 1e3, 3, " ms"));
        else
            lines.push_back(line("T", t * 1e6, 1, " \u00b5s"));
    } else {
        lines.push_back("f = \u2013");
        lines.push_back("T = \u2013");
    }
    lines.push_back(line("min", measurements.minimum, 0));
    lines.push_back(line("max", measurements.maximum, 0));
    lines.push_back(line("p-p", measurements.peakToPeak, 0));
    lines.push_back(line("mean", measurements.mean, 1));
    lines.push_back(line("rms", measurements.rms, 1));
    return lines;
}

}  // namespace kalvira::analysis
