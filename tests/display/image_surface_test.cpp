#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "display/image_surface.h"
#include "display/redraw.h"
#include "fake_redraw_host.h"

namespace kalvira::display {
namespace {

using testing::FakeRedrawHost;

const QColor kBackground(0, 0, 0);
const QColor kForeground(0xab, 0xab, 0xab);

QRgb rgbOf(Colour colour) {
    return toQColor(colour).rgb();
}

std::unique_ptr<ImageSurface> makeSurface(int width, int height) {
    auto surface =
        std::make_unique<ImageSurface>(kBackground, kForeground, QGuiApplication::font());
    surface->resize(width, height);
    return surface;
}

// The pixels of one row from x = first to last, '#' for the colour and '.' for anything else.
std::string rowOf(const QImage &image, int y, int first, int last, Colour colour) {
    std::string row;
    for (int x = first; x <= last; ++x) row += image.pixel(x, y) == rgbOf(colour) ? '#' : '.';
    return row;
}

// A window at its initial size holding a 16000-sample record: a sine with a slow ramp, so that
// segments go up and down at every slope.
FakeRedrawHost recordHost() {
    FakeRedrawHost host;
    host.meresVegeFlag = -1;
    host.sampleScroll.value = 160;
    host.trigVisibleTicked = true;
    for (int k = 1; k <= kMaxRecordLength; ++k) {
        host.record[static_cast<std::size_t>(k)] =
            static_cast<std::int16_t>(512 + 300 * std::sin(k * 0.013) + (k % 97) - 48);
    }
    return host;
}

QImage redrawn(FakeRedrawHost &host, bool batching, int width = 704, int height = 543) {
    auto surface = makeSurface(width, height);
    surface->setReferencePainting(!batching);
    surface->begin();
    Koord_rendszer_rajzolasa(host, *surface);
    surface->end();
    return surface->image();
}

TEST(ImageSurfacePixels, ALineCoversBothEndPixels) {
    auto surface = makeSurface(20, 20);
    surface->line(2, 5, 10, 5, kTraceColour);
    surface->line(4, 7, 4, 9, kTraceColour);
    EXPECT_EQ(rowOf(surface->image(), 5, 0, 12, kTraceColour), "..#########..");
    EXPECT_EQ(rowOf(surface->image(), 6, 0, 12, kTraceColour), ".............");
    for (int y = 7; y <= 9; ++y) EXPECT_EQ(rowOf(surface->image(), y, 3, 5, kTraceColour), ".#.");
    EXPECT_EQ(rowOf(surface->image(), 10, 3, 5, kTraceColour), "...");
}

TEST(ImageSurfacePixels, APointIsOnePixel) {
    auto surface = makeSurface(10, 10);
    surface->point(3, 4, kTraceColour);
    EXPECT_EQ(rowOf(surface->image(), 4, 0, 9, kTraceColour), "...#......");
    EXPECT_EQ(rowOf(surface->image(), 3, 0, 9, kTraceColour), "..........");
    EXPECT_EQ(rowOf(surface->image(), 5, 0, 9, kTraceColour), "..........");
}

TEST(ImageSurfacePixels, FractionalCoordinatesRoundToWholePixelsTiesToEven) {
    auto surface = makeSurface(20, 20);
    surface->line(0, 3.5f, 19, 3.5f, kGraticuleColour);  // row 4
    surface->line(0, 6.5f, 19, 6.5f, kAxisColour);       // row 6
    surface->line(0, 9.49f, 19, 9.49f, kTriggerColour);  // row 9
    surface->line(0.5f, 12, 2.5f, 12, kTraceColour);     // x 0 to 2
    for (int y = 0; y < 20; ++y) {
        const std::string blue = y == 4 ? std::string(20, '#') : std::string(20, '.');
        const std::string green = y == 6 ? std::string(20, '#') : std::string(20, '.');
        const std::string yellow = y == 9 ? std::string(20, '#') : std::string(20, '.');
        EXPECT_EQ(rowOf(surface->image(), y, 0, 19, kGraticuleColour), blue) << y;
        EXPECT_EQ(rowOf(surface->image(), y, 0, 19, kAxisColour), green) << y;
        EXPECT_EQ(rowOf(surface->image(), y, 0, 19, kTriggerColour), yellow) << y;
    }
    EXPECT_EQ(rowOf(surface->image(), 12, 0, 4, kTraceColour), "###..");
}

TEST(ImageSurfacePixels, CoordinatesOutsideThePictureAreClipped) {
    auto surface = makeSurface(10, 10);
    surface->line(-1e9f, 5, 1e9f, 5, kTraceColour);
    surface->line(-30, -30, -10, -10, kGraticuleColour);
    surface->point(50, 50, kGraticuleColour);
    EXPECT_EQ(rowOf(surface->image(), 5, 0, 9, kTraceColour), "##########");
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(rowOf(surface->image(), y, 0, 9, kGraticuleColour), "..........");
}

TEST(ImageSurfacePixels, AFullPictureHasNoBlendedColour) {
    FakeRedrawHost host = recordHost();
    host.timeOption = 13;
    host.voltsPerDiv2Ticked = true;
    const QImage image = redrawn(host, true);
    const std::set<QRgb> palette = {kBackground.rgb(),       kForeground.rgb(),
                                    rgbOf(kGraticuleColour), rgbOf(kAxisColour),
                                    rgbOf(kTriggerColour),   rgbOf(kTraceColour)};
    std::set<QRgb> used;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) used.insert(image.pixel(x, y));
    }
    EXPECT_EQ(used, palette);
}

