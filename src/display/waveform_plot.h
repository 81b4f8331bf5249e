#pragma once

#include <cstdint>

#include "time_base.h"

namespace kalvira::display {

class DrawingSurface;
class RedrawHost;

// Samples per drawing unit of a time base and sample rate. The six settings with a nominal 10
// samples per division come out of the product on either side of 0.1 and are snapped to 0.1.
// 0 when either group has no selection.
float samplesPerUnit(Scales scales);

// Divisions the record of n samples spans at spu samples per unit, rounded up.
std::int32_t recordDivisions(std::int16_t n, float spu);

// Whole divisions that fit into a plot width of plotWidth units, rounded down (negative for a
// window narrower than the control band).
std::int32_t screenDivisions(float plotWidth);

// The plot step of the redraw. While the host holds a complete record (MeresVege = -1), sets up
// the horizontal scroll bar for the record at this time base (disabled with value 0 when the
// record fits; else enabled with maximum, small and large change, in that order; either may run
// a nested redraw), then draws the record in red from the division the bar selects to the right
// end of the plot: segments for "Line", 2 x 2 dots for "Dot", the style read afresh on every
// pass, heights halved toward midY with "V/Div 1:2". Only samples 1..N of the record are ever
// read; a segment or dot that would need a sample beyond the record is left out. With no time
// base or no sample rate selected it draws nothing and leaves the bar alone.
void plotWaveform(RedrawHost &host, DrawingSurface &surface, float midY,
                  std::int16_t koordinataKorrekcio, Scales scales);

}  // namespace kalvira::display
