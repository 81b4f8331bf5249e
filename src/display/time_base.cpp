#include "time_base.h"

#include "drawing_surface.h"
#include "redraw_host.h"

namespace kalvira::display {

void applyRecordLengthLimits(RedrawHost &) {}

Scales selectScales(const RedrawHost &) { return {}; }

void printTimeLabel(DrawingSurface &, float, std::int16_t, float) {}

}  // namespace kalvira::display