TEST(ImageSurfaceText, ALabelHangsBelowAndRightOfTheTextPosition) {
    auto surface = makeSurface(200, 60);
    surface->point(40, 20, kGraticuleColour);
    surface->print(12.5f, "msec");
    const QImage &image = surface->image();
    int left = image.width(), top = image.height(), text = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != kForeground.rgb()) continue;
            ++text;
            left = std::min(left, x);
            top = std::min(top, y);
        }
    }
    EXPECT_GT(text, 20);
    EXPECT_GE(left, 40);
    EXPECT_GE(top, 20);
    EXPECT_LT(top, 20 + QFontMetrics(QGuiApplication::font()).height());
}

// Collecting runs of one colour must give the very picture that painting each call gives.

struct BatchingCase {
    const char *name;
    int timeOption;
    int lineStyle;
    bool voltsPerDiv2;
    int width, height;
};

void PrintTo(const BatchingCase &c, std::ostream *out) {
    *out << c.name;
}

class BatchingTest : public ::testing::TestWithParam<BatchingCase> {};

TEST_P(BatchingTest, GivesTheSamePixelsAsPaintingEachCall) {
    const BatchingCase &c = GetParam();
    FakeRedrawHost host = recordHost();
    host.timeOption = c.timeOption;
    host.lineStyle = c.lineStyle;
    host.voltsPerDiv2Ticked = c.voltsPerDiv2;
    const QImage batched = redrawn(host, true, c.width, c.height);
    const QImage direct = redrawn(host, false, c.width, c.height);
    EXPECT_TRUE(batched == direct);
    // and the trace is really there
    int red = 0;
    for (int y = 0; y < batched.height(); ++y) {
        for (int x = 0; x < batched.width(); ++x) red += batched.pixel(x, y) == rgbOf(kTraceColour);
    }
    EXPECT_GT(red, 100);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, BatchingTest,
    ::testing::Values(BatchingCase{"lines5sec", 0, 0, false, 704, 543},
                      BatchingCase{"lines1msec", 13, 0, false, 704, 543},
                      BatchingCase{"lines1msecHalved", 13, 0, true, 704, 543},
                      BatchingCase{"dots1msec", 13, 1, false, 704, 543},
                      BatchingCase{"dots0_1secHalvedEven", 5, 1, true, 900, 600},
                      BatchingCase{"lines25msecTall", 7, 0, false, 1000, 1201}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Batching, LinesOfEverySlopeAndDirectionMatchPaintingEachCall) {
    // Upright, level and sloping lines in both directions, whole and fractional, reaching past
    // every edge, in changing colours, with points among them.
    const Colour colours[] = {kTraceColour, kGraticuleColour, kTraceColour, kAxisColour};
    std::uint32_t seed = 7;
    const auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<float>(
            static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(range)));
    };
    std::vector<QImage> images;
    for (const bool batching : {true, false}) {
        seed = 7;
        auto surface = makeSurface(97, 61);
        surface->setReferencePainting(!batching);
        surface->begin();
        for (int k = 0; k < 3000; ++k) {
            const Colour colour = colours[(k / 7) % 4];
            const float x1 = next(130) - 15, y1 = next(90) - 15;
            const float half = (k % 5 == 0) ? 0.5f : 0.0f;
            switch (k % 4) {
                case 0:
                    surface->line(x1, y1, x1, next(90) - 15 + half, colour);
                    break;
                case 1:
                    surface->line(x1 + half, y1, next(130) - 15, y1, colour);
                    break;
                case 2:
                    surface->line(x1, y1 + half, next(130) - 15, next(90) - 15, colour);
                    break;
                default:
                    surface->point(x1, y1 + half, colour);
                    break;
            }
        }
        surface->end();
        images.push_back(surface->image());
    }
    EXPECT_TRUE(images[0] == images[1]);
}

