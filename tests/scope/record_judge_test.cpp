#include "scope/record_judge.h"

#include <gtest/gtest.h>

#include <numeric>

#include "acquisition/protocol.h"
#include "fake_serial_port.h"
#include "scope/scope.h"
#include "unit/signal.h"

namespace kalvira::scope {
namespace {

using acquisition::testing::Bytes;
using analysis::Figure;

struct QuietFrontEnd : ScopeFrontEnd {
    void startClock() override {}
    void setSettingsLocked(bool) override {}
    void redraw() override {}
    void showMessage(const std::string &, std::function<void()>) override {}
};

// A record of 100 samples, sample k worth base + k: its mean is base + 50.5.
std::vector<std::uint16_t> ramp(int base) {
    std::vector<std::uint16_t> samples(100);
    std::iota(samples.begin(), samples.end(), std::uint16_t(base + 1));
    return samples;
}

// The unit's side of a continuous run on the fake port, record by record.
struct JudgeTest : ::testing::Test {
    explicit JudgeTest(int length = 100, int mode = 1) {
        settings::ScopeSettings continuous;
        continuous.rateCode = 7, continuous.recordLength = length, continuous.triggerMode = mode;
        scope.setSettings(continuous);
    }
    // Answers the frame under way with the record, block by block, and waits out the pause after
    // it; with a continuous run the next frame is then on its way.
    void answer(const std::vector<std::uint16_t> &samples) {
        for (std::size_t first = 0; first < samples.size(); first += kSamplesPerBlock) {
            port.drain();  // the frame, or the acknowledgement of the block before
            Bytes bytes;
            if (first == 0) bytes.push_back(acquisition::kStartByte);
            const auto block =
                acquisition::encodeBlock(std::span<const std::uint16_t, kSamplesPerBlock>(
                    samples.data() + first, kSamplesPerBlock));
            bytes.insert(bytes.end(), block.begin(), block.end());
            port.arrive(bytes);
        }
        port.drain();  // the last acknowledgement: the record is taken
        for (int i = 0; i < 10 && scope.run().state() == acquisition::RunState::Pausing; ++i)
            scope.tick();
    }
    void takeRamps(std::initializer_list<int> bases) {
        if (!scope.running()) scope.start();
        for (const int base : bases) answer(ramp(base));
    }
    void stopRun() { scope.abort(); }
    records::RecordFile entryOf(const std::vector<std::uint16_t> &samples) const {
        records::RecordFile entry = scope.recordOnScreen();
        entry.records = {std::vector<std::int16_t>(samples.begin(), samples.end())};
        return entry;
    }
    acquisition::testing::FakeSerialPort port;
    QuietFrontEnd frontEnd;
    Scope scope{port, frontEnd};
    RecordJudge judge{scope};
};

// Means 150.5, 250.5, 350.5: their mean 250.5, their sample deviation 100.
TEST_F(JudgeTest, StatisticsCoverTheRecordsSinceANewRunAResetOrAnotherRateOrLength) {
    takeRamps({100, 200, 300});
    const analysis::RunningStatistics &mean = judge.statistics().of(Figure::Mean);
    EXPECT_EQ(std::tuple(mean.count(), mean.minimum(), mean.maximum(), mean.mean(), mean.last()),
              std::tuple(3, 150.5, 350.5, 250.5, 350.5));
    EXPECT_DOUBLE_EQ(mean.standardDeviation().value(), 100.0);
    EXPECT_EQ(judge.trend().size(), 3u);
    EXPECT_EQ(judge.trend().at(2).values[analysis::indexOf(Figure::Maximum)], 400.0);
    stopRun();
    takeRamps({0});  // a new run
    EXPECT_EQ(judge.statistics().of(Figure::Mean).mean(), 50.5);
    judge.resetStatistics();
    EXPECT_EQ(std::tuple(judge.statistics().records, judge.trend().size()), std::tuple(0, 0u));
    takeRamps({10});
    settings::ScopeSettings shown = scope.settings();
    shown.timeBase = 12;  // not the rate or the length: they stay
    scope.noteSettings(shown);
    EXPECT_EQ(judge.statistics().records, 1);
    shown.rateCode = 6;
    scope.noteSettings(shown);
    EXPECT_EQ(judge.statistics().records, 0);
}

// Each sample 3 counts above the reference's: Δref is 3, and 3 × 0.1 V through the calibration.
TEST_F(JudgeTest, TheReferenceStandsBesideRecordsOfItsRateOnly) {
    judge.setReference(entryOf(ramp(100)));
    scope.setUserCalibration(analysis::Calibration{0.01, 512, 10});
    takeRamps({103});
    EXPECT_EQ(judge.deltaRef()->counts, 3.0);
    EXPECT_DOUBLE_EQ(judge.deltaRef()->volts.value(), 0.3);
    EXPECT_EQ(judge.statistics().of(Figure::DeltaRef).last(), 3.0);
    stopRun();
    settings::ScopeSettings other = scope.settings();
    other.rateCode = 6;
    scope.noteSettings(other);
    scope.showRecord(entryOf(ramp(103)));
    EXPECT_FALSE(judge.referenceFits());
    EXPECT_EQ(judge.deltaRef(), std::nullopt);
}

// Means 150.5 and 250.5 within 0..260, 350.5 not: two pass, one fails; a record shown from a
// file is judged for the screen but not counted.
TEST_F(JudgeTest, LimitsCountPassesAndFailsAndAFailCanStopTheRunAndKeepOnlyFailingRecords) {
    judge.setCriteria({{{Figure::Mean, 0, 260}}, std::nullopt, false, true});
    takeRamps({100, 300, 200});
    EXPECT_EQ(std::tuple(judge.passCount(), judge.failCount()), std::tuple(2, 1));
    ASSERT_EQ(scope.history().size(), 1u);  // only the failing one was kept
    EXPECT_EQ(scope.history().at(0).records.front().front(), 301);
    EXPECT_EQ(scope.historyPosition(), 1u);  // the one on screen is not in the history
    scope.showRecord(entryOf(ramp(400)));
    EXPECT_EQ(judge.verdict()->figuresOutside, std::vector<Figure>{Figure::Mean});
    EXPECT_EQ(judge.failCount(), 1);

    judge.setCriteria({{{Figure::Mean, 0, 260}}, std::nullopt, true, false});
    stopRun();
    takeRamps({100, 300});
    EXPECT_EQ(scope.run().state(), acquisition::RunState::Idle);  // stopped after the fail
    EXPECT_EQ(std::tuple(judge.passCount(), judge.failCount()), std::tuple(1, 1));  // a new run

    // A mask with no reference tests nothing: the record counts for neither.
    judge.setCriteria({{}, analysis::MaskTolerance{8, false, 0}});
    takeRamps({100});
    EXPECT_EQ(std::tuple(judge.passCount(), judge.failCount()), std::tuple(0, 0));
    EXPECT_EQ(judge.verdict()->maskProblem, analysis::MaskProblem::NoReference);
}

// History records 1..4 with means 150.5, 250.5, 350.5, 450.5.
TEST_F(JudgeTest, HistoryStatisticsTakeEveryRecordKeptOrThoseBetweenTwoMarks) {
    takeRamps({100, 200, 300, 400});
    EXPECT_EQ(judge.historyStatistics().of(Figure::Mean).mean(), 300.5);
    judge.markHistoryEntry(3);
    judge.markHistoryEntry(1);
    EXPECT_EQ(judge.historyRange(), (std::pair<std::size_t, std::size_t>(1, 3)));
    EXPECT_EQ(judge.historyStatistics().of(Figure::Mean).mean(), 350.5);
    judge.markHistoryEntry(1);  // marked again: the mark goes
    EXPECT_EQ(judge.historyMarks(), std::vector<std::size_t>{3});
    judge.markHistoryEntry(0);
    answer(ramp(500));  // the history changes: the marks mean nothing now
    EXPECT_EQ(judge.historyMarks(), std::vector<std::size_t>{});
    EXPECT_EQ(judge.historyStatistics().records, 5);
}

// Columns for the figures of measureRecord always, delta_ref because a record had it.
TEST(TrendSeriesTest, ItsCsvHasARowARecordWithTheSecondsSinceTheFirstAndEmptyUndefinedFigures) {
    TrendSeries trend;
    const QDateTime first = QDateTime::fromString("2026-12-07T12:00:00Z", Qt::ISODate);
    analysis::FigureValues values;
    values[analysis::indexOf(Figure::Frequency)] = 200,
    values[analysis::indexOf(Figure::Mean)] = 512.5;
    trend.add(7, first, values);
    values[analysis::indexOf(Figure::Frequency)].reset();
    values[analysis::indexOf(Figure::Mean)] = 1.0 / 3,
    values[analysis::indexOf(Figure::DeltaRef)] = 0.25;
    trend.add(8, first.addMSecs(1500), values);
    EXPECT_EQ(trendCsv(trend),
              "# kalvira-trend=1\n# records=2\nrecord,taken,time_s,frequency_hz,period_s,min,max,"
              "peak_to_peak,mean,rms,duty_cycle_percent,positive_width_s,negative_width_s,"
              "rise_time_s,fall_time_s,periods,delta_ref\n"
              "7,2026-12-07T12:00:00.000Z,0.000,200,,,,,512.5,,,,,,,,\n"
              "8,2026-12-07T12:00:01.500Z,1.500,,,,,,0.3333333333,,,,,,,,0.25\n");
}

// The unit's 200 Hz sine with noise, cut at its rising crossings of 512 ("Trig./Cont." at level
// 128): each record starts within a sample of the same phase. A mask of ±8 counts and ±2 samples
// about the first record holds every one but the spiked ones, and catches each spike.
struct GlitchTest : JudgeTest {
    GlitchTest() : JudgeTest(1000, 3) {
        settings::ScopeSettings settings = scope.settings();
        settings.rateCode = 0, settings.triggerLevel = 128, settings.fallingEdge = false;
        scope.setSettings(settings);
        signal.frequency = 200, signal.noise = 3, signal.glitchEvery = 100;
    }
    std::vector<std::uint16_t> record(int acquisition) const {
        const acquisition::FrameSettings frame{3, 0, 128, 1000, false};
        return unit::generateRecord(signal, frame, acquisition)->samples;
    }
    unit::SignalOptions signal;
};

TEST_F(GlitchTest, TenThousandRecordsWithASpikeInEveryHundredthGiveExactlyAHundredFails) {
    judge.setReference(entryOf(record(1)));
    judge.setCriteria({{}, analysis::MaskTolerance{8, false, 2}, false, true});
    scope.start();
    for (int acquisition = 1; acquisition <= 10'000; ++acquisition) answer(record(acquisition));
    EXPECT_EQ(std::tuple(judge.passCount(), judge.failCount()), std::tuple(9900, 100));
    // Only the failing records are kept, and each holds the spike at samples 501..503.
    ASSERT_EQ(scope.history().size(), 100u);
    for (std::size_t i = 0; i < scope.history().size(); ++i) {
        const auto &kept = scope.history().at(i).records.front();
        EXPECT_TRUE(kept[500] % 1023 == 0 && kept[502] % 1023 == 0) << i;
    }
    EXPECT_EQ(judge.verdict()->samplesOutside, (std::vector<std::int32_t>{500, 501, 502}));
}

}  // namespace
}  // namespace kalvira::scope
