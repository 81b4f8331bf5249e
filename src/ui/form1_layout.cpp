// The window's size and state: every change redraws, and the redraw places the controls against
// the window's edges.
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>

#include "common/rounding.h"
#include "control_layout.h"
#include "display/image_surface.h"
#include "form1.h"

namespace kalvira::ui {

namespace {

ControlSize sizeOf(const QWidget *widget) {
    return {static_cast<float>(widget->width()), static_cast<float>(widget->height())};
}

QPoint toPixels(ControlPosition position) {
    return {roundHalfEven(position.left), roundHalfEven(position.top)};
}

}  // namespace

void Form1::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    surface_->resize(width(), height());
    Form_Resize();
}

void Form1::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    // Minimising and restoring count as a resize, as every change of the window's state does.
    if (event->type() == QEvent::WindowStateChange) Form_Resize();
}

void Form1::layoutControls() {
    const LayoutSizes sizes{sizeOf(trig_frame), sizeOf(SampleTime), sizeOf(Samples),
                            sizeOf(TimeFrame),  sizeOf(ComFrame),   sizeOf(Hscroll),
                            sizeOf(LineStyle),  sizeOf(VoltsPerDiv)};
    const ControlLayout layout =
        computeControlLayout(surface_->scaleWidth(), surface_->scaleHeight(), sizes);
    Kilepes->move(toPixels(layout.kilepes));
    start->move(toPixels(layout.start));
    stp->move(toPixels(layout.stp));
    trig_frame->move(toPixels(layout.trigFrame));
    SampleTime->move(toPixels(layout.sampleTime));
    Samples->move(toPixels(layout.samples));
    ComFrame->move(toPixels(layout.comFrame));
    TrigLevelFrame->move(toPixels(layout.trigLevelFrame));
    TimeFrame->move(toPixels(layout.timeFrame));
    Hscroll->move(roundHalfEven(layout.hscrollLeft), Hscroll->y());
    LineStyle->move(roundHalfEven(layout.lineStyleLeft), LineStyle->y());
    VoltsPerDiv->move(roundHalfEven(layout.voltsPerDivLeft), VoltsPerDiv->y());
    progressBar_->move(toPixels(layout.progress));
}

}  // namespace kalvira::ui
