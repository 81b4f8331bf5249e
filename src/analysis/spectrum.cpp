#include "spectrum.h"

#include <fftw3.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <numeric>

#include "number_text.h"
#include "spectrum_levels.h"

namespace kalvira::analysis {

namespace {

struct WindowShape {
    std::string_view name;
    std::vector<double> cosineTerms;  // w[n] = sum over m of (-1)^m a_m cos(2 pi m n / N)
    int lobeHalfWidth;                // bins either side of a sine's peak in its main lobe
};

// Periodic windows, so that a sine on a bin stays on that bin; the four-term Blackman-Harris
// (-92 dB side lobes) and the five-term flat top of the usual tables.
const WindowShape &shapeOf(SpectrumWindow window) {
    static const std::array<WindowShape, 5> kShapes{{
        {"rectangular", {1.0}, 1},
        {"hann", {0.5, 0.5}, 2},
        {"hamming", {0.54, 0.46}, 2},
        {"blackman-harris", {0.35875, 0.48829, 0.14128, 0.01168}, 4},
        {"flat-top", {0.21557895, 0.41663158, 0.277263158, 0.083578947, 0.006947368}, 5},
    }};
    return kShapes.at(static_cast<std::size_t>(window));
}

std::vector<double> windowWeights(SpectrumWindow window, int length) {
    const auto &terms = shapeOf(window).cosineTerms;
    std::vector<double> weights(static_cast<std::size_t>(length));
    for (int n = 0; n < length; ++n) {
        double w = 0;
        for (std::size_t m = 0; m < terms.size(); ++m) {
            const double sign = m % 2 == 0 ? 1.0 : -1.0;
            w += sign * terms[m] *
                 std::cos(2 * std::numbers::pi * static_cast<double>(m) * n / length);
        }
        weights[static_cast<std::size_t>(n)] = w;
    }
    return weights;
}

// The power of the lobe around f0 against that of every other bin past the DC lobe, in dB, in a
// spectrum with the mean removed: the fundamental's lobe may reach into the DC lobe.
std::optional<double> sinadOf(const std::vector<double> &amplitude, double binHz, double f0,
                              int lobe) {
    const auto centre = std::lround(f0 / binHz);
    double fundamental = 0;
    double rest = 0;
    for (std::size_t k = 0; k < amplitude.size(); ++k) {
        const double power = amplitude[k] * amplitude[k];
        if (std::labs(static_cast<long>(k) - centre) <= lobe) {
            fundamental += power;
        } else if (k > static_cast<std::size_t>(lobe)) {
            rest += power;
        }
    }
    if (!(fundamental > 0 && rest > 0)) return std::nullopt;
    return 10 * std::log10(fundamental / rest);
}

}  // namespace

std::string_view windowName(SpectrumWindow window) {
    return shapeOf(window).name;
}

std::span<const double> windowTerms(SpectrumWindow window) {
    return shapeOf(window).cosineTerms;
}

std::optional<SpectrumWindow> windowNamed(std::string_view name) {
    for (const SpectrumWindow window : kSpectrumWindows) {
        if (windowName(window) == name) return window;
    }
    return std::nullopt;
}

double toDbfs(double amplitudeCounts) {
    if (!(amplitudeCounts > 0)) return -300.0;
    return std::max(-300.0, 20 * std::log10(amplitudeCounts / kFullScaleAmplitude));
}

// One length's plan, its buffers, and the weights of each window met at that length.
struct SpectrumAnalyser::Plan {
    explicit Plan(int length)
        : length(length),
          input(fftw_alloc_real(static_cast<std::size_t>(length))),
          output(fftw_alloc_complex(static_cast<std::size_t>(length / 2 + 1))),
          plan(fftw_plan_dft_r2c_1d(length, input, output, FFTW_ESTIMATE)) {}
    ~Plan() {
        fftw_destroy_plan(plan);
        fftw_free(output);
        fftw_free(input);
    }
    Plan(const Plan &) = delete;
    Plan &operator=(const Plan &) = delete;

    const std::vector<double> &weights(SpectrumWindow window) {
        auto &cached = windows[static_cast<std::size_t>(window)];
        if (cached.empty()) cached = windowWeights(window, length);
        return cached;
    }

    // Amplitudes in counts of (record - offset) weighed with the window.
    std::vector<double> amplitudes(std::span<const std::int16_t> record, double offset,
                                   SpectrumWindow window) {
        const std::vector<double> &w = weights(window);
        for (int n = 0; n < length; ++n) {
            const auto i = static_cast<std::size_t>(n);
            input[n] = (record[i] - offset) * w[i];
        }
        fftw_execute(plan);
        const double gain = std::accumulate(w.begin(), w.end(), 0.0);
        std::vector<double> result(static_cast<std::size_t>(length / 2 + 1));
        for (std::size_t k = 0; k < result.size(); ++k) {
            // DC and, for an even length, the last bin have no mirror image to fold in.
            const bool single = k == 0 || (length % 2 == 0 && k == result.size() - 1);
            result[k] = std::hypot(output[k][0], output[k][1]) * (single ? 1.0 : 2.0) / gain;
        }
        return result;
    }

