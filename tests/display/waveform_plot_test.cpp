#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "display/recording_surface.h"
#include "display/redraw.h"
#include "display/waveform_plot.h"
#include "fake_redraw_host.h"
#include "surface_calls.h"

namespace kalvira::display {
namespace {

using testing::FakeRedrawHost;
using testing::lineCall;
using testing::pointCall;
using Kind = SurfaceCall::Kind;

constexpr float kHeight = 543.0f;           // initial window: MidY 271.5
constexpr std::int16_t kCorrection = -240;  // 271.5 - 512 rounded to even
constexpr std::int16_t kSentinel = -5000;   // stands in every position past the record

enum TimeOption { k5sec = 0, k0_1sec = 5, k10msec = 9, k2msec = 12, k1msec = 13 };
enum SampleRate { k40kSps = 0, k1kSps = 5, k200Sps = 7 };

// A window holding a record of n samples: sample k has the value k % 1000, so its height tells
// which sample it is; every position past the record holds the sentinel.
struct Plot {
    FakeRedrawHost host;
    RecordingSurface surface;

    Plot(int timeOption, int sampleRate, int n, float plotWidth)
        : surface(plotWidth + 200.0f, kHeight) {
        host.timeOption = timeOption;
        host.sampleRate = sampleRate;
        host.sampleScroll.value = static_cast<std::int16_t>(n / 100);
        host.meresVegeFlag = -1;
        for (int k = 1; k <= kRecordLastPosition; ++k) {
            host.record[static_cast<std::size_t>(k)] =
                k <= n ? static_cast<std::int16_t>(k % 1000) : kSentinel;
        }
    }
    void redraw() { Koord_rendszer_rajzolasa(host, surface); }
    std::vector<SurfaceCall> lines() const {
        return testing::callsOf(surface.calls(), Kind::Line, kTraceColour);
    }
    std::vector<SurfaceCall> points() const {
        return testing::callsOf(surface.calls(), Kind::Point, kTraceColour);
    }
    std::vector<std::string> hscrollLog() const {
        std::vector<std::string> entries;
        std::copy_if(host.log.begin(), host.log.end(), std::back_inserter(entries),
                     [](const std::string &e) { return e.starts_with("Hscroll"); });
        return entries;
    }
};

// Height of sample k of such a record at the initial window size.
float yOf(int k) {
    return static_cast<float>(k % 1000 + kCorrection);
}

SurfaceCall segment(float x1, int k1, float x2, int k2) {
    return lineCall(x1, yOf(k1), x2, yOf(k2), kTraceColour);
}

std::vector<SurfaceCall> dot(float x, int k) {
    const float y = yOf(k);
    return {pointCall(x, y, kTraceColour), pointCall(x + 1, y, kTraceColour),
            pointCall(x + 1, y + 1, kTraceColour), pointCall(x, y + 1, kTraceColour)};
}

void expectNoSentinel(const std::vector<SurfaceCall> &trace) {
    const float sentinelY = kSentinel + kCorrection;
    for (const SurfaceCall &call : trace) {
        ASSERT_NE(call.y1, sentinelY);
        ASSERT_NE(call.y1, sentinelY + 1);
        ASSERT_NE(call.y2, sentinelY);
    }
}

TEST(PlotGate, WithoutACompleteRecordNothingIsDrawnAndHscrollIsLeftAlone) {
    Plot plot(k1msec, k40kSps, 500, 504);
    plot.host.meresVegeFlag = 0;
    plot.host.hscroll = {.enabled = true, .minimum = 0, .maximum = 20, .value = 17};
    plot.redraw();
    EXPECT_TRUE(plot.lines().empty());
    EXPECT_TRUE(plot.points().empty());
    EXPECT_TRUE(plot.host.log.empty());
    EXPECT_EQ(plot.host.hscroll.value, 17);
    EXPECT_EQ(plot.host.hscroll.maximum, 20);
}

TEST(PlotGate, WithNoTimeBaseOrNoSampleRateNothingIsDrawn) {
    for (const auto &[timeOption, sampleRate] : {std::pair{-1, 0}, std::pair{0, -1}}) {
        Plot plot(timeOption, sampleRate, 500, 504);
        plot.redraw();
        EXPECT_TRUE(plot.lines().empty());
        EXPECT_TRUE(plot.points().empty());
        EXPECT_TRUE(plot.hscrollLog().empty());
    }
}

TEST(SamplesPerUnit, TheSixNominalTenPerDivisionSettingsAreExactlyOneTenth) {
    const std::pair<int, int> tenPerDivision[] = {{6, 7},  {8, 6},  {9, 5},
                                                  {10, 4}, {12, 3}, {13, 2}};
    for (const auto &[timeOption, sampleRate] : tenPerDivision) {
        EXPECT_EQ(samplesPerUnit({kTimeScales[timeOption], kRateScales[sampleRate]}), 0.1f)
            << timeOption << " " << sampleRate;
    }
    EXPECT_EQ(samplesPerUnit({0.0025f, 10.0f}), 0.0025f * 10.0f);
    EXPECT_EQ(samplesPerUnit({0.001f, 400.0f}), 0.4f);
    EXPECT_EQ(samplesPerUnit({5.0f, 400.0f}), 2000.0f);
}

TEST(Divisions, RecordRoundsUpScreenRoundsDown) {
    EXPECT_EQ(recordDivisions(5000, 2000.0f), 1);  // 0.024995
    EXPECT_EQ(recordDivisions(5000, 40.0f), 2);    // 1.24975
    EXPECT_EQ(recordDivisions(500, 0.4f), 13);     // 12.475
    EXPECT_EQ(recordDivisions(101, 0.1f), 10);     // exactly 10
    EXPECT_EQ(recordDivisions(6400, 0.002f), 31995);
    EXPECT_EQ(recordDivisions(12800, 0.004f), 31998);
    EXPECT_EQ(screenDivisions(504.0f), 5);
    EXPECT_EQ(screenDivisions(500.0f), 5);
    EXPECT_EQ(screenDivisions(150.0f), 1);
    EXPECT_EQ(screenDivisions(250.0f), 2);
    EXPECT_EQ(screenDivisions(80.0f), 0);
    EXPECT_EQ(screenDivisions(-150.0f), -2);
}

struct HscrollCase {
    const char *name;
    int timeOption, sampleRate, n;
    float plotWidth;
    std::vector<std::string> log;
    bool enabled;
    std::int16_t maximum, largeChange;
};

class HscrollSetupTest : public ::testing::TestWithParam<HscrollCase> {};

TEST_P(HscrollSetupTest, SetInOrder) {
    const HscrollCase &c = GetParam();
    Plot plot(c.timeOption, c.sampleRate, c.n, c.plotWidth);
    plot.redraw();
    EXPECT_EQ(plot.hscrollLog(), c.log);
    EXPECT_EQ(plot.host.hscroll.enabled, c.enabled);
    EXPECT_EQ(plot.host.hscroll.maximum, c.maximum);
    EXPECT_EQ(plot.host.hscroll.largeChange, c.largeChange);
    EXPECT_EQ(plot.host.hscroll.smallChange, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Records, HscrollSetupTest,
    ::testing::Values(HscrollCase{"initial",
                                  k5sec,
                                  k40kSps,
                                  5000,
                                  504,
                                  {"Hscroll.enabled 0", "Hscroll.value 0"},
                                  false,
                                  16000,
                                  1},
                      HscrollCase{"fits",
                                  k0_1sec,
                                  k40kSps,
                                  5000,
                                  500,
                                  {"Hscroll.enabled 0", "Hscroll.value 0"},
                                  false,
                                  16000,
                                  1},
                      HscrollCase{"scrolls",
                                  k1msec,
                                  k40kSps,
                                  500,
                                  500,
                                  {"Hscroll.enabled 1", "Hscroll.maximum 8",
                                   "Hscroll.smallChange 1", "Hscroll.largeChange 5"},
                                  true,
                                  8,
                                  5},
                      HscrollCase{"oneDivision",
                                  k1msec,
                                  k40kSps,
                                  500,
                                  150,
                                  {"Hscroll.enabled 1", "Hscroll.maximum 12",
                                   "Hscroll.smallChange 1", "Hscroll.largeChange 1"},
                                  true,
                                  12,
                                  1},
                      HscrollCase{"noDivision",
                                  k1msec,
                                  k40kSps,
                                  500,
                                  80,
                                  {"Hscroll.enabled 1", "Hscroll.maximum 13",
                                   "Hscroll.smallChange 1", "Hscroll.largeChange 1"},
                                  true,
                                  13,
                                  1},
                      HscrollCase{"longest",
                                  k2msec,
                                  k200Sps,
                                  12800,
                                  504,
                                  {"Hscroll.enabled 1", "Hscroll.maximum 31993",
                                   "Hscroll.smallChange 1", "Hscroll.largeChange 5"},
                                  true,
                                  31993,
                                  5}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(HscrollSetup, AMaximumBelowTheValueBringsTheViewBack) {
    Plot plot(k1msec, k40kSps, 500, 504);
    plot.host.hscroll = {.enabled = true, .minimum = 0, .maximum = 100, .value = 12};
    plot.redraw();
    EXPECT_EQ(plot.host.hscroll.value, 8);
    // The first sample shown is then 8 divisions (320 samples) in.
    ASSERT_FALSE(plot.lines().empty());
    EXPECT_EQ(plot.lines().front(), segment(0, 321, 2, 322));
}

TEST(LineTrace, InitialSettingsDrawTheWholeRecordBetweenXZeroAndTwo) {
    Plot plot(k5sec, k40kSps, 5000, 504);
    plot.redraw();
    const auto lines = plot.lines();
    ASSERT_EQ(lines.size(), 4998u);  // samples 1 to 4999: the segment to sample N is not drawn
    EXPECT_EQ(lines[0], segment(0, 1, 0, 2));
    EXPECT_EQ(lines[1], segment(0, 2, 0, 3));
    EXPECT_EQ(lines.back(), segment(2, 4998, 2, 4999));
    for (const SurfaceCall &line : lines) {
        ASSERT_GE(line.x1, 0.0f);
        ASSERT_LE(line.x2, 2.0f);
    }
    expectNoSentinel(lines);
}

TEST(LineTrace, ATenthOfASecondVisitsEverySampleUpToXOf125) {
    Plot plot(k0_1sec, k40kSps, 5000, 500);
    plot.redraw();
    const auto lines = plot.lines();
    ASSERT_EQ(lines.size(), 4998u);
    EXPECT_EQ(lines.front(), segment(0, 1, 0, 2));
    EXPECT_EQ(lines.back(), segment(125, 4998, 125, 4999));
    // 40 samples per unit: the segments ending at x = 50 are those from samples 1980 to 2020,
    // where i / 40 runs from 49.5 to 50.5, both ties going to the even 50.
    const auto endsAt50 = std::count_if(lines.begin(), lines.end(),
                                        [](const SurfaceCall &l) { return l.x2 == 50.0f; });
    EXPECT_EQ(endsAt50, 41);
    EXPECT_EQ(lines[1979], segment(49, 1980, 50, 1981));  // the pass of sample i is lines[i - 1]
    EXPECT_EQ(lines[2019], segment(50, 2020, 50, 2021));
    EXPECT_EQ(lines[2020], segment(50, 2021, 51, 2022));
}

TEST(LineTrace, FirstPointFlooredLaterPointsRoundedHalfToEven) {
    // 0.4 samples per unit: sample k + 1 lies at x = 2.5 k.
    Plot plot(k1msec, k40kSps, 500, 500);
    plot.redraw();
    const auto lines = plot.lines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], segment(0, 1, 2, 2));  // 2.5 -> 2
    EXPECT_EQ(lines[1], segment(2, 2, 5, 3));
    EXPECT_EQ(lines[2], segment(5, 3, 8, 4));  // 7.5 -> 8
    EXPECT_EQ(lines[3], segment(8, 4, 10, 5));
    EXPECT_EQ(lines[4], segment(10, 5, 12, 6));  // 12.5 -> 12
}

TEST(LineTrace, TheSegmentStartingAtTheRightEndIsStillDrawn) {
    Plot plot(k1msec, k40kSps, 500, 500);
    plot.redraw();
    const auto lines = plot.lines();
    ASSERT_EQ(lines.size(), 201u);
    EXPECT_EQ(lines[199], segment(498, 200, 500, 201));
    EXPECT_EQ(lines[200], segment(500, 201, 502, 202));
}

TEST(LineTrace, ScrolledThreeDivisionsStartsAtSample121) {
    Plot plot(k1msec, k40kSps, 500, 500);
    plot.host.hscroll = {.enabled = true, .minimum = 0, .maximum = 8, .value = 3};
    plot.redraw();
    const auto lines = plot.lines();
    ASSERT_EQ(lines.size(), 201u);
    EXPECT_EQ(lines.front(), segment(0, 121, 2, 122));
    EXPECT_EQ(lines.back(), segment(500, 321, 502, 322));
    const auto labels = testing::printsOf(plot.surface.calls());
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.front().number, 3.0f);
    EXPECT_EQ(labels.front().text, "msec");
}

TEST(LineTrace, AtTheEndOfTheRecordStopsAtSampleNMinusOne) {
    Plot plot(k1msec, k40kSps, 500, 500);
    plot.host.hscroll = {.enabled = true, .minimum = 0, .maximum = 8, .value = 8};
    plot.redraw();
    const auto lines = plot.lines();
    ASSERT_EQ(lines.size(), 178u);  // samples 321 to 499
    EXPECT_EQ(lines.front(), segment(0, 321, 2, 322));
    EXPECT_EQ(lines.back(), segment(442, 498, 445, 499));
    expectNoSentinel(lines);
}

TEST(LineTrace, ExactlyOneTenthPutsSampleKPlusOneAtTenK) {
    Plot plot(k10msec, k1kSps, 500, 504);
    plot.redraw();
    const auto lines = plot.lines();
    ASSERT_EQ(lines.size(), 52u);
    EXPECT_EQ(lines[0], segment(0, 1, 10, 2));
    EXPECT_EQ(lines[1], segment(10, 2, 20, 3));
    EXPECT_EQ(lines.back(), segment(510, 52, 520, 53));
}

TEST(DotTrace, EverySampleFromTheFirstToNGetsATwoByTwoDot) {
    Plot plot(k1msec, k40kSps, 500, 500);
    plot.host.lineStyle = 1;
    plot.host.hscroll = {.enabled = true, .minimum = 0, .maximum = 8, .value = 8};
    plot.redraw();
    const auto points = plot.points();
    EXPECT_TRUE(plot.lines().empty());
    ASSERT_EQ(points.size(), 4u * 180u);  // samples 321 to 500
    // The first dot stands at x = 0 and 1, then sample 322 at x = 2.
    auto expected = dot(0, 321);
    const auto second = dot(2, 322);
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(std::vector<SurfaceCall>(points.begin(), points.begin() + 8), expected);
    EXPECT_EQ(std::vector<SurfaceCall>(points.end() - 4, points.end()), dot(448, 500));
    expectNoSentinel(points);
}

TEST(DotTrace, InitialSettingsStartWithTheFirstSampleAtXZero) {
    Plot plot(k5sec, k40kSps, 5000, 504);
    plot.host.lineStyle = 1;
    plot.redraw();
    const auto points = plot.points();
    ASSERT_EQ(points.size(), 4u * 5000u);
    EXPECT_EQ(std::vector<SurfaceCall>(points.begin(), points.begin() + 4), dot(0, 1));
    EXPECT_EQ(std::vector<SurfaceCall>(points.begin() + 4, points.begin() + 8), dot(0, 2));
    EXPECT_EQ(std::vector<SurfaceCall>(points.end() - 4, points.end()), dot(2, 5000));
}

TEST(TraceStyle, IsReadAgainOnEveryPass) {
    Plot plot(k1msec, k40kSps, 500, 500);
    int reads = 0;
    // Read 1 is the first dot's; reads 2 and 3 are the first two passes.
    plot.host.onLineStyleRead = [&] {
        if (++reads == 4) plot.host.lineStyle = 1;
    };
    plot.redraw();
    const auto lines = plot.lines();
    const auto points = plot.points();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], segment(2, 2, 5, 3));
    ASSERT_GE(points.size(), 4u);
    EXPECT_EQ(std::vector<SurfaceCall>(points.begin(), points.begin() + 4), dot(8, 4));
}

