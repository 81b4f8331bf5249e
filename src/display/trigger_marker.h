#pragma once

#include <cstdint>

namespace kalvira::display {

class DrawingSurface;
class RedrawHost;

// Recomputes triglevel from the trigger level bar and, while "Visible" is ticked, draws the
// yellow level line.
void drawTriggerMarker(RedrawHost &host, DrawingSurface &surface, float midY);

}  // namespace kalvira::display
