#include "sine_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <numbers>
#include <utility>
#include <vector>

#include "number_text.h"
#include "spectrum.h"

namespace kalvira::analysis {

namespace {

constexpr double kLeastPeriods = 5;
constexpr int kMostIterations = 40;
// The fit has settled when a step moves the frequency by less than this share of it.
constexpr double kSettled = 1e-12;

// cos and sin of omega (n - centre) for each sample n, by turning a phasor one sample at a time,
// set afresh every 256 samples so that rounding never builds up.
struct Phasors {
    std::vector<double> cosine, sine;
    Phasors(std::size_t length, double omega, double centre) : cosine(length), sine(length) {
        const std::complex<double> step = std::polar(1.0, omega);
        std::complex<double> z;
        for (std::size_t n = 0; n < length; ++n) {
            if (n % 256 == 0) z = std::polar(1.0, omega * (static_cast<double>(n) - centre));
            cosine[n] = z.real();
            sine[n] = z.imag();
            z *= step;
        }
    }
};

// The least-squares solution of K unknowns (K <= 4) from the normal equations, by Gaussian
// elimination with partial pivoting; empty when they are singular.
template <std::size_t K>
std::optional<std::array<double, K>> solve(std::array<std::array<double, K + 1>, K> m) {
    for (std::size_t col = 0; col < K; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < K; ++r) {
            if (std::fabs(m[r][col]) > std::fabs(m[pivot][col])) pivot = r;
        }
        if (!(std::fabs(m[pivot][col]) > 0)) return std::nullopt;
        std::swap(m[col], m[pivot]);
        for (std::size_t r = col + 1; r < K; ++r) {
            const double factor = m[r][col] / m[col][col];
            for (std::size_t c = col; c <= K; ++c) m[r][c] -= factor * m[col][c];
        }
    }
    std::array<double, K> x{};
    for (std::size_t r = K; r-- > 0;) {
        double sum = m[r][K];
        for (std::size_t c = r + 1; c < K; ++c) sum -= m[r][c] * x[c];
        x[r] = sum / m[r][r];
    }
    return x;
}

// The normal equations of y against K columns, column(n) giving sample n's row.
template <std::size_t K, typename Columns>
std::array<std::array<double, K + 1>, K> normalEquations(std::span<const std::int16_t> y,
                                                         Columns column) {
    std::array<std::array<double, K + 1>, K> m{};
    for (std::size_t n = 0; n < y.size(); ++n) {
        const std::array<double, K> row = column(n);
        for (std::size_t i = 0; i < K; ++i) {
            for (std::size_t j = i; j < K; ++j) m[i][j] += row[i] * row[j];
            m[i][K] += row[i] * y[n];
        }
    }
    for (std::size_t i = 0; i < K; ++i) {
        for (std::size_t j = 0; j < i; ++j) m[i][j] = m[j][i];
    }
    return m;
}

// y = a cos(omega t) + b sin(omega t) + c, t counted from the record's middle.
struct SineTerms {
    double a = 0, b = 0, c = 0;
};

std::optional<SineTerms> threeParameterFit(std::span<const std::int16_t> y, const Phasors &p) {
    const auto x = solve<3>(normalEquations<3>(y, [&](std::size_t n) {
        return std::array<double, 3>{p.cosine[n], p.sine[n], 1.0};
    }));
    if (!x) return std::nullopt;
    return SineTerms{(*x)[0], (*x)[1], (*x)[2]};
}

// One step of the four-parameter fit: the terms and the frequency's correction in radians a
// sample, from the model linearised about omega; t is scaled by the length, so that the four
// columns are of like size.
std::optional<std::pair<SineTerms, double>> fourParameterStep(std::span<const std::int16_t> y,
                                                              const Phasors &p, const SineTerms &at,
                                                              double centre) {
    const double length = static_cast<double>(y.size());
    const auto x = solve<4>(normalEquations<4>(y, [&](std::size_t n) {
        const double t = (static_cast<double>(n) - centre) / length;
        return std::array<double, 4>{p.cosine[n], p.sine[n], 1.0,
                                     t * (at.b * p.cosine[n] - at.a * p.sine[n])};
    }));
    if (!x) return std::nullopt;
    return std::pair(SineTerms{(*x)[0], (*x)[1], (*x)[2]}, (*x)[3] / length);
}

double periodsIn(double omega, std::size_t length) {
    return omega * static_cast<double>(length) / (2 * std::numbers::pi);
}

// The figures of the settled fit at omega, from its residuals.
SineFit figuresOf(std::span<const std::int16_t> y, const Phasors &p, const SineTerms &terms,
                  double omega, double centre, double sampleRateHz, double fullScaleRange) {
    double squares = 0;
    for (std::size_t n = 0; n < y.size(); ++n) {
        const double r = y[n] - (terms.a * p.cosine[n] + terms.b * p.sine[n] + terms.c);
        squares += r * r;
    }
    SineFit fit;
    fit.frequencyHz = omega * sampleRateHz / (2 * std::numbers::pi);
    fit.amplitude = std::hypot(terms.a, terms.b);
    fit.phaseRad =
        std::remainder(-omega * centre - std::atan2(terms.b, terms.a), 2 * std::numbers::pi);
    fit.offset = terms.c;
    fit.nad = std::sqrt(squares / static_cast<double>(y.size()));
    if (fit.nad > 0) {
        fit.sinadDb = 20 * std::log10(fit.amplitude / std::sqrt(2.0) / fit.nad);
        fit.enobBits = std::log2(fullScaleRange / (fit.nad * std::sqrt(12.0)));
    }
    return fit;
}

}  // namespace

