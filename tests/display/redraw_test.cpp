#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "display/plain_number.h"
#include "display/redraw.h"
#include "display/waveform_plot.h"
#include "fake_redraw_host.h"
#include "recording_surface.h"

namespace kalvira::testing {
namespace {

using namespace display;
using Kind = SurfaceCall::Kind;
using Log = std::vector<std::string>;
using Calls = std::vector<SurfaceCall>;

// The window's settings: time base, sample rate, a record of n samples, "Line"/"Dot", picture
// size, horizontal bar, MeresVege and "V/Div 1:2".
struct View {
    int time = 0, rate = 0, n = 500, style = 0;
    float width = 704, height = 543;
    std::int16_t hscroll = 0, meresVege = -1;
    bool halved = false;
};

// A window redrawn once with the view's record: sample k of value k % 1000 (at 543 high drawn at
// height k - 240, which tells which sample it is), -5000 past the record. Its bar handlers redraw
// nested in the change, as the window's do.
struct Window {
    FakeRedrawHost host;
    RecordingSurface surface;
    int redraws = 0;

    explicit Window(const View &v, int trigLevel = 100, bool trigVisible = false)
        : surface(v.width, v.height) {
        host.timeOption = v.time, host.sampleRate = v.rate, host.lineStyle = v.style;
        host.voltsPerDiv2Ticked = v.halved, host.meresVegeFlag = v.meresVege;
        host.trigLevel = static_cast<std::int16_t>(trigLevel), host.trigVisibleTicked = trigVisible;
        host.sampleScroll.value = static_cast<std::int16_t>(v.n / 100);
        host.hscroll = {v.hscroll > 0, 0, 16000, v.hscroll};
        for (int k = 1; k <= kRecordLastPosition; ++k) host.record[k] = k <= v.n ? k % 1000 : -5000;
        host.onHscrollChange = [this] { redraw(); };
        host.onSampleScrollChange = [this] {
            host.meresVegeFlag = 0;  // a new record length discards the record
            redraw();
        };
        redraw();
    }
    void redraw() {
        ++redraws;
        Koord_rendszer_rajzolasa(host, surface);
    }
};

SurfaceCall seg(float x1, int k1, float x2, int k2) {
    return lineCall(x1, k1 % 1000 - 240, x2, k2 % 1000 - 240, kTraceColour);
}
Calls dots(std::vector<std::pair<float, int>> at) {  // 2 x 2 from the top-left pixel, clockwise
    Calls calls;
    for (const auto &[x, k] : at) {
        for (const auto &[dx, dy] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
            calls.push_back({Kind::Point, x + dx, k % 1000 - 240.0f + dy, 0, 0, kTraceColour});
        }
    }
    return calls;
}
Log bar(int maximum, int largeChange) {
    return {"Hscroll.enabled 1", "Hscroll.maximum " + std::to_string(maximum),
            "Hscroll.smallChange 1", "Hscroll.largeChange " + std::to_string(largeChange)};
}
const Log kFits{"Hscroll.enabled 0", "Hscroll.value 0"};

// The bar and the trace after one redraw (two, when the bar's new value redraws nested): the
// bar's log, the count of trace calls, the first and the last ones.
struct PlotCase {
    View view;
    Log bar;
    std::size_t count;
    Calls first, last = {};
    int redraws = 1;
};
class Plot : public ::testing::TestWithParam<PlotCase> {};

TEST_P(Plot, SetsTheBarAndDrawsSamplesOneToNOfTheView) {
    const PlotCase &c = GetParam();
    const Window window(c.view);
    EXPECT_EQ(window.host.log, c.bar);
    EXPECT_EQ(window.redraws, c.redraws);
    EXPECT_EQ(window.host.layouts, c.redraws);
    const Calls trace = window.surface.of(kTraceColour);
    ASSERT_EQ(trace.size(), c.count);
    EXPECT_EQ(Calls(trace.begin(), trace.begin() + c.first.size()), c.first);
    EXPECT_EQ(Calls(trace.end() - c.last.size(), trace.end()), c.last);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Views, Plot, ::testing::Values(
    PlotCase{{.n = 5000}, kFits, 4998, {seg(0, 1, 0, 2)}, {seg(2, 4998, 2, 4999)}},
    // 0.4 samples a unit: the first x floored, the rest rounded ties to even; the segment starting
    // at the plot's right end is drawn, the one ending on sample N never.
    PlotCase{{.time = 13, .width = 700}, bar(8, 5), 201,
             {seg(0, 1, 2, 2), seg(2, 2, 5, 3), seg(5, 3, 8, 4), seg(8, 4, 10, 5), seg(10, 5, 12, 6)},
             {seg(500, 201, 502, 202)}},
    PlotCase{{.time = 13, .width = 700, .hscroll = 3}, bar(8, 5), 201, {seg(0, 121, 2, 122)},
             {seg(500, 321, 502, 322)}},
    PlotCase{{.time = 13, .width = 700, .hscroll = 8}, bar(8, 5), 178, {seg(0, 321, 2, 322)},
             {seg(442, 498, 445, 499)}},
    PlotCase{{.time = 13, .style = 1, .width = 700, .hscroll = 8}, bar(8, 5), 4 * 180,
             dots({{0, 321}, {2, 322}}), dots({{448, 500}})},
    PlotCase{{.time = 13, .hscroll = 8, .halved = true}, bar(8, 5), 178,  // (81 + 271.5) / 2
             {lineCall(0, 176.25f, 2, 176.75f, kTraceColour)}},
    PlotCase{{.time = 9, .rate = 5, .width = 700}, bar(45, 5), 51, {seg(0, 1, 10, 2)}},  // 0.1 a unit
    // 0.2 samples a division, 489 in: the last pass would show sample 101 of 100.
    PlotCase{{.time = 13, .rate = 7, .n = 100, .hscroll = 489}, bar(490, 5), 1, {seg(0, 99, 500, 100)}},
    PlotCase{{.time = 13, .rate = 7, .n = 100, .style = 1, .hscroll = 489}, bar(490, 5), 8,
             dots({{0, 99}, {500, 100}})},
    // A plot narrower than a division scrolled past the record: from sample 521 of 500, and from
    // 200001, beyond the store.
    PlotCase{{.time = 13, .style = 1, .width = 280, .hscroll = 13}, bar(13, 1), 0, {}},
    PlotCase{{.n = 16000, .width = 280, .hscroll = 1}, bar(1, 1), 0, {}},
    // "1msec/Div." at 40 kSPS: 200 samples fill the five divisions of the design size, also on a
    // plot of 503; one division less, or 100 samples more, need the bar.
    PlotCase{{.time = 13, .n = 200}, kFits, 198, {}, {seg(492, 198, 495, 199)}},
    PlotCase{{.time = 13, .n = 200, .width = 703}, kFits, 198, {}},
    PlotCase{{.time = 13, .n = 200, .width = 699}, bar(1, 4), 198, {}},
    PlotCase{{.time = 13, .n = 300}, bar(3, 5), 203, {}, {seg(505, 203, 508, 204)}},
    // No time base, no sample rate, or no complete record: no trace, the bar left alone.
    PlotCase{{.time = -1, .hscroll = 17}, {}, 0, {}},
    PlotCase{{.rate = -1, .hscroll = 17}, {}, 0, {}},
    PlotCase{{.time = 13, .hscroll = 17, .meresVege = 0}, {}, 0, {}},
    // Left 6 divisions in by "1msec/Div.", the record now fits "5sec/Div.": the view goes back
    // to 0 through a nested redraw; or 40 in, brought back to 8 by the new maximum.
    PlotCase{{.hscroll = 6}, {"Hscroll.enabled 0", "Hscroll.value 0", "Hscroll changed",
             "Hscroll.enabled 0", "Hscroll.value 0"}, 2 * 498, {}, {seg(0, 498, 0, 499)}, 2},
    PlotCase{{.time = 13, .hscroll = 40}, {"Hscroll.enabled 1", "Hscroll.maximum 8",
             "Hscroll changed", "Hscroll.enabled 1", "Hscroll.maximum 8", "Hscroll.smallChange 1",
             "Hscroll.largeChange 5", "Hscroll.smallChange 1", "Hscroll.largeChange 5"}, 2 * 178,
             {seg(0, 321, 2, 322)}, {seg(442, 498, 445, 499)}, 2}));
// clang-format on

TEST(Divisions, RecordRoundsUpScreenRoundsDown) {
    EXPECT_EQ(recordDivisions(201, 0.4f), 5);  // 200 steps of 2.5: exactly five divisions
    EXPECT_EQ(recordDivisions(202, 0.4f), 6);
    EXPECT_EQ(screenDivisions(499.9f), 4);
    EXPECT_EQ(samplesPerUnit({0.02f, 5}), 0.1f);  // "20msec/Div." at 500 SPS snaps to 0.1
}

// Time base, sample rate, record length before and after: held at 6400 and 12800 samples.
class RecordLengthLimit : public ::testing::TestWithParam<std::tuple<int, int, int, int>> {};

TEST_P(RecordLengthLimit, HoldsTheSlowestCombinationsThroughANestedChange) {
    const auto [time, rate, before, after] = GetParam();
    const Window window({.time = time, .rate = rate, .n = before * 100});
    EXPECT_EQ(window.host.sampleScroll.value, after);
    const bool held = after != before;  // the held record is discarded: no trace, bar untouched
    EXPECT_EQ(window.redraws, held ? 2 : 1);
    EXPECT_EQ(window.surface.of(kTraceColour).empty(), held);
    if (held) {
        EXPECT_EQ(window.host.log,
                  (Log{"SampleScroll.value " + std::to_string(after), "SampleScroll changed"}));
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Settings, RecordLengthLimit, ::testing::Values(
    std::tuple{13, 7, 100, 64}, std::tuple{13, 7, 65, 64}, std::tuple{13, 7, 64, 64},
    std::tuple{12, 7, 160, 128}, std::tuple{12, 7, 129, 128}, std::tuple{12, 7, 128, 128},
    std::tuple{12, 7, 100, 100}, std::tuple{13, 6, 160, 160}, std::tuple{11, 7, 160, 160}));
// clang-format on

// Time base, bar value, graticule line (0 at x = 1) and the label printed there.
class TimeLabel : public ::testing::TestWithParam<std::tuple<int, int, int, std::string>> {};

TEST_P(TimeLabel, ReadsTheExactTimeOfItsLine) {
    const auto [time, hscroll, line, text] = GetParam();
    const Window window(
        {.time = time, .hscroll = static_cast<std::int16_t>(hscroll), .meresVege = 0});
    const Calls prints = window.surface.of(0, Kind::Print);
    ASSERT_EQ(prints.size(), 6u);
    EXPECT_EQ(formatPlainNumber(prints[line].x1) + prints[line].text, text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(TimeBases, TimeLabel, ::testing::Values(
    std::tuple{8, 0, 5, " 100 msec"}, std::tuple{13, 995, 0, " 995 msec"},  // not 99,99999, 995,0001
    std::tuple{13, 995, 5, " 1 sec"}, std::tuple{4, 0, 3, " 600 msec"}, std::tuple{4, 0, 5, " 1 sec"},
    std::tuple{3, 0, 3, " 1,5 sec"}, std::tuple{11, 4, 1, " 12,5 msec"}, std::tuple{0, 2, 5, " 35 sec"},
    std::tuple{5, 31000, 5, " 3100,5 sec"}, std::tuple{-1, 0, 3, " 0 msec"}));
// clang-format on

TEST(PlainNumber, SevenSignificantDigitsNoExponentDecimalComma) {
    const std::pair<float, const char *> cases[] = {{0.0f, " 0 "},
                                                    {-2.5f, "-2,5 "},
                                                    {1.0f / 3, " 0,3333333 "},
                                                    {600.00006f, " 600,0001 "},
                                                    {16777215.0f, " 16777220 "},
                                                    {1.5e10f, " 15000000000 "},
                                                    {0.0001234f, " 0,0001234 "}};
    for (const auto &[value, text] : cases) EXPECT_EQ(formatPlainNumber(value), text);
}

// Picture height, trigger level bar, "Visible", "V/Div 1:2" and the height of the yellow line.
class TriggerMarker : public ::testing::TestWithParam<std::tuple<float, int, bool, bool, float>> {};

TEST_P(TriggerMarker, OneYellowLineAtTheLevelAfterTheTicks) {
    const auto [height, level, visible, halved, y] = GetParam();
    const Window window({.height = height, .meresVege = 0, .halved = halved}, level, visible);
    EXPECT_EQ(window.host.triglevel, level * 4);
    EXPECT_EQ(window.surface.of(kTriggerColour),
              visible ? Calls{lineCall(0, y, 504, y, kTriggerColour)} : Calls{});
    EXPECT_EQ(window.surface.calls.back().colour, visible ? kTriggerColour : kAxisColour);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Levels, TriggerMarker, ::testing::Values(
    std::tuple{600, 128, true, false, 300}, std::tuple{600, 178, true, true, 400},  // 512, 712
    std::tuple{600, 78, true, true, 200}, std::tuple{600, 1, true, false, -208},
    std::tuple{601, 128, true, false, 300.5f}, std::tuple{543, 100, true, true, 215.5f},
    std::tuple{600, 37, false, false, 0}));
// clang-format on

// The graticule, axis and ticks, by counts and at chosen spots, each drawn once.
struct GridCase {
    float width, height;
    std::size_t blue, green, labels;
    Calls spots;
};
class Graticule : public ::testing::TestWithParam<GridCase> {};

TEST_P(Graticule, LinesTicksAndLabelsWhereTheyBelong) {
    const GridCase &c = GetParam();
    const Window window({.width = c.width, .height = c.height, .meresVege = 0});
    const Calls &calls = window.surface.calls;
    EXPECT_EQ(window.surface.of(kGraticuleColour, Kind::Line).size(), c.blue);
    EXPECT_EQ(window.surface.of(kAxisColour).size(), c.green);
    for (const SurfaceCall &spot : c.spots)
        EXPECT_EQ(std::count(calls.begin(), calls.end(), spot), 1) << spot;
    std::vector<float> labelXs;  // each label at the point set before it, on top of its line
    for (std::size_t k = 1; k < calls.size(); ++k) {
        if (calls[k].kind == Kind::Print && calls[k - 1].y1 == 0)
            labelXs.push_back(calls[k - 1].x1);
    }
    ASSERT_EQ(labelXs.size(), c.labels);
    for (std::size_t k = 0; k < c.labels; ++k) EXPECT_EQ(labelXs[k], 100.0f * k + 1);
}

constexpr Colour B = kGraticuleColour, G = kAxisColour;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Sizes, Graticule, ::testing::Values(
    // The design size: centre 271.5, axis on 272 (-240.5 rounds to the even -240), plot 504.
    GridCase{704, 543, 12, 137, 6, {lineCall(0, 171.5f, 504, 171.5f, B), lineCall(0, 471.5f, 504, 471.5f, B),
             lineCall(501, 0, 501, 543, B), lineCall(0, 272, 504, 272, G), lineCall(10, 277, 10, 266, G),
             lineCall(50, 282, 50, 262, G), lineCall(500, 292, 500, 252, G), lineCall(0, 1.5f, 5, 1.5f, G),
             lineCall(0, 521.5f, 10, 521.5f, G), lineCall(0, 541.5f, 5, 541.5f, G)}},
    GridCase{704, 600, 14, 145, 6, {lineCall(0, 0, 504, 0, B), lineCall(0, 600, 504, 600, B),
             lineCall(0, 300, 504, 300, G), lineCall(0, 0, 10, 0, G), lineCall(0, 600, 10, 600, G)}},
    GridCase{704, 603, 14, 145, 6, {lineCall(0, 302, 504, 302, G)}},  // -210.5 rounds to -210
    // Plot 100 wide: one vertical line; 0 wide: one tick per pass and no line; -1: neither.
    GridCase{300, 600, 9, 1 + 16 + 76, 1, {lineCall(1, 0, 1, 600, B), lineCall(100, 320, 100, 280, G)}},
    GridCase{200, 600, 8, 1 + 3 + 76, 0, {lineCall(0, 305, 0, 294, G), lineCall(0, 320, 0, 280, G)}},
    GridCase{199, 600, 8, 1 + 76, 0, {lineCall(0, 300, -1, 300, G)}}));
// clang-format on

}  // namespace
}  // namespace kalvira::testing
