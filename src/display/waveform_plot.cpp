#include "waveform_plot.h"

#include "drawing_surface.h"
#include "redraw_host.h"

namespace kalvira::display {

void plotWaveform(RedrawHost &, DrawingSurface &, float, std::int16_t, Scales) {}

}  // namespace kalvira::display
