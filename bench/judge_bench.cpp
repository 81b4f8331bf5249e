// Judging many records: a new record's statistics (the same few operations however many came
// before), the statistics of a full history of 8000 records of 16000 samples against a
// long-double two-pass reference, and a 16000-sample record against a mask.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "analysis/figure_statistics.h"
#include "analysis/record_mask.h"
#include "records/record_history.h"
#include "scope/history_statistics.h"

namespace kalvira::bench {
namespace {

constexpr std::size_t kLength = 16000;
constexpr std::size_t kRecords = 8000;

// A 200 Hz sine of amplitude 300 about mid-scale at 40 kSPS with ±10 counts of noise, long
// enough that record r can start 7 r samples on: each record of another phase and noise.
std::vector<std::int16_t> noisySine(std::size_t samples) {
    std::vector<std::int16_t> values(samples);
    std::uint32_t state = 1;
    for (std::size_t i = 0; i < samples; ++i) {
        state = state * 1103515245u + 12345u;
        const double value = 512 + 300 * std::sin(2 * std::numbers::pi * double(i) / 200.0);
        values[i] = static_cast<std::int16_t>(std::lround(value) + int(state >> 16) % 21 - 10);
    }
    return values;
}

// Adding one record's figures to statistics that already hold state.range(0) records.
void BM_StatisticsOfANewRecord(benchmark::State &state) {
    analysis::FigureValues values;
    for (std::size_t i = 0; i < 13; ++i) values[i] = 200.0 + double(i);
    analysis::FigureStatistics statistics;
    for (std::int64_t i = 0; i < state.range(0); ++i) statistics.add(values);
    for (auto _ : state) {
        statistics.add(values);
        benchmark::DoNotOptimize(statistics);
    }
}
BENCHMARK(BM_StatisticsOfANewRecord)->Arg(10)->Arg(1000)->Arg(100000)->Arg(10000000);

// The largest relative difference between Welford's figures and a two-pass reference in long
// double over every figure's values.
double largestRelativeError(const records::RecordHistory &history,
                            const analysis::FigureStatistics &statistics) {
    std::vector<std::vector<long double>> values(analysis::kFigureCount);
    for (std::size_t i = 0; i < history.size(); ++i) {
        const auto figures =
            scope::recordValues(history.at(i).settings, history.at(i).records.front(), nullptr);
        for (std::size_t f = 0; f < analysis::kFigureCount; ++f)
            if (figures[f]) values[f].push_back(*figures[f]);
    }
    double largest = 0;
    for (std::size_t f = 0; f < analysis::kFigureCount; ++f) {
        const auto &of = values[f];
        if (of.size() < 2) continue;
        long double sum = 0, squares = 0;
        for (const long double v : of) sum += v;
        const long double mean = sum / of.size();
        for (const long double v : of) squares += (v - mean) * (v - mean);
        const long double deviation = std::sqrt(squares / (of.size() - 1));
        const auto &welford = statistics.figures[f];
        const auto relative = [](double got, long double want) {
            return want == 0 ? std::fabs(got) : double(std::fabs((got - want) / want));
        };
        largest = std::max({largest, relative(welford.mean(), mean),
                            relative(*welford.standardDeviation(), deviation)});
    }
    return largest;
}

// "Statistics of the history" over a full history: every record measured and added.
void BM_StatisticsOfAFullHistory(benchmark::State &state) {
    const std::vector<std::int16_t> signal = noisySine(kLength + 7 * kRecords);
    records::RecordHistory history;
    records::RecordFile entry;
    entry.settings.recordLength = int(kLength);
    for (std::size_t r = 0; r < kRecords; ++r) {
        entry.records = {
            std::vector<std::int16_t>(signal.begin() + std::ptrdiff_t(7 * r),
                                      signal.begin() + std::ptrdiff_t(7 * r + kLength))};
        history.add(entry);
    }
    analysis::FigureStatistics statistics;
    for (auto _ : state) {
        statistics = scope::historyStatistics(history, 0, history.size() - 1);
        benchmark::DoNotOptimize(statistics);
    }
    state.counters["records"] = double(statistics.records);
    state.counters["samples"] = double(statistics.records) * kLength;
    state.counters["largest_relative_error"] = largestRelativeError(history, statistics);
}
BENCHMARK(BM_StatisticsOfAFullHistory)->Unit(benchmark::kMillisecond)->Iterations(3);

// A record of 16000 samples against a mask of ±8 counts and ±state.range(0) samples about another
// phase of the same signal: the band made once, as the judge keeps it, then each record tested.
void BM_MaskTestOf16000Samples(benchmark::State &state) {
    const std::vector<std::int16_t> signal = noisySine(kLength + 1);
    const std::span<const std::int16_t> reference(signal.data(), kLength);
    const std::span<const std::int16_t> record(signal.data() + 1, kLength);
    const analysis::MaskBand band = analysis::maskBand(reference, 8, std::int32_t(state.range(0)));
    std::size_t outside = 0;
    for (auto _ : state) {
        const auto failures = analysis::maskFailures(band, record);
        outside = failures.size();
        benchmark::DoNotOptimize(failures);
    }
    state.counters["samples_outside"] = double(outside);
}
BENCHMARK(BM_MaskTestOf16000Samples)->Arg(2)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The band made afresh as well, as after a new reference or tolerance: the worst case.
void BM_MaskBandAndTestOf16000Samples(benchmark::State &state) {
    const std::vector<std::int16_t> signal = noisySine(kLength + 1);
    const std::span<const std::int16_t> reference(signal.data(), kLength);
    const std::span<const std::int16_t> record(signal.data() + 1, kLength);
    for (auto _ : state) {
        const analysis::MaskBand band =
            analysis::maskBand(reference, 8, std::int32_t(state.range(0)));
        benchmark::DoNotOptimize(analysis::maskFailures(band, record));
    }
}
BENCHMARK(BM_MaskBandAndTestOf16000Samples)->Arg(2)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalvira::bench
