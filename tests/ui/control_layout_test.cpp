#include "ui/control_layout.h"

#include <gtest/gtest.h>

namespace kalvira::ui {
namespace {

// The design sizes of the placed frames and bars, in pixels.
const LayoutSizes kDesignSizes{.trigFrame = {97, 81},
                               .sampleTime = {97, 273},
                               .samples = {97, 65},
                               .timeFrame = {97, 241},
                               .comFrame = {97, 57},
                               .hscroll = {193, 17},
                               .lineStyle = {105, 33},
                               .voltsPerDiv = {89, 33}};

TEST(ControlLayout, DesignSizeReproducesTheDesignPlaces) {
    const ControlLayout layout = computeControlLayout(704, 543, kDesignSizes);
    EXPECT_EQ(layout.kilepes, (ControlPosition{604, 503}));
    EXPECT_EQ(layout.start, (ControlPosition{504, 503}));
    EXPECT_EQ(layout.stp, (ControlPosition{404, 503}));
    EXPECT_EQ(layout.trigFrame, (ControlPosition{607, 0}));
    EXPECT_EQ(layout.sampleTime, (ControlPosition{607, 81}));
    EXPECT_EQ(layout.samples, (ControlPosition{607, 354}));
    EXPECT_EQ(layout.timeFrame, (ControlPosition{510, 0}));
    EXPECT_EQ(layout.comFrame, (ControlPosition{510, 241}));
    EXPECT_EQ(layout.trigLevelFrame, (ControlPosition{510, 298}));
    EXPECT_EQ(layout.hscrollLeft, 511);
    EXPECT_EQ(layout.lineStyleLeft, 510);
    EXPECT_EQ(layout.voltsPerDivLeft, 615);
}

TEST(ControlLayout, LargerWindowKeepsEverythingOnTheRightAndBottomEdges) {
    const ControlLayout layout = computeControlLayout(1000, 800, kDesignSizes);
    EXPECT_EQ(layout.kilepes, (ControlPosition{900, 760}));
    EXPECT_EQ(layout.start, (ControlPosition{800, 760}));
    EXPECT_EQ(layout.stp, (ControlPosition{700, 760}));
    EXPECT_EQ(layout.trigFrame, (ControlPosition{903, 0}));
    EXPECT_EQ(layout.samples, (ControlPosition{903, 354}));
    EXPECT_EQ(layout.trigLevelFrame, (ControlPosition{806, 298}));
    EXPECT_EQ(layout.hscrollLeft, 807);
    EXPECT_EQ(layout.lineStyleLeft, 806);
    EXPECT_EQ(layout.voltsPerDivLeft, 911);
}

TEST(ControlLayout, HeightOnlyChangeMovesOnlyTheThreeButtons) {
    const ControlLayout before = computeControlLayout(704, 543, kDesignSizes);
    ControlLayout after = computeControlLayout(704, 400, kDesignSizes);
    EXPECT_EQ(after.kilepes.top, 360);
    EXPECT_EQ(after.start.top, 360);
    EXPECT_EQ(after.stp.top, 360);
    after.kilepes = before.kilepes;
    after.start = before.start;
    after.stp = before.stp;
    EXPECT_EQ(after, before);
}

TEST(ControlLayout, WidthOnlyChangeMovesEverythingSidewaysAndNothingVertically) {
    const ControlLayout before = computeControlLayout(704, 543, kDesignSizes);
    const ControlLayout after = computeControlLayout(604, 543, kDesignSizes);
    const ControlPosition ControlLayout::*placed[] = {
        &ControlLayout::kilepes,   &ControlLayout::start,          &ControlLayout::stp,
        &ControlLayout::trigFrame, &ControlLayout::sampleTime,     &ControlLayout::samples,
        &ControlLayout::comFrame,  &ControlLayout::trigLevelFrame, &ControlLayout::timeFrame};
    for (auto member : placed) {
        EXPECT_EQ((after.*member).left, (before.*member).left - 100);
        EXPECT_EQ((after.*member).top, (before.*member).top);
    }
    EXPECT_EQ(after.hscrollLeft, before.hscrollLeft - 100);
}

TEST(ControlLayout, NarrowWindowIsNotClamped) {
    const ControlLayout layout = computeControlLayout(250, 30, kDesignSizes);
    EXPECT_EQ(layout.stp, (ControlPosition{-50, -10}));
    EXPECT_EQ(layout.timeFrame.left, 56);
}

}  // namespace
}  // namespace kalvira::ui
