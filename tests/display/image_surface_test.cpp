#include "display/image_surface.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cmath>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "display/redraw.h"
#include "fake_redraw_host.h"

namespace kalvira::testing {
namespace {

using namespace display;

std::unique_ptr<ImageSurface> imageOf(int width, int height, bool reference = false) {
    auto surface = std::make_unique<ImageSurface>(QColor(0, 0, 0), QColor(0xab, 0xab, 0xab),
                                                  QGuiApplication::font());
    surface->resize(width, height);
    surface->setReferencePainting(reference);
    return surface;
}

// The same drawing done the fast way and by QPainter call by call: the two pictures must agree.
QImage drawnBoth(int width, int height, const std::function<void(ImageSurface &)> &draw) {
    QImage fast;
    for (const bool reference : {false, true}) {
        auto surface = imageOf(width, height, reference);
        surface->begin();
        draw(*surface);
        surface->end();
        if (reference) EXPECT_TRUE(surface->image() == fast);
        fast = surface->image();
    }
    return fast;
}

// One row from x = 0, '#' where the pixel has the colour.
std::string rowOf(const QImage &image, int y, Colour colour, int width = 0) {
    std::string row;
    for (int x = 0; x < (width ? width : image.width()); ++x)
        row += image.pixel(x, y) == toQColor(colour).rgb() ? '#' : '.';
    return row;
}

TEST(ImageSurface, WholePixelsTiesToEvenBothEndsCoveredOutsideClipped) {
    auto surface = imageOf(12, 12);
    surface->line(2, 1, 10, 1, kTraceColour);
    surface->line(0, 3.5f, 11, 3.5f, kGraticuleColour);  // row 4
    surface->line(0, 6.5f, 11, 6.5f, kAxisColour);       // row 6
    surface->line(0.5f, 8, 2.5f, 8, kTraceColour);       // x 0 to 2
    surface->line(-1e9f, 10, 1e9f, 10, kTriggerColour);
    surface->point(5, 9.49f, kTraceColour);
    const QImage &image = surface->image();
    EXPECT_EQ(rowOf(image, 1, kTraceColour), "..#########.");
    EXPECT_EQ(rowOf(image, 3, kGraticuleColour) + rowOf(image, 4, kGraticuleColour),
              std::string(12, '.') + std::string(12, '#'));
    EXPECT_EQ(rowOf(image, 6, kAxisColour) + rowOf(image, 7, kAxisColour),
              std::string(12, '#') + std::string(12, '.'));
    EXPECT_EQ(rowOf(image, 8, kTraceColour) + rowOf(image, 9, kTraceColour),
              "###..............#......");
    EXPECT_EQ(rowOf(image, 10, kTriggerColour), std::string(12, '#'));
}

// The last column and row: a slip in the clip writes into the next row or past the image's buffer.
TEST(ImageSurface, DrawsOnTheLastColumnAndRowAndNotBeyond) {
    const QImage image = drawnBoth(13, 7, [](ImageSurface &s) {
        s.point(12, 6, kTraceColour);
        s.point(13, 6, kAxisColour);
        s.point(12, 7, kAxisColour);
        s.line(12, 0, 12, 3, kTraceColour);      // upright on the last column
        s.line(13, 0, 13, 6, kAxisColour);       // one column beyond
        s.line(0, 6, 4, 6, kTraceColour);        // level on the last row
        s.line(0, 7, 12, 7, kAxisColour);        // one row beyond
        s.line(9, 3, 12, 5, kTriggerColour);     // sloping, ending on the last column
        s.line(5, 4, 25, 14, kGraticuleColour);  // sloping, leaving through the last row
    });
    EXPECT_EQ(rowOf(image, 0, kTraceColour), "............#");
    EXPECT_EQ(rowOf(image, 6, kTraceColour), "#####.......#");
    for (int y = 0; y < 7; ++y) EXPECT_EQ(rowOf(image, y, kAxisColour), std::string(13, '.')) << y;
    EXPECT_EQ(rowOf(image, 5, kTriggerColour).back(), '#');
}

TEST(ImageSurface, LinesOfEverySlopeAndColourAsQPainterPaintsThem) {
    drawnBoth(97, 61, [](ImageSurface &s) {
        const Colour colours[] = {kTraceColour, kGraticuleColour, kTraceColour, kAxisColour};
        std::uint32_t seed = 7;
        const auto next = [&seed](int range) {
            seed = seed * 1664525u + 1013904223u;
            return static_cast<float>(
                static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(range)) - 15);
        };
        for (int k = 0; k < 3000; ++k) {
            const Colour colour = colours[(k / 7) % 4];
            const float x = next(130), y = next(90), half = k % 5 == 0 ? 0.5f : 0.0f;
            if (k % 4 == 0) s.line(x, y, x, next(90) + half, colour);
            if (k % 4 == 1) s.line(x + half, y, next(130), y, colour);
            if (k % 4 == 2) s.line(x, y + half, next(130), next(90), colour);
            if (k % 4 == 3) s.point(x, y + half, colour);
        }
    });
}

struct PictureCase {
    int timeOption, lineStyle;
    bool halved;
    int width, height;
};
class Picture : public ::testing::TestWithParam<PictureCase> {};

TEST_P(Picture, SameAsQPainterInTheSixColoursOnly) {
    const PictureCase &c = GetParam();
    FakeRedrawHost host;
    host.meresVegeFlag = -1;
    host.sampleScroll.value = 160;
    host.trigVisibleTicked = true;
    host.timeOption = c.timeOption;
    host.lineStyle = c.lineStyle;
    host.voltsPerDiv2Ticked = c.halved;
    for (int k = 1; k <= kMaxRecordLength; ++k) {  // a sine with a ramp: segments of every slope
        host.record[static_cast<std::size_t>(k)] =
            static_cast<std::int16_t>(512 + 300 * std::sin(k * 0.013) + (k % 97) - 48);
    }
    const QImage image =
        drawnBoth(c.width, c.height, [&](ImageSurface &s) { Koord_rendszer_rajzolasa(host, s); });
    std::set<QRgb> used;
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            used.insert(image.pixel(x, y));
            red += image.pixel(x, y) == toQColor(kTraceColour).rgb();
        }
    }
    EXPECT_EQ(used.size(), 6u);  // background, text, graticule, axis, marker, trace: no blends
    EXPECT_GT(red, 100);
}

