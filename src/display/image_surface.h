#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPoint>
#include <memory>
#include <vector>

#include "drawing_surface.h"

namespace kalvira::display {

// The window's retained picture: every operation paints into an image of the client area's size,
// which the window shows when it paints, so the picture survives covering and minimising.
//
// Coordinates are rounded to whole pixels (ties to even) and drawn without antialiasing, so a
// line at y = 271.5 lands on row 272, exactly like a sample drawn at 272. A line covers both its
// end pixels; a point is one pixel.
//
// Drawing happens in painting sessions: begin() opens one, end() closes it, and sessions nest
// (a redraw inside a redraw re-enters the open one). An operation outside any session is a
// session of its own.
//
// Speed: a long record sends thousands of lines and points, most of them upright within a few
// columns. Points and upright or level lines are written straight into the image's pixels (they
// are exactly the pixels QPainter sets for them); sloping lines of one colour are collected and
// handed to QPainter in one call when another colour, a print, a clear or the end of the
// outermost session comes. As every pen is opaque and copies its colour, the picture is the same
// as when QPainter paints each call at once, which setReferencePainting(true) does to prove it.
class ImageSurface : public DrawingSurface {
public:
    ImageSurface(QColor background, QColor foreground, QFont font);
    ~ImageSurface() override;
    ImageSurface(const ImageSurface &) = delete;
    ImageSurface &operator=(const ImageSurface &) = delete;

    // Gives the picture a new size in pixels (at least 1 x 1); its content is cleared to the
    // background. Allowed inside a session.
    void resize(int width, int height);
    // The picture; complete once the outermost session has ended.
    const QImage &image() const { return image_; }

    // Opens or re-enters a painting session; end() closes it at the outermost level and paints
    // whatever is still collected.
    void begin();
    void end();

    // true: QPainter paints every call at once, the plain way the fast one is checked against.
    // false (the default): the fast way. Both give the same picture.
    void setReferencePainting(bool reference);

    void clear() override;
    void setDrawMode(int mode) override;
    void line(float x1, float y1, float x2, float y2, Colour colour) override;
    void point(float x, float y, Colour colour) override;
    void print(float number, std::string_view text) override;
    float scaleWidth() const override { return static_cast<float>(image_.width()); }
    float scaleHeight() const override { return static_cast<float>(image_.height()); }

private:
    void openPainter();
    void paintCollected();
    void useColour(Colour colour);
    void setPen(Colour colour);
    bool writeUpright(const QLine &line);
    void writePixel(const QPoint &pixel);

    QColor background_;
    QColor foreground_;
    QFont font_;
    int fontAscent_;
    int fontHeight_;
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    int depth_ = 0;
    bool reference_ = false;
    Colour penColour_ = kNoColour;        // colour of the painter's pen
    Colour collectedColour_ = kNoColour;  // colour of the collected lines and direct writes
    QRgb collectedRgb_ = 0;               // the same as the image stores it
    std::vector<QLine> collectedLines_;   // sloping lines waiting for QPainter
    QRgb *pixels_ = nullptr;              // the image's first row while a session is open
    qsizetype pixelsPerRow_ = 0;
    QPoint textPosition_;

    static constexpr Colour kNoColour = 0xFFFFFFFFu;  // outside 0x00BBGGRR: no colour yet
};

// Turns 0x00BBGGRR into a QColor.
QColor toQColor(Colour colour);

}  // namespace kalvira::display
