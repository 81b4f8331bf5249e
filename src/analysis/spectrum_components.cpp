#include "spectrum_components.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace kalvira::analysis {

namespace {

// The sum over a record of length N of exp(-j 2 pi y n / N): the rectangle's response to a sine
// y bins away, N at y = 0.
std::complex<double> rectangleResponse(double y, int length) {
    const double n = length;
    const double denominator = std::sin(std::numbers::pi * y / n);
    // At a multiple of N the quotient's limit: N cos(pi y) / cos(pi y / N).
    const double magnitude =
        std::fabs(denominator) < 1e-12
            ? n * std::cos(std::numbers::pi * y) / std::cos(std::numbers::pi * y / n)
            : std::sin(std::numbers::pi * y) / denominator;
    return magnitude * std::exp(std::complex<double>(0, -std::numbers::pi * y * (n - 1) / n));
}

// The offset 0..0.5 bin of a sine from the bin it peaks at, at which the neighbour towards it
// sees `share` of what the peak bin sees. That share rises from its least at 0 to 1 half a bin
// off; the Illinois form of the false position finds it in a few steps.
double offsetOfShare(SpectrumWindow window, int length, double share) {
    const auto excess = [&](double d) {
        return windowResponse(window, 1 - d, length) / windowResponse(window, d, length) - share;
    };
    double low = 0, high = 0.5, atLow = excess(low), atHigh = excess(high);
    if (atLow >= 0) return low;
    if (atHigh <= 0) return high;
    int lastMoved = 0;
    for (int step = 0; step < 60 && high - low > 1e-12; ++step) {
        const double d = (low * atHigh - high * atLow) / (atHigh - atLow);
        const double at = excess(d);
        if (at == 0) return d;
        if (at < 0) {
            low = d, atLow = at;
            if (lastMoved == -1) atHigh /= 2;
            lastMoved = -1;
        } else {
            high = d, atHigh = at;
            if (lastMoved == 1) atLow /= 2;
            lastMoved = 1;
        }
    }
    return (low + high) / 2;
}

}  // namespace

// Each cosine of the window shifts the rectangle's response by m bins either way; the window's
// gain, the sum of its weights, is N a_0.
double windowResponse(SpectrumWindow window, double offsetBins, int length) {
    const std::span<const double> terms = windowTerms(window);
    std::complex<double> sum = terms[0] * rectangleResponse(offsetBins, length);
    for (std::size_t m = 1; m < terms.size(); ++m) {
        const double weight = (m % 2 == 0 ? 0.5 : -0.5) * terms[m];
        const double shift = static_cast<double>(m);
        sum += weight * (rectangleResponse(offsetBins - shift, length) +
                         rectangleResponse(offsetBins + shift, length));
    }
    return std::abs(sum) / (terms[0] * length);
}

std::optional<SpectrumComponent> componentNear(const Spectrum &spectrum, double nearHz) {
    const auto &a = spectrum.amplitude;
    if (a.size() < 3 || !(spectrum.binHz > 0)) return std::nullopt;
    const auto last = static_cast<long>(a.size()) - 2;
    const long centre = std::clamp(std::lround(nearHz / spectrum.binHz), 1L, last);
    long k = centre;
    for (const long other : {centre - 1, centre + 1}) {
        if (other >= 1 && other <= last && a[std::size_t(other)] > a[std::size_t(k)]) k = other;
    }
    const double peak = a[std::size_t(k)];
    if (!(peak > 0)) return SpectrumComponent{static_cast<double>(k) * spectrum.binHz, 0};
    const double before = a[std::size_t(k - 1)], after = a[std::size_t(k + 1)];
    const double ratio = std::min(1.0, std::max(before, after) / peak);
    const int length = static_cast<int>(std::lround(spectrum.sampleRateHz / spectrum.binHz));
    const double offset = offsetOfShare(spectrum.window, length, ratio);
    const double signedOffset = after >= before ? offset : -offset;
    return SpectrumComponent{(static_cast<double>(k) + signedOffset) * spectrum.binHz,
                             peak / windowResponse(spectrum.window, offset, length)};
}

}  // namespace kalvira::analysis
