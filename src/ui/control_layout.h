#pragma once

namespace kalvira::ui {

// Size of a control in pixels.
struct ControlSize {
    float width = 0;
    float height = 0;
};

// Top-left corner of a control in pixels; fractions are possible.
struct ControlPosition {
    float left = 0;
    float top = 0;
    bool operator==(const ControlPosition &) const = default;
};

// The sizes the placement reads.
struct LayoutSizes {
    ControlSize trigFrame, sampleTime, samples, timeFrame, comFrame, hscroll, lineStyle,
        voltsPerDiv;
};

// Where the controls against the right and bottom edges go for a client area of sw x sh pixels.
// Hscroll, LineStyle and VoltsPerDiv move sideways only: their tops stay as designed.
struct ControlLayout {
    ControlPosition kilepes, start, stp;
    ControlPosition trigFrame, sampleTime, samples;
    ControlPosition comFrame, trigLevelFrame, timeFrame;
    float hscrollLeft = 0, lineStyleLeft = 0, voltsPerDivLeft = 0;
    // The run's progress indicator, in the free band between the lower frames and the buttons.
    ControlPosition progress;
    bool operator==(const ControlLayout &) const = default;
};

// Buttons 40 above the bottom edge and 100/200/300 left of the right edge; two columns of frames
// in the top right corner; nothing is clamped. The progress indicator stands 22 above the buttons,
// 4 right of where the plot ends.
ControlLayout computeControlLayout(float sw, float sh, const LayoutSizes &sizes);

}  // namespace kalvira::ui
