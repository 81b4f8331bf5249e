#include "scroll_wheel.h"

#include <QEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <cstdlib>

namespace kalvira::ui {

namespace {

// One notch of a standard wheel, in eighths of a degree.
constexpr int kNotch = 120;

class WheelFilter : public QObject {
public:
    WheelFilter(QScrollBar *bar, WheelResponse response)
        : QObject(bar), bar_(bar), response_(response) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != bar_ || event->type() != QEvent::Wheel) return false;
        if (response_ == WheelResponse::SingleStep && bar_->isEnabled()) {
            step(*static_cast<QWheelEvent *>(event));
        }
        event->accept();
        return true;
    }

private:
    // Turning the wheel away from the user moves towards the start, as on any scroll bar; fine
    // wheels send parts of a notch, which add up to whole ones.
    void step(const QWheelEvent &wheel) {
        const QPoint angle = wheel.angleDelta();
        int delta = std::abs(angle.x()) > std::abs(angle.y()) ? angle.x() : angle.y();
        if (wheel.inverted()) delta = -delta;
        pending_ += delta;
        for (; pending_ >= kNotch; pending_ -= kNotch) {
            bar_->triggerAction(QAbstractSlider::SliderSingleStepSub);
        }
        for (; pending_ <= -kNotch; pending_ += kNotch) {
            bar_->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        }
    }

    QScrollBar *bar_;
    WheelResponse response_;
    int pending_ = 0;
};

}  // namespace

void setWheelResponse(QScrollBar *bar, WheelResponse response) {
    bar->installEventFilter(new WheelFilter(bar, response));
}

}  // namespace kalvira::ui