    int length;
    double *input;
    fftw_complex *output;
    fftw_plan plan;
    std::array<std::vector<double>, 5> windows;
};

SpectrumAnalyser::SpectrumAnalyser() = default;
SpectrumAnalyser::~SpectrumAnalyser() = default;

SpectrumAnalyser::Plan &SpectrumAnalyser::planFor(int length) {
    auto &plan = plans_[length];
    if (!plan) plan = std::make_unique<Plan>(length);
    return *plan;
}

Spectrum SpectrumAnalyser::magnitudes(std::span<const std::int16_t> record, double sampleRateHz,
                                      SpectrumWindow window, bool removeDc) {
    Spectrum spectrum;
    spectrum.window = window;
    spectrum.sampleRateHz = sampleRateHz;
    spectrum.dcRemoved = removeDc;
    spectrum.lobeHalfWidth = shapeOf(window).lobeHalfWidth;
    if (record.size() < 2 || !(sampleRateHz > 0)) return spectrum;
    const int length = static_cast<int>(record.size());
    spectrum.binHz = sampleRateHz / length;
    const double mean =
        std::accumulate(record.begin(), record.end(), 0.0) / static_cast<double>(length);
    spectrum.amplitude = planFor(length).amplitudes(record, removeDc ? mean : 0.0, window);
    return spectrum;
}

Spectrum SpectrumAnalyser::transform(std::span<const std::int16_t> record, double sampleRateHz,
                                     SpectrumWindow window, bool removeDc) {
    Spectrum spectrum = magnitudes(record, sampleRateHz, window, removeDc);
    if (spectrum.amplitude.empty()) return spectrum;
    const int length = static_cast<int>(record.size());
    const double mean =
        std::accumulate(record.begin(), record.end(), 0.0) / static_cast<double>(length);
    Plan &plan = planFor(length);

    // The fundamental's frequency from the Hann spectrum, whose main lobe has a known shape:
    // for a sine delta bins off bin k the neighbour's ratio to the peak is r = (1 + d) / (2 - d).
    const std::vector<double> hann = window == SpectrumWindow::Hann && removeDc
                                         ? spectrum.amplitude
                                         : plan.amplitudes(record, mean, SpectrumWindow::Hann);
    const auto last = static_cast<std::ptrdiff_t>(hann.size()) - 2;
    if (last < 2) return spectrum;
    const auto peak = std::max_element(hann.begin() + 2, hann.begin() + last + 1);
    // Nothing above half a count, or fewer than two periods (the lobe's peak at bin 1): no
    // fundamental.
    if (*peak < 0.5 || hann[1] > *peak) return spectrum;
    const auto k = peak - hann.begin();
    const double before = hann[static_cast<std::size_t>(k - 1)];
    const double after = hann[static_cast<std::size_t>(k + 1)];
    const double ratio = std::max(before, after) / *peak;
    const double delta = std::clamp((2 * ratio - 1) / (1 + ratio), 0.0, 0.5);
    spectrum.fundamentalHz =
        (static_cast<double>(k) + (after >= before ? delta : -delta)) * spectrum.binHz;
    constexpr auto kSinadWindow = SpectrumWindow::BlackmanHarris;
    spectrum.sinadDb =
        sinadOf(window == kSinadWindow && removeDc ? spectrum.amplitude
                                                   : plan.amplitudes(record, mean, kSinadWindow),
                spectrum.binHz, *spectrum.fundamentalHz, shapeOf(kSinadWindow).lobeHalfWidth);
    return spectrum;
}

std::string spectrumFiguresJsonFields(const SpectrumFigures &figures) {
    std::string text = ",\"fundamental_hz\":";
    appendNumber(text, figures.fundamentalHz, true);
    text += ",\"fundamental_dbfs\":";
    appendNumber(text, figures.fundamentalDbfs, true);
    text += ",\"thd_percent\":";
    appendNumber(text, figures.thdPercent, true);
    text += ",\"sinad_db\":";
    appendNumber(text, figures.sinadDb, true);
    text += ",\"enob_bits\":";
    appendNumber(text, figures.enobBits, true);
    text += ",\"noise_floor_dbfs\":";
    appendNumber(
        text, figures.noiseFloor ? std::optional(toDbfs(*figures.noiseFloor)) : std::nullopt, true);
    return text;
}

std::string spectrumCsv(std::span<const Spectrum> spectra,
                        const std::vector<std::pair<std::string, std::string>> &settings,
                        const SpectrumLevels &levels) {
    if (spectra.empty()) return {};
    const Spectrum &first = spectra.front();
    const bool several = spectra.size() > 1;
    std::string text = "# kalvira-spectrum=1\n# window=";
    text.append(windowName(first.window)).append("\n# sample_rate_sps=");
    appendNumber(text, first.sampleRateHz);
    text.append("\n# dc_removed=").append(first.dcRemoved ? "1" : "0").append("\n");
    if (levels.inVolts()) text.append("# level_unit=dBV\n");
    text.append("# noise_floor_db=");
    for (std::size_t r = 0; r < spectra.size(); ++r) {
        if (r > 0) text += ",";
        const auto floor = spectrumFigures(spectra[r]).noiseFloor;
        if (floor) {
            appendLevel(text, levels.db(*floor));
        } else {
            text += "null";
        }
    }
    text += "\n";
    for (const auto &[key, value] : settings) text.append("# ").append(key + "=" + value + "\n");
    if (several) text.append("# records=").append(std::to_string(spectra.size())).append("\n");
    text += several ? "record,frequency_hz,magnitude_db\n" : "frequency_hz,magnitude_db\n";
    for (std::size_t r = 0; r < spectra.size(); ++r) {
        const std::string prefix = several ? std::to_string(r + 1) + "," : std::string();
        for (std::size_t k = 0; k < spectra[r].amplitude.size(); ++k) {
            text += prefix;
            appendNumber(text, static_cast<double>(k) * spectra[r].binHz);
            text += ",";
            appendLevel(text, levels.db(spectra[r].amplitude[k]));
            text += "\n";
        }
    }
    return text;
}

}  // namespace kalvira::analysis
