// The remote control's round trips on loopback, with the window showing a full record: *IDN? and
// :MEAS:FREQ? answered, and :WAV:DATA? of 16000 samples from the query to its last byte. A client
// thread asks while the window's event loop serves; each figure is the median and the 99th
// percentile of its round trips.
#include <benchmark/benchmark.h>

#include <QEventLoop>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "form_controls.h"
#include "remote/listen_address.h"
#include "scope/scope.h"
#include "scope_record.h"
#include "scpi_client.h"
#include "ui/form1.h"

namespace kalvira::bench {
namespace {

using Clock = std::chrono::steady_clock;

double percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

// Asks each query `rounds` times from a client thread, the window serving meanwhile.
void roundTrips(benchmark::State &state, const std::vector<std::string> &queries,
                std::size_t answerBytes, int rounds) {
    ui::Form1 form;
    form.resize(704, 543);
    form.show();
    testing::control<QScrollBar>(form, "SampleScroll")->setValue(160);
    std::vector<std::int16_t> sine;
    for (int k = 1; k <= 16000; ++k)
        sine.push_back(std::int16_t(512 + std::lround(400.0 * std::sin(k * 2 * M_PI / 800.0))));
    testing::showSamples(form.scope(), sine);
    form.Koord_rendszer_rajzolasa();
    const quint16 port = freePort();
    if (form.startRemoteControl({QHostAddress(QHostAddress::LocalHost), port}))
        return state.SkipWithError("cannot listen");

    for (auto _ : state) {
        std::vector<double> milliseconds;
        bool failed = false;
        QEventLoop loop;
        std::thread client([&] {
            ScpiClient scpi(port);
            failed = !scpi.connected();
            for (int i = 0; !failed && i < rounds; ++i) {
                const auto begin = Clock::now();
                failed = scpi.ask(queries[std::size_t(i) % queries.size()], answerBytes).empty();
                milliseconds.push_back(
                    std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
            }
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        loop.exec();
        client.join();
        if (failed) return state.SkipWithError("the connection failed");
        state.SetIterationTime(percentile(milliseconds, 0.5) / 1000);
        state.counters["median_ms"] = percentile(milliseconds, 0.5);
        state.counters["p99_ms"] = percentile(milliseconds, 0.99);
    }
}

BENCHMARK_CAPTURE(roundTrips, idn_and_frequency, std::vector<std::string>{"*IDN?", ":MEAS:FREQ?"},
                  1, 1000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
// The block is #5, five digits, 32000 bytes and the line end.
BENCHMARK_CAPTURE(roundTrips, waveform_16000, std::vector<std::string>{":WAV:DATA?"}, 32008, 100)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
}  // namespace kalvira::bench
