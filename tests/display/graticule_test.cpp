#include "display/graticule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "display/drawing_surface.h"
#include "display/recording_surface.h"
#include "surface_calls.h"

namespace kalvira::display {
namespace {

using testing::callsOf;
using testing::lineCall;
using testing::pointCall;
using Kind = SurfaceCall::Kind;

std::vector<SurfaceCall> horizontalLines(float sw, float sh, float midY) {
    RecordingSurface surface(sw, sh);
    drawHorizontalGraticule(surface, midY);
    return surface.calls();
}

TEST(HorizontalGraticule, EvenHeightPutsLinesOnWholeHundredsWithTheCentreTwice) {
    const auto calls = horizontalLines(704, 600, 300);
    const std::vector<SurfaceCall> expected = {
        lineCall(0, 300, 504, 300, kGraticuleColour), lineCall(0, 200, 504, 200, kGraticuleColour),
        lineCall(0, 100, 504, 100, kGraticuleColour), lineCall(0, 0, 504, 0, kGraticuleColour),
        lineCall(0, 300, 504, 300, kGraticuleColour), lineCall(0, 400, 504, 400, kGraticuleColour),
        lineCall(0, 500, 504, 500, kGraticuleColour), lineCall(0, 600, 504, 600, kGraticuleColour)};
    EXPECT_EQ(calls, expected);
}

TEST(HorizontalGraticule, OddHeightPutsLinesOnHalves) {
    const auto calls = horizontalLines(704, 601, 300.5f);
    std::vector<float> ys;
    for (const auto &call : calls) ys.push_back(call.y1);
    EXPECT_EQ(ys,
              (std::vector<float>{300.5f, 200.5f, 100.5f, 0.5f, 300.5f, 400.5f, 500.5f, 600.5f}));
}

TEST(HorizontalGraticule, NegativePlotWidthRunsTheLinesLeftOfTheOrigin) {
    const auto calls = horizontalLines(150, 600, 300);
    ASSERT_FALSE(calls.empty());
    for (const auto &call : calls) {
        EXPECT_EQ(call.x1, 0);
        EXPECT_EQ(call.x2, -50);
    }
}

std::vector<SurfaceCall> verticalLines(float sw, float sh, std::vector<float> *labelled) {
    RecordingSurface surface(sw, sh);
    drawVerticalGraticule(surface, [&](float x) {
        labelled->push_back(x);
        surface.print(x, "label");
    });
    return surface.calls();
}

TEST(VerticalGraticule, EachLineHasAPointAndALabelAtItsTop) {
    std::vector<float> labelled;
    const auto calls = verticalLines(704, 543, &labelled);
    ASSERT_EQ(calls.size(), 6u * 3u);
    for (int k = 0; k < 6; ++k) {
        const float x = 100.0f * static_cast<float>(k) + 1.0f;
        EXPECT_EQ(calls[3 * k], lineCall(x, 0, x, 543, kGraticuleColour));
        EXPECT_EQ(calls[3 * k + 1], pointCall(x, 0, kGraticuleColour));
        EXPECT_EQ(calls[3 * k + 2].kind, Kind::Print);
    }
    EXPECT_EQ(labelled, (std::vector<float>{1, 101, 201, 301, 401, 501}));
}

TEST(VerticalGraticule, APlotOneDivisionWideHasOneLine) {
    std::vector<float> labelled;
    verticalLines(300, 600, &labelled);
    EXPECT_EQ(labelled, (std::vector<float>{1}));
}

TEST(VerticalGraticule, APlotNarrowerThanOneUnitHasNoLineAndNoLabel) {
    for (float sw : {200.0f, 200.5f, 150.0f}) {
        std::vector<float> labelled;
        EXPECT_TRUE(verticalLines(sw, 600, &labelled).empty()) << sw;
        EXPECT_TRUE(labelled.empty());
    }
}

std::vector<SurfaceCall> axisAndTicks(float sw, float sh) {
    RecordingSurface surface(sw, sh);
    const float midY = sh / 2;
    const auto korrekcio = static_cast<std::int16_t>(std::nearbyint(midY - 512));
    drawAxisAndTicks(surface, midY, korrekcio);
    return surface.calls();
}

// Time-axis ticks are the green lines with x1 == x2 that cross the axis.
std::vector<SurfaceCall> timeTicks(const std::vector<SurfaceCall> &calls) {
    std::vector<SurfaceCall> ticks;
    for (std::size_t k = 1; k < calls.size(); ++k) {
        if (calls[k].x1 == calls[k].x2) ticks.push_back(calls[k]);
    }
    return ticks;
}

TEST(AxisAndTicks, AxisFollowsTheRoundedCentre) {
    struct Case {
        float sh;
        float axisY;
    };
    // 300.5 - 512 = -211.5 rounds to the even -212; 301.5 - 512 = -210.5 rounds to -210.
    for (const Case c : {Case{600, 300}, Case{601, 300}, Case{603, 302}}) {
        const auto calls = axisAndTicks(704, c.sh);
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls[0], lineCall(0, c.axisY, 504, c.axisY, kAxisColour)) << c.sh;
    }
}

TEST(AxisAndTicks, TimeTicksComeInThreePassesWithTheShortOnesAsymmetric) {
    const auto ticks = timeTicks(axisAndTicks(300, 600));  // plot 100 wide, axis at 300
    std::vector<SurfaceCall> expected;
    for (int x = 0; x <= 100; x += 10) expected.push_back(lineCall(x, 305, x, 294, kAxisColour));
    for (int x = 0; x <= 100; x += 50) expected.push_back(lineCall(x, 310, x, 290, kAxisColour));
    for (int x = 0; x <= 100; x += 100) expected.push_back(lineCall(x, 320, x, 280, kAxisColour));
    EXPECT_EQ(ticks, expected);
}

TEST(AxisAndTicks, ZeroPlotWidthGivesOneTickPerPassAndNegativeGivesNone) {
    EXPECT_EQ(timeTicks(axisAndTicks(200, 600)),
              (std::vector<SurfaceCall>{lineCall(0, 305, 0, 294, kAxisColour),
                                        lineCall(0, 310, 0, 290, kAxisColour),
                                        lineCall(0, 320, 0, 280, kAxisColour)}));
    EXPECT_TRUE(timeTicks(axisAndTicks(199, 600)).empty());
}

TEST(AxisAndTicks, ValueTicksRunUpThenDownFromTheCentreOnFractionalRows) {
    const auto calls = axisAndTicks(704, 601);  // MidY 300.5
    std::vector<SurfaceCall> valueTicks;
    for (const auto &call : calls) {
        if (call.x1 == 0 && call.y1 == call.y2 && (call.x2 == 5 || call.x2 == 10)) {
            valueTicks.push_back(call);
        }
    }
    std::vector<SurfaceCall> expected;
    for (float y = 300.5f; y >= 0; y -= 10) expected.push_back(lineCall(0, y, 5, y, kAxisColour));
    for (float y = 300.5f; y >= 0; y -= 50) expected.push_back(lineCall(0, y, 10, y, kAxisColour));
    for (float y = 300.5f; y <= 601; y += 10) expected.push_back(lineCall(0, y, 5, y, kAxisColour));
    for (float y = 300.5f; y <= 601; y += 50)
        expected.push_back(lineCall(0, y, 10, y, kAxisColour));
    ASSERT_EQ(expected.size(), 31u + 7u + 31u + 7u);
    EXPECT_EQ(valueTicks, expected);
    EXPECT_EQ(valueTicks.front().y1, 300.5f);
    EXPECT_EQ(valueTicks[30].y1, 0.5f);
    EXPECT_EQ(valueTicks.back().y1, 600.5f);
}

TEST(AxisAndTicks, EverythingIsGreen) {
    const auto calls = axisAndTicks(704, 543);
    EXPECT_EQ(callsOf(calls, Kind::Line, kAxisColour).size(), calls.size());
}

}  // namespace
}  // namespace kalvira::display