INSTANTIATE_TEST_SUITE_P(Settings, Picture,
                         ::testing::Values(PictureCase{0, 0, false, 704, 543},
                                           PictureCase{13, 0, true, 704, 543},
                                           PictureCase{13, 1, false, 704, 543},
                                           PictureCase{5, 1, true, 900, 600},
                                           PictureCase{7, 0, false, 1000, 1201}));

TEST(ImageSurface, SessionsNestClearWipesResizeKeepsTheSessionOpen) {
    auto surface = imageOf(10, 10);
    surface->line(0, 3, 9, 3, kAxisColour);
    surface->begin();
    surface->begin();
    surface->line(0, 1, 9, 1, kTraceColour);
    surface->clear();  // wipes the collected line and the painted one
    surface->line(0, 2, 9, 5, kTraceColour);
    surface->end();
    EXPECT_EQ(surface->depth(), 1);
    surface->line(0, 7, 9, 8, kGraticuleColour);
    surface->end();
    surface->end();  // one end too many changes nothing
    EXPECT_EQ(surface->depth(), 0);
    const QImage &image = surface->image();
    EXPECT_EQ(rowOf(image, 1, kTraceColour) + rowOf(image, 3, kAxisColour), std::string(20, '.'));
    EXPECT_EQ(image.pixel(0, 2), toQColor(kTraceColour).rgb());
    EXPECT_EQ(image.pixel(9, 8), toQColor(kGraticuleColour).rgb());
    surface->begin();
    surface->resize(30, 20);
    surface->line(2, 15, 29, 18, kTraceColour);
    surface->end();
    EXPECT_EQ(surface->image().pixel(29, 18), toQColor(kTraceColour).rgb());
}

}  // namespace
}  // namespace kalvira::testing
