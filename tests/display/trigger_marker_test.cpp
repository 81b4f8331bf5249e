#include <gtest/gtest.h>

#include <vector>

#include "display/recording_surface.h"
#include "display/redraw.h"
#include "display/trigger_marker.h"
#include "fake_redraw_host.h"
#include "surface_calls.h"

namespace kalvira::display {
namespace {

using testing::FakeRedrawHost;

std::vector<SurfaceCall> markersOf(FakeRedrawHost &host, float height) {
    RecordingSurface surface(704.0f, height);
    Koord_rendszer_rajzolasa(host, surface);
    return testing::callsOf(surface.calls(), SurfaceCall::Kind::Line, kTriggerColour);
}

struct MarkerCase {
    float height;
    std::int16_t trigLevel;
    bool voltsPerDiv2;
    float y;
};

class TriggerMarkerTest : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(TriggerMarkerTest, OneYellowLineAcrossThePlotAtTheLevel) {
    const MarkerCase &c = GetParam();
    FakeRedrawHost host;
    host.trigVisibleTicked = true;
    host.trigLevel = c.trigLevel;
    host.voltsPerDiv2Ticked = c.voltsPerDiv2;
    EXPECT_EQ(markersOf(host, c.height),
              (std::vector<SurfaceCall>{testing::lineCall(0, c.y, 504, c.y, kTriggerColour)}));
    EXPECT_EQ(host.triglevel, c.trigLevel * 4);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, TriggerMarkerTest,
    ::testing::Values(MarkerCase{600, 128, false, 300},  // 512 lies on the axis
                      MarkerCase{600, 128, true, 300},   //
                      MarkerCase{600, 178, false, 500},  // 712
                      MarkerCase{600, 178, true, 400},   // halved toward the centre
                      MarkerCase{600, 78, true, 200},    // 312
                      MarkerCase{600, 1, false, -208},   // 4: above the top edge
                      MarkerCase{600, 254, false, 804},  // 1016: below the bottom edge
                      // From MidY itself: half a unit below where a sample of 512 is drawn.
                      MarkerCase{601, 128, false, 300.5f},  //
                      MarkerCase{543, 100, false, 159.5f},  // initial window and bar
                      MarkerCase{543, 100, true, 215.5f}));

TEST(TriggerMarker, OnAnOddHeightTheSampleOfTheSameValueLiesHalfAUnitAway) {
    FakeRedrawHost host;
    host.trigVisibleTicked = true;
    host.trigLevel = 128;
    host.meresVegeFlag = -1;
    host.timeOption = 13;  // 1 msec per division: samples 2.5 units apart
    host.sampleScroll.value = 1;
    host.record.fill(512);
    RecordingSurface surface(704.0f, 601.0f);
    Koord_rendszer_rajzolasa(host, surface);
    const auto trace = testing::callsOf(surface.calls(), SurfaceCall::Kind::Line, kTraceColour);
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.front().y1, 300.0f);
    EXPECT_EQ(testing::callsOf(surface.calls(), SurfaceCall::Kind::Line, kTriggerColour).front().y1,
              300.5f);
}

TEST(TriggerMarker, HiddenMarkerStillFollowsTheBar) {
    FakeRedrawHost host;
    host.trigVisibleTicked = false;
    host.trigLevel = 37;
    EXPECT_TRUE(markersOf(host, 600).empty());
    EXPECT_EQ(host.triglevel, 148);

    host.trigLevel = 200;
    EXPECT_TRUE(markersOf(host, 600).empty());
    EXPECT_EQ(host.triglevel, 800);
}

TEST(TriggerMarker, DrawnAfterTheTicksAndBeforeTheControlsAreLaidOut) {
    RecordingSurface surface(704.0f, 600.0f);
    int markersWhenLaidOut = -1;
    struct LayoutSpy : FakeRedrawHost {
        std::function<void()> onLayout;
        void layoutControls() override { onLayout(); }
    } spy;
    spy.trigVisibleTicked = true;
    spy.onLayout = [&] {
        markersWhenLaidOut = static_cast<int>(
            testing::callsOf(surface.calls(), SurfaceCall::Kind::Line, kTriggerColour).size());
    };
    Koord_rendszer_rajzolasa(spy, surface);
    EXPECT_EQ(markersWhenLaidOut, 1);
    // The last green call (a vertical-axis tick) comes before the yellow line.
    const auto &calls = surface.calls();
    std::size_t lastGreen = 0, yellow = 0;
    for (std::size_t k = 0; k < calls.size(); ++k) {
        if (calls[k].colour == kAxisColour) lastGreen = k;
        if (calls[k].colour == kTriggerColour) yellow = k;
    }
    EXPECT_LT(lastGreen, yellow);
}

TEST(TriggerMarkerY, HalvesTheDistanceFromTheCentre) {
    EXPECT_EQ(triggerMarkerY(712, 271.5f, false), 471.5f);
    EXPECT_EQ(triggerMarkerY(712, 271.5f, true), 371.5f);
    EXPECT_EQ(triggerMarkerY(312, 271.5f, true), 171.5f);
}

}  // namespace
}  // namespace kalvira::display
