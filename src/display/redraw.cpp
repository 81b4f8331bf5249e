#include "redraw.h"

#include "drawing_surface.h"
#include "graticule.h"
#include "plot_mapping.h"
#include "redraw_host.h"
#include "time_base.h"
#include "trigger_marker.h"
#include "waveform_plot.h"

namespace kalvira::display {

void Koord_rendszer_rajzolasa(RedrawHost &host, DrawingSurface &surface) {
    const float midY = surface.scaleHeight() / 2.0f;
    const std::int16_t koordinataKorrekcio = koordinataKorrekcioFor(midY);
    host.setVerticalCorrection(koordinataKorrekcio);

    surface.clear();
    surface.setDrawMode(kDrawModeCopyPen);

    drawHorizontalGraticule(surface, midY);
    applyRecordLengthLimits(host);
    const Scales scales = selectScales(host);
    drawVerticalGraticule(surface, [&](float x) {
        printTimeLabel(surface, x, static_cast<std::int16_t>(host.settings().scrollDivisions),
                       scales.timeScale);
    });
    drawAxisAndTicks(surface, midY, koordinataKorrekcio);
    drawTriggerMarker(host, surface, midY);
    host.layoutControls();
    plotWaveform(host, surface, midY, koordinataKorrekcio, scales);
}

}  // namespace kalvira::display
