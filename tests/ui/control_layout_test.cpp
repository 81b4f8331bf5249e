#include "ui/control_layout.h"

#include <gtest/gtest.h>

#include <array>

namespace kalvira::ui {
namespace {

// The controls' design sizes in pixels, and the design tops of the three that only move sideways.
const LayoutSizes kDesign{{97, 81}, {97, 273}, {97, 65},  {97, 241},
                          {97, 57}, {193, 17}, {105, 33}, {89, 33}};
constexpr ControlSize kButton{81, 33}, kTrigLevelFrame{97, 121};

struct Box {
    float left, top, width, height;
    float right() const { return left + width; }
    float bottom() const { return top + height; }
};
Box box(ControlPosition at, ControlSize size) {
    return {at.left, at.top, size.width, size.height};
}

class ControlLayoutTest : public ::testing::TestWithParam<std::pair<float, float>> {};

TEST_P(ControlLayoutTest, ColumnsStackRowsMeetAtTheRightEdgeAndEverythingIsInside) {
    const auto [sw, sh] = GetParam();
    const ControlLayout l = computeControlLayout(sw, sh, kDesign);
    const Box trig = box(l.trigFrame, kDesign.trigFrame),
              sampleTime = box(l.sampleTime, kDesign.sampleTime),
              samples = box(l.samples, kDesign.samples), time = box(l.timeFrame, kDesign.timeFrame),
              com = box(l.comFrame, kDesign.comFrame),
              level = box(l.trigLevelFrame, kTrigLevelFrame), hscroll{l.hscrollLeft, 416, 193, 17},
              lineStyle{l.lineStyleLeft, 432, 105, 33}, volts{l.voltsPerDivLeft, 432, 89, 33},
              stp = box(l.stp, kButton), start = box(l.start, kButton),
              kilepes = box(l.kilepes, kButton);
    // Each column starts at the top, each frame where the one above it ends, on one left edge.
    for (const auto &column :
         {std::array{trig, sampleTime, samples}, std::array{time, com, level}}) {
        EXPECT_EQ(column[0].top, 0);
        for (int i = 1; i < 3; ++i)
            EXPECT_TRUE(column[i].top == column[i - 1].bottom() &&
                        column[i].left == column[0].left);
    }
    EXPECT_EQ(std::tuple(trig.right(), time.right()), std::tuple(sw, trig.left));  // flush
    // The buttons 300, 200 and 100 left of the right edge, 40 above the bottom; rows side by side.
    EXPECT_EQ(std::tuple(stp.left, start.left, kilepes.left, kilepes.top),
              std::tuple(sw - 300, sw - 200, sw - 100, sh - 40));
    for (const auto &[left, right] : {std::pair{stp, start}, {start, kilepes}, {lineStyle, volts}})
        EXPECT_TRUE(left.right() <= right.left && left.top == right.top);
    EXPECT_EQ(std::tuple(lineStyle.right(), volts.right(), hscroll.right()),
              std::tuple(volts.left, sw, sw));
    for (const Box &b : {trig, sampleTime, samples, time, com, level, hscroll, lineStyle, volts,
                         stp, start, kilepes})
        EXPECT_TRUE(b.left >= 0 && b.top >= 0 && b.right() <= sw && b.bottom() <= sh);
}
// The design client area, as the window opens, and a large screen.
INSTANTIATE_TEST_SUITE_P(Sizes, ControlLayoutTest,
                         ::testing::Values(std::pair(704.0f, 543.0f), std::pair(2560.0f, 1440.0f)));

}  // namespace
}  // namespace kalvira::ui
