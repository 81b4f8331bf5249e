#include "reference_overlay.h"

#include <QPainter>

namespace kalvira::ui {

ReferenceOverlay::ReferenceOverlay(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("referenceOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QColor ReferenceOverlay::colour() {
    return {0x00, 0x8C, 0x8C};
}

void ReferenceOverlay::showLayer(QImage layer) {
    layer_ = std::move(layer);
    update();
}

void ReferenceOverlay::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.drawImage(0, 0, layer_);
}

}  // namespace kalvira::ui
