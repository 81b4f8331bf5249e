#include "trigger_marker.h"

#include "drawing_surface.h"
#include "redraw_host.h"

namespace kalvira::display {

void drawTriggerMarker(RedrawHost &, DrawingSurface &, float) {}

}  // namespace kalvira::display
