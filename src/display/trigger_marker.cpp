#include "trigger_marker.h"

#include "common/link_facts.h"
#include "drawing_surface.h"
#include "redraw_host.h"

namespace kalvira::display {

float triggerMarkerY(std::int16_t triglevel, float midY, bool voltsPerDiv2) {
    const float level = static_cast<float>(triglevel);
    if (voltsPerDiv2) return (2.0f * midY + level - 512.0f) / 2.0f;
    return level + midY - 512.0f;
}

void drawTriggerMarker(RedrawHost &host, DrawingSurface &surface, float midY) {
    const auto triglevel =
        static_cast<std::int16_t>(host.settings().triggerLevel * kTriggerLevelStep);
    host.setTriggerLevelSamples(triglevel);
    if (!host.settings().triggerMarker) return;
    const float y = triggerMarkerY(triglevel, midY, host.settings().halfHeight);
    surface.line(0.0f, y, plotRight(surface), y, kTriggerColour);
}

}  // namespace kalvira::display
