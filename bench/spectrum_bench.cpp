#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "analysis/sine_fit.h"
#include "analysis/spectrum.h"
#include "analysis/spectrum_averager.h"

namespace kalvira::bench {
namespace {

constexpr double kRate = 40000;

// A full record of 16000 samples: a full-scale 10-bit sine of 1279.37 periods, rounded to counts.
std::vector<std::int16_t> fullScaleSine() {
    std::vector<std::int16_t> samples(16000);
    for (std::size_t n = 0; n < samples.size(); ++n) {
        samples[n] = static_cast<std::int16_t>(std::lround(
            511.5 + 511.5 * std::sin(2 * std::numbers::pi * 1279.37 * double(n) / 16000 + 0.7)));
    }
    return samples;
}

// The IEEE 1241 four-parameter fit of a full record, started from the FFT's frequency as the
// spectrum window and --measure start it; the FFT itself is outside the loop.
void BM_SineFit16000(benchmark::State &state) {
    const std::vector<std::int16_t> samples = fullScaleSine();
    analysis::SpectrumAnalyser analyser;
    const double start =
        *analyser.transform(samples, kRate, analysis::SpectrumWindow::Hann).fundamentalHz;
    for (auto _ : state) {
        benchmark::DoNotOptimize(analysis::fitSine(samples, kRate, start));
    }
    state.counters["enob_bits"] = analysis::fitSine(samples, kRate, start)->enobBits.value_or(0);
}
BENCHMARK(BM_SineFit16000)->Unit(benchmark::kMillisecond);

// What the remote control's ENOB costs: the Hann spectrum for the start, then the fit.
void BM_RecordSineFit16000(benchmark::State &state) {
    const std::vector<std::int16_t> samples = fullScaleSine();
    analysis::SpectrumAnalyser analyser;
    analysis::recordSineFit(samples, kRate, analyser);
    for (auto _ : state) {
        benchmark::DoNotOptimize(analysis::recordSineFit(samples, kRate, analyser));
    }
}
BENCHMARK(BM_RecordSineFit16000)->Unit(benchmark::kMillisecond);

// The averaging's cost per record of 16000 samples (8001 bins), each mode, beyond the record's
// own transform: combining one more spectrum into the average.
void BM_AverageOneMoreRecord(benchmark::State &state) {
    const auto mode = static_cast<analysis::AveragingMode>(state.range(0));
    analysis::SpectrumAnalyser analyser;
    const analysis::Spectrum spectrum =
        analyser.transform(fullScaleSine(), kRate, analysis::SpectrumWindow::Hann);
    analysis::SpectrumAverager averager({mode, analysis::kMostAveraged});
    for (auto _ : state) {
        if (averager.complete()) averager.reset();
        averager.add(spectrum);
        benchmark::DoNotOptimize(averager.result());
    }
    state.SetLabel(analysis::averagingName(averager.averaging()));
}
BENCHMARK(BM_AverageOneMoreRecord)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// Averaging over the history: the newest 1000 records of 16000 samples, one transform each.
void BM_AverageHistoryOf1000(benchmark::State &state) {
    const std::vector<std::int16_t> samples = fullScaleSine();
    const std::vector<std::span<const std::int16_t>> records(1000, samples);
    analysis::SpectrumAnalyser analyser;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            analysis::averageRecords(records, kRate, analysis::SpectrumWindow::Hann, true,
                                     {analysis::AveragingMode::PeakHold}, analyser));
    }
}
BENCHMARK(BM_AverageHistoryOf1000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace kalvira::bench