TEST(TraceHeight, HalvedTowardTheCentreWithVoltsPerDiv2) {
    for (const bool halved : {false, true}) {
        FakeRedrawHost host;
        host.timeOption = k1msec;
        host.sampleScroll.value = 1;
        host.meresVegeFlag = -1;
        host.voltsPerDiv2Ticked = halved;
        host.record[1] = 512;
        host.record[2] = 712;
        host.record[3] = 312;
        host.record[4] = 512;
        RecordingSurface surface(704.0f, 600.0f);
        Koord_rendszer_rajzolasa(host, surface);
        const auto lines = testing::callsOf(surface.calls(), Kind::Line, kTraceColour);
        ASSERT_GE(lines.size(), 3u);
        const float high = halved ? 400.0f : 500.0f;
        const float low = halved ? 200.0f : 100.0f;
        EXPECT_EQ(lines[0], lineCall(0, 300, 2, high, kTraceColour));
        EXPECT_EQ(lines[1], lineCall(2, high, 5, low, kTraceColour));
        EXPECT_EQ(lines[2], lineCall(5, low, 8, 300, kTraceColour));
    }
}

TEST(TraceHeight, HalvedOnAnOddHeightKeepsTheHalfUnit) {
    Plot plot(k1msec, k40kSps, 100, 504);
    plot.host.voltsPerDiv2Ticked = true;
    plot.redraw();
    // Sample 1 has the value 1: (1 - 240 + 271.5) / 2.
    EXPECT_EQ(plot.lines().front().y1, 16.25f);
}

