#include "spectrum_averager.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kalvira::analysis {

std::string averagingName(const Averaging &averaging) {
    switch (averaging.mode) {
        case AveragingMode::Off:
            return "off";
        case AveragingMode::Linear:
            return "linear:" + std::to_string(averaging.records);
        case AveragingMode::Exponential:
            return "exp:" + std::to_string(averaging.records);
        case AveragingMode::PeakHold:
            return "peak";
        case AveragingMode::MinimumHold:
            return "min";
    }
    return {};
}

std::optional<Averaging> averagingNamed(std::string_view name) {
    if (name == "off") return Averaging{};
    if (name == "peak") return Averaging{AveragingMode::PeakHold};
    if (name == "min") return Averaging{AveragingMode::MinimumHold};
    const auto colon = name.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const std::string_view kind = name.substr(0, colon), count = name.substr(colon + 1);
    int records = 0;
    const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), records);
    if (count.empty() || error != std::errc() || end != count.data() + count.size() ||
        records < kLeastAveraged || records > kMostAveraged)
        return std::nullopt;
    if (kind == "linear") return Averaging{AveragingMode::Linear, records};
    if (kind == "exp") return Averaging{AveragingMode::Exponential, records};
    return std::nullopt;
}

SpectrumAverager averageRecords(std::span<const std::span<const std::int16_t>> records,
                                double sampleRateHz, SpectrumWindow window, bool removeDc,
                                const Averaging &averaging, SpectrumAnalyser &analyser) {
    SpectrumAverager averager(averaging);
    const std::size_t most = static_cast<std::size_t>(
        averaging.mode == AveragingMode::Linear ? averaging.records : kMostAveraged);
    const std::size_t first = records.size() > most ? records.size() - most : 0;
    for (std::size_t i = first; i < records.size(); ++i) {
        averager.add(i + 1 == records.size()
                         ? analyser.transform(records[i], sampleRateHz, window, removeDc)
                         : analyser.magnitudes(records[i], sampleRateHz, window, removeDc));
    }
    return averager;
}

void SpectrumAverager::setAveraging(const Averaging &averaging) {
    if (averaging == averaging_) return;
    averaging_ = averaging;
    reset();
}

void SpectrumAverager::reset() {
    result_.reset();
    power_.clear();
    count_ = 0;
}

bool SpectrumAverager::fits(const Spectrum &spectrum) const {
    return result_ && result_->amplitude.size() == spectrum.amplitude.size() &&
           result_->window == spectrum.window && result_->dcRemoved == spectrum.dcRemoved &&
           result_->sampleRateHz == spectrum.sampleRateHz && result_->binHz == spectrum.binHz;
}

void SpectrumAverager::add(const Spectrum &spectrum) {
    if (averaging_.mode == AveragingMode::Off || !fits(spectrum)) reset();
    if (complete()) return;
    std::vector<double> combined = spectrum.amplitude;
    const auto mode = averaging_.mode;
    if (mode == AveragingMode::Linear || mode == AveragingMode::Exponential) {
        if (power_.empty()) power_.assign(combined.size(), 0.0);
        const double weight = 1.0 / std::min(count_ + 1, averaging_.records);
        for (std::size_t k = 0; k < combined.size(); ++k) {
            const double power = combined[k] * combined[k];
            power_[k] = mode == AveragingMode::Linear ? power_[k] + power
                                                      : power_[k] + (power - power_[k]) * weight;
            combined[k] =
                std::sqrt(mode == AveragingMode::Linear ? power_[k] / (count_ + 1) : power_[k]);
        }
    } else if (result_ && mode == AveragingMode::PeakHold) {
        for (std::size_t k = 0; k < combined.size(); ++k)
            combined[k] = std::max(combined[k], result_->amplitude[k]);
    } else if (result_ && mode == AveragingMode::MinimumHold) {
        for (std::size_t k = 0; k < combined.size(); ++k)
            combined[k] = std::min(combined[k], result_->amplitude[k]);
    }
    result_ = spectrum;
    result_->amplitude = std::move(combined);
    ++count_;
}

}  // namespace kalvira::analysis
