#pragma once

#include <cstdint>

namespace kalvira::display {

class DrawingSurface;
class RedrawHost;

// Scale factors of one redraw, derived from the time base and the sample rate.
struct Scales {
    float timeScale = 0.0f;  // seconds per division; 0 with no time base selected
    float rateScale = 0.0f;  // samples per second / 100; 0 with no sample rate selected
};

// Holds the record length within what the two slowest combinations can show; lowering the
// scroll bar's value runs its change handler (and a nested redraw) at once.
void applyRecordLengthLimits(RedrawHost &host);

// The scale factors of the selected time base and sample rate.
Scales selectScales(const RedrawHost &host);

// Prints the time label of the vertical graticule line at x, scrolled by hscrollValue divisions.
void printTimeLabel(DrawingSurface &surface, float x, std::int16_t hscrollValue, float timeScale);

}  // namespace kalvira::display
