#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "decode/decoder_library.h"
#include "decode/record_decoding.h"
#include "unit/signal.h"

namespace kalvira::bench {
namespace {

constexpr int kRate = 40000;

decode::DecoderLibrary &library() {
    return *std::get<decode::DecoderLibrary *>(decode::DecoderLibrary::instance());
}

// The virtual unit's serial line (its --wave uart) sampled at 40 kSPS: 212 low, 812 high, with
// uniform noise of peak 30 counts, 5 % of the 600 counts' span.
std::vector<std::int16_t> uartSamples(const std::string &bytes, double baud, std::size_t count) {
    unit::SignalOptions signal;
    signal.waveform = unit::Waveform::Uart;
    signal.text = bytes;
    signal.baud = baud;
    signal.noise = 30;
    unit::SignalSource source(signal, 1.0 / kRate, 1);
    std::vector<std::int16_t> samples(count);
    for (auto &sample : samples) sample = static_cast<std::int16_t>(source.next());
    return samples;
}

// One full record, "KALVIRA" over and over at 2400 baud: the logic conversion and the decode
// the window runs after each record's redraw.
void BM_DecodeUartRecordOf16000(benchmark::State &state) {
    const auto record = uartSamples("KALVIRA", 2400, 16000);
    const decode::DecoderSetup setup{"uart", {{"baudrate", 2400LL}}};
    std::size_t annotations = 0;
    for (auto _ : state) {
        auto decoded = decode::decodeRecord(library(), setup, record, kRate, {}, {});
        annotations = std::get<decode::RecordDecode>(decoded).annotations.size();
        benchmark::DoNotOptimize(decoded);
    }
    state.counters["annotations"] = double(annotations);
}
BENCHMARK(BM_DecodeUartRecordOf16000)->Unit(benchmark::kMillisecond);

// 10 000 random bytes at the baud rate from the virtual unit, noise 5 % of the span, decoded in
// one stream; every byte must come back: byte_errors counts the bytes lost, added or changed.
void BM_UartAccuracyOf10000Bytes(benchmark::State &state) {
    const double baud = double(state.range(0));
    std::mt19937 random(26);
    std::string bytes(10000, '\0');
    for (char &byte : bytes) byte = static_cast<char>(random() & 0xFF);
    const std::size_t count = std::size_t((bytes.size() * 10 + 20) / baud * kRate) + 100;
    const auto samples = uartSamples(bytes, baud, count);
    const decode::DecoderSetup setup{"uart", {{"baudrate", static_cast<long long>(baud)}}};
    std::size_t errors = 0;
    for (auto _ : state) {
        auto decoded = decode::decodeRecord(library(), setup, samples, kRate, {}, {});
        std::string received;
        for (const auto &a : std::get<decode::RecordDecode>(decoded).annotations) {
            if (a.row == "rx-data" && a.text.size() == 2)
                received += static_cast<char>(std::stoi(a.text, nullptr, 16));
            if (a.problem) ++errors;
        }
        for (std::size_t i = 0; i < std::max(bytes.size(), received.size()); ++i)
            if (i >= bytes.size() || i >= received.size() || bytes[i] != received[i]) ++errors;
    }
    state.counters["byte_errors"] = double(errors);
    state.counters["samples"] = double(count);
}
BENCHMARK(BM_UartAccuracyOf10000Bytes)
    ->Arg(1200)
    ->Arg(2400)
    ->Arg(4800)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalvira::bench
