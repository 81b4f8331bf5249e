#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/recording_surface.h"
#include "display/redraw.h"
#include "fake_redraw_host.h"
#include "surface_calls.h"

namespace kalvira::display {
namespace {

using testing::FakeRedrawHost;
using Kind = SurfaceCall::Kind;

// A window whose scroll-bar handlers redraw at once, nested in the change, as the real one's do.
struct NestingWindow {
    FakeRedrawHost host;
    RecordingSurface surface{704.0f, 543.0f};
    int redraws = 0;
    int depth = 0;
    int deepest = 0;

    NestingWindow() {
        host.meresVegeFlag = -1;
        for (int k = 1; k <= kRecordLastPosition; ++k) {
            host.record[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(k % 1000);
        }
        host.onHscrollChange = [this] { redraw(); };
        host.onSampleScrollChange = [this] {
            host.meresVegeFlag = 0;
            redraw();
        };
    }
    void redraw() {
        ++redraws;
        deepest = std::max(deepest, ++depth);
        Koord_rendszer_rajzolasa(host, surface);
        --depth;
    }
    // What stays on screen: everything after the last clear.
    std::vector<SurfaceCall> picture() const {
        const auto &calls = surface.calls();
        return {calls.begin() + static_cast<std::ptrdiff_t>(testing::lastClear(calls)),
                calls.end()};
    }
};

TEST(RedrawNesting, ARecordThatNowFitsResetsTheViewThroughANestedRedraw) {
    NestingWindow window;
    window.host.timeOption = 13;  // "1msec/Div.": 500 samples span 13 divisions
    window.host.sampleScroll.value = 5;
    window.host.hscroll = {.enabled = true, .minimum = 0, .maximum = 8, .value = 6};
    window.host.timeOption = 0;  // the user picks "5sec/Div.": the record fits
    window.redraw();

    EXPECT_EQ(window.redraws, 2);
    EXPECT_EQ(window.deepest, 2);
    EXPECT_FALSE(window.host.hscroll.enabled);
    EXPECT_EQ(window.host.hscroll.value, 0);
    EXPECT_EQ(window.host.log,
              (std::vector<std::string>{"Hscroll.enabled 0", "Hscroll.value 0", "Hscroll changed",
                                        "Hscroll.enabled 0", "Hscroll.value 0"}));

    // The nested redraw's labels stand from 0; the outer one then draws the trace over its
    // picture, from the view the bar now shows.
    const auto picture = window.picture();
    const auto labels = testing::printsOf(picture);
    ASSERT_EQ(labels.size(), 6u);
    EXPECT_EQ(labels[0].number, 0.0f);
    const auto trace = testing::callsOf(picture, Kind::Line, kTraceColour);
    ASSERT_EQ(trace.size(), 2u * 498u);  // nested and outer trace, samples 1 to 499 each
    EXPECT_EQ(trace[498], testing::lineCall(0, 1 - 240, 0, 2 - 240, kTraceColour));
}

TEST(RedrawNesting, ALowerMaximumBringsTheViewDownAndRedrawsNested) {
    NestingWindow window;
    window.host.timeOption = 13;
    window.host.sampleScroll.value = 5;  // 13 divisions, 5 on screen: maximum 8
    window.host.hscroll = {.enabled = true, .minimum = 0, .maximum = 100, .value = 40};
    window.redraw();

    EXPECT_EQ(window.redraws, 2);
    EXPECT_EQ(window.host.hscroll.value, 8);
    const auto labels = testing::printsOf(window.picture());
    ASSERT_EQ(labels.size(), 6u);
    EXPECT_EQ(labels[0].number, 8.0f);
    const auto trace = testing::callsOf(window.picture(), Kind::Line, kTraceColour);
    ASSERT_FALSE(trace.empty());
    // Scrolled to the end: 320 samples in, both passes start with sample 321.
    EXPECT_EQ(trace.front(), testing::lineCall(0, 321 - 240, 2, 322 - 240, kTraceColour));
}

TEST(RedrawNesting, TheRecordLengthLimitDiscardsTheRecordAndNestingStops) {
    NestingWindow window;
    window.host.timeOption = 13;
    window.host.sampleRate = 7;  // "5msec/ 200SPS": at most 6400 samples
    window.host.sampleScroll.value = 100;
    window.host.hscroll = {.enabled = true, .minimum = 0, .maximum = 31000, .value = 25};
    window.redraw();

    EXPECT_EQ(window.redraws, 2);
    EXPECT_EQ(window.host.sampleScroll.value, 64);
    EXPECT_EQ(window.host.meresVegeFlag, 0);
    // Neither redraw plotted, so the horizontal bar is as it was.
    EXPECT_EQ(window.host.hscroll.value, 25);
    EXPECT_EQ(window.host.hscroll.maximum, 31000);
    EXPECT_TRUE(testing::callsOf(window.surface.calls(), Kind::Line, kTraceColour).empty());
}

TEST(RedrawNesting, NothingToChangeMeansOneRedraw) {
    NestingWindow window;
    window.host.timeOption = 13;
    window.host.sampleScroll.value = 5;
    window.host.hscroll = {.enabled = true, .minimum = 0, .maximum = 8, .value = 3};
    window.redraw();
    EXPECT_EQ(window.redraws, 1);
    EXPECT_EQ(window.host.hscroll.value, 3);
}

TEST(Redraw, ASecondRedrawDrawsTheSamePicture) {
    NestingWindow window;
    window.host.timeOption = 13;
    window.host.sampleScroll.value = 5;
    window.host.trigVisibleTicked = true;
    window.redraw();
    const auto first = window.surface.calls();
    window.surface.forget();
    window.redraw();
    EXPECT_EQ(window.surface.calls(), first);
}

TEST(Redraw, LaysOutTheControlsOncePerRedraw) {
    NestingWindow window;
    window.redraw();
    EXPECT_EQ(window.host.layoutCount, 1);
}

}  // namespace
}  // namespace kalvira::display
