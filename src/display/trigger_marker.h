#pragma once

#include <cstdint>

namespace kalvira::display {

class DrawingSurface;
class RedrawHost;

// Recomputes triglevel (trigger level bar x 4, sample units 4..1016) on every redraw and, while
// "Visible" is ticked, draws the yellow level line from x = 0 to SW - 200 at the height where a
// sample of that value would lie, halved toward midY with "V/Div 1:2". The line is placed from
// midY itself, so with an odd height it lies half a unit from the samples of the same value.
void drawTriggerMarker(RedrawHost &host, DrawingSurface &surface, float midY);

// Height of the level line for triglevel (sample units) on a picture centred at midY.
float triggerMarkerY(std::int16_t triglevel, float midY, bool voltsPerDiv2);

}  // namespace kalvira::display
