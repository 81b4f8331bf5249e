#include "signal.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "pulse_train.h"

namespace kalvira::unit {

namespace {

constexpr double kPhaseStepPerAcquisition = 0.3819660112501051;  // 2 - golden ratio
constexpr double kFullScale = 1023.0;

std::uint64_t splitMix(std::uint64_t &state) {
    state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// One cycle of the periodic shapes, phase in 0..1, value in -1..1; each starts at 0 rising
// except the square, which starts high.
double shape(Waveform waveform, double phase) {
    switch (waveform) {
        case Waveform::Sine:
            return std::sin(2.0 * std::numbers::pi * phase);
        case Waveform::Square:
            return phase < 0.5 ? 1.0 : -1.0;
        case Waveform::Triangle:
            if (phase < 0.25) return 4.0 * phase;
            if (phase < 0.75) return 2.0 - 4.0 * phase;
            return 4.0 * phase - 4.0;
        case Waveform::Noise:
        case Waveform::Uart:
        case Waveform::IrNec:
        case Waveform::Pwm:
            break;
    }
    return 0.0;
}

void addGlitch(std::vector<std::uint16_t> &samples) {
    const std::size_t first = samples.size() / 2;
    const std::size_t end = std::min(samples.size(), first + kGlitchSamples);
    for (std::size_t k = first; k < end; ++k) samples[k] = samples[k] >= 512 ? 0 : 1023;
}

std::vector<Stretch> lineCycle(const SignalOptions &signal) {
    switch (signal.waveform) {
        case Waveform::Uart:
            return uartCycle(signal.text, signal.baud);
        case Waveform::IrNec:
            return irNecCycle(signal.irAddress, signal.irCommand);
        case Waveform::Pwm:
            return pwmCycle(signal.frequency, signal.dutyPercent);
        default:
            return {};
    }
}

}  // namespace

SignalSource::SignalSource(const SignalOptions &signal, double samplePeriod, int acquisition)
    : signal_(signal),
      samplePeriod_(samplePeriod),
      cyclesPerSample_(signal.frequency * samplePeriod),
      startCycle_(std::fmod(kPhaseStepPerAcquisition * (acquisition - 1), 1.0)),
      noiseState_(signal.seed * 0x2545F4914F6CDD1DULL + static_cast<std::uint64_t>(acquisition)) {
    double end = 0.0;
    for (const Stretch &stretch : lineCycle(signal)) {
        end += stretch.seconds;
        stretchEnds_.push_back(end);
        stretchHigh_.push_back(stretch.high);
    }
}

double SignalSource::lineLevel(double seconds) const {
    if (stretchEnds_.empty()) return 1.0;
    const double cycle = stretchEnds_.back();
    const double within = std::fmod(seconds, cycle);
    const auto found = std::upper_bound(stretchEnds_.begin(), stretchEnds_.end(), within);
    const auto index =
        std::min<std::size_t>(std::size_t(found - stretchEnds_.begin()), stretchEnds_.size() - 1);
    return stretchHigh_[index] ? 1.0 : -1.0;
}

double SignalSource::random() {
    const std::uint64_t bits = splitMix(noiseState_) >> 11;  // 53 bits
    return static_cast<double>(bits) * 0x1.0p-52 - 1.0;
}

std::uint16_t SignalSource::next() {
    double value = signal_.offset;
    if (signal_.waveform == Waveform::Noise) {
        value += signal_.amplitude * random();
    } else if (!stretchEnds_.empty()) {
        const double start = startCycle_ * stretchEnds_.back();
        value += signal_.amplitude * lineLevel(start + samplePeriod_ * static_cast<double>(index_));
    } else {
        const double cycles = startCycle_ + cyclesPerSample_ * static_cast<double>(index_);
        value += signal_.amplitude * shape(signal_.waveform, cycles - std::floor(cycles));
    }
    if (signal_.noise > 0.0) value += signal_.noise * random();
    ++index_;
    return static_cast<std::uint16_t>(std::clamp(std::round(value), 0.0, kFullScale));
}

std::optional<Record> generateRecord(const SignalOptions &signal,
                                     const acquisition::FrameSettings &frame, int acquisition) {
    SignalSource source(signal, acquisition::samplePeriod(frame.rateCode), acquisition);
    Record record;
    record.samples.reserve(static_cast<std::size_t>(frame.recordLength));

    const bool internalTrigger = frame.triggerMode >= 2;
    std::uint16_t first = source.next();
    if (internalTrigger) {
        const int level = frame.triggerLevel * kTriggerLevelStep;
        std::uint16_t previous = first;
        for (std::int64_t i = 1;; ++i) {
            if (i > kTriggerSearchLimit) return std::nullopt;
            const std::uint16_t current = source.next();
            const bool crossed = frame.fallingEdge ? (previous > level && current <= level)
                                                   : (previous < level && current >= level);
            if (crossed) {
                record.samplesBeforeTrigger = i;
                first = current;
                break;
            }
            previous = current;
        }
    }
    record.samples.push_back(first);
    while (record.samples.size() < static_cast<std::size_t>(frame.recordLength)) {
        record.samples.push_back(source.next());
    }
    if (signal.glitchEvery > 0 && acquisition % signal.glitchEvery == 0) addGlitch(record.samples);
    return record;
}

}  // namespace kalvira::unit
