#pragma once

namespace kalvira::display {

class DrawingSurface;
class RedrawHost;

// Clears the drawing area and draws the whole picture again from the host's current settings and
// its last complete record: graticule, time labels, axis and ticks, trigger level marker, control
// layout and waveform. May be re-entered from inside itself through a scroll-bar change.
void Koord_rendszer_rajzolasa(RedrawHost &host, DrawingSurface &surface);

}  // namespace kalvira::display