TEST(Batching, KeepsTheOrderOfColours) {
    // Red under blue under red: the last colour drawn on a pixel is the one that stays.
    for (const bool batching : {true, false}) {
        auto surface = makeSurface(10, 10);
        surface->setReferencePainting(!batching);
        surface->begin();
        surface->line(0, 5, 9, 5, kTraceColour);
        surface->line(0, 5, 4, 5, kGraticuleColour);
        surface->point(2, 5, kTraceColour);
        surface->end();
        EXPECT_EQ(rowOf(surface->image(), 5, 0, 9, kTraceColour), "..#..#####") << batching;
        EXPECT_EQ(rowOf(surface->image(), 5, 0, 9, kGraticuleColour), "##.##.....") << batching;
    }
}

// Painting sessions.

TEST(ImageSurfaceSession, NestedSessionsPaintWhenTheOutermostEnds) {
    auto surface = makeSurface(10, 10);
    surface->begin();
    surface->begin();
    EXPECT_EQ(surface->depth(), 2);
    surface->line(0, 1, 9, 1, kTraceColour);
    surface->end();
    EXPECT_EQ(surface->depth(), 1);
    surface->line(0, 2, 9, 2, kTraceColour);
    surface->end();
    EXPECT_EQ(surface->depth(), 0);
    EXPECT_EQ(rowOf(surface->image(), 1, 0, 9, kTraceColour), "##########");
    EXPECT_EQ(rowOf(surface->image(), 2, 0, 9, kTraceColour), "##########");
    surface->end();  // one end too many changes nothing
    EXPECT_EQ(surface->depth(), 0);
}

TEST(ImageSurfaceSession, ClearInsideASessionWipesWhatWasCollected) {
    auto surface = makeSurface(10, 10);
    surface->line(0, 3, 9, 3, kAxisColour);
    surface->begin();
    surface->line(0, 1, 9, 1, kTraceColour);
    surface->clear();
    surface->point(4, 4, kTraceColour);
    surface->end();
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(rowOf(surface->image(), y, 0, 9, kAxisColour), "..........");
        EXPECT_EQ(rowOf(surface->image(), y, 0, 9, kTraceColour),
                  y == 4 ? "....#....." : "..........");
    }
}

TEST(ImageSurfaceSession, ResizeInsideASessionKeepsTheSessionOpen) {
    auto surface = makeSurface(10, 10);
    surface->begin();
    surface->line(0, 1, 9, 1, kTraceColour);
    surface->resize(30, 20);
    EXPECT_EQ(surface->scaleWidth(), 30.0f);
    EXPECT_EQ(surface->scaleHeight(), 20.0f);
    surface->line(0, 15, 29, 15, kTraceColour);
    surface->end();
    EXPECT_EQ(rowOf(surface->image(), 1, 0, 29, kTraceColour), std::string(30, '.'));
    EXPECT_EQ(rowOf(surface->image(), 15, 0, 29, kTraceColour), std::string(30, '#'));
}

TEST(ImageSurfaceSession, ARedrawNestedInARedrawLeavesTheFinalPicture) {
    // The window's way: begin() and end() around every redraw, the scroll bar's change handler
    // redrawing inside the outer one.
    FakeRedrawHost host = recordHost();
    host.sampleScroll.value = 5;
    host.hscroll = {.enabled = true, .minimum = 0, .maximum = 8, .value = 6};  // left from 1 msec
    auto surface = makeSurface(704, 543);
    int redraws = 0;
    const auto redraw = [&] {
        ++redraws;
        surface->begin();
        Koord_rendszer_rajzolasa(host, *surface);
        surface->end();
    };
    host.onHscrollChange = redraw;
    redraw();
    ASSERT_EQ(redraws, 2);
    ASSERT_EQ(host.hscroll.value, 0);

    FakeRedrawHost settled = recordHost();
    settled.sampleScroll.value = 5;
    EXPECT_TRUE(surface->image() == redrawn(settled, true));
}

}  // namespace
}  // namespace kalvira::display
