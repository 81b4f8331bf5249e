#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <cstdint>
#include <span>

#include "settings/scope_settings.h"

namespace kalvira::ui {

// The reference drawn alone on a picture of size, exactly as the redraw would draw it as the
// trace with the settings on screen (time base, scroll, V/Div 1:2, line style): its pixels in
// the trace's colour on the background.
QImage referencePlot(const settings::ScopeSettings &onScreen,
                     std::span<const std::int16_t> reference, QSize size);

// What the reference adds to the picture: colour where plot has a trace pixel and the picture
// shows background, transparent everywhere else. The reference so lies under everything drawn
// (the trace, the graticule, the axis, the level marker): where it coincides with the trace, the
// trace shows, so a record over itself leaves the picture as it was.
QImage referenceLayer(const QImage &picture, const QImage &plot, QColor colour);

}  // namespace kalvira::ui
