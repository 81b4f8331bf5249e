// The measurement run against kalvira-unit on a pseudo-terminal, through the real window and
// serial port: time from START to the committed 16000-sample record, with the unit as fast as
// the terminal goes, with the unit pacing at 115200 baud (also with the spectrum window open,
// which takes each record's spectrum), and paced behind a USB adapter's
// latency timer of 16 ms (its default) and of 1 ms (low latency); and the CPU the program spends
// while the run waits 9.5 s for a unit that never answers, and at rest after a run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "acquisition/protocol.h"
#include "form_controls.h"
#include "remote/listen_address.h"
#include "run_window.h"
#include "scpi_client.h"
#include "unit_process.h"

using kalvira::testing::control;
using kalvira::testing::option;

namespace kalvira::bench {
namespace {

using Clock = std::chrono::steady_clock;

// A whole 16000-sample record on the wire: frame, start byte, 160 blocks and 160 acks.
constexpr double kRecordBytes = 11 + 1 + 160 * 201 + 160;
constexpr double kLineSeconds = kRecordBytes * 10 / 115200;

double cpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A fresh unit for every record: a unit whose port was closed by the end of the previous run
// only notices the next open at its next probe, tens of milliseconds later, which is the unit's
// time, not the program's.
// With spectrumOpen the spectrum window is opened first, as F does: it follows each record.
// With polled a remote client asks :TRIG:STAT? every 10 ms meanwhile, as a script waiting for the
// record would.
void recordOf16000(benchmark::State &state, const std::vector<std::string> &unitOptions,
                   bool spectrumOpen = false, bool polled = false) {
    ui::Form1 form;
    RunWatcher watcher(form);
    control<QScrollBar>(form, "SampleScroll")->setValue(160);
    if (spectrumOpen) {
        const QList<QAction *> actions = form.actions();
        const auto spectrum = std::find_if(actions.begin(), actions.end(), [](const QAction *a) {
            return a->text() == QStringLiteral("Spectrum");
        });
        if (spectrum == actions.end()) return state.SkipWithError("no Spectrum command");
        (*spectrum)->trigger();
        QCoreApplication::processEvents();  // its first picture before the first START
    }

    const quint16 port = freePort();
    if (polled && form.startRemoteControl({QHostAddress(QHostAddress::LocalHost), port}))
        return state.SkipWithError("cannot listen");
    std::atomic<bool> polling = polled, clientDone = false;
    std::thread client([&] {
        if (polling) {
            ScpiClient scpi(port);
            while (polling && !scpi.ask(":TRIG:STAT?").empty())
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        clientDone = true;
    });
    double total = 0;
    for (auto _ : state) {
        testing::UnitProcess unit(unitOptions, false);
        if (!unit.started()) return state.SkipWithError("kalvira-unit did not start");
        unit.becomeCom1();
        const auto begin = Clock::now();
        watcher.startAndWait();
        const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
        state.SetIterationTime(seconds);
        total += seconds;
        if (!watcher.messages.isEmpty()) break;
    }
    polling = false;
    // The client's last question is answered by the event loop.
    while (!clientDone) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    client.join();
    if (!watcher.messages.isEmpty())
        return state.SkipWithError(watcher.messages.join("; ").toStdString().c_str());
    const double mean = total / static_cast<double>(state.iterations());
    state.counters["line_s"] = kLineSeconds;
    state.counters["over_line_pct"] = (mean - kLineSeconds) / kLineSeconds * 100;
}

// "--fast": block 1 at once, bytes as fast as the pseudo-terminal takes them.
BENCHMARK_CAPTURE(recordOf16000, fast_unit, std::vector<std::string>{"--fast"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
// "--no-wait": block 1 at once, but every byte paced at 115200 baud.
BENCHMARK_CAPTURE(recordOf16000, paced_unit, std::vector<std::string>{"--no-wait"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
// Paced, with the spectrum window open: the committed record's spectrum (two transforms of 16000
// samples, the figures and the plot's repaint) is taken before the run ends, and so is timed.
BENCHMARK_CAPTURE(recordOf16000, paced_unit_spectrum_open, std::vector<std::string>{"--no-wait"},
                  true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
// Paced, with a remote client polling the trigger status every 10 ms.
BENCHMARK_CAPTURE(recordOf16000, paced_unit_remote_polling, std::vector<std::string>{"--no-wait"},
                  false, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
// Paced, with each block's last bytes (201 = 3 x 62 + 15) held until the adapter's timer runs out.
BENCHMARK_CAPTURE(recordOf16000, paced_unit_usb_16ms,
                  std::vector<std::string>{"--no-wait", "--usb-latency", "16"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(recordOf16000, paced_unit_usb_1ms,
                  std::vector<std::string>{"--no-wait", "--usb-latency", "1"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Reads exactly count bytes from a non-blocking descriptor; false when the unit fell silent.
bool readExactly(int fd, std::size_t count) {
    std::array<std::uint8_t, 512> buffer{};
    while (count > 0) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 5000) <= 0) return false;
        const ssize_t n = ::read(fd, buffer.data(), std::min(count, buffer.size()));
        if (n > 0) count -= static_cast<std::size_t>(n);
    }
    return true;
}

// The least any host can take: a plain blocking loop on the device that acknowledges each block
// the moment its last byte is in, with no check and no window. The program's figures above are
// to be read against this one, which holds the unit's own pacing.
void referenceHost(benchmark::State &state, const std::vector<std::string> &unitOptions) {
    testing::UnitProcess unit(unitOptions, false);
    if (!unit.started()) return state.SkipWithError("kalvira-unit did not start");
    const int fd = ::open(unit.device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return state.SkipWithError("cannot open the unit's device");
    termios raw{};
    ::tcgetattr(fd, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(fd, TCSANOW, &raw);
    const auto frame = *acquisition::buildCommandFrame({0, 0, 100, 16000, true});
    const std::uint8_t ack = acquisition::kAcknowledgement;
    for (auto _ : state) {
        const auto begin = Clock::now();
        bool ok = ::write(fd, frame.data(), frame.size()) == static_cast<ssize_t>(frame.size());
        ok = ok && readExactly(fd, 1);
        for (int b = 0; ok && b < 160; ++b) {
            ok = readExactly(fd, acquisition::kBlockLength) && ::write(fd, &ack, 1) == 1;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - begin).count());
        if (!ok) {
            ::close(fd);
            return state.SkipWithError("the unit fell silent");
        }
    }
    ::close(fd);
    state.counters["line_s"] = kLineSeconds;
}

BENCHMARK_CAPTURE(referenceHost, fast_unit, std::vector<std::string>{"--fast"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(referenceHost, paced_unit, std::vector<std::string>{"--no-wait"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The window is shown, so that whatever it repaints while it waits is painted and counted.
void silentUnit(benchmark::State &state) {
    testing::UnitProcess unit({"--fast", "--fault", "no-answer"}, false);
    if (!unit.started()) return state.SkipWithError("kalvira-unit did not start");
    unit.becomeCom1();
    ui::Form1 form;
    form.show();
    RunWatcher watcher(form);

    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        const double cpuBefore = cpuSeconds();
        const auto begin = Clock::now();
        watcher.startAndWait();
        wall = std::chrono::duration<double>(Clock::now() - begin).count();
        cpu = cpuSeconds() - cpuBefore;
        state.SetIterationTime(wall);
    }
    if (watcher.messages != QStringList{QStringLiteral("KALVIRA nem válaszol!")}) {
        return state.SkipWithError("the run did not end with \"KALVIRA nem válaszol!\"");
    }
    state.counters["cpu_ms"] = cpu * 1000;
    state.counters["cpu_pct_of_wall"] = cpu / wall * 100;
}

BENCHMARK(silentUnit)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

// The CPU the program spends over 10 s of its event loop with nothing asked of it.
void measureRest(benchmark::State &state) {
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        const double cpuBefore = cpuSeconds();
        const auto begin = Clock::now();
        QEventLoop rest;
        QTimer::singleShot(10000, &rest, &QEventLoop::quit);
        rest.exec();
        wall = std::chrono::duration<double>(Clock::now() - begin).count();
        cpu = cpuSeconds() - cpuBefore;
        state.SetIterationTime(wall);
    }
    state.counters["cpu_ms"] = cpu * 1000;
    state.counters["cpu_pct_of_wall"] = cpu / wall * 100;
}

// At rest after a run Timer1 goes on ticking ten times a second: the CPU the shown window spends
// over 10 s of that, with nothing to wait for.
void restAfterRun(benchmark::State &state) {
    testing::UnitProcess unit({"--fast"}, false);
    if (!unit.started()) return state.SkipWithError("kalvira-unit did not start");
    unit.becomeCom1();
    ui::Form1 form;
    form.show();
    RunWatcher watcher(form);
    testing::control<QScrollBar>(form, "SampleScroll")->setValue(1);
    watcher.startAndWait();
    if (!watcher.messages.isEmpty()) return state.SkipWithError("the run failed");

    measureRest(state);
}

BENCHMARK(restAfterRun)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

// The floor under the figure above: a 100 ms timer with nothing connected, in the same process.
// What restAfterRun spends beyond it is the work of Timer1's tick itself.
void emptyTimer(benchmark::State &state) {
    QTimer timer;
    timer.start(100);
    measureRest(state);
}

BENCHMARK(emptyTimer)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace kalvira::bench
