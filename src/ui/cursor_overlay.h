#pragma once

#include <QStringList>
#include <QWidget>
#include <optional>

#include "analysis/cursor_readings.h"
#include "display/plot_mapping.h"

namespace kalvira::ui {

// The four cursors as dashed lines over the plot, each with its tag, and their readout in the
// plot's top right corner. A child widget covering the plot: it paints only itself, so moving a
// cursor never redraws the picture, and hidden it leaves the picture exactly as it was. Mouse
// events pass through to the window, which does the dragging.
class CursorOverlay : public QWidget {
    Q_OBJECT
public:
    explicit CursorOverlay(QWidget *parent = nullptr);

    // Where the cursors stand, how the plot maps them, which one is selected and what the
    // readout says; repaints the overlay.
    void showCursors(const display::PlotMapping &mapping,
                     const analysis::CursorPositions &positions,
                     std::optional<analysis::CursorId> selected, const QStringList &readout);

    // The cursor whose line runs within a few pixels of point, time cursors before level ones.
    std::optional<analysis::CursorId> cursorNear(QPoint point) const;

    // The lines the readout box shows.
    const QStringList &readout() const { return readout_; }

    // The cursors' colour: none of the trace, the graticule, the axis or the level marker.
    static QColor colour();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    display::PlotMapping mapping_;
    analysis::CursorPositions positions_;
    std::optional<analysis::CursorId> selected_;
    QStringList readout_;
};

}  // namespace kalvira::ui
