// A long continuous run against the fast kalvira-unit: every committed record is checked against
// the unit's known signal, and the program's resident memory is sampled as the records go by.
// Usage: kalvira_soak_acquisition [records, default 1000]
#include <unistd.h>

#include <QApplication>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "form_controls.h"
#include "run_window.h"
#include "scope/scope.h"
#include "ui/option_button.h"
#include "unit/signal.h"
#include "unit_process.h"

using kalvira::testing::control;
using kalvira::testing::option;

namespace kalvira::bench {
namespace {

double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1e6;
}

// Checks every record the run commits: record k must be the unit's k-th. A continuous run rests
// three ticks of Timer1 after each record, so looking at every tick sees each one.
struct SoakCheck {
    acquisition::FrameSettings frame{1, 0, 100, 16000, true};
    std::vector<std::int16_t> last;
    int committed = 0;
    int misassembled = 0;
    double firstRss = 0;
    double minRss = 1e9;
    double maxRss = 0;

    // Whether a new record has come since the last look.
    bool look(const ui::Form1 &form) {
        const auto first = form.scope().samples().begin() + 1;
        if (!form.scope().recordShown() ||
            (!last.empty() && std::equal(last.begin(), last.end(), first))) {
            return false;
        }
        last.assign(first, first + frame.recordLength);
        ++committed;
        const auto expected = unit::generateRecord(unit::SignalOptions{}, frame, committed);
        if (!expected || !std::equal(last.begin(), last.end(), expected->samples.begin(),
                                     [](std::int16_t a, std::uint16_t b) { return a == b; })) {
            ++misassembled;
        }
        const double rss = residentMegabytes();
        if (committed == 1) firstRss = rss;
        minRss = std::min(minRss, rss);
        maxRss = std::max(maxRss, rss);
        return true;
    }
};

}  // namespace
}  // namespace kalvira::bench

int main(int argc, char **argv) {
    using namespace kalvira;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int records = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;

    testing::UnitProcess unit({"--fast"}, false);
    if (!unit.started()) {
        std::fprintf(stderr, "kalvira-unit did not start\n");
        return 1;
    }
    unit.becomeCom1();

    ui::Form1 form;
    bench::SoakCheck check;
    bench::RunWatcher watcher(form);
    option(form, "trigger", 1)->click();  // "Ext./Cont."
    control<QScrollBar>(form, "SampleScroll")->setValue(160);
    QObject::connect(control<QTimer>(form, "Timer1"), &QTimer::timeout, &form, [&] {
        if (!check.look(form)) return;
        if (check.committed % 100 == 0) {
            std::printf("  record %4d  rss %.1f MB\n", check.committed, bench::residentMegabytes());
            std::fflush(stdout);
        }
        if (check.committed == records) control<QPushButton>(form, "stp")->click();
    });
    const auto begin = std::chrono::steady_clock::now();
    watcher.startAndWait();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();

    const int lost = records - check.committed;
    std::printf("soak: %d records of 16000 samples in %.0f s\n", check.committed, seconds);
    std::printf("soak: lost %d, mis-assembled %d, messages %lld\n", std::max(lost, 0),
                check.misassembled, static_cast<long long>(watcher.messages.size()));
    for (const auto &message : watcher.messages) {
        std::printf("soak: message \"%s\"\n", message.toStdString().c_str());
    }
    std::printf("soak: rss after record 1 %.1f MB, min %.1f MB, max %.1f MB, growth %.1f MB\n",
                check.firstRss, check.minRss, check.maxRss, check.maxRss - check.firstRss);
    const bool ok =
        lost <= 0 && check.misassembled == 0 && watcher.messages.isEmpty() && check.maxRss < 100.0;
    std::printf("soak: %s\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
