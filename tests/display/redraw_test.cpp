#include <gtest/gtest.h>

#include <tuple>

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

// Time base, sample rate, record length, "Line"/"Dot", Hscroll, MeresVege, size, "V/Div 1:2".
struct View {
    int time = 0, rate = 0, n = 500, style = 0, hscroll = 0, meresVege = -1;
    float width = 704, height = 543;
    bool halved = false;
};

// Redrawn once. Sample k holds k % 1000 (at y = k - 240 on 543), -5000 past the record.
struct Window {
    FakeRedrawHost host;
    RecordingSurface surface;
    int redraws = 0;

    explicit Window(const View &v, int trigLevel = 100, bool trigVisible = false)
        : surface(v.width, v.height) {
        host.scope.timeBase = v.time, host.scope.rateCode = v.rate, host.scope.dots = v.style == 1;
        host.scope.halfHeight = v.halved, host.shown = v.meresVege == -1;
        host.scope.triggerLevel = trigLevel, host.scope.triggerMarker = trigVisible;
        host.scope.recordLength = v.n, host.scope.scrollDivisions = v.hscroll;
        for (int k = 1; k <= kRecordLastPosition; ++k) host.record[k] = k <= v.n ? k % 1000 : -5000;
        host.onHscrollChange = [this] { redraw(); };
        host.onSampleScrollChange = [this] { host.shown = false, redraw(); };
        redraw();
    }
    void redraw() { ++redraws, Koord_rendszer_rajzolasa(host, surface); }
};

SurfaceCall seg(float x1, int k1, float x2, int k2) {
    return lineCall(x1, k1 % 1000 - 240, x2, k2 % 1000 - 240, kTraceColour);
}
Calls dots(std::vector<std::pair<float, int>> at) {  // 2 x 2 from the top-left pixel, clockwise
    Calls calls;
    for (const auto &[x, k] : at) {
        for (int c : {0, 1, 3, 2})
            calls.push_back(pointCall(x + c % 2, k % 1000 - 240 + c / 2, kTraceColour));
    }
    return calls;
}
Log bar(int maximum, int largeChange) {
    return {"Hscroll.enabled 1", "Hscroll.maximum " + std::to_string(maximum),
            "Hscroll.smallChange 1", "Hscroll.largeChange " + std::to_string(largeChange)};
}
const Log kFits{"Hscroll.enabled 0", "Hscroll.value 0"};

// The bars' log, the trace's count, first and last calls, and the redraws (nested ones too).
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
    const Calls trace = window.surface.of(kTraceColour);
    ASSERT_EQ(trace.size(), c.count);
    EXPECT_EQ(Calls(trace.begin(), trace.begin() + c.first.size()), c.first);
    EXPECT_EQ(Calls(trace.end() - c.last.size(), trace.end()), c.last);
}

// Time base, Hscroll, graticule line (0 at x = 1) and its label.
class TimeLabel : public ::testing::TestWithParam<std::tuple<int, int, int, std::string>> {};

TEST_P(TimeLabel, ReadsTheExactTimeOfItsLine) {
    const auto [time, hscroll, line, text] = GetParam();
    const Calls prints =
        Window({.time = time, .hscroll = hscroll, .meresVege = 0}).surface.of(0, Kind::Print);
    ASSERT_EQ(prints.size(), 6u);
    EXPECT_EQ(formatPlainNumber(prints[line].x1) + prints[line].text, text);
}

TEST(PlainNumber, SevenSignificantDigitsNoExponentDecimalComma) {
    EXPECT_EQ(formatPlainNumber(1.0f / 3) + formatPlainNumber(600.00006f), " 0,3333333  600,0001 ");
    EXPECT_EQ(formatPlainNumber(1.5e10f) + formatPlainNumber(-1.234e-4f),
              " 15000000000 -0,0001234 ");
    EXPECT_EQ(formatPlainNumber(16777215.0f) + formatPlainNumber(0.0f), " 16777220  0 ");
}

// Graticule, axis, ticks and trigger level line by counts and at spots each drawn once.
struct GridCase {
    float width, height;
    int level;
    bool visible, halved;
    std::size_t blue, green;
    Calls spots;
};
class Graticule : public ::testing::TestWithParam<GridCase> {};

TEST_P(Graticule, LinesTicksAndMarkerWhereTheyBelong) {
    const GridCase &c = GetParam();
    const Window window({.meresVege = 0, .width = c.width, .height = c.height, .halved = c.halved},
                        c.level, c.visible);
    const Calls &calls = window.surface.calls;
    EXPECT_EQ(window.surface.of(kGraticuleColour, Kind::Line).size(), c.blue);
    EXPECT_EQ(window.surface.of(kAxisColour).size(), c.green);
    EXPECT_EQ(window.surface.of(kTriggerColour).size(), c.visible ? 1u : 0u);
    EXPECT_EQ(calls.back().colour, c.visible ? kTriggerColour : kAxisColour);  // after the ticks
    EXPECT_EQ(window.host.triglevel, c.level * 4);
    for (const SurfaceCall &spot : c.spots) EXPECT_EQ(std::ranges::count(calls, spot), 1);
}

