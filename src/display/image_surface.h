#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <memory>

#include "drawing_surface.h"

namespace kalvira::display {

// The window's retained picture: every operation paints into an image of the client area's size,
// which the window shows when it paints. The picture thus survives covering and minimising.
// Painting sessions nest: a redraw inside a redraw reuses the open painter.
class ImageSurface : public DrawingSurface {
public:
    ImageSurface(QColor background, QColor foreground, QFont font);
    ~ImageSurface() override;

    // Gives the picture a new size; its content is cleared to the background.
    void resize(int width, int height);
    const QImage &image() const { return image_; }

    // Opens or re-enters a painting session; end() closes it at the outermost level.
    void begin();
    void end();

    void clear() override;
    void setDrawMode(int mode) override;
    void line(float x1, float y1, float x2, float y2, Colour colour) override;
    void point(float x, float y, Colour colour) override;
    void print(float number, std::string_view text) override;
    float scaleWidth() const override { return static_cast<float>(image_.width()); }
    float scaleHeight() const override { return static_cast<float>(image_.height()); }

private:
    QPainter &painter();
    void setPenColour(Colour colour);

    QColor background_;
    QColor foreground_;
    QFont font_;
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    int depth_ = 0;
    Colour penColour_ = 0xFFFFFFFFu;  // no pen chosen yet
    QPointF textPosition_;
};

// Turns 0x00BBGGRR into a QColor.
QColor toQColor(Colour colour);

}  // namespace kalvira::display