std::optional<SineFit> fitSine(std::span<const std::int16_t> samples, double sampleRateHz,
                               double startHz, double fullScaleRange) {
    if (samples.size() < 4 || !(sampleRateHz > 0)) return std::nullopt;
    double omega = 2 * std::numbers::pi * startHz / sampleRateHz;
    const double centre = (static_cast<double>(samples.size()) - 1) / 2;
    const double halfBin = std::numbers::pi / static_cast<double>(samples.size());
    if (!(periodsIn(omega, samples.size()) >= kLeastPeriods && omega < std::numbers::pi))
        return std::nullopt;
    auto terms = threeParameterFit(samples, Phasors(samples.size(), omega, centre));
    bool settled = false;
    for (int i = 0; i < kMostIterations && terms && !settled; ++i) {
        const auto step =
            fourParameterStep(samples, Phasors(samples.size(), omega, centre), *terms, centre);
        if (!step) return std::nullopt;
        // Never more than half a bin at a time, so a poor start cannot throw it far off.
        const double change = std::clamp(step->second, -halfBin, halfBin);
        terms = step->first;
        omega += change;
        settled = std::fabs(change) <= kSettled * omega;
    }
    if (!settled || !(omega > 0 && omega < std::numbers::pi) ||
        periodsIn(omega, samples.size()) < kLeastPeriods)
        return std::nullopt;
    const Phasors final(samples.size(), omega, centre);
    terms = threeParameterFit(samples, final);
    if (!terms) return std::nullopt;
    return figuresOf(samples, final, *terms, omega, centre, sampleRateHz, fullScaleRange);
}

std::optional<SineFit> recordSineFit(std::span<const std::int16_t> record, double sampleRateHz,
                                     SpectrumAnalyser &analyser) {
    const Spectrum spectrum = analyser.transform(record, sampleRateHz, SpectrumWindow::Hann);
    if (!spectrum.fundamentalHz) return std::nullopt;
    return fitSine(record, sampleRateHz, *spectrum.fundamentalHz);
}

std::string sineFitJsonFields(const std::optional<SineFit> &fit) {
    const auto field = [&](const char *name, std::optional<double> value, std::string &text) {
        text.append(",\"").append(name).append("\":");
        appendNumber(text, value, true);
    };
    std::string text;
    field("sinefit_frequency_hz", fit ? std::optional(fit->frequencyHz) : std::nullopt, text);
    field("sinefit_amplitude", fit ? std::optional(fit->amplitude) : std::nullopt, text);
    field("sinefit_nad", fit ? std::optional(fit->nad) : std::nullopt, text);
    field("sinefit_sinad_db", fit ? fit->sinadDb : std::nullopt, text);
    field("sinefit_enob_bits", fit ? fit->enobBits : std::nullopt, text);
    return text;
}

}  // namespace kalvira::analysis
