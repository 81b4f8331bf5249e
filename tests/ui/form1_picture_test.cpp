#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>

#include "display/image_surface.h"
#include "ui/form1.h"
#include "ui/look.h"
#include "ui/option_button.h"

namespace kalvira::ui {
namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kGreen = qRgb(0, 255, 0);

TEST(Form1Picture, GraticuleAxisAndTicksLandOnWholePixels) {
    Form1 form;
    const QImage image = form.surface().image();
    // 543 high: centre 271.5, so the blue lines lie on 271.5 + 100 k and the axis on 272.
    EXPECT_EQ(image.pixel(1, 400), kBlue);  // first vertical line, at x = 1
    EXPECT_EQ(image.pixel(101, 400), kBlue);
    EXPECT_EQ(image.pixel(250, 272), kGreen);  // axis, drawn after the graticule
    EXPECT_EQ(image.pixel(250, 300), kBlack);
    EXPECT_EQ(image.pixel(600, 100), kBlack);  // the band right of the plot stays clear
}

TEST(Form1Picture, OnlyThePictureColoursAppear) {
    Form1 form;
    form.TrigVisible->setChecked(true);
    const QImage image = form.surface().image();
    const QSet<QRgb> allowed = {
        kBlack, kBlue, kGreen, qRgb(255, 255, 0), qRgb(255, 0, 0), kForegroundColour.rgb()};
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) seen.insert(image.pixel(x, y));
    }
    EXPECT_TRUE(allowed.contains(seen)) << "antialiasing would blend in other shades";
    EXPECT_TRUE(seen.contains(kForegroundColour.rgb()));  // the time labels
}

TEST(Form1Picture, ResizingRedrawsAtTheNewSizeAndMovesTheControls) {
    Form1 form;
    form.show();
    form.resize(900, 700);
    QApplication::processEvents();
    EXPECT_EQ(form.surface().image().size(), QSize(900, 700));
    EXPECT_EQ(form.Kilepes->pos(), QPoint(800, 660));
    EXPECT_EQ(form.stp->pos(), QPoint(600, 660));
    EXPECT_EQ(form.Hscroll->pos(), QPoint(707, 416));
    // Vertical lines up to SW - 200 = 700: the last at x = 601.
    EXPECT_EQ(form.surface().image().pixel(601, 10), kBlue);
    EXPECT_EQ(form.surface().image().pixel(701, 10), kBlack);
}

TEST(Form1Picture, TheWindowShowsTheRetainedPicture) {
    Form1 form;
    form.show();
    QApplication::processEvents();
    const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage kept = form.surface().image();
    for (int y = 0; y < 480; y += 7) {
        for (int x = 0; x < 500; x += 3) ASSERT_EQ(shown.pixel(x, y), kept.pixel(x, y));
    }
    form.showMinimized();
    QApplication::processEvents();
    form.showNormal();
    QApplication::processEvents();
    EXPECT_EQ(form.surface().image(), kept);
}

// Any window size is drawn, minimised and tiny included, with a long record on screen.
TEST(Form1Picture, ExtremeWindowSizesRedrawWithoutHarm) {
    Form1 form;
    form.SampleScroll->setValue(160);
    for (int k = 1; k <= 16000; ++k) form.SampleData[static_cast<size_t>(k)] = 1023;
    form.MeresVege = -1;
    form.show();
    for (int timeBase : {0, 13}) {
        form.TimeOption[timeBase]->setChecked(true);
        for (QSize size : {QSize(1, 1), QSize(150, 80), QSize(299, 600), QSize(3000, 2000)}) {
            form.resize(size);
            QApplication::processEvents();
            EXPECT_EQ(form.surface().image().size(), form.size());
            EXPECT_EQ(form.Kilepes->pos(), QPoint(form.width() - 100, form.height() - 40));
            EXPECT_GE(form.Hscroll->value(), 0);
            EXPECT_LE(form.Hscroll->value(), form.Hscroll->maximum());
            EXPECT_EQ(form.MeresVege, -1);
        }
    }
}

}  // namespace
}  // namespace kalvira::ui