// Past the record: the mend of the plot's reads.

TEST(PastTheRecord, ADotThatWouldShowSampleNPlusOneIsLeftOut) {
    // 0.2 samples per division: scrolled 489 divisions in, the first index is 98.8 and the last
    // pass would show index 100.8, that is sample 101 of a 100-sample record.
    Plot plot(k1msec, k200Sps, 100, 504);
    plot.host.lineStyle = 1;
    plot.host.hscroll = {.enabled = true, .minimum = 0, .maximum = 490, .value = 489};
    plot.redraw();
    ASSERT_EQ(plot.host.hscroll.value, 489);
    auto expected = dot(0, 99);
    const auto last = dot(500, 100);
    expected.insert(expected.end(), last.begin(), last.end());
    EXPECT_EQ(plot.points(), expected);
}

TEST(PastTheRecord, ALineAtTheSameSpotStopsAtSampleN) {
    Plot plot(k1msec, k200Sps, 100, 504);
    plot.host.hscroll = {.enabled = true, .minimum = 0, .maximum = 490, .value = 489};
    plot.redraw();
    EXPECT_EQ(plot.lines(), std::vector<SurfaceCall>{segment(0, 99, 500, 100)});
}

TEST(PastTheRecord, ANarrowPlotScrolledPastTheRecordDrawsNothing) {
    // Plot width 80: no whole division fits, so the bar reaches beyond the record.
    for (const int style : {0, 1}) {
        Plot plot(k1msec, k40kSps, 500, 80);
        plot.host.lineStyle = style;
        plot.host.hscroll = {.enabled = true, .minimum = 0, .maximum = 13, .value = 13};
        plot.redraw();
        ASSERT_EQ(plot.host.hscroll.value, 13);  // first index 521, past N = 500
        EXPECT_TRUE(plot.lines().empty());
        EXPECT_TRUE(plot.points().empty());
    }
}

TEST(PastTheRecord, ANarrowPlotNeverReadsBeyondTheStore) {
    // 200000 samples per division: one division in, the first index lies far beyond 16002.
    for (const int style : {0, 1}) {
        Plot plot(k5sec, k40kSps, 16000, 80);
        plot.host.lineStyle = style;
        plot.host.hscroll = {.enabled = true, .minimum = 0, .maximum = 1, .value = 1};
        plot.redraw();
        ASSERT_EQ(plot.host.hscroll.value, 1);
        EXPECT_TRUE(plot.lines().empty());
        EXPECT_TRUE(plot.points().empty());
    }
}

}  // namespace
}  // namespace kalvira::display
