#include "pulse_timing.h"

#include <cstddef>

namespace kalvira::analysis {

namespace {

// Where the samples last reached level (at or below it when below, else at or above it) at or
// before sample from and after position limit, interpolated with the sample after that one.
std::optional<double> lastReach(std::span<const std::int16_t> samples, double level, bool below,
                                std::ptrdiff_t from, double limit) {
    for (std::ptrdiff_t j = from; j >= 0 && static_cast<double>(j) > limit; --j) {
        const double value = samples[static_cast<std::size_t>(j)];
        if (below ? value <= level : value >= level) {
            const double next = samples[static_cast<std::size_t>(j) + 1];
            return static_cast<double>(j) + (level - value) / (next - value);
        }
    }
    return {};
}

// Where the samples first reach level (at or above it when above, else at or below it) at or
// after sample from and before position limit, interpolated with the sample before that one.
std::optional<double> firstReach(std::span<const std::int16_t> samples, double level, bool above,
                                 std::size_t from, double limit) {
    for (std::size_t j = from; j < samples.size() && static_cast<double>(j) < limit; ++j) {
        const double value = samples[j];
        if (above ? value >= level : value <= level) {
            const double previous = samples[j - 1];
            return static_cast<double>(j - 1) + (level - previous) / (value - previous);
        }
    }
    return {};
}

}  // namespace

std::vector<Crossing> midLevelCrossings(std::span<const std::int16_t> samples, int minimum,
                                        int maximum) {
    std::vector<Crossing> crossings;
    if (maximum <= minimum) return crossings;
    const double mid = 0.5 * (minimum + maximum);
    const double halfBand = 0.5 * kHysteresisFraction * (maximum - minimum);
    const double lower = mid - halfBand;
    const double upper = mid + halfBand;
    enum class Side { Unknown, Below, Above } side = Side::Unknown;  // of the band, last left
    Crossing up{0.0, 0, true};     // where the signal last rose through the mid level
    Crossing down{0.0, 0, false};  // where it last fell through it
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double value = samples[i];
        if (i > 0) {
            const double previous = samples[i - 1];
            const auto at = static_cast<double>(i - 1);
            if (previous < mid && value >= mid)
                up = {at + (mid - previous) / (value - previous), i, true};
            if (previous > mid && value <= mid)
                down = {at + (previous - mid) / (previous - value), i, false};
        }
        // Leaving the band on the side it did not last leave it on: the mid level was passed in
        // between, and up or down holds the latest place where that happened.
        if (value < lower) {
            if (side == Side::Above) crossings.push_back(down);
            side = Side::Below;
        } else if (value > upper) {
            if (side == Side::Below) crossings.push_back(up);
            side = Side::Above;
        }
    }
    return crossings;
}

PulseTiming measurePulseTiming(std::span<const std::int16_t> samples, int minimum, int maximum) {
    PulseTiming timing;
    const std::vector<Crossing> crossings = midLevelCrossings(samples, minimum, maximum);
    // Rising and falling crossings alternate: the first rising one is the first or the second
    // crossing, and each whole period after it holds one falling crossing and the next rising one.
    const std::size_t first = !crossings.empty() && !crossings.front().rising ? 1 : 0;
    const std::size_t periods = crossings.size() > first ? (crossings.size() - first - 1) / 2 : 0;
    if (periods > 0) {
        double highTotal = 0.0;
        for (std::size_t k = first; k < first + 2 * periods; k += 2) {
            highTotal += crossings[k + 1].position - crossings[k].position;
        }
        const double total = crossings[first + 2 * periods].position - crossings[first].position;
        timing.periods = static_cast<int>(periods);
        timing.period = total / timing.periods;
        timing.high = highTotal / timing.periods;
        timing.low = (total - highTotal) / timing.periods;
    }

    const double span = maximum - minimum;
    const double tenPercent = minimum + 0.1 * span;
    const double ninetyPercent = minimum + 0.9 * span;
    double riseTotal = 0.0;
    double fallTotal = 0.0;
    int rises = 0;
    int falls = 0;
    for (std::size_t k = 0; k < crossings.size(); ++k) {
        const Crossing &crossing = crossings[k];
        const double before = k > 0 ? crossings[k - 1].position : -1.0;
        const double after = k + 1 < crossings.size() ? crossings[k + 1].position
                                                      : static_cast<double>(samples.size());
        const double from = crossing.rising ? tenPercent : ninetyPercent;
        const double to = crossing.rising ? ninetyPercent : tenPercent;
        const auto start = lastReach(samples, from, crossing.rising,
                                     static_cast<std::ptrdiff_t>(crossing.after) - 1, before);
        const auto end = firstReach(samples, to, crossing.rising, crossing.after, after);
        if (!start || !end) continue;
        (crossing.rising ? riseTotal : fallTotal) += *end - *start;
        ++(crossing.rising ? rises : falls);
    }
    if (rises > 0) timing.rise = riseTotal / rises;
    if (falls > 0) timing.fall = fallTotal / falls;
    return timing;
}

}  // namespace kalvira::analysis
