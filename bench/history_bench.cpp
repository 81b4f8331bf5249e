// The history of records: a step to another record in the real window at its design size, and
// the resident memory a full history of 8000 records of 16000 samples takes.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <cmath>
#include <fstream>

#include "records/record_file.h"
#include "records/record_history.h"
#include "ui/form1.h"

namespace kalvira::bench {
namespace {

records::RecordFile sines(int count, int samples) {
    records::RecordFile file;
    file.settings.recordLength = samples;
    file.taken = QDateTime::currentDateTimeUtc();
    for (int r = 0; r < count; ++r) {
        auto &record = file.records.emplace_back();
        for (int k = 1; k <= samples; ++k)
            record.push_back(static_cast<std::int16_t>(
                512 + std::lround(400.0 * std::sin((k + 37 * r) * 2 * M_PI / 800.0))));
    }
    return file;
}

long residentBytes() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * 4096;
}

// Resident memory for a full history, measured first, before anything freed is there to reuse: per
// sample and per record beyond two bytes a sample.
void fullHistoryMemory(benchmark::State &state) {
    const records::RecordFile one = sines(1, 16000);
    constexpr int kRecords = 8000;
    for (auto _ : state) {
        const long before = residentBytes();
        records::RecordHistory history;
        for (int r = 0; r < kRecords; ++r) history.add(one);
        const long used = residentBytes() - before;
        const double samples = double(kRecords) * 16000;
        state.counters["records_kept"] = double(history.size());
        state.counters["bytes_per_sample"] = double(used) / samples;
        state.counters["bytes_per_record_beyond_2_per_sample"] =
            (double(used) - 2 * samples) / kRecords;
    }
}
BENCHMARK(fullHistoryMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// PgUp and PgDn in turn over records of 16000 samples: each step restores the record's settings
// and redraws it, and the window is painted at once.
void stepToAnotherRecord(benchmark::State &state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.csv"));
    records::writeRecordFile(path, sines(20, 16000));
    ui::Form1 form;
    form.resize(704, 543);
    form.show();
    if (!form.openRecordFile(path)) state.SkipWithError("the record file did not open");
    QApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        QKeyEvent key(QEvent::KeyPress, step++ % 2 ? Qt::Key_PageUp : Qt::Key_PageDown,
                      Qt::NoModifier);
        QApplication::sendEvent(&form, &key);
        form.repaint();
    }
}
BENCHMARK(stepToAnotherRecord)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalvira::bench
