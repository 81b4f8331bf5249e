// The paced transfer of a 16000-sample record through the real window and serial port, with
// decoding off and on: the decode runs after the record's redraw and must not hold up the run.
// The unit sends "KALVIRA" at 2400 baud; the window decodes it as UART.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <chrono>

#include "decode/decoder_library.h"
#include "form_controls.h"
#include "run_window.h"
#include "ui/annotation_band.h"
#include "ui/settings_store.h"
#include "unit_process.h"

using kalvira::testing::control;

namespace kalvira::bench {
namespace {

using Clock = std::chrono::steady_clock;

// The window's settings in a folder of the benchmark's own, set before anything reads them.
void useOwnSettings() {
    static const QTemporaryDir folder;
    static const bool set = qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    (void)set;
}

double secondsOff = 0;  // the mean of the run without decoding, for the ratio

void pacedRecord(benchmark::State &state, bool decoding) {
    useOwnSettings();
    QSettings stored = ui::settingsStore();
    stored.setValue("decode/on", decoding);
    stored.setValue("decode/request", "uart:baudrate=2400");
    stored.sync();
    ui::Form1 form;
    RunWatcher watcher(form);
    control<QScrollBar>(form, "SampleScroll")->setValue(160);
    const std::vector<std::string> unitOptions{"--no-wait", "--wave",      "uart", "--text",
                                               "KALVIRA",   "--baud",      "2400", "--noise",
                                               "20",        "--amplitude", "200"};
    // The library starts once a process, at the first decode; it is started here, and timed on
    // its own, so that the records timed are those of a window that has decoded before.
    if (decoding) {
        const auto begin = Clock::now();
        auto started = decode::DecoderLibrary::instance();
        if (!std::holds_alternative<decode::DecoderLibrary *>(started))
            return state.SkipWithError("the decoder library does not start");
        std::get<decode::DecoderLibrary *>(started)->singleChannelDecoder("uart");
        state.counters["library_start_ms"] =
            std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
    }
    double total = 0;
    std::size_t annotations = 0;
    for (auto _ : state) {
        testing::UnitProcess unit(unitOptions, false);
        if (!unit.started()) return state.SkipWithError("kalvira-unit did not start");
        unit.becomeCom1();
        const auto begin = Clock::now();
        watcher.startAndWait();
        const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
        state.SetIterationTime(seconds);
        total += seconds;
        QCoreApplication::processEvents();  // the decode, if it has not run yet
        annotations = control<ui::AnnotationBand>(form, "annotationBand")->annotations().size();
        if (!watcher.messages.isEmpty()) break;
    }
    if (!watcher.messages.isEmpty())
        return state.SkipWithError(watcher.messages.join("; ").toStdString().c_str());
    if (decoding && annotations == 0) return state.SkipWithError("nothing was decoded");
    const double mean = total / static_cast<double>(state.iterations());
    state.counters["annotations"] = double(annotations);
    if (!decoding) secondsOff = mean;
    if (decoding && secondsOff > 0) state.counters["ratio_to_off"] = mean / secondsOff;
}

BENCHMARK_CAPTURE(pacedRecord, decoding_off, false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(pacedRecord, decoding_on, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace
}  // namespace kalvira::bench
