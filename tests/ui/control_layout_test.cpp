#include "ui/control_layout.h"

#include <gtest/gtest.h>

namespace kalvira::ui {
namespace {

// The design sizes in pixels; Hscroll, LineStyle and VoltsPerDiv keep their design tops.
const LayoutSizes kDesign{{97, 81}, {97, 273}, {97, 65},  {97, 241},
                          {97, 57}, {193, 17}, {105, 33}, {89, 33}};

struct Box {
    ControlPosition at;
    ControlSize size;
    float right() const { return at.left + size.width; }
    float bottom() const { return at.top + size.height; }
};

class ControlLayoutTest : public ::testing::TestWithParam<std::pair<float, float>> {};

TEST_P(ControlLayoutTest, ColumnsStackRowsMeetAtTheRightEdgeAndEverythingIsInside) {
    const auto [sw, sh] = GetParam();
    const ControlLayout l = computeControlLayout(sw, sh, kDesign);
    const auto &d = kDesign;
    const Box trig{l.trigFrame, d.trigFrame}, sampleTime{l.sampleTime, d.sampleTime},
        samples{l.samples, d.samples}, time{l.timeFrame, d.timeFrame}, com{l.comFrame, d.comFrame},
        level{l.trigLevelFrame, {97, 121}}, hscroll{{l.hscrollLeft, 416}, d.hscroll},
        lineStyle{{l.lineStyleLeft, 432}, d.lineStyle},
        volts{{l.voltsPerDivLeft, 432}, d.voltsPerDiv}, stp{l.stp, {81, 33}},
        start{l.start, {81, 33}}, kilepes{l.kilepes, {81, 33}};
    EXPECT_EQ(std::pair(trig.at.top, time.at.top), std::pair(0.0f, 0.0f));
    for (const auto &[upper, lower] :
         {std::pair{trig, sampleTime}, {sampleTime, samples}, {time, com}, {com, level}})
        EXPECT_TRUE(lower.at.top == upper.bottom() && lower.at.left == upper.at.left);
    EXPECT_EQ(std::pair(trig.right(), time.right()), std::pair(sw, trig.at.left));  // flush
    EXPECT_EQ(std::tuple(stp.at.left, start.at.left, kilepes.at.left, kilepes.at.top),
              std::tuple(sw - 300, sw - 200, sw - 100, sh - 40));
    for (const auto &[left, right] : {std::pair{stp, start}, {start, kilepes}, {lineStyle, volts}})
        EXPECT_TRUE(left.right() <= right.at.left && left.at.top == right.at.top);
    EXPECT_EQ(std::tuple(lineStyle.right(), volts.right(), hscroll.right()),
              std::tuple(volts.at.left, sw, sw));
    for (const Box &b : {trig, sampleTime, samples, time, com, level, hscroll, lineStyle, volts,
                         stp, start, kilepes})
        EXPECT_TRUE(b.at.left >= 0 && b.at.top >= 0 && b.right() <= sw && b.bottom() <= sh);
}
// The design client area, as the window opens, and a large screen.
INSTANTIATE_TEST_SUITE_P(Sizes, ControlLayoutTest,
                         ::testing::Values(std::pair(704.0f, 543.0f), std::pair(2560.0f, 1440.0f)));

}  // namespace
}  // namespace kalvira::ui
