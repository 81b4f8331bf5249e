#include "display/image_surface.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cmath>
#include <functional>
#include <set>

#include "display/redraw.h"
#include "fake_redraw_host.h"

namespace kalvira::testing {
namespace {

using namespace display;

// The picture drawn the fast way, checked against QPainter painting each call at once.
QImage drawn(int width, int height, const std::function<void(ImageSurface &)> &draw) {
    std::vector<QImage> images;
    for (const bool reference : {false, true}) {
        ImageSurface surface(Qt::black, Qt::gray, QGuiApplication::font());
        surface.resize(width, height);
        surface.setReferencePainting(reference);
        surface.begin();
        draw(surface);
        surface.end();
        images.push_back(surface.image());
    }
    EXPECT_TRUE(images[0] == images[1]);
    return images[0];
}

// '#' where the picture has the colour, '.' elsewhere, '|' after each row.
std::string pixels(const QImage &image, Colour colour) {
    std::string set;
    const QRgb rgb = toQColor(colour).rgb();
    for (int y = 0; y < image.height(); ++y, set += '|') {
        for (int x = 0; x < image.width(); ++x) set += image.pixel(x, y) == rgb ? '#' : '.';
    }
    return set;
}

TEST(ImageSurface, WholePixelsTiesToEvenUpToTheLastColumnAndRowNotBeyond) {
    const QImage image = drawn(7, 5, [](ImageSurface &s) {
        s.line(2, 1, 12, 9, kAxisColour);            // sloping, out through the last row
        s.line(1, 3, 9, -1, kAxisColour);            // and through the last column
        s.line(-9, 3.5f, 1.5f, 3.5f, kTraceColour);  // row 4 up to x = 2
        s.line(0.5f, 0, 0.5f, 9, kTraceColour);      // column 0, out through the last row
        s.line(4, 2, 9, 2, kAxisColour);             // row 2, out through the last column
        s.line(6, 0, 6, 1, kTraceColour);            // upright on the last column
        s.line(3, 4, 4, 4, kTraceColour);            // level on the last row
        s.point(6, 4, kTraceColour);                 // the last pixel
        const int beyond[][4] = {{7, 4, 7, 0}, {6, 5, 0, 5}, {-1, 0, -1, 4}, {0, -1, 6, -1}};
        for (const auto &[x1, y1, x2, y2] : beyond) {  // into the next row or past the buffer
            s.point(x2, y2, kGraticuleColour);
            s.line(x1, y1, x2, y2, kGraticuleColour);
        }
    });
    EXPECT_EQ(pixels(image, kTraceColour), "#.....#|#.....#|#......|#......|#####.#|");
    EXPECT_EQ(pixels(image, kGraticuleColour).find('#'), std::string::npos);
}

TEST(ImageSurface, RedrawsAsQPainterPaintsInTheSixColoursOnly) {
    FakeRedrawHost host;
    host.shown = true, host.scope.recordLength = 16000, host.scope.triggerMarker = true;
    host.scope.timeBase = 13, host.scope.halfHeight = true;
    for (int k = 1; k <= kMaxRecordLength; ++k) {  // sine and ramp: segments of every slope
        host.record[k] = static_cast<std::int16_t>(512 + 300 * std::sin(k * 0.013) + k % 97);
    }
    const QImage image = drawn(704, 543, [&](auto &s) { Koord_rendszer_rajzolasa(host, s); });
    std::set<QRgb> colours;  // background, text, graticule, axis, marker, trace: no blends
    for (int k = 0; k < 704 * 543; ++k) colours.insert(image.pixel(k % 704, k / 704));
    EXPECT_EQ(colours.size(), 6u);
    EXPECT_GT(std::ranges::count(pixels(image, kTraceColour), '#'), 500);
}

}  // namespace
}  // namespace kalvira::testing
