#pragma once

#include <QImage>
#include <QWidget>

namespace kalvira::ui {

// The reference trace under the record on screen, in a dimmed colour of its own. The trace is
// drawn into the retained picture, so a widget over it cannot lie beneath the trace; instead the
// overlay paints the reference only on pixels where the picture shows its background
// (referenceLayer), and so it reads as under the trace, the graticule and the marker. A child
// widget: hidden, the picture is pixel for pixel as without it. Mouse events pass through.
class ReferenceOverlay : public QWidget {
    Q_OBJECT
public:
    explicit ReferenceOverlay(QWidget *parent = nullptr);

    // The layer to paint, the picture's size; repaints the overlay.
    void showLayer(QImage layer);

    // The reference's colour: a dimmed teal, none of the trace, the graticule, the axis, the
    // level marker, the cursors or the text.
    static QColor colour();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage layer_;
};

}  // namespace kalvira::ui
