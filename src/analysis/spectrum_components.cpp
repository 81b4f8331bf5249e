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
    // The neighbour's share rises from its least at 0 to 1 half a bin off: halve the interval.
    double low = 0, high = 0.5;
    for (int step = 0; step < 40; ++step) {
        const double d = (low + high) / 2;
        const double share = windowResponse(spectrum.window, 1 - d, length) /
                             windowResponse(spectrum.window, d, length);
        (share < ratio ? low : high) = d;
    }
    const double offset = (low + high) / 2;
    const double signedOffset = after >= before ? offset : -offset;
    return SpectrumComponent{(static_cast<double>(k) + signedOffset) * spectrum.binHz,
                             peak / windowResponse(spectrum.window, offset, length)};
}

}  // namespace kalvira::analysis
