#include "image_surface.h"

#include <QFontMetrics>
#include <QPen>
#include <QString>
#include <algorithm>

#include "common/rounding.h"
#include "plain_number.h"

namespace kalvira::display {

namespace {

// Far beyond any picture, near enough to zero to keep the rounding to int well defined.
constexpr float kCoordinateLimit = 1 << 24;

int toPixel(float coordinate) {
    const float bounded = std::clamp(coordinate, -kCoordinateLimit, kCoordinateLimit);
    // Most coordinates are whole already (every sample, every tick): no rounding needed.
    const auto whole = static_cast<int>(bounded);
    if (static_cast<float>(whole) == bounded) return whole;
    return roundHalfEven(bounded);
}

QFont withoutAntialiasing(QFont font) {
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// One operation outside a session is a session of its own.
class Session {
public:
    explicit Session(ImageSurface &surface) : surface_(surface) { surface_.begin(); }
    ~Session() { surface_.end(); }
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

private:
    ImageSurface &surface_;
};

}  // namespace

QColor toQColor(Colour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

ImageSurface::ImageSurface(QColor background, QColor foreground, QFont font)
    : background_(background),
      foreground_(foreground),
      font_(withoutAntialiasing(std::move(font))),
      fontAscent_(QFontMetrics(font_).ascent()),
      fontHeight_(QFontMetrics(font_).height()),
      image_(1, 1, QImage::Format_RGB32) {
    image_.fill(background_);
}

ImageSurface::~ImageSurface() = default;

void ImageSurface::resize(int width, int height) {
    collectedLines_.clear();
    painter_.reset();
    pixels_ = nullptr;
    image_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image_.fill(background_);
    if (depth_ > 0) openPainter();
}

void ImageSurface::begin() {
    if (depth_++ == 0) openPainter();
}

void ImageSurface::end() {
    if (depth_ == 0) return;
    if (--depth_ == 0) {
        paintCollected();
        painter_.reset();
        pixels_ = nullptr;
    }
}

void ImageSurface::setReferencePainting(bool reference) {
    if (depth_ > 0) paintCollected();
    reference_ = reference;
}

void ImageSurface::openPainter() {
    // The image's own buffer, unshared from here on; the painter paints into the same one.
    pixels_ = reinterpret_cast<QRgb *>(image_.bits());
    pixelsPerRow_ = image_.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, false);
    painter_->setFont(font_);
    penColour_ = kNoColour;
}

void ImageSurface::setPen(Colour colour) {
    if (colour == penColour_) return;
    QPen pen(toQColor(colour), 0);  // cosmetic: one pixel whatever the transform
    pen.setCapStyle(Qt::SquareCap);
    painter_->setPen(pen);
    penColour_ = colour;
}

void ImageSurface::paintCollected() {
    if (collectedLines_.empty()) return;
    setPen(collectedColour_);
    painter_->drawLines(collectedLines_.data(), static_cast<int>(collectedLines_.size()));
    collectedLines_.clear();
}

void ImageSurface::useColour(Colour colour) {
    if (colour == collectedColour_) return;
    paintCollected();
    collectedColour_ = colour;
    collectedRgb_ = toQColor(colour).rgb();
}

bool ImageSurface::writeUpright(const QLine &line) {
    const int width = image_.width();
    const int height = image_.height();
    if (line.x1() == line.x2()) {
        const int x = line.x1();
        const int top = std::max(std::min(line.y1(), line.y2()), 0);
        const int bottom = std::min(std::max(line.y1(), line.y2()), height - 1);
        if (x < 0 || x >= width || top > bottom) return true;
        QRgb *pixel = pixels_ + top * pixelsPerRow_ + x;
        for (int y = top; y <= bottom; ++y, pixel += pixelsPerRow_) *pixel = collectedRgb_;
        return true;
    }
    if (line.y1() == line.y2()) {
        const int y = line.y1();
        const int left = std::max(std::min(line.x1(), line.x2()), 0);
        const int right = std::min(std::max(line.x1(), line.x2()), width - 1);
        if (y < 0 || y >= height || left > right) return true;
        QRgb *row = pixels_ + y * pixelsPerRow_;
        std::fill(row + left, row + right + 1, collectedRgb_);
        return true;
    }
    return false;
}

void ImageSurface::writePixel(const QPoint &pixel) {
    if (pixel.x() < 0 || pixel.y() < 0 || pixel.x() >= image_.width() ||
        pixel.y() >= image_.height()) {
        return;
    }
    pixels_[pixel.y() * pixelsPerRow_ + pixel.x()] = collectedRgb_;
}

void ImageSurface::clear() {
    if (depth_ == 0) {
        const Session session(*this);
        clear();
        return;
    }
    collectedLines_.clear();  // the fill covers them
    painter_->fillRect(image_.rect(), background_);
    textPosition_ = QPoint(0, 0);
}

void ImageSurface::setDrawMode(int mode) {
    // Copy pen is the only mode the picture uses; with opaque pens it is Qt's default.
    if (mode == kDrawModeCopyPen && depth_ > 0) {
        paintCollected();
        painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void ImageSurface::line(float x1, float y1, float x2, float y2, Colour colour) {
    if (depth_ == 0) {
        const Session session(*this);
        line(x1, y1, x2, y2, colour);
        return;
    }
    const QLine pixels(toPixel(x1), toPixel(y1), toPixel(x2), toPixel(y2));
    if (reference_) {
        setPen(colour);
        painter_->drawLine(pixels);
        return;
    }
    useColour(colour);
    if (!writeUpright(pixels)) collectedLines_.push_back(pixels);
}

void ImageSurface::point(float x, float y, Colour colour) {
    textPosition_ = QPoint(toPixel(x), toPixel(y));
    if (depth_ == 0) {
        const Session session(*this);
        point(x, y, colour);
        return;
    }
    if (reference_) {
        setPen(colour);
        painter_->drawPoint(textPosition_);
        return;
    }
    useColour(colour);
    writePixel(textPosition_);
}

void ImageSurface::print(float number, std::string_view text) {
    if (depth_ == 0) {
        const Session session(*this);
        print(number, text);
        return;
    }
    paintCollected();
    const QString label = QString::fromStdString(formatPlainNumber(number)) +
                          QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    painter_->setPen(foreground_);
    penColour_ = kNoColour;
    painter_->drawText(QPoint(textPosition_.x(), textPosition_.y() + fontAscent_), label);
    // The line end: the next print would start at the left edge, one text line lower.
    textPosition_ = QPoint(0, textPosition_.y() + fontHeight_);
}

}  // namespace kalvira::display
