#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "analysis/record_measurements.h"
#include "analysis/spectrum.h"

namespace kalvira::bench {
namespace {

// A full record of 16000 samples: a 200 Hz sine of amplitude 200 around mid-scale at 40 kSPS,
// with a little noise, so that the crossing detector's hysteresis is exercised on every edge.
std::vector<std::int16_t> noisySineRecord() {
    std::vector<std::int16_t> samples(16000);
    std::uint32_t state = 1;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        state = state * 1103515245u + 12345u;
        const double value = 512 + 200 * std::sin(2 * std::numbers::pi * i / 200.0);
        samples[i] = static_cast<std::int16_t>(std::lround(value) + int(state >> 16) % 21 - 10);
    }
    return samples;
}

constexpr double kSamplePeriodS = 25e-6;

// Everything the readout needs from one record: the measurements, the JSON line and the lines.
void BM_MeasureRecord(benchmark::State &state) {
    const std::vector<std::int16_t> samples = noisySineRecord();
    for (auto _ : state) {
        const analysis::RecordMeasurements measurements =
            analysis::measureRecord(samples, kSamplePeriodS);
        benchmark::DoNotOptimize(measurements);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(samples.size()));
}
BENCHMARK(BM_MeasureRecord)->Unit(benchmark::kMicrosecond);

void BM_MeasureAndFormat(benchmark::State &state) {
    const std::vector<std::int16_t> samples = noisySineRecord();
    for (auto _ : state) {
        const analysis::RecordMeasurements measurements =
            analysis::measureRecord(samples, kSamplePeriodS);
        benchmark::DoNotOptimize(analysis::measurementsJson(measurements));
        benchmark::DoNotOptimize(analysis::readoutLines(measurements));
    }
    state.counters["frequency_hz"] =
        analysis::measureRecord(samples, kSamplePeriodS).frequencyHz.value_or(0.0);
}
BENCHMARK(BM_MeasureAndFormat)->Unit(benchmark::kMicrosecond);

// The spectrum window's work for each record: window, transform, peak search and figures, with
// the plan for the length already made. Hann and Blackman-Harris need two transforms (the other
// of the two gives the frequency estimate or SINAD), the others three.
void BM_SpectrumOf16000(benchmark::State &state) {
    const std::vector<std::int16_t> samples = noisySineRecord();
    const auto window = static_cast<analysis::SpectrumWindow>(state.range(0));
    analysis::SpectrumAnalyser analyser;
    analyser.transform(samples, 1 / kSamplePeriodS, window);
    for (auto _ : state) {
        const analysis::Spectrum spectrum = analyser.transform(samples, 1 / kSamplePeriodS, window);
        benchmark::DoNotOptimize(analysis::spectrumFigures(spectrum));
    }
    state.SetLabel(std::string(analysis::windowName(window)));
}
BENCHMARK(BM_SpectrumOf16000)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalvira::bench
