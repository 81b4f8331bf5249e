#include "image_surface.h"

#include <QFontMetrics>
#include <QPen>
#include <QString>

#include "plain_number.h"

namespace kalvira::display {

QColor toQColor(Colour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

ImageSurface::ImageSurface(QColor background, QColor foreground, QFont font)
    : background_(background), foreground_(foreground), font_(std::move(font)) {}

ImageSurface::~ImageSurface() = default;

void ImageSurface::resize(int width, int height) {
    const int depth = depth_;
    painter_.reset();
    image_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image_.fill(background_);
    penColour_ = 0xFFFFFFFFu;
    if (depth > 0) painter();
}

void ImageSurface::begin() { ++depth_; }

void ImageSurface::end() {
    if (depth_ > 0 && --depth_ == 0) painter_.reset();
}

QPainter &ImageSurface::painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
        painter_->setFont(font_);
        penColour_ = 0xFFFFFFFFu;
    }
    return *painter_;
}

void ImageSurface::setPenColour(Colour colour) {
    if (colour == penColour_) return;
    QPen pen(toQColor(colour));
    pen.setWidth(0);
    pen.setCosmetic(true);
    painter().setPen(pen);
    penColour_ = colour;
}

void ImageSurface::clear() {
    if (depth_ > 0) {
        painter().fillRect(image_.rect(), background_);
    } else {
        image_.fill(background_);
    }
}

void ImageSurface::setDrawMode(int mode) {
    if (mode == kDrawModeCopyPen) {
        painter().setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void ImageSurface::line(float x1, float y1, float x2, float y2, Colour colour) {
    setPenColour(colour);
    painter().drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void ImageSurface::point(float x, float y, Colour colour) {
    setPenColour(colour);
    painter().drawPoint(QPointF(x, y));
    textPosition_ = QPointF(x, y);
}

void ImageSurface::print(float number, std::string_view text) {
    QPainter &p = painter();
    p.setPen(foreground_);
    penColour_ = 0xFFFFFFFFu;
    const QString label =
        QString::fromStdString(formatPlainNumber(number)) + QString::fromUtf8(text.data(), text.size());
    const QFontMetrics metrics(font_);
    p.drawText(QPointF(textPosition_.x(), textPosition_.y() + metrics.ascent()), label);
    textPosition_.setY(textPosition_.y() + metrics.height());
}

}  // namespace kalvira::display
