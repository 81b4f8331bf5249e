#include <gtest/gtest.h>
#include <signal.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <numbers>

#include "acquisition/protocol.h"
#include "capture/capture_host.h"
#include "capture/capture_reports.h"
#include "fake_serial_port.h"
#include "records/record_file.h"
#include "records/record_history.h"
#include "scope/scope.h"

namespace kalvira::capture {
namespace {

// kalvira-capture against the unit sending a square wave of 100 Hz: 812 half a cycle, then 212.
class CaptureTest : public ::testing::Test {
protected:
    void startUnit(const QStringList &options = {"--fast", "--ack-timeout", "100"}) {
        unit.start(KALVIRA_UNIT_PATH, QStringList{"--link", link, "--log", dir.filePath("unit.log"),
                                                  "--wave", "square", "--frequency", "100"} +
                                          options);
        ASSERT_TRUE(unit.waitForReadyRead(5000));
    }
    int capture(const QStringList &arguments) {
        program.start(KALVIRA_CAPTURE_PATH, arguments);
        EXPECT_TRUE(program.waitForFinished(20000));
        return program.exitCode();
    }
    bool unitLogHas(const char *text) const {
        QFile log(dir.filePath("unit.log"));
        return log.open(QIODevice::ReadOnly) && log.readAll().contains(text);
    }
    QTemporaryDir dir;
    const QString link = dir.filePath("com"), output = dir.filePath("out.csv");
    QProcess unit, program;  // a QProcess kills its process when destroyed
};

TEST_F(CaptureTest, EveryRecordArrivesAsTheUnitSentIt) {
    startUnit();
    EXPECT_EQ(capture({"--port", link, "--samples", "500", "--records", "2", "--output", output}),
              0);
    const auto read = records::readRecordFile(output);
    const auto *file = std::get_if<records::RecordFile>(&read);
    ASSERT_TRUE(file && file->records.size() == 2 && file->settings.recordLength == 500);
    // Samples 1, 150, 250, 450 of record 1; 1, 100, 300 of record 2, which starts 0.38 cycle on.
    const auto &[first, second] = std::tie(file->records[0], file->records[1]);
    EXPECT_EQ((std::vector<int>{first[0], first[149], first[249], first[449], second[0], second[99],
                                second[299]}),
              (std::vector<int>{812, 812, 212, 812, 812, 212, 812}));
    ASSERT_EQ(capture({"--port", link, "--samples", "100"}), 0);  // one record, on stdout
    EXPECT_EQ(program.readAllStandardOutput().count('\n'), 12 + 100);
}

// 100 Hz at 40 kSPS is 400 samples a cycle: five whole cycles of 812 and 212 in 2000 samples,
// the fundamental at 4 / pi x 300 counts, read exactly on its bin with the flat top; +-300 counts
// about 512 are +-30 V through 0.01 V a count and a probe of 10, so the fundamental is
// 4 / pi x 30 V peak, 20 log10(38.197 / sqrt 2) = 28.630 dBV.
TEST_F(CaptureTest, MeasureWritesEachRecordsMeasurementsAsAJsonLine) {
    startUnit();
    const QString spectra = dir.filePath("spectra.csv");
    ASSERT_EQ(capture({"--port", link, "--samples", "2000", "--records", "2", "--measure",
                       "--spectrum", spectra, "--window", "flat-top", "--volts-per-count", "0.01",
                       "--zero-count", "512", "--probe", "10", "--output", output}),
              0);
    const QList<QByteArray> lines = program.readAllStandardOutput().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    for (const QByteArray &line : lines) {
        const QJsonObject values = QJsonDocument::fromJson(line).object();
        EXPECT_EQ(values.value("min").toDouble(), 212) << line.toStdString();
        EXPECT_EQ(values.value("max").toDouble(), 812);
        EXPECT_EQ(values.value("peak_to_peak").toDouble(), 600);
        EXPECT_NEAR(values.value("frequency_hz").toDouble(), 100.0, 1e-9);
        EXPECT_NEAR(values.value("thd_percent").toDouble(), 42.88, 0.05);  // 1/3, 1/5, 1/7, 1/9
        EXPECT_EQ(values.value("duty_cycle_percent").toDouble(), 50);
        EXPECT_EQ(std::pair(values.value("min_v").toDouble(), values.value("max_v").toDouble()),
                  std::pair(-30.0, 30.0));
        // Between the odd harmonics of a square of whole periods there is nothing at all.
        EXPECT_EQ(values.value("noise_floor_dbfs").toDouble(), -300);
    }
    const auto read = records::readRecordFile(output);
    EXPECT_EQ(std::get<records::RecordFile>(read).settings.calibration,
              analysis::Calibration(0.01, 512, 10));
    QFile spectrum(spectra);
    const QByteArray text = spectrum.open(QIODevice::ReadOnly) ? spectrum.readAll() : "";
    EXPECT_TRUE(text.contains("# window=flat-top\n") && text.contains("# level_unit=dBV\n") &&
                text.contains("\n2,100,28.630\n") &&
                text.contains("# records=2\nrecord,frequency_hz,magnitude_db\n1,0,"));
    EXPECT_EQ(text.count('\n'), 12 + 1 + 2 * 1001);  // # lines, header, 0..20000 Hz twice
}

// The unit's sine, 300 counts at 211.37 Hz rounded to whole counts, 10.6 periods in 2000 samples:
// the fit reads it within 1 ppm and the rounding, 1 / sqrt 12 RMS, as NAD: ENOB 10 against 1024
// counts. The noise floor is the median of Rayleigh-distributed bins, sqrt(ln 2 x 4 x (1 / 12) x
// 1.5 / 2000) = 0.01316 counts under Hann (its power 1.5 / N of the noise), -91.79 dBFS.
TEST_F(CaptureTest, MeasureGivesTheSineFitOfTheUnitsSine) {
    startUnit({"--fast", "--wave", "sine", "--frequency", "211.37"});
    ASSERT_EQ(capture({"--port", link, "--samples", "2000", "--measure"}), 0);
    const QJsonObject values = QJsonDocument::fromJson(program.readAllStandardOutput()).object();
    EXPECT_NEAR(values.value("sinefit_frequency_hz").toDouble(), 211.37, 211.37e-6);
    EXPECT_NEAR(values.value("sinefit_amplitude").toDouble(), 300, 0.02);
    EXPECT_NEAR(values.value("sinefit_nad").toDouble(), 1 / std::sqrt(12.0), 0.01);
    EXPECT_NEAR(values.value("sinefit_enob_bits").toDouble(), 10, 0.1);
    EXPECT_NEAR(values.value("sinefit_sinad_db").toDouble(), 20 * std::log10(300 * std::sqrt(6.0)),
                0.3);
    EXPECT_NEAR(values.value("noise_floor_dbfs").toDouble(),
                20 * std::log10(std::sqrt(std::log(2.0) * 4 / 12 * 1.5 / 2000) / 511.5), 1.0);
}

// A constant record has no fundamental: each figure null, joined inside the record's object.
TEST(CaptureReportsTest, AConstantRecordsFiguresAreNull) {
    analysis::SpectrumAnalyser analyser;
    EXPECT_EQ(measurementLine(std::vector<std::int16_t>(500, 512), kSampleRates[0], std::nullopt,
                              analyser),
              R"({"min":512,"max":512,"peak_to_peak":0,"mean":512,"rms":512,"frequency_hz":null,)"
              R"("period_s":null,"duty_cycle_percent":null,"positive_width_s":null,)"
              R"("negative_width_s":null,"rise_time_s":null,"fall_time_s":null,"periods":null,)"
              R"("fundamental_hz":null,"fundamental_dbfs":null,)"
              R"("thd_percent":null,"sinad_db":null,"enob_bits":null,"noise_floor_dbfs":null,)"
              R"("sinefit_frequency_hz":null,"sinefit_amplitude":null,"sinefit_nad":null,)"
              R"("sinefit_sinad_db":null,"sinefit_enob_bits":null})");
}

// The names in the order of analysis::kSpectrumWindows.
TEST(CaptureOptionsTest, WindowNamesTheSpectrumsWindow) {
    int i = 0;
    for (const char *name : {"rectangular", "hann", "hamming", "blackman-harris", "flat-top"}) {
        const auto parsed = parseCommandLine({"kalvira-capture", "--window", name});
        EXPECT_EQ(std::get<CaptureOptions>(parsed).window, analysis::kSpectrumWindows[i++]) << name;
    }
}

using Failure = std::pair<const char *, const char *>;  // the unit's fault, the message
class CaptureFailureTest : public CaptureTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(CaptureFailureTest, EndsWithTheRunsMessage) {
    startUnit({"--fast", "--ack-timeout", "100", "--fault", GetParam().first});
    EXPECT_EQ(capture({"--port", link, "--samples", "300", "--output", output}), 1);
    EXPECT_EQ(program.readAllStandardError().toStdString(), GetParam().second);
    EXPECT_FALSE(QFile::exists(output));
}
INSTANTIATE_TEST_SUITE_P(Table, CaptureFailureTest,
                         ::testing::Values(Failure{"wrong-start", "KALVIRA hibás válasz!\n"},
                                           Failure{"bad-check=2:3", "Kapcsolat nem megfelelő!\n"}));

TEST_F(CaptureTest, UsageErrorsComeBeforeThePortIsOpened) {
    for (const char *bad : {"--rate 30000",
                            "--samples 150",
                            "--level 255",
                            "--edge up",
                            "--records -1",
                            "--interval 0",
                            "--duration -2",
                            "--interval x",
                            "--trigger auto",
                            "--bogus",
                            "extra",
                            "--window kaiser",
                            "--window Hann",
                            "--spectrum=",
                            "--probe 10",
                            "--zero-count 512",
                            "--volts-per-count 0 --zero-count 512",
                            "--volts-per-count 1 --zero-count 32768",
                            "--volts-per-count 1 --zero-count 0 --probe 5",
                            "--average linear:1 --spectrum s",
                            "--average exp:1001 --spectrum s",
                            "--average mean --spectrum s",
                            "--average peak"}) {
        EXPECT_EQ(capture(QString("--port /nonexistent/tty %1").arg(bad).split(' ')), 2) << bad;
        EXPECT_FALSE(program.readAllStandardError().contains("nonexistent"));
    }
    EXPECT_EQ(capture({"--port", "/nonexistent/tty"}), 1);
    EXPECT_TRUE(program.readAllStandardError().startsWith("/nonexistent/tty: "));
}

TEST_F(CaptureTest, InterruptKeepsTheCompleteRecordsOnly) {
    startUnit({});  // paced: a record of 200 samples at 200 SPS takes a second
    program.start(KALVIRA_CAPTURE_PATH, {"--port", link, "--rate", "200", "--samples", "200",
                                         "--records", "5", "--output", output});
    ASSERT_TRUE(QTest::qWaitFor([&] { return unitLogHas("FRAME acq=2"); }, 10000));
    ::kill(static_cast<pid_t>(program.processId()), SIGINT);
    EXPECT_TRUE(program.waitForFinished(10000) && program.exitCode() == 130);
    const auto read = records::readRecordFile(output);
    ASSERT_TRUE(std::holds_alternative<records::RecordFile>(read));
    EXPECT_EQ(std::get<records::RecordFile>(read).records.size(), 1u);
}

// The averaged spectrum replaces the file as each record completes: two in it while the third is
// under way, and still whole after Ctrl+C, which drops that one.
TEST_F(CaptureTest, AnAveragedSpectrumIsRewrittenAsEachRecordCompletes) {
    startUnit({});  // paced: a record of 200 samples at 200 SPS takes a second
    const QString spectra = dir.filePath("spectra.csv");
    program.start(KALVIRA_CAPTURE_PATH,
                  {"--port", link, "--rate", "200", "--samples", "200", "--records", "0",
                   "--spectrum", spectra, "--average", "exp:4", "--output", output});
    ASSERT_TRUE(QTest::qWaitFor([&] { return unitLogHas("FRAME acq=3"); }, 15000));
    const auto read = [&] {
        QFile file(spectra);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    EXPECT_TRUE(read().contains("# averaging=exp:4\n# averaged_records=2\nfrequency_hz,"));
    ::kill(static_cast<pid_t>(program.processId()), SIGINT);
    EXPECT_TRUE(program.waitForFinished(10000) && program.exitCode() == 130);
    const QByteArray text = read();
    EXPECT_TRUE(text.contains("# averaged_records=2\n")) << text.left(400).toStdString();
    EXPECT_EQ(text.count('\n'), 12 + 1 + 101);  // one spectrum, 0..100 Hz
}

// Each record is on disk as it completes: killed in the third record, the file holds two.
TEST_F(CaptureTest, ALongCaptureKilledMidRecordKeepsEveryCompleteRecord) {
    startUnit({});  // paced: a record of 200 samples at 200 SPS takes a second
    program.start(KALVIRA_CAPTURE_PATH, {"--port", link, "--rate", "200", "--samples", "200",
                                         "--records", "0", "--output", output});
    ASSERT_TRUE(QTest::qWaitFor([&] { return unitLogHas("FRAME acq=3"); }, 15000));
    program.kill();
    ASSERT_TRUE(program.waitForFinished(5000));
    const auto read = records::readRecordLog(output, records::RecordHistory::kDefaultBudgetBytes);
    ASSERT_TRUE(std::holds_alternative<records::RecordLog>(read));
    const auto &log = std::get<records::RecordLog>(read);
    EXPECT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(log.cutOffLine, 0);
}

// An interval shorter than a record: single runs back to back, said once.
TEST_F(CaptureTest, AnIntervalTakesSingleRecordsBackToBackWhenTheyTakeLonger) {
    startUnit();
    EXPECT_EQ(capture({"--port", link, "--samples", "100", "--interval", "0.001", "--records", "3",
                       "--output", output}),
              0);
    EXPECT_EQ(program.readAllStandardError().count("back to back"), 1);
    const auto read = records::readRecordFile(output);
    ASSERT_TRUE(std::holds_alternative<records::RecordFile>(read));
    EXPECT_EQ(std::get<records::RecordFile>(read).records.size(), 3u);
    EXPECT_EQ(std::get<records::RecordFile>(read).settings.triggerMode, 0);  // "Ext./Single"
    // A time limit without a count: records until then, and an ordinary end.
    EXPECT_EQ(
        capture({"--port", link, "--samples", "100", "--duration", "0.5", "--output", output}), 0);
    const auto timed = records::readRecordFile(output);
    ASSERT_TRUE(std::holds_alternative<records::RecordFile>(timed));
    EXPECT_GE(std::get<records::RecordFile>(timed).records.size(), 2u);
    EXPECT_EQ(std::get<records::RecordFile>(timed).settings.triggerMode, 1);  // "Ext./Cont."
}

// The square of 100 Hz cut at its rising edge: 200 samples at 812, 200 at 212, ... A spike in
// every third record throws samples 501..503, at 812, to 0: peak-to-peak 812, not 600. The
// reference is record 1; records 2..7 follow, 3 and 6 spiked.
TEST_F(CaptureTest, LimitsAndAMaskJudgeEachRecordAndAFailEndsWithStatus3) {
    startUnit({"--fast", "--ack-timeout", "100", "--glitch-every", "3"});
    const QStringList cut{"--port", link,      "--samples", "1000",   "--trigger",
                          "level",  "--level", "128",       "--edge", "rise"};
    const QString reference = dir.filePath("reference.csv");
    ASSERT_EQ(capture(cut + QStringList{"--output", reference}), 0);
    EXPECT_EQ(
        capture(cut + QStringList{"--records", "6", "--measure", "--statistics", "--limit",
                                  "peak_to_peak=500..700", "--mask", reference, "--mask-level", "2",
                                  "--mask-time", "1", "--output", output}),
        3);
    const QList<QByteArray> lines = program.readAllStandardOutput().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 7);
    QList<bool> passed;
    for (qsizetype i = 0; i < 6; ++i)
        passed << QJsonDocument::fromJson(lines[i]).object().value("pass").toBool(true);
    EXPECT_EQ(passed, (QList<bool>{true, false, true, true, false, true}));
    const QJsonObject spans =
        QJsonDocument::fromJson(lines[6]).object().value("peak_to_peak").toObject();
    const double mean = (4 * 600 + 2 * 812) / 6.0;
    const double deviation =
        std::sqrt((4 * (600 - mean) * (600 - mean) + 2 * (812 - mean) * (812 - mean)) / 5);
    EXPECT_EQ(spans.value("min").toDouble(), 600);
    EXPECT_EQ(spans.value("max").toDouble(), 812);
    EXPECT_NEAR(spans.value("mean").toDouble(), mean, mean * 1e-9);
    EXPECT_NEAR(spans.value("std").toDouble(), deviation, deviation * 1e-9);
    EXPECT_EQ(spans.value("count").toInt(), 6);
    EXPECT_TRUE(QJsonDocument::fromJson(lines[6]).object().contains("delta_ref"));
}

struct JudgeUsage {
    const char *arguments;
    const char *message;
};
class CaptureJudgeUsageTest : public ::testing::TestWithParam<JudgeUsage> {};

// Each is a usage error before any port is opened.
TEST_P(CaptureJudgeUsageTest, BadLimitsAndMasksAreUsageErrors) {
    QTemporaryDir dir;
    records::RecordFile slow;
    slow.settings.rateCode = 7, slow.settings.recordLength = 100;
    slow.taken = QDateTime::currentDateTimeUtc();
    slow.records = {std::vector<std::int16_t>(100, 512), std::vector<std::int16_t>(100, 512)};
    ASSERT_EQ(records::writeRecordFile(dir.filePath("two.csv"), slow), std::nullopt);
    slow.records.resize(1);
    ASSERT_EQ(records::writeRecordFile(dir.filePath("slow.csv"), slow), std::nullopt);
    const QString arguments = QString(GetParam().arguments).replace("DIR", dir.path());
    const auto parsed = parseCommandLine(QStringList{"kalvira-capture"} + arguments.split(' '));
    const auto *exit = std::get_if<CommandLineExit>(&parsed);
    ASSERT_NE(exit, nullptr) << arguments.toStdString();
    EXPECT_EQ(exit->status, 2);
    EXPECT_TRUE(exit->text.contains(QString(GetParam().message).replace("DIR", dir.path())))
        << exit->text.toStdString();
}
INSTANTIATE_TEST_SUITE_P(
    Table, CaptureJudgeUsageTest,
    ::testing::Values(
        JudgeUsage{"--limit frequency=195..205", "--limit frequency=195..205 names no figure"},
        JudgeUsage{"--limit frequency_hz=205..195", "LOW must not be above HIGH"},
        JudgeUsage{"--limit frequency_hz=1..x", "LOW and HIGH must be numbers"},
        JudgeUsage{"--limit frequency_hz", "--limit must be NAME=LOW..HIGH"},
        JudgeUsage{"--limit min_v=0..1", "needs --volts-per-count and --zero-count"},
        JudgeUsage{"--limit delta_ref=0..5", "needs --mask"},
        JudgeUsage{"--mask-level 5", "--mask-level and --mask-time need --mask"},
        JudgeUsage{"--rate 200 --samples 100 --mask DIR/slow.csv --mask-level -1",
                   "--mask-level must be a number 0 or more"},
        JudgeUsage{"--rate 200 --samples 100 --mask DIR/slow.csv --mask-level 5mV",
                   "--mask-level in volts needs"},
        JudgeUsage{"--rate 200 --samples 100 --mask DIR/slow.csv --mask-time 1001",
                   "--mask-time must be 0..1000 samples"},
        JudgeUsage{"--mask DIR/slow.csv", "was taken at 200 SPS, the capture is at 40000 SPS"},
        JudgeUsage{"--rate 200 --mask DIR/two.csv", "holds 2 records; a mask is made of one"},
        JudgeUsage{"--mask DIR/none.csv", "--mask DIR/none.csv: "}));

// Ctrl+C in the pause after a record is seen at the next frame; a second one ends the run at once.
TEST(CaptureHostTest, ASecondInterruptEndsTheRunAtOnceKeepingTheCompleteRecord) {
    CaptureOptions options;
    options.settings.recordLength = 100, options.records = 3;
    options.settings.triggerMode = 1;  // "Ext./Cont.", as more than one record runs
    acquisition::testing::FakeSerialPort port;
    CaptureHost host(options);
    scope::Scope scope(port, host, 0);
    scope.setSettings(options.settings);
    host.attach(&scope);
    const auto block = acquisition::encodeBlock(std::array<std::uint16_t, 100>{});
    scope.start();
    port.drain(), port.arrive({acquisition::kStartByte}), port.arrive({block.begin(), block.end()});
    port.drain(), host.interrupt();  // the record is complete, the pause has begun
    EXPECT_TRUE(scope.running());
    host.interrupt();
    EXPECT_FALSE(scope.running() || port.PortOpen());
    EXPECT_EQ(host.records(), std::vector(1, std::vector<std::int16_t>(100, 0)));
}

}  // namespace
}  // namespace kalvira::capture