constexpr Colour B = kGraticuleColour, G = kAxisColour, Y = kTriggerColour;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Views, Plot, ::testing::Values(
    PlotCase{{.n = 5000}, kFits, 4998, {seg(0, 1, 0, 2)}, {seg(2, 4998, 2, 4999)}},
    // 0.4 samples a unit: x rounded ties to even; drawn up to the right end, never to sample N.
    PlotCase{{.time = 13, .width = 700}, bar(8, 5), 201,
             {seg(0, 1, 2, 2), seg(2, 2, 5, 3), seg(5, 3, 8, 4), seg(8, 4, 10, 5), seg(10, 5, 12, 6)},
             {seg(500, 201, 502, 202)}},
    PlotCase{{.time = 13, .hscroll = 8, .halved = true}, bar(8, 5), 178,  // (81 + 271.5) / 2
             {lineCall(0, 176.25f, 2, 176.75f, kTraceColour)}},
    // Past the record: samples 101 of 100 and 200001 (beyond the store) are never drawn.
    PlotCase{{.time = 13, .rate = 7, .n = 100, .hscroll = 489}, bar(490, 5), 1, {seg(0, 99, 500, 100)}},
    PlotCase{{.time = 13, .rate = 7, .n = 100, .style = 1, .hscroll = 489}, bar(490, 5), 8,
             dots({{0, 99}, {500, 100}})},
    PlotCase{{.n = 16000, .style = 1, .hscroll = 1, .width = 280}, bar(1, 1), 0, {}},
    // 200 samples fill the design size's five divisions; one division less or more samples don't.
    PlotCase{{.time = 13, .n = 200}, kFits, 198, {}, {seg(492, 198, 495, 199)}},
    PlotCase{{.time = 13, .n = 200, .width = 699}, bar(1, 4), 198, {}},
    PlotCase{{.time = 13, .n = 300}, bar(3, 5), 203, {}, {seg(505, 203, 508, 204)}},
    // Record length held at 6400 and 12800 samples: the change discards the record, redraws.
    PlotCase{{.time = 13, .rate = 7, .n = 6500}, {"SampleScroll.value 64", "SampleScroll changed"}, 0, {}, {}, 2},
    PlotCase{{.time = 12, .rate = 7, .n = 12900}, {"SampleScroll.value 128", "SampleScroll changed"}, 0, {}, {}, 2},
    PlotCase{{.time = 13, .rate = 7, .n = 6400}, bar(31990, 5), 3, {}},
    PlotCase{{.time = 12, .rate = 7, .n = 12800}, bar(31993, 5), 4, {}},
    PlotCase{{.time = -1, .hscroll = 17}, {}, 0, {}},
    PlotCase{{.time = 13, .hscroll = 17, .meresVege = 0}, {}, 0, {}},
    // The view goes back to 0 (the record fits) or to 8 (the new maximum) through a nested redraw.
    PlotCase{{.hscroll = 6}, {"Hscroll.enabled 0", "Hscroll.value 0", "Hscroll changed",
             "Hscroll.enabled 0", "Hscroll.value 0"}, 2 * 498, {}, {seg(0, 498, 0, 499)}, 2},
    PlotCase{{.time = 13, .hscroll = 40}, {"Hscroll.enabled 1", "Hscroll.maximum 8",
             "Hscroll changed", "Hscroll.enabled 1", "Hscroll.maximum 8", "Hscroll.smallChange 1",
             "Hscroll.largeChange 5", "Hscroll.smallChange 1", "Hscroll.largeChange 5"}, 2 * 178,
             {seg(0, 321, 2, 322)}, {seg(442, 498, 445, 499)}, 2}));

INSTANTIATE_TEST_SUITE_P(TimeBases, TimeLabel, ::testing::Values(
    std::tuple{8, 0, 5, " 100 msec"}, std::tuple{13, 995, 0, " 995 msec"},  // not 99,99999, 995,0001
    std::tuple{13, 995, 5, " 1 sec"}, std::tuple{4, 0, 3, " 600 msec"}, std::tuple{4, 0, 5, " 1 sec"},
    std::tuple{3, 0, 3, " 1,5 sec"}, std::tuple{11, 4, 1, " 12,5 msec"}, std::tuple{0, 2, 5, " 35 sec"},
    std::tuple{5, 31000, 5, " 3100,5 sec"}, std::tuple{-1, 0, 3, " 0 msec"}));

INSTANTIATE_TEST_SUITE_P(Sizes, Graticule, ::testing::Values(
    // Design size: centre 271.5, axis 272 (-240.5 to even), level from the centre, not the axis.
    GridCase{704, 543, 100, true, true, 12, 137, {lineCall(0, 171.5f, 504, 171.5f, B),
             lineCall(0, 471.5f, 504, 471.5f, B), lineCall(501, 0, 501, 543, B), pointCall(1, 0, B),
             pointCall(501, 0, B), lineCall(0, 272, 504, 272, G), lineCall(10, 277, 10, 266, G),
             lineCall(500, 292, 500, 252, G), lineCall(0, 1.5f, 5, 1.5f, G), lineCall(0, 215.5f, 504, 215.5f, Y)}},
    GridCase{704, 600, 178, true, false, 14, 145, {lineCall(0, 0, 504, 0, B), lineCall(0, 600, 504, 600, B),
             lineCall(0, 300, 504, 300, G), lineCall(0, 0, 10, 0, G), lineCall(0, 600, 10, 600, G),
             lineCall(0, 500, 504, 500, Y)}},
    GridCase{704, 600, 37, false, false, 14, 145, {}}));  // the level line hidden
// clang-format on

}  // namespace
}  // namespace kalvira::testing
