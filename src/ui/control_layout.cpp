#include "control_layout.h"

namespace kalvira::ui {

ControlLayout computeControlLayout(float sw, float sh, const LayoutSizes &s) {
    ControlLayout layout;
    layout.kilepes = {sw - 100.0f, sh - 40.0f};
    layout.start = {sw - 200.0f, sh - 40.0f};
    layout.stp = {sw - 300.0f, sh - 40.0f};

    layout.trigFrame = {sw - s.trigFrame.width, 0.0f};
    layout.sampleTime = {sw - s.sampleTime.width, s.trigFrame.height};
    layout.samples = {sw - s.samples.width, s.sampleTime.height + s.trigFrame.height};

    // The second column shares one left edge: the first column is taken as SampleTime's width.
    const float secondColumnLeft = sw - (s.timeFrame.width + s.sampleTime.width);
    layout.comFrame = {secondColumnLeft, s.timeFrame.height};
    layout.trigLevelFrame = {secondColumnLeft, s.comFrame.height + s.timeFrame.height};
    layout.timeFrame = {secondColumnLeft, 0.0f};

    layout.hscrollLeft = sw - s.hscroll.width;
    layout.lineStyleLeft = sw - s.lineStyle.width - s.voltsPerDiv.width;
    layout.voltsPerDivLeft = sw - s.voltsPerDiv.width;
    layout.progress = {sw - 196.0f, sh - 62.0f};
    return layout;
}

}  // namespace kalvira::ui
