#pragma once

#include <cstdint>

#include "time_base.h"

namespace kalvira::display {

class DrawingSurface;
class RedrawHost;

// Sets up the horizontal scroll bar for the record and draws the record in red, when the host
// holds a complete record.
void plotWaveform(RedrawHost &host, DrawingSurface &surface, float midY,
                  std::int16_t koordinataKorrekcio, Scales scales);

}  // namespace kalvira::display
